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

} // namespace

ControlText TextOf(const Control &control, const lang::Captions &captions) {
    const auto pair = std::size_t(control.pair.value_or(LockPair::Pixels));
    const auto index = std::size_t(control.index);
    switch (control.role) {
    case Role::Field:
    case Role::FieldLabel:
        return {captions.fieldLabels.at(index)};
    case Role::RatioField:
    case Role::RatioLabel:
        return {captions.ratioText};
    case Role::DefaultRatioButton:
        return {captions.defaultText, captions.defaultHint};
    case Role::CloseButton:
        return {captions.closeText};
    case Role::Flag: {
        const char *name = lang::kCaptions.at(index).languageName;
        return {name, name};
    }
    case Role::LockOption:
        return {captions.lockText, captions.lockHints.at(pair).at(index)};
    case Role::CreditLabel:
        return {captions.creditText};
    case Role::OptionsHeading:
        return {captions.optionsHeading};
    case Role::LockFrame:
        return {captions.lockFrames.at(pair)};
    case Role::Line:
        break;
    }
    return {};
}

void WindowBehaviour::start(std::string_view localeDecimalMark) {
    decimalMark_ = DecimalSepFromMark(localeDecimalMark);
    ratio_ = 4.0 / 3.0;
    view_.write(kRatioField, FormatFixed(ratio_, 13, decimalMark_).value_or(""));
    view_.setTitle(kTitle);
    for (const LockPair pair : kLockPairs)
        view_.setLockChecked(pair, locks_.chosen(pair));
    flagPressed(0);
}

std::optional<char32_t> WindowBehaviour::typed(const Control &field, char32_t c) const {
    return TypedCharacter(c,
                          field == kRatioField        ? KeyField::Ratio
                          : field.role == Role::Field ? KeyFieldOf(field.index)
                                                      : KeyField::Number,
                          CodePoint(decimalMark_));
}

void WindowBehaviour::focusChanged(const Control &now) {
    // A report of the control in focus: the window came back from another program, or a popup
    // menu closed; the control was never left.
    if (now == focused_)
        return;
    const std::optional<Control> left = std::exchange(focused_, now);
    if (left == kRatioField)
        leaveRatio();
    else if (left && left->role == Role::Field)
        leave(left->index);
    if (now.role == Role::Field)
        enter(now.index);
}

void WindowBehaviour::enter(int field) {
    lastEntered_ = field;
    editedThisVisit_ = false;
    for (int k = 0; k < kFieldCount; ++k)
        textsOnEntry_[k] = view_.text(Control::Field(k));
    anchorOnEntry_ = anchor_;
    view_.selectAll(Control::Field(field));
    view_.showLockPair(PairOf(field));
}

void WindowBehaviour::leave(int field) {
    if (!std::exchange(editedThisVisit_, false))
        return;
    const std::string clean = CleanNumber(view_.text(Control::Field(field)), decimalMark_);
    if (clean.empty()) {
        // The user's edits came to no number: the window goes back to how it was on entry.
        for (int k = 0; k < kFieldCount; ++k)
            view_.write(Control::Field(k), textsOnEntry_[k]);
        anchor_ = anchorOnEntry_;
        return;
    }
    view_.write(Control::Field(field), clean);
    recalculate(field);
}

void WindowBehaviour::leaveRatio() {
    // A ratio that is no positive number was never taken: the one in use is shown again.
    const OptionalNumber typed = ReadRatio(view_.text(kRatioField), decimalMark_);
    const double ratio = typed && *typed > 0.0 ? *typed : ratio_;
    view_.write(kRatioField, NumberText(ratio, decimalMark_));
}

void WindowBehaviour::edited(const Control &field) {
    if (field != focused_)
        return;
    if (field.role == Role::Field) {
        editedThisVisit_ = true;
        anchor_ = field.index;
        recalculate(field.index);
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
    if (locks_.chosen(pair) == option)
        return;
    locks_.choose(pair, option);
    view_.setLockChecked(pair, locks_.chosen(pair));
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
    if (focused_ && focused_->role == Role::LockOption && focused_->pair == pair)
        view_.focus(Control::Field(lastEntered_));
    else
        view_.focus(Control::Lock(pair, locks_.chosen(pair)));
}

void WindowBehaviour::recalculate(int field) {
    std::array<std::string, kFieldCount> texts;
    FieldTexts views;
    for (int k = 0; k < kFieldCount; ++k)
        views[k] = texts[k] = view_.text(Control::Field(k));
    for (const FieldWrite &write : RecalcWrites(field, views, ratio_, locks_, decimalMark_))
        view_.write(Control::Field(write.field), write.text);
}

} // namespace quadrel
