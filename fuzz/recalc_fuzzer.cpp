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
    // Whether x[a] * x[b] = x[c] * x[d] * f, with each x[k] within e[k] of a value that makes it
    // so.
    using Figures = std::array<long double, kFieldCount + 1>;
    const auto agree = [](const Figures &x, const Figures &e, int a, int b, int c, int d,
                          long double f) {
        const long double slack =
            std::fabs(x[a]) * e[b] + std::fabs(x[b]) * e[a] + e[a] * e[b] +
            std::fabs(f) * (std::fabs(x[c]) * e[d] + std::fabs(x[d]) * e[c] + e[c] * e[d]);
        return std::isfinite(slack) && std::fabs(x[a] * x[b] - x[c] * x[d] * f) <= slack;
    };
    const auto holds = [&](int open, int a, int b, int c, int d, long double f) {
        // The figure afterwards where it is the open one or followed, else the one given.
        Figures x, e;
        for (int k = 0; k <= One; ++k) {
            x[k] = v[followed[k] || k == open][k];
            e[k] = u[followed[k] || k == open][k];
        }
        return agree(x, e, a, b, c, d, f);
    };
    for (int pass = 0; pass < kFieldCount; ++pass) {
        for (const auto &[a, b, c, d, f] : relations) {
            for (const int open : {a, b, c, d})
                followed[open] = followed[open] || holds(open, a, b, c, d, f);
        }
    }
    for (int k = 0; k < kFieldCount; ++k)
        Check(!changed[k] || followed[k], "changed against every relation", texts[k]);

    // After a recalculation that leaves every field holding a number, under a positive ratio (the
    // only kind the window passes), the six figures agree with one another within what they show:
    // the megapixels with the two counts, X / Y with the ratio, each count with its print size at
    // the resolution. Kept counts are the ratio's only to their rounding while the print sizes
    // follow the ratio itself, so a count agrees with its print size to its own half pixel and a
    // pixel of the other count through the ratio. Where the rules keep given figures as they
    // are, those agree afterwards only if they did before, and their relation is left out then:
    //  - a pixel edit that keeps the print size with both sizes given keeps the height, ratio's or
    //    not (the resolution follows the width): the height with its count;
    //  - a resolution edit that keeps the print size with both sizes given takes each count from
    //    its size: X / Y with the ratio;
    //  - kept counts keep a megapixel figure given with them: the megapixels with the counts.
    if (!derives || !(r > 0) ||
        std::any_of(v[1].begin(), v[1].end(), [](long double x) { return std::isnan(x); }))
        return 0;
    // A pixel or resolution edit's second option keeps the print size; a resolution or print-size
    // edit's first option keeps the pixels.
    const int option = locks.chosen(PairOf(index));
    const bool sizesKept = index <= Dpi && option == 1 &&
                           !std::isnan(v[0][WidthCm] + v[0][HeightCm]) &&
                           !agree(v[0], u[0], WidthCm, One, HeightCm, One, r);
    const bool countsKept = index >= Dpi && option == 0 &&
                            !std::isnan(v[0][Megapixels] + v[0][PixelsX] + v[0][PixelsY]) &&
                            !agree(v[0], u[0], PixelsX, PixelsY, Megapixels, One, mega);
    Figures e = u[1];
    e[PixelsX] += r;
    e[PixelsY] += 1 / r;
    Check(
        (countsKept || agree(v[1], u[1], PixelsX, PixelsY, Megapixels, One, mega)) &&
            ((sizesKept && index == Dpi) || agree(v[1], u[1], PixelsX, One, PixelsY, One, r)) &&
            agree(v[1], e, WidthCm, Dpi, PixelsX, One, kCmPerInch) &&
            ((sizesKept && index < Dpi) || agree(v[1], e, HeightCm, Dpi, PixelsY, One, kCmPerInch)),
        "figures that disagree", texts[index]);
    return 0;
}
