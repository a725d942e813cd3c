// Writing numbers: NumberText and n2s over any double and decimal count.
// Input: byte 0 picks the decimal mark (MarkFromByte); byte 1 is the decimal count as a signed
// byte, or after 0x80 the next four bytes (little-endian); then the double's eight bytes
// (little-endian, missing ones 0), so that NaNs, infinities, -0 and subnormals all come up.

#include "fuzz_support.hpp"

#include <cfloat>
#include <cstdint>
#include <cstring>

using namespace quadrel;
using fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    if (size < 2)
        return 0;
    const std::string_view dec = fuzz::MarkFromByte(data[0]);
    std::size_t at = 2;
    std::uint32_t count = 0;
    for (int i = 0; data[1] == 0x80 && i < 4 && at < size; ++i)
        count |= std::uint32_t(data[at++]) << 8 * i;
    const int decimals = data[1] == 0x80 ? static_cast<std::int32_t>(count) : std::int8_t(data[1]);
    std::uint64_t bits = 0;
    for (int i = 0; i < 8 && at < size; ++i)
        bits |= std::uint64_t(data[at++]) << 8 * i;
    double v;
    std::memcpy(&v, &bits, sizeof v);

    // A finite value is written as a number text within half a unit of its 15th digit.
    const std::string text = NumberText(v, dec);
    Check(std::isfinite(v) ? fuzz::IsNumberText(text, dec) : text.empty(), "bad text", text);
    Check(!std::isfinite(v) || std::fabs(*ParseNumber(text, dec) - v) <=
                                   5.2e-15 * std::fabs(v) + DBL_TRUE_MIN, "not 15 digits", text);

    // n2s shows no more decimals than asked, within half a unit of the last one, and fails only
    // where the value is not finite or its scaling overflows.
    const int n = std::max(decimals, 0);
    const std::optional<std::string> shown = n2s(v, decimals, dec);
    if (!shown) {
        Check(!std::isfinite(v * std::pow(10.0, n)), "failed", text);
        return 0;
    }
    Check(fuzz::IsNumberText(*shown, dec) && fuzz::DecimalsShown(*shown, dec) <= n, "bad n2s", *shown);
    Check(std::fabs(*ParseNumber(*shown, dec) - v) <=
              0.5 * std::pow(10.0, -n) + 6e-15 * std::fabs(v) + DBL_TRUE_MIN, "n2s too far", *shown);
    return 0;
}
