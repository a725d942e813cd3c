#pragma once

// The recalculation rules: from the edited field, the six field values, the X/Y ratio and the lock
// choices, the texts to write into the other fields, in order. No window is involved; the window
// reads its fields, calls RecalcWrites and applies the writes one at a time.

#include "number_text.hpp"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

namespace quadrel {

// The data fields, by index.
enum Field : int { Megapixels = 0, PixelsX = 1, PixelsY = 2, Dpi = 3, WidthCm = 4, HeightCm = 5 };
inline constexpr int kFieldCount = 6;

// Decimals each field shows, by index.
inline constexpr std::array<int, kFieldCount> kFieldDecimals{1, 0, 0, 0, 1, 1};

inline constexpr double kPixelsPerMegapixel = 1'000'000.0;
inline constexpr double kCmPerInch = 2.54;

// The selected state of the six lock option buttons, one pair per frame. In the window exactly one
// of each pair is selected; here any combination is allowed ("neither" runs neither branch, "both"
// runs the first and then the second).
struct LockChoices {
    // Edit of a pixel field: [0] keeps Dpi, [1] keeps the print size.
    std::array<bool, 2> opzP{true, false};
    // Edit of Dpi: [0] keeps the pixels, [1] keeps the print size.
    std::array<bool, 2> opzD{true, false};
    // Edit of a print size: [0] keeps the pixels, [1] keeps Dpi.
    std::array<bool, 2> opzR{true, false};
};

struct FieldWrite {
    int field;
    std::string text;
    bool operator==(const FieldWrite &) const = default;
};

// The ordered writes of one recalculation: at most six, no allocation beyond the texts.
class FieldWrites {
public:
    void push_back(FieldWrite w) {
        if (count_ < items_.size())
            items_[count_++] = std::move(w);
    }
    std::size_t size() const { return count_; }
    bool empty() const { return count_ == 0; }
    const FieldWrite &operator[](std::size_t i) const { return items_[i]; }
    const FieldWrite *begin() const { return items_.data(); }
    const FieldWrite *end() const { return items_.data() + count_; }

private:
    std::array<FieldWrite, kFieldCount> items_{};
    std::size_t count_ = 0;
};

using FieldValues = std::array<OptionalNumber, kFieldCount>;
using FieldTexts = std::array<std::string_view, kFieldCount>;

// Derives the other quantities from field `index` and returns the writes: every field but `index`
// in increasing order (all six for an index outside 0..5, which derives nothing), each as n2s with
// the field's decimals. An empty edited field derives nothing either; the others are rewritten.
// A failing step while deriving (division by zero, a result too large for a double, the square
// root of a negative number, a ratio that is not finite where a formula uses it) gives no writes;
// a failure while formatting field k (n2s fails) gives the writes before k. A value that is not
// finite counts as empty. No text written is ever "nan", "inf" or "-0".
FieldWrites RecalcWrites(int index, const FieldValues &values, double ratio,
                         const LockChoices &locks, std::string_view dec);

// The same from the fields' texts, each read with s2n and an empty fallback.
FieldWrites RecalcWrites(int index, const FieldTexts &texts, double ratio, const LockChoices &locks,
                         std::string_view dec);

} // namespace quadrel
