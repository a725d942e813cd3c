// Writing numbers: NumberText and FormatFixed over any double and decimal count.
// Input: byte 0 picks the decimal mark (MarkFromByte); byte 1 is the decimal count as a signed
// byte, or after 0x80 the next four bytes; then the double's eight bytes (missing ones 0), so that
// NaNs, infinities, -0 and subnormals all come up. Numbers are little-endian.

#include "fuzz_support.hpp"

#include <cfloat>
#include <cstdint>
#include <cstring>

using namespace quadrel;
using fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, std::size_t size) {
    if (size < 2)
        return 0;
    const std::string_view dec = fuzz::MarkFromByte(data[0]);
    std::uint64_t count = 0, bits = 0;
    std::size_t at = 2;
    for (int i = 0; data[1] == 0x80 && i < 4 && at < size; ++i)
        count |= std::uint64_t(data[at++]) << 8 * i;
    for (int i = 0; i < 8 && at < size; ++i)
        bits |= std::uint64_t(data[at++]) << 8 * i;
    const int decimals = data[1] == 0x80 ? std::int32_t(count) : std::int8_t(data[1]);
    double v;
    std::memcpy(&v, &bits, sizeof v);

    // A finite value is written as a number text within half a unit of its 15th digit.
    const std::string text = NumberText(v, dec);
    const double margin = 5.2e-15 * std::fabs(v) + DBL_TRUE_MIN;
    Check(std::isfinite(v) ? fuzz::IsNumberText(text, dec) : text.empty(), "bad text", text);
    Check(!std::isfinite(v) || std::fabs(*ParseNumber(text, dec) - v) <= margin, "moved", text);

    // FormatFixed shows no more decimals than asked, within half a unit of the last one, and fails
    // only where the value is not finite or its scaling overflows.
    const int n = std::max(decimals, 0);
    const std::optional<std::string> shown = FormatFixed(v, decimals, dec);
    Check(shown || !std::isfinite(v * std::pow(10.0, n)), "FormatFixed failed", text);
    Check(!shown || (fuzz::IsNumberText(*shown, dec) && fuzz::DecimalsShown(*shown, dec) <= n &&
                     std::fabs(*ParseNumber(*shown, dec) - v) <= margin + 0.5 * std::pow(10.0, -n)),
          "FormatFixed", shown.value_or(""));

    // An exact half at n decimals is shown as its even neighbour: with m odd, m / 2^(n+1) is
    // (m * 5^n / 2) / 10^n, a half of the unit 10^-n, exact in binary while m * 5^n < 2^53.
    const int hn = n % 22;
    const double five = std::pow(5.0, hn), sign = bits >> 63 ? -1 : 1;
    const double m = double(bits % std::uint64_t(1e15 / five) | 1),
                 below = std::floor(m * five / 2);
    const double even = sign * (below + std::fmod(below, 2)) / std::pow(10.0, hn);
    Check(FormatFixed(sign * std::ldexp(m, -hn - 1), hn, dec) == NumberText(even, dec), "half",
          text);
    return 0;
}
