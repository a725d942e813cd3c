#include "behaviour.hpp"

#include "core/key_filter.hpp"
#include "core/number_text.hpp"
#include "core/picture_header.hpp"
#include "core/ratio.hpp"
#include "core/size_text.hpp"
#include "ui/common/version.hpp"

#include <cmath>
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

// What a data field's text says: the field's own figure, and for a pair or a paper the figure
// of its partner field and the ratio as written.
struct Reading {
    OptionalNumber own;
    std::string ratioText = {}; // empty for one figure
};

Reading Read(int field, std::string_view text, std::string_view dec) {
    if (const OptionalNumber number = ReadNumber(text, dec))
        return {number};
    if (field == PixelsX || field == PixelsY) {
        if (const std::optional<PixelPair> pair = ReadPixelPair(text, dec))
            return {field == PixelsX ? pair->x : pair->y, pair->ratioText};
    } else if (field == WidthCm || field == HeightCm) {
        if (const std::optional<PrintSize> size = ReadPrintSize(text, dec)) {
            if (!size->heightCm)
                return {size->widthCm};
            return {field == WidthCm ? size->widthCm : *size->heightCm, size->ratioText};
        }
    }
    return {};
}

// The partner of a pixel or print-size field, which turning the picture swaps it with.
int Partner(int field) {
    switch (field) {
    case PixelsX:
        return PixelsY;
    case PixelsY:
        return PixelsX;
    case WidthCm:
        return HeightCm;
    case HeightCm:
        return WidthCm;
    default:
        return field;
    }
}

// `pattern` with each "%1" in it replaced by `value`.
std::string Filled(std::string_view pattern, std::string_view value) {
    std::string text;
    for (std::size_t at = 0;;) {
        const std::size_t mark = pattern.find("%1", at);
        text += pattern.substr(at, mark - at);
        if (mark == pattern.npos)
            return text;
        text += value;
        at = mark + 2;
    }
}

// Why a file whose header reads as `status` was not opened.
const char *Reason(const lang::NotOpened &why, HeaderStatus status) {
    switch (status) {
    case HeaderStatus::Empty:
        return why.empty;
    case HeaderStatus::NotAPicture:
        return why.notAPicture;
    case HeaderStatus::Unsupported:
        return why.unsupported;
    case HeaderStatus::CutShort:
        return why.cutShort;
    case HeaderStatus::Damaged:
        return why.damaged;
    case HeaderStatus::Missing:
        return why.missing;
    case HeaderStatus::Folder:
        return why.folder;
    case HeaderStatus::Unreadable:
    case HeaderStatus::Picture:
        break;
    }
    return why.unreadable;
}

} // namespace

std::vector<MenuEntry> MenuOf(const Control &field, const lang::Captions &captions) {
    std::vector<MenuEntry> entries{{Command::OpenPicture, captions.openPictureText},
                                   {Command::Turn, captions.turnText},
                                   {Command::CopyFigures, captions.copyText}};
    if (field.role == Role::Field && (field.index == WidthCm || field.index == HeightCm)) {
        for (std::size_t i = 0; i < kCommonPrintSizes.size(); ++i)
            entries.push_back({Command::PrintSize, kCommonPrintSizes[i], int(i)});
    }
    return entries;
}

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
    setRatio({4.0 / 3.0, FormatFixed(4.0 / 3.0, 13, decimalMark_).value_or("")});
    view_.setTitle(title_ = kTitle);
    for (const LockPair pair : kLockPairs)
        view_.setLockChecked(pair, locks_.chosen(pair));
    flagPressed(0);
}

std::optional<char32_t> WindowBehaviour::typed(const Control &field, char32_t c) const {
    return TypedCharacter(c, field == kRatioField ? KeyField::Ratio : KeyFieldOf(field.index),
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
    remember();
    view_.selectAll(Control::Field(field));
    view_.showLockPair(PairOf(field));
}

void WindowBehaviour::remember() {
    editedThisVisit_ = false;
    ratioFromText_ = false;
    for (int k = 0; k < kFieldCount; ++k)
        textsOnEntry_[k] = view_.text(Control::Field(k));
    ratioOnEntry_ = {ratio_, ratioText_};
    anchorOnEntry_ = anchor_;
    pictureOnEntry_ = picture_;
}

void WindowBehaviour::leave(int field) {
    if (!std::exchange(editedThisVisit_, false))
        return;
    if (Read(field, view_.text(Control::Field(field)), decimalMark_).own) {
        view_.write(Control::Field(field), ownText(field));
        return;
    }
    // The user's edits came to no number: the window goes back to how it was on entry.
    for (int k = 0; k < kFieldCount; ++k)
        view_.write(Control::Field(k), textsOnEntry_[k]);
    setRatio(ratioOnEntry_);
    anchor_ = anchorOnEntry_;
    picture_ = pictureOnEntry_;
    showHints();
    followPicture();
}

void WindowBehaviour::endEdit() {
    if (focused_ == kRatioField)
        leaveRatio();
    else if (focused_ && focused_->role == Role::Field)
        leave(focused_->index);
}

void WindowBehaviour::leaveRatio() {
    // A ratio that is no positive number was never taken: the one in use is shown again. One
    // written as a fraction stays so.
    const std::string typed = view_.text(kRatioField);
    if (const OptionalNumber ratio = ReadRatio(typed, decimalMark_); ratio && *ratio > 0.0)
        ratioText_ = FractionText(typed, decimalMark_).value_or(NumberText(*ratio, decimalMark_));
    view_.write(kRatioField, ratioText_);
}

void WindowBehaviour::setRatio(Ratio ratio) {
    ratio_ = ratio.value;
    if (ratio.text != ratioText_ || ratio.text != view_.text(kRatioField))
        view_.write(kRatioField, ratio.text);
    ratioText_ = std::move(ratio.text);
}

void WindowBehaviour::edited(const Control &field) {
    if (field != focused_)
        return;
    if (field.role == Role::Field) {
        editedThisVisit_ = true;
        anchor_ = field.index;
        const Reading reading = Read(field.index, view_.text(field), decimalMark_);
        if (!reading.own)
            return followPicture(); // no form yet: "3840x" on the way to a pair
        // A pair or a paper sets the ratio while the text holds it; once it holds one figure
        // again, the ratio is the one the field found.
        if (!reading.ratioText.empty()) {
            setRatio({*ReadRatio(reading.ratioText, decimalMark_), reading.ratioText});
            ratioFromText_ = true;
        } else if (std::exchange(ratioFromText_, false)) {
            setRatio(ratioOnEntry_);
        }
        recalculate(field.index);
        return;
    }
    // Only a positive number is a ratio: 0 (on the way to "0,75") or a pasted negative number
    // would make every figure fail or come out negative, so such a text is passed over like one
    // that holds no number.
    const std::string typed = view_.text(kRatioField);
    const OptionalNumber ratio = ReadRatio(typed, decimalMark_);
    if (!ratio || !(*ratio > 0.0))
        return;
    ratio_ = *ratio;
    ratioText_ = FractionText(typed, decimalMark_).value_or(NumberText(*ratio, decimalMark_));
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
    setRatio({4.0 / 3.0, FormatFixed(4.0 / 3.0, 13, decimalMark_).value_or("")});
    if (anchor_ >= 0)
        recalculate(anchor_);
}

void WindowBehaviour::flagPressed(int flag) {
    const lang::Captions &captions = lang::kCaptions.at(flag);
    if (captions_ == &captions)
        return;
    if (captions_ != nullptr)
        view_.setFlagChecked(int(captions_ - lang::kCaptions.data()), false);
    captions_ = &captions;
    view_.setFlagChecked(flag, true);
    view_.setCaptions(captions);
    showHints();
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

void WindowBehaviour::turn() {
    if (focused_ == kRatioField)
        leaveRatio();
    else if (focused_ && focused_->role == Role::Field && editedThisVisit_ &&
             Read(focused_->index, view_.text(*focused_), decimalMark_).own)
        view_.write(*focused_, ownText(focused_->index));
    const Ratio now{ratio_, ratioText_};
    Ratio turned;
    if (turned_ && turned_->second == now) {
        turned = turned_->first;
    } else {
        const std::optional<std::string> fraction = FractionText(now.text, decimalMark_, true);
        turned = fraction
                     ? Ratio{ReadRatio(*fraction, decimalMark_).value_or(1.0 / ratio_), *fraction}
                     : Ratio{1.0 / ratio_, NumberText(1.0 / ratio_, decimalMark_)};
    }
    turned_ = {now, turned};
    setRatio(turned);
    for (const int field : {PixelsX, WidthCm}) {
        const std::string first = view_.text(Control::Field(field));
        view_.write(Control::Field(field), view_.text(Control::Field(Partner(field))));
        view_.write(Control::Field(Partner(field)), first);
    }
    anchor_ = anchor_ >= 0 ? Partner(anchor_) : anchor_;
    showHints();
    followPicture();
}

void WindowBehaviour::copyFigures() {
    std::array<std::string, kFieldCount> texts;
    FieldTexts views;
    for (int k = 0; k < kFieldCount; ++k)
        views[k] = texts[k] = ownText(k);
    view_.copyToClipboard(SummaryLine(views, view_.text(kRatioField), decimalMark_));
}

void WindowBehaviour::menuChosen(const Control &field, const MenuEntry &entry) {
    switch (entry.command) {
    case Command::OpenPicture:
        return choosePicture();
    case Command::Turn:
        return turn();
    case Command::CopyFigures:
        return copyFigures();
    case Command::PrintSize:
        return view_.enterText(field, std::string(kCommonPrintSizes.at(std::size_t(entry.index))));
    }
}

void WindowBehaviour::filesGiven(std::span<const GivenFile> files) {
    if (files.size() > 1)
        return view_.showMessage(Filled(captions_->severalFilesText, std::to_string(files.size())));
    if (files.empty())
        return;
    if (!files.front().path) {
        return view_.showMessage(Filled(captions_->notOpenedText, files.front().shownName) + '\n' +
                                 captions_->notOpened.notLocal);
    }
    openPicture(*files.front().path, files.front().shownName);
}

void WindowBehaviour::choosePicture() {
    if (const std::optional<GivenFile> file = view_.askForPicture())
        filesGiven({&*file, 1});
}

void WindowBehaviour::openPicture(const std::filesystem::path &file, std::string_view shownName) {
    const PictureHeader header = ReadPictureFile(file);
    if (header.status != HeaderStatus::Picture) {
        view_.showMessage(Filled(captions_->notOpenedText, shownName) + '\n' +
                          Filled(Reason(captions_->notOpened, header.status), header.format));
        return;
    }
    endEdit();
    const PixelCounts upright = UprightCounts(header);
    const double x = upright.width, y = upright.height;
    view_.write(Control::Field(PixelsX), NumberText(x, decimalMark_));
    turned_.reset();
    setRatio({x / y, PixelRatioText(x, y, decimalMark_)});
    anchor_ = PixelsX;
    picture_.reset();
    recalculate(PixelsX);
    picture_ = {std::string(shownName), ownText(PixelsX), ownText(PixelsY), ratio_};
    followPicture();
    remember(); // a visit in progress goes on from the picture's figures
}

void WindowBehaviour::followPicture() {
    if (!picture_ && title_ == kTitle)
        return; // what almost every keystroke meets
    if (picture_ && (ownText(PixelsX) != picture_->pixelsX ||
                     ownText(PixelsY) != picture_->pixelsY || ratio_ != picture_->ratio))
        picture_.reset();
    const std::string title = picture_ ? picture_->name + " - " + kTitle : kTitle;
    if (title != title_)
        view_.setTitle(title_ = title);
}

std::string WindowBehaviour::ownText(int field) const {
    std::string text = view_.text(Control::Field(field));
    const Reading reading = Read(field, text, decimalMark_);
    return reading.own ? NumberText(*reading.own, decimalMark_) : text;
}

void WindowBehaviour::recalculate(int field) {
    std::array<std::string, kFieldCount> texts;
    FieldTexts views;
    for (int k = 0; k < kFieldCount; ++k)
        views[k] = texts[k] = k == field ? ownText(k) : view_.text(Control::Field(k));
    for (const FieldWrite &write : RecalcWrites(field, views, ratio_, locks_, decimalMark_))
        view_.write(Control::Field(write.field), write.text);
    showHints();
    followPicture();
}

void WindowBehaviour::showHints() {
    std::array<std::string, kFieldCount> texts, hints, tips;
    FieldTexts views;
    for (int k = 0; k < kFieldCount; ++k)
        views[k] = texts[k] = ownText(k);
    // The anchor's other lock choice, and the empty fields it would fill.
    if (anchor_ >= 0) {
        const LockPair pair = PairOf(anchor_);
        LockChoices other = locks_;
        other.choose(pair, 1 - locks_.chosen(pair));
        const char *choice =
            captions_->lockChoices[std::size_t(pair)][std::size_t(other.chosen(pair))];
        for (const FieldWrite &write : RecalcWrites(anchor_, views, ratio_, other, decimalMark_)) {
            if (texts[write.field].empty() && !write.text.empty())
                hints[write.field] = choice;
        }
    }
    for (const int k : {WidthCm, HeightCm}) {
        const OptionalNumber cm = ReadNumber(texts[k], decimalMark_);
        if (const auto inches = FormatFixed(cm.value_or(NAN) / kCmPerInch, 2, decimalMark_))
            tips[k] = *inches + " in";
    }
    for (int k = 0; k < kFieldCount; ++k) {
        if (hints[k] != placeholders_[k])
            view_.setPlaceholder(Control::Field(k), placeholders_[k] = hints[k]);
        if (tips[k] != toolTips_[k])
            view_.setToolTip(Control::Field(k), toolTips_[k] = tips[k]);
    }
}

} // namespace quadrel
