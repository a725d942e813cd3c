#pragma once

// The recalculation rules: from the edited field, the six field texts, the X/Y ratio and the lock
// choices, the texts to write into the other fields, in order. No window is involved; the window
// reads its fields, calls RecalcWrites and applies the writes one at a time.

#include "number_text.hpp"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace quadrel {

// The data fields, by index.
enum Field : int { Megapixels = 0, PixelsX = 1, PixelsY = 2, Dpi = 3, WidthCm = 4, HeightCm = 5 };
inline constexpr int kFieldCount = 6;

// Decimals each field shows, by index.
inline constexpr std::array<int, kFieldCount> kFieldDecimals{1, 0, 0, 0, 1, 1};

inline constexpr double kPixelsPerMegapixel = 1'000'000.0;
inline constexpr double kCmPerInch = 2.54;

// The lock choices: three pairs of options, each counting when a field of its kind is edited. In
// the window exactly one of each pair is chosen, the first at start; here any combination is
// allowed ("neither" runs neither branch, "both" runs the first and then the second).
struct LockChoices {
    // Edit of a pixel field (Megapixels, PixelsX, PixelsY): [0] keeps Dpi, [1] the print size.
    std::array<bool, 2> pixels{true, false};
    // Edit of Dpi: [0] keeps the pixels, [1] keeps the print size.
    std::array<bool, 2> resolution{true, false};
    // Edit of a print size (WidthCm, HeightCm): [0] keeps the pixels, [1] keeps Dpi.
    std::array<bool, 2> printSize{true, false};
};

struct FieldWrite {
    int field;
    std::string text;
    bool operator==(const FieldWrite &) const = default;
};

using FieldTexts = std::array<std::string_view, kFieldCount>;

// Reads the six texts with ReadNumber, derives the other quantities from field `index`
// and returns the writes: every field but `index` in increasing order (all six for an index outside
// 0..5, which derives nothing), each as FormatFixed with the field's decimals. An empty edited field
// derives nothing either; the others are rewritten. A failing step while deriving (division by
// zero, a result too large for a double, the square root of a negative number, a ratio that is not
// finite where a formula uses it) gives no writes; a failure while formatting field k (FormatFixed fails)
// gives the writes before k. No text written is ever "nan", "inf" or "-0".
std::vector<FieldWrite> RecalcWrites(int index, const FieldTexts &texts, double ratio,
                                     const LockChoices &locks, std::string_view dec);

} // namespace quadrel
