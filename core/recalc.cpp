#include "recalc.hpp"

#include <cmath>
#include <utility>

namespace quadrel {

namespace {

// The working values of one recalculation and the formulas between them. Every formula is written
// exactly as grouped in the rules, since the grouping decides the last bit of the result.
//
// A failing step (a zero or infinite divisor, a result that is not finite, the square root of a
// negative number) clears `ok` for good. A product that overflows inside a formula leaves its
// result infinite or not a number, so checking each formula's result covers it. Since a failure
// anywhere in the derivation means that no field is written, the caller checks `ok` once, after
// the derivation; the steps that run after a failure only compute values that are dropped.
class Derivation {
public:
    Derivation(const FieldValues &values, double ratio)
        : q_(values)
        , ratio_(ratio) {}

    bool ok() const { return ok_; }
    const FieldValues &values() const { return q_; }
    bool has(Field f) const { return q_[f].has_value(); }

    void F1() { set(PixelsX, root((v(Megapixels) * kPixelsPerMegapixel) * ratio_)); }
    void F2() { set(PixelsY, root(divide(v(Megapixels) * kPixelsPerMegapixel, ratio_))); }
    void F3() { set(PixelsY, divide(v(PixelsX), ratio_)); }
    void F4() { set(PixelsX, v(PixelsY) * ratio_); }
    void F5() { set(Megapixels, (v(PixelsX) * v(PixelsY)) / kPixelsPerMegapixel); }
    void F6() { set(WidthCm, divide(v(PixelsX) * kCmPerInch, v(Dpi))); }
    void F7() { set(HeightCm, divide(v(PixelsY) * kCmPerInch, v(Dpi))); }
    void F8() { set(WidthCm, v(HeightCm) * ratio_); }
    void F9() { set(HeightCm, divide(v(WidthCm), ratio_)); }
    void F10() { set(Dpi, divide(v(PixelsX) * kCmPerInch, v(WidthCm))); }
    void F11() { set(PixelsX, (v(WidthCm) * v(Dpi)) / kCmPerInch); }
    void F12() { set(PixelsY, (v(HeightCm) * v(Dpi)) / kCmPerInch); }

private:
    double v(Field f) const { return *q_[f]; }

    void set(Field f, double value) {
        if (!std::isfinite(value))
            ok_ = false;
        q_[f] = value;
    }

    // An infinite divisor (only the ratio can be one) fails too, so that no formula turns an
    // infinite ratio into a plausible figure.
    double divide(double a, double b) {
        if (b == 0.0 || !std::isfinite(b))
            ok_ = false;
        return a / b;
    }

    double root(double a) {
        if (a < 0.0)
            ok_ = false;
        return std::sqrt(a);
    }

    FieldValues q_;
    double ratio_;
    bool ok_ = true;
};

// Pixel completion: the pixel quantities follow Megapixels first, then PixelsX, then PixelsY.
void BlockA(Derivation &d) {
    if (d.has(Megapixels)) {
        d.F1();
        d.F2();
    } else if (d.has(PixelsX)) {
        d.F3();
        d.F5();
    } else if (d.has(PixelsY)) {
        d.F4();
        d.F5();
    }
}

// After an edit of a pixel quantity, which has left all three pixel quantities filled.
void BlockB(Derivation &d, const LockChoices &locks) {
    if (locks.opzP[0] && d.has(Dpi)) {
        d.F6();
        d.F7();
    }
    if (locks.opzP[1] && (d.has(WidthCm) || d.has(HeightCm))) {
        if (!d.has(WidthCm))
            d.F8();
        if (!d.has(HeightCm))
            d.F9();
        d.F10();
    }
}

// Steps 3 and 4 of an edit of a print size, once both print sizes are filled.
void PrintSizeEdited(Derivation &d, const LockChoices &locks) {
    if (locks.opzR[0]) {
        BlockA(d);
        if (d.has(Megapixels))
            d.F10();
    }
    if (locks.opzR[1] && d.has(Dpi)) {
        d.F11();
        d.F3();
        d.F5();
    }
}

void Derive(int index, Derivation &d, const LockChoices &locks) {
    if (index < 0 || index >= kFieldCount || !d.has(static_cast<Field>(index)))
        return;
    switch (index) {
    case Megapixels:
        d.F1();
        d.F2();
        BlockB(d, locks);
        break;
    case PixelsX:
        d.F3();
        d.F5();
        BlockB(d, locks);
        break;
    case PixelsY:
        d.F4();
        d.F5();
        BlockB(d, locks);
        break;
    case Dpi:
        if (locks.opzD[0]) {
            BlockA(d);
            if (d.has(Megapixels)) {
                d.F6();
                d.F7();
            }
        }
        if (locks.opzD[1] && (d.has(WidthCm) || d.has(HeightCm))) {
            if (!d.has(HeightCm))
                d.F9();
            if (!d.has(WidthCm))
                d.F8();
            d.F11();
            d.F12();
            d.F5();
        }
        break;
    case WidthCm:
        d.F9();
        PrintSizeEdited(d, locks);
        break;
    case HeightCm:
        d.F8();
        PrintSizeEdited(d, locks);
        break;
    default:
        break;
    }
}

} // namespace

FieldWrites RecalcWrites(int index, const FieldValues &values, double ratio,
                         const LockChoices &locks, std::string_view dec) {
    FieldValues finite = values;
    for (OptionalNumber &value : finite) {
        if (value && !std::isfinite(*value))
            value.reset();
    }

    Derivation d(finite, ratio);
    Derive(index, d, locks);
    FieldWrites writes;
    if (!d.ok())
        return writes;

    for (int k = 0; k < kFieldCount; ++k) {
        if (k == index)
            continue;
        std::optional<std::string> text = n2s(d.values()[k], kFieldDecimals[k], dec);
        if (!text)
            break;
        writes.push_back({k, std::move(*text)});
    }
    return writes;
}

FieldWrites RecalcWrites(int index, const FieldTexts &texts, double ratio, const LockChoices &locks,
                         std::string_view dec) {
    FieldValues values;
    for (int k = 0; k < kFieldCount; ++k)
        values[k] = s2n(texts[k], std::nullopt, dec);
    return RecalcWrites(index, values, ratio, locks, dec);
}

} // namespace quadrel
