#include "behaviour.hpp"

#include "core/key_filter.hpp"
#include "core/number_text.hpp"
#include "core/ratio.hpp"
#include "ui/common/version.hpp"

#include <utility>

namespace quadrel {

namespace {

// The first code point of a UTF-8 text of one character (DecimalSepFromMark gives no other).
char32_t CodePoint(std::string_view utf8) {
    const auto byte = [&](std::size_t i) { return static_cast<char32_t>(utf8[i] & 0xFF); };
    if (utf8.size() == 1)
        return byte(0);
    char32_t c = byte(0) & (0xFF >> (utf8.size() + 1));
    for (std::size_t i = 1; i < utf8.size(); ++i)
        c = c << 6 | (byte(i) & 0x3F);
    return c;
}

std::array<bool, 2> &ChoiceOf(LockChoices &locks, LockPair pair) {
    switch (pair) {
    case LockPair::Pixels:
        return locks.pixels;
    case LockPair::Resolution:
        return locks.resolution;
    default:
        return locks.printSize;
    }
}

} // namespace

void WindowBehaviour::start(std::string_view localeDecimalMark) {
    decimalMark_ = DecimalSepFromMark(localeDecimalMark);
    ratio_ = 4.0 / 3.0;
    view_.write(kRatioField, FormatFixed(ratio_, 13, decimalMark_).value_or(""));
    view_.setTitle(kTitle);
    flagPressed(0);
}

std::optional<char32_t> WindowBehaviour::typed(int field, char32_t c) const {
    return TypedCharacter(c, field == kRatioField ? KeyField::Ratio : KeyField::Data,
                          CodePoint(decimalMark_));
}

void WindowBehaviour::focusChanged(Control now) {
    // No control: the window itself lost the focus to another program, or a popup menu took it;
    // the focus comes back to the same control, which was never left.
    if (now.kind == Control::Kind::None || now == focused_)
        return;
    const Control left = std::exchange(focused_, now);
    if (left.kind == Control::Kind::Field) {
        if (left.index == kRatioField)
            leaveRatio();
        else
            leave(left.index);
    }
    if (now.kind == Control::Kind::Field && now.index != kRatioField)
        enter(now.index);
}

void WindowBehaviour::enter(int field) {
    lastEntered_ = field;
    editedThisVisit_ = false;
    for (int k = 0; k < kFieldCount; ++k)
        textsOnEntry_[k] = view_.text(k);
    anchorOnEntry_ = anchor_;
    view_.selectAll(field);
    view_.showLockPair(PairOf(field));
}

void WindowBehaviour::leave(int field) {
    if (!std::exchange(editedThisVisit_, false))
        return;
    const std::string clean = CleanNumber(view_.text(field), decimalMark_);
    if (clean.empty()) {
        // The user's edits came to no number: the window goes back to how it was on entry.
        for (int k = 0; k < kFieldCount; ++k)
            view_.write(k, textsOnEntry_[k]);
        anchor_ = anchorOnEntry_;
        return;
    }
    view_.write(field, clean);
    recalculate(field);
}

void WindowBehaviour::leaveRatio() {
    // A ratio that is no positive number was never taken: the one in use is shown again.
    const OptionalNumber typed = ReadRatio(view_.text(kRatioField), decimalMark_);
    const double ratio = typed && *typed > 0.0 ? *typed : ratio_;
    view_.write(kRatioField, NumberText(ratio, decimalMark_));
}

void WindowBehaviour::edited(int field) {
    if (focused_ != Control::Field(field))
        return;
    if (field != kRatioField) {
        editedThisVisit_ = true;
        anchor_ = field;
        recalculate(field);
        return;
    }
    // Only a positive number is a ratio: 0 (on the way to "0,75") or a pasted negative number
    // would make every figure fail or come out negative, so such a text is passed over like one
    // that holds no number.
    const OptionalNumber ratio = ReadRatio(view_.text(kRatioField), decimalMark_);
    if (!ratio || !(*ratio > 0.0))
        return;
    ratio_ = *ratio;
    if (anchor_ >= 0)
        recalculate(anchor_);
}

void WindowBehaviour::lockChosen(LockPair pair, int option) {
    std::array<bool, 2> &choice = ChoiceOf(locks_, pair);
    if (choice[option])
        return;
    choice = {option == 0, option == 1};
    // Another pair's choice counts from the next edit of a field of its kind.
    if (anchor_ >= 0 && PairOf(anchor_) == pair)
        recalculate(anchor_);
}

void WindowBehaviour::defaultRatioPressed() {
    ratio_ = 4.0 / 3.0;
    view_.write(kRatioField, FormatFixed(ratio_, 13, decimalMark_).value_or(""));
    if (anchor_ >= 0)
        recalculate(anchor_);
}

void WindowBehaviour::flagPressed(int flag) {
    const lang::Captions &captions = lang::kCaptions.at(flag);
    if (language_ == captions.code)
        return;
    for (int other = 0; other < int(lang::kCaptions.size()); ++other) {
        if (lang::kCaptions[other].code == language_)
            view_.setFlagChecked(other, false);
    }
    language_ = captions.code;
    view_.setFlagChecked(flag, true);
    view_.setCaptions(captions);
}

void WindowBehaviour::switchLockFocus() {
    if (lastEntered_ < 0)
        return; // no pair shows yet
    const LockPair pair = PairOf(lastEntered_);
    if (focused_.kind == Control::Kind::LockOption && focused_.pair == pair)
        view_.focus(Control::Field(lastEntered_));
    else
        view_.focus(Control::Lock(pair, ChoiceOf(locks_, pair)[0] ? 0 : 1));
}

void WindowBehaviour::recalculate(int field) {
    std::array<std::string, kFieldCount> texts;
    FieldTexts views;
    for (int k = 0; k < kFieldCount; ++k)
        views[k] = texts[k] = view_.text(k);
    for (const FieldWrite &write : RecalcWrites(field, views, ratio_, locks_, decimalMark_))
        view_.write(write.field, write.text);
}

} // namespace quadrel
