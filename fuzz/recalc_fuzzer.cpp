// The recalculation: RecalcWrites over arbitrary field texts, ratios, edited indexes and lock
// states, checked against the invariants of its writes and against a plain model of the rules.
//
// Input, as text lines:
//   line 1: byte 0 the edited index ("0".."9" for 0..9, any other byte its signed value);
//           byte 1 the lock states, bits 0..5 = opzP(0), opzP(1), opzD(0), opzD(1), opzR(0),
//           opzR(1) ("U" is the default: the first option of each pair);
//           byte 2 the decimal mark (see MarkFromByte);
//           the rest the ratio, as strtod reads it ("nan", "inf" and hex floats included), 4/3
//           when empty or unreadable;
//   lines 2..7: the six field texts (missing lines are empty fields).
// The field texts cannot hold a line break, which a field never does either; the parse target
// covers every byte.

#include "fuzz_support.hpp"

#include "core/number_text.hpp"
#include "core/recalc.hpp"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace quadrel;
using namespace quadrel::fuzz;

// The rules, written out plainly from their description: every formula evaluated left to right,
// any step that divides by zero, leaves the double range, takes the root of a negative number or
// uses a non-finite ratio ends the derivation without writes.
class Model {
public:
    Model(const FieldValues &values, double ratio, const LockChoices &locks)
        : q_(values)
        , ratio_(ratio)
        , locks_(locks) {
        for (OptionalNumber &v : q_)
            if (v && !std::isfinite(*v))
                v.reset();
    }

    std::optional<FieldValues> Derive(int index) {
        switch (index) {
        case Megapixels:
            if (!q_[Megapixels])
                break;
            Set(PixelsX, F1());
            Set(PixelsY, F2());
            BlockB();
            break;
        case PixelsX:
            if (!q_[PixelsX])
                break;
            Set(PixelsY, F3());
            Set(Megapixels, F5());
            BlockB();
            break;
        case PixelsY:
            if (!q_[PixelsY])
                break;
            Set(PixelsX, F4());
            Set(Megapixels, F5());
            BlockB();
            break;
        case Dpi:
            if (!q_[Dpi])
                break;
            if (locks_.opzD[0]) {
                BlockA();
                if (q_[Megapixels]) {
                    Set(WidthCm, F6());
                    Set(HeightCm, F7());
                }
            }
            if (locks_.opzD[1] && (q_[WidthCm] || q_[HeightCm])) {
                if (!q_[HeightCm])
                    Set(HeightCm, F9());
                if (!q_[WidthCm])
                    Set(WidthCm, F8());
                Set(PixelsX, F11());
                Set(PixelsY, F12());
                Set(Megapixels, F5());
            }
            break;
        case WidthCm:
        case HeightCm:
            if (!q_[index])
                break;
            if (index == WidthCm)
                Set(HeightCm, F9());
            else
                Set(WidthCm, F8());
            if (locks_.opzR[0]) {
                BlockA();
                if (q_[Megapixels])
                    Set(Dpi, F10());
            }
            if (locks_.opzR[1] && q_[Dpi]) {
                Set(PixelsX, F11());
                Set(PixelsY, F3());
                Set(Megapixels, F5());
            }
            break;
        default:
            break;
        }
        if (failed_)
            return {};
        return q_;
    }

private:
    double Get(int k) {
        if (!q_[k]) {
            // A formula reached with an empty operand is a fault of the model itself.
            Fail("model", "formula with an empty operand");
        }
        return *q_[k];
    }
    double Ratio() {
        if (!std::isfinite(ratio_))
            failed_ = true;
        return ratio_;
    }
    double Check(double r) {
        if (!std::isfinite(r))
            failed_ = true;
        return r;
    }
    double Mul(double a, double b) { return Check(a * b); }
    double Div(double a, double b) {
        if (b == 0)
            failed_ = true;
        return Check(a / b);
    }
    double Sqrt(double a) {
        if (a < 0)
            failed_ = true;
        return Check(std::sqrt(a));
    }
    void Set(int k, double v) {
        if (!failed_)
            q_[k] = v;
    }

    // Once a step has failed the later ones are not evaluated: their operands may be missing.
#define QUADREL_STEP(expr) (failed_ ? 0.0 : (expr))
    double F1() {
        return QUADREL_STEP(Sqrt(Mul(Mul(Get(Megapixels), 1e6), Ratio())));
    }
    double F2() {
        return QUADREL_STEP(Sqrt(Div(Mul(Get(Megapixels), 1e6), Ratio())));
    }
    double F3() {
        return QUADREL_STEP(Div(Get(PixelsX), Ratio()));
    }
    double F4() {
        return QUADREL_STEP(Mul(Get(PixelsY), Ratio()));
    }
    double F5() {
        return QUADREL_STEP(Div(Mul(Get(PixelsX), Get(PixelsY)), 1e6));
    }
    double F6() {
        return QUADREL_STEP(Div(Mul(Get(PixelsX), 2.54), Get(Dpi)));
    }
    double F7() {
        return QUADREL_STEP(Div(Mul(Get(PixelsY), 2.54), Get(Dpi)));
    }
    double F8() {
        return QUADREL_STEP(Mul(Get(HeightCm), Ratio()));
    }
    double F9() {
        return QUADREL_STEP(Div(Get(WidthCm), Ratio()));
    }
    double F10() {
        return QUADREL_STEP(Div(Mul(Get(PixelsX), 2.54), Get(WidthCm)));
    }
    double F11() {
        return QUADREL_STEP(Div(Mul(Get(WidthCm), Get(Dpi)), 2.54));
    }
    double F12() {
        return QUADREL_STEP(Div(Mul(Get(HeightCm), Get(Dpi)), 2.54));
    }
#undef QUADREL_STEP

    void BlockA() {
        if (q_[Megapixels]) {
            Set(PixelsX, F1());
            Set(PixelsY, F2());
        } else if (q_[PixelsX]) {
            Set(PixelsY, F3());
            Set(Megapixels, F5());
        } else if (q_[PixelsY]) {
            Set(PixelsX, F4());
            Set(Megapixels, F5());
        }
    }

    void BlockB() {
        if (failed_)
            return;
        if (locks_.opzP[0] && q_[Dpi]) {
            Set(WidthCm, F6());
            Set(HeightCm, F7());
        }
        if (!failed_ && locks_.opzP[1] && (q_[WidthCm] || q_[HeightCm])) {
            if (!q_[WidthCm])
                Set(WidthCm, F8());
            if (!q_[HeightCm])
                Set(HeightCm, F9());
            Set(Dpi, F10());
        }
    }

    FieldValues q_;
    double ratio_;
    LockChoices locks_;
    bool failed_ = false;
};

std::vector<FieldWrite> ModelWrites(int index, const FieldValues &values, double ratio,
                                    const LockChoices &locks, std::string_view dec) {
    std::vector<FieldWrite> writes;
    std::optional<FieldValues> q = Model(values, ratio, locks).Derive(index);
    if (!q)
        return writes;
    for (int k = 0; k < kFieldCount; ++k) {
        if (k == index)
            continue;
        std::optional<std::string> text = n2s((*q)[k], kFieldDecimals[k], dec);
        if (!text)
            break;
        writes.push_back({k, *text});
    }
    return writes;
}

std::string Show(const FieldWrites &writes) {
    std::string s = "[";
    for (const FieldWrite &w : writes)
        s += " " + std::to_string(w.field) + ":" + Visible(w.text);
    return s + " ]";
}

std::string Show(const std::vector<FieldWrite> &writes) {
    std::string s = "[";
    for (const FieldWrite &w : writes)
        s += " " + std::to_string(w.field) + ":" + Visible(w.text);
    return s + " ]";
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    std::string_view input(reinterpret_cast<const char *>(data), size);
    std::size_t lineEnd = input.find('\n');
    std::string_view head = input.substr(0, lineEnd);
    if (head.size() < 3)
        return 0;

    int index =
        head[0] >= '0' && head[0] <= '9' ? head[0] - '0' : static_cast<signed char>(head[0]);
    const auto lockBits = static_cast<unsigned char>(head[1]);
    LockChoices locks;
    locks.opzP = {(lockBits & 1) != 0, (lockBits & 2) != 0};
    locks.opzD = {(lockBits & 4) != 0, (lockBits & 8) != 0};
    locks.opzR = {(lockBits & 16) != 0, (lockBits & 32) != 0};
    std::string_view dec = MarkFromByte(static_cast<std::uint8_t>(head[2]));
    double ratio = 4.0 / 3;
    std::string ratioText(head.substr(3));
    if (!ratioText.empty()) {
        char *end = nullptr;
        double r = std::strtod(ratioText.c_str(), &end);
        if (end != ratioText.c_str())
            ratio = r;
    }

    FieldTexts texts{};
    std::string_view rest =
        lineEnd == std::string_view::npos ? std::string_view() : input.substr(lineEnd + 1);
    for (int k = 0; k < kFieldCount && !rest.empty(); ++k) {
        std::size_t end = rest.find('\n');
        texts[k] = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    }

    char ratioBuf[64];
    std::snprintf(ratioBuf, sizeof ratioBuf, "%.17g", ratio);
    std::string context = "for index " + std::to_string(index) + ", locks " +
                          std::to_string(lockBits & 63) + ", ratio " + ratioBuf + ", mark " +
                          Visible(dec) + ", texts";
    for (std::string_view t : texts)
        context += " " + Visible(t);

    FieldWrites writes = RecalcWrites(index, texts, ratio, locks, dec);

    // Shape: every field but the edited one, in increasing order, possibly cut short.
    QUADREL_FUZZ_CHECK(writes.size() <= kFieldCount, "too many writes " + context);
    int expectedField = 0;
    for (const FieldWrite &w : writes) {
        if (expectedField == index)
            ++expectedField;
        QUADREL_FUZZ_CHECK(w.field == expectedField,
                           "writes out of order " + Show(writes) + " " + context);
        ++expectedField;
        if (!w.text.empty()) {
            CheckNumberText(w.text, dec, "in field " + std::to_string(w.field) + " " + context);
            NumberTextShape shape = ShapeOf(w.text, dec);
            QUADREL_FUZZ_CHECK(shape.zero || shape.lastDigitExponent >= -kFieldDecimals[w.field],
                               "more decimals than the field shows " + Show(writes) + " " +
                                   context);
        }
    }

    // Reading the texts first gives the same writes.
    FieldValues values;
    for (int k = 0; k < kFieldCount; ++k)
        values[k] = s2n(texts[k], {}, dec);
    FieldWrites fromValues = RecalcWrites(index, values, ratio, locks, dec);
    QUADREL_FUZZ_CHECK(
        std::equal(writes.begin(), writes.end(), fromValues.begin(), fromValues.end()),
        "texts and values disagree: " + Show(writes) + " vs " + Show(fromValues) + " " + context);

    // The same writes as the rules written out plainly.
    std::vector<FieldWrite> expected = ModelWrites(index, values, ratio, locks, dec);
    QUADREL_FUZZ_CHECK(std::equal(writes.begin(), writes.end(), expected.begin(), expected.end()),
                       "writes differ from the rules: " + Show(writes) + " instead of " +
                           Show(expected) + " " + context);
    return 0;
}
