// The recalculation: RecalcWrites over any field texts, ratio, edited index and lock choices.
// Input, as lines: line 1 is the edited index (byte 0: "0".."9", any other byte by its signed
// value), the lock choices (byte 1, bits 0..2: the second option of the pixel pair, the resolution
// pair and the print-size pair; "0" chooses the first of each), the decimal mark
// (byte 2, MarkFromByte) and the ratio (the rest, as from_chars reads it, "inf" and "nan" included;
// else 4/3); then the six fields.

#include "fuzz_support.hpp"

#include "core/recalc.hpp"

#include <charconv>
#include <cstdint>
#include <tuple>

using namespace quadrel;
using fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, std::size_t size) {
    std::string_view input(reinterpret_cast<const char *>(data), size);
    const std::string_view head = input.substr(0, input.find('\n'));
    if (head.size() < 3)
        return 0;
    const int index = head[0] >= '0' && head[0] <= '9' ? head[0] - '0' : std::int8_t(head[0]);
    const auto bit = [b = static_cast<unsigned char>(head[1])](int i) { return (b >> i & 1) != 0; };
    LockChoices locks;
    for (const LockPair pair : kLockPairs)
        locks.choose(pair, bit(int(pair)));
    const std::string_view dec = fuzz::MarkFromByte(static_cast<unsigned char>(head[2]));
    double ratio = 4.0 / 3;
    std::from_chars(head.data() + 3, head.data() + head.size(), ratio);
    FieldTexts texts{};
    for (std::string_view &text : texts) {
        input.remove_prefix(std::min(input.find('\n'), input.size() - 1) + 1);
        text = input.substr(0, input.find('\n'));
    }

    // Every field but the edited one in order, each empty or a number text with at most its
    // field's decimals; none after a failed derivation, and fewer only where FormatFixed fails,
    // which needs decimals (and, without deriving, the field's own number). Without deriving, no
    // change.
    const bool derives = index >= 0 && index < kFieldCount && ReadNumber(texts[index], dec);
    const std::vector<FieldWrite> writes = RecalcWrites(index, texts, ratio, locks, dec);
    // Each figure as given ([0]) and afterwards ([1]), NaN for none, how far it may lie from its
    // exact value, and whether the recalculation changed it; [One] is the number 1.
    constexpr int One = kFieldCount;
    std::array<std::array<long double, kFieldCount + 1>, 2> v{}, u{};
    std::array<bool, kFieldCount + 1> changed{}, followed{};
    std::size_t w = 0;
    for (int k = 0; k < kFieldCount; ++k) {
        const OptionalNumber own = ReadNumber(texts[k], dec);
        v[0][k] = v[1][k] = own.value_or(NAN);
        if (k != index) {
            const std::optional<std::string> again = FormatFixed(own, kFieldDecimals[k], dec);
            Check(w < writes.size() || (derives ? (w == 0 || kFieldDecimals[k] > 0)
                                                : (!again && kFieldDecimals[k] > 0)),
                  "writes stopped", texts[k]);
            if (w == writes.size())
                return 0;
            const auto &[field, text] = writes[w++];
            Check(field == k, "missing or out of order", text);
            Check(text.empty() || (fuzz::IsNumberText(text, dec) &&
                                   fuzz::DecimalsShown(text, dec) <= kFieldDecimals[k]),
                  "bad text", text);
            changed[k] = text != again;
            Check(derives || !changed[k], "changed without deriving", text);
            v[1][k] = ParseNumber(text, dec).value_or(NAN);
            u[1][k] = 0.5L * std::pow(10.0L, -kFieldDecimals[k]); // shown rounded
        }
        for (const int s : {0, 1}) // the arithmetic, 15 digits, underflow
            u[s][k] += 1e-13L * std::fabs(v[s][k]) + 1e-300L;
        followed[k] = !std::isnan(v[1][k]) && !changed[k];
    }
    Check(w == writes.size(), "the edited field written", w < writes.size() ? writes[w].text : "");

    // Each changed figure follows, within the rounding, by a relation v[a] * v[b] = v[c] * v[d] * f
    // (megapixels = X * Y / 10^6; X / Y = ratio, and so X and Y from megapixels, width / height =
    // ratio; cm = pixels * 2.54 / DPI) from figures followed already or else as given, never from
    // itself: a wrong formula cannot hide behind a figure derived from its own result.
    v[0][One] = v[1][One] = 1;
    followed[One] = true;
    const long double r = std::isfinite(ratio) ? ratio : NAN, mega = kPixelsPerMegapixel;
    const std::tuple<int, int, int, int, long double> relations[] = {
        {PixelsX, PixelsY, Megapixels, One, mega},
        {PixelsX, One, PixelsY, One, r},
        {PixelsX, PixelsX, Megapixels, One, mega * r},
        {PixelsY, PixelsY, Megapixels, One, mega / r},
        {WidthCm, One, HeightCm, One, r},
        {WidthCm, Dpi, PixelsX, One, kCmPerInch},
        {HeightCm, Dpi, PixelsY, One, kCmPerInch}};
    const auto holds = [&](int open, int a, int b, int c, int d, long double f) {
        // The figure afterwards where it is the open one or followed, else the one given.
        const auto x = [&](int k) { return v[followed[k] || k == open][k]; };
        const auto e = [&](int k) { return u[followed[k] || k == open][k]; };
        const long double slack =
            std::fabs(x(a)) * e(b) + std::fabs(x(b)) * e(a) + e(a) * e(b) +
            std::fabs(f) * (std::fabs(x(c)) * e(d) + std::fabs(x(d)) * e(c) + e(c) * e(d));
        return std::isfinite(slack) && std::fabs(x(a) * x(b) - x(c) * x(d) * f) <= slack;
    };
    for (int pass = 0; pass < kFieldCount; ++pass) {
        for (const auto &[a, b, c, d, f] : relations) {
            for (const int open : {a, b, c, d})
                followed[open] = followed[open] || holds(open, a, b, c, d, f);
        }
    }
    for (int k = 0; k < kFieldCount; ++k)
        Check(!changed[k] || followed[k], "changed against every relation", texts[k]);
    return 0;
}
