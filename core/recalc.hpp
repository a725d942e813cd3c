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

// The lock pairs, by the kind of field whose edit they count for: the pixel fields (Megapixels,
// PixelsX, PixelsY), the resolution (Dpi), the print sizes (WidthCm, HeightCm).
enum class LockPair { Pixels, Resolution, PrintSize };
inline constexpr std::array<LockPair, 3> kLockPairs{LockPair::Pixels, LockPair::Resolution,
                                                    LockPair::PrintSize};

// The pair that counts when data field `field` is edited.
//   PairOf(Megapixels) -> Pixels   PairOf(Dpi) -> Resolution   PairOf(HeightCm) -> PrintSize
constexpr LockPair PairOf(int field) {
    return field < Dpi    ? LockPair::Pixels
           : field == Dpi ? LockPair::Resolution
                          : LockPair::PrintSize;
}

// What stays fixed while a field is edited: for each lock pair, which of its two options is
// chosen, named after what it keeps. The first option of each pair is chosen at start.
struct LockChoices {
    enum class OnPixels { KeepResolution, KeepPrintSize };
    enum class OnResolution { KeepPixels, KeepPrintSize };
    enum class OnPrintSize { KeepPixels, KeepResolution };
    OnPixels pixels = OnPixels::KeepResolution;
    OnResolution resolution = OnResolution::KeepPixels;
    OnPrintSize printSize = OnPrintSize::KeepPixels;

    // The option chosen in `pair`, 0 or 1 in the order of its enum; choose() chooses option 0 or,
    // for any other value, option 1.
    int chosen(LockPair pair) const;
    void choose(LockPair pair, int option);
    bool operator==(const LockChoices &) const = default;
};

struct FieldWrite {
    int field;
    std::string text;
    bool operator==(const FieldWrite &) const = default;
};

using FieldTexts = std::array<std::string_view, kFieldCount>;

// Reads the six texts with ReadNumber, derives the other quantities from field `index`
// and returns the writes: every field but `index` in increasing order (all six for an index outside
// 0..5, which derives nothing), each as FormatFixed with the field's decimals. An empty edited
// field derives nothing either; the others are rewritten. A failing step while deriving (division
// by zero, a result too large for a double, the square root of a negative number, a ratio that is
// not finite where a formula uses it) gives no writes; a failure while formatting field k
// (FormatFixed fails) gives the writes before k. No text written is ever "nan", "inf" or "-0".
std::vector<FieldWrite> RecalcWrites(int index, const FieldTexts &texts, double ratio,
                                     const LockChoices &locks, std::string_view dec);

} // namespace quadrel
