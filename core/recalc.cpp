#include "recalc.hpp"

#include <cmath>
#include <optional>
#include <utility>

namespace quadrel {

namespace {

using FieldValues = std::array<OptionalNumber, kFieldCount>;

// Whether two pixel counts are the ratio's to their rounding: some pair within half a pixel of
// each count as it shows (whole) has exactly the ratio, that is
// (x - 0.5) / (y + 0.5) <= ratio <= (x + 0.5) / (y - 0.5) with no upper bound for y <= 0.5. It is
// written without dividing, which also keeps a negative count from fitting beside a positive one.
bool CountsFitRatio(double pixelsX, double pixelsY, double ratio) {
    const double x = std::nearbyint(pixelsX), y = std::nearbyint(pixelsY);
    return x - 0.5 <= ratio * (y + 0.5) && ratio * (y - 0.5) <= x + 0.5;
}

// The working values of one recalculation and the formulas between them. Each formula is grouped
// exactly as written, left to right, since the grouping decides the last bit of the result; a
// formula is only reached when all its operands hold numbers.
//
// A failing step clears `ok` for good: a result that is not finite, which covers a division by
// zero, the square root of a negative number and an overflow anywhere inside the formula, and a
// division by an infinite ratio, whose result would look plausible. Since a failure anywhere in
// the derivation means that no field is written, the caller checks `ok` once, after the
// derivation; the steps that run after a failure only compute values that are dropped.
class Derivation {
public:
    Derivation(const FieldValues &values, double ratio)
        : q_(values)
        , ratio_(ratio) {}

    bool ok() const { return ok_; }
    const FieldValues &values() const { return q_; }
    bool has(Field f) const { return q_[f].has_value(); }

    // The formulas, each read as "target = expression".
    void PixelsXFromMegapixels() {
        set(PixelsX, std::sqrt(v(Megapixels) * kPixelsPerMegapixel * ratio_));
    }
    void PixelsYFromMegapixels() {
        set(PixelsY, std::sqrt(divide(v(Megapixels) * kPixelsPerMegapixel, ratio_)));
    }
    void PixelsYFromX() { set(PixelsY, divide(v(PixelsX), ratio_)); }
    void PixelsXFromY() { set(PixelsX, v(PixelsY) * ratio_); }
    void MegapixelsFromPixels() { set(Megapixels, v(PixelsX) * v(PixelsY) / kPixelsPerMegapixel); }
    void WidthFromPixels() { set(WidthCm, divide(v(PixelsX) * kCmPerInch, v(Dpi))); }
    void HeightFromPixels() { set(HeightCm, divide(v(PixelsY) * kCmPerInch, v(Dpi))); }
    void WidthFromHeight() { set(WidthCm, v(HeightCm) * ratio_); }
    void HeightFromWidth() { set(HeightCm, divide(v(WidthCm), ratio_)); }
    void DpiFromWidth() { set(Dpi, divide(v(PixelsX) * kCmPerInch, v(WidthCm))); }
    void PixelsXFromWidth() { set(PixelsX, v(WidthCm) * v(Dpi) / kCmPerInch); }
    void PixelsYFromHeight() { set(PixelsY, v(HeightCm) * v(Dpi) / kCmPerInch); }

    bool countsFitRatio() const { return CountsFitRatio(v(PixelsX), v(PixelsY), ratio_); }

private:
    double v(Field f) const { return *q_[f]; }

    void set(Field f, double value) {
        if (!std::isfinite(value))
            ok_ = false;
        q_[f] = value;
    }

    double divide(double a, double b) {
        if (!std::isfinite(b))
            ok_ = false;
        return a / b;
    }

    FieldValues q_;
    double ratio_;
    bool ok_ = true;
};

// The pixel quantities completed where a lock keeps the pixels. Two pixel counts that are the
// ratio's stay as they are, and give the megapixels only where those are missing: the megapixel
// figure shows one decimal, and counts worked out again from it would change the very pixels the
// lock keeps. Otherwise (a count missing, or counts of another shape) the pixels follow the first
// of Megapixels, PixelsX, PixelsY that holds a number (the values the others had are replaced);
// nothing when none does.
void CompletePixels(Derivation &d) {
    if (d.has(PixelsX) && d.has(PixelsY) && d.countsFitRatio()) {
        if (!d.has(Megapixels))
            d.MegapixelsFromPixels();
    } else if (d.has(Megapixels)) {
        d.PixelsXFromMegapixels();
        d.PixelsYFromMegapixels();
    } else if (d.has(PixelsX)) {
        d.PixelsYFromX();
        d.MegapixelsFromPixels();
    } else if (d.has(PixelsY)) {
        d.PixelsXFromY();
        d.MegapixelsFromPixels();
    }
}

// After an edit of a pixel field, which has left all three pixel quantities filled: the pixel
// pair's first option keeps Dpi and derives the print size, its second keeps the print size and
// derives Dpi. A HeightCm that the field already held stays, even where it does not match WidthCm /
// Ratio.
void PixelFieldEdited(Derivation &d, const LockChoices &locks) {
    if (locks.pixels == LockChoices::OnPixels::KeepResolution) {
        if (d.has(Dpi)) {
            d.WidthFromPixels();
            d.HeightFromPixels();
        }
    } else if (d.has(WidthCm) || d.has(HeightCm)) {
        if (!d.has(WidthCm))
            d.WidthFromHeight();
        if (!d.has(HeightCm))
            d.HeightFromWidth();
        d.DpiFromWidth();
    }
}

// After an edit of a print size, once both print sizes are filled: the print-size pair's first
// option keeps the pixels and derives Dpi, its second keeps Dpi and derives the pixels.
void PrintSizeEdited(Derivation &d, const LockChoices &locks) {
    if (locks.printSize == LockChoices::OnPrintSize::KeepPixels) {
        CompletePixels(d);
        if (d.has(Megapixels))
            d.DpiFromWidth();
    } else if (d.has(Dpi)) {
        d.PixelsXFromWidth();
        d.PixelsYFromX();
        d.MegapixelsFromPixels();
    }
}

void Derive(int index, Derivation &d, const LockChoices &locks) {
    if (index < 0 || index >= kFieldCount || !d.has(static_cast<Field>(index)))
        return;
    switch (index) {
    case Megapixels:
        d.PixelsXFromMegapixels();
        d.PixelsYFromMegapixels();
        return PixelFieldEdited(d, locks);
    case PixelsX:
        d.PixelsYFromX();
        d.MegapixelsFromPixels();
        return PixelFieldEdited(d, locks);
    case PixelsY:
        d.PixelsXFromY();
        d.MegapixelsFromPixels();
        return PixelFieldEdited(d, locks);
    case Dpi: // the first option keeps the pixels and derives the print size, the second the other
              // way round
        if (locks.resolution == LockChoices::OnResolution::KeepPixels) {
            CompletePixels(d);
            if (d.has(Megapixels)) {
                d.WidthFromPixels();
                d.HeightFromPixels();
            }
        } else if (d.has(WidthCm) || d.has(HeightCm)) {
            if (!d.has(HeightCm))
                d.HeightFromWidth();
            if (!d.has(WidthCm))
                d.WidthFromHeight();
            d.PixelsXFromWidth();
            d.PixelsYFromHeight();
            d.MegapixelsFromPixels();
        }
        return;
    case WidthCm:
        d.HeightFromWidth();
        return PrintSizeEdited(d, locks);
    default: // HeightCm
        d.WidthFromHeight();
        return PrintSizeEdited(d, locks);
    }
}

} // namespace

int LockChoices::chosen(LockPair pair) const {
    switch (pair) {
    case LockPair::Pixels:
        return int(pixels);
    case LockPair::Resolution:
        return int(resolution);
    default:
        return int(printSize);
    }
}

void LockChoices::choose(LockPair pair, int option) {
    const int second = option == 0 ? 0 : 1;
    switch (pair) {
    case LockPair::Pixels:
        pixels = OnPixels(second);
        break;
    case LockPair::Resolution:
        resolution = OnResolution(second);
        break;
    default:
        printSize = OnPrintSize(second);
    }
}

std::vector<FieldWrite> RecalcWrites(int index, const FieldTexts &texts, double ratio,
                                     const LockChoices &locks, std::string_view dec) {
    FieldValues values;
    for (int k = 0; k < kFieldCount; ++k)
        values[k] = ReadNumber(texts[k], dec);
    Derivation d(values, ratio);
    Derive(index, d, locks);
    std::vector<FieldWrite> writes;
    if (!d.ok())
        return writes;

    for (int k = 0; k < kFieldCount; ++k) {
        if (k == index)
            continue;
        std::optional<std::string> text = FormatFixed(d.values()[k], kFieldDecimals[k], dec);
        if (!text)
            break;
        writes.push_back({k, std::move(*text)});
    }
    return writes;
}

} // namespace quadrel
