#pragma once

// What the main window does, whatever toolkit draws it: what entering, editing and leaving a field
// does to the six figures, the ratio field and its default button, the lock choices, which lock
// pair shows, F6, the language with its captions and checked flag, the title, and which typed
// characters go into a field. Each window (Qt on Linux, Win32 on Windows) creates and places its
// controls, turns its events into the calls below and answers the WindowView interface; nothing
// else. Everything here runs on the window's one thread.
//
// The figures change only in answer to the user's own change:
//   - A user edit of a data field (typing, Backspace, Delete, paste, cut, undo while it has the
//     focus) recalculates the other five from it at once and makes it the anchor, the field last
//     edited. Its text is read as it stands at each keystroke: a number, or a size as
//     photographers write it (core/size_text.hpp): in a pixel field two counts ("3840x2160"), in
//     a print-size field a length with its unit ("8in"), two lengths ("13x18", "8x10in") or a
//     paper ("A4"). A pair or a paper also sets the ratio, written W:H, while the text holds it;
//     the figures follow from the field's own figure.
//   - Leaving a data field edited during this visit only tidies it to its own figure ("3840x2160"
//     becomes "3840", "8in" "20,32"): the figures were derived from that figure already. One left
//     without a number gives back every data field's text, the ratio and its text, and the anchor,
//     as they were when it was entered. Leaving a field not edited changes nothing.
//   - A ratio typed into the ratio field, the default-ratio button, and a new choice in the lock
//     pair of the anchor's kind recalculate from the anchor, if there is one.
//   - Turning the picture (turn()) swaps the sides and the ratio without working anything out.
//   - A picture file opened (dropped, chosen with Ctrl+O, named on the command line) sets the two
//     pixel counts and the ratio from its header and recalculates from the horizontal pixels.
//   - Nothing else recalculates: focus moves, F6, the flags, the program's own writes.
// After each of these an empty field that the anchor's other lock choice would fill names that
// choice as its placeholder, and each print size's tooltip gives it in inches.

#include "core/recalc.hpp"
#include "lang/captions.hpp"
#include "ui/common/layout.hpp"

#include <array>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quadrel {

// What a control shows in a language: its text (a label's, a button's or an option's caption; the
// name a screen reader gives a field, a flag or a lock frame), and its hint, the description a
// screen reader reads and the tooltip (empty for none). A flag is named in its own language
// whatever language is on, so that everyone finds their language; a line has no text.
struct ControlText {
    std::string_view text;
    std::string_view hint = {};
};
ControlText TextOf(const Control &control, const lang::Captions &captions);

// The program's own entries of a data field's context menu, after the edit commands: open a
// picture file, turn the picture, copy the figures, and in a print-size field the common print
// sizes (a submenu).
enum class Command { OpenPicture, Turn, CopyFigures, PrintSize };
struct MenuEntry {
    Command command;
    std::string_view text;
    int index = 0; // PrintSize: in kCommonPrintSizes (core/size_text.hpp)
};
std::vector<MenuEntry> MenuOf(const Control &field, const lang::Captions &captions);

// The file name patterns of the picture formats read (core/picture_header.hpp), which a window's
// open dialog offers.
inline constexpr std::array<std::string_view, 8> kPicturePatterns{
    "*.jpg", "*.jpeg", "*.png", "*.tif", "*.tiff", "*.webp", "*.gif", "*.bmp"};

// A file given to the window (dropped on it, chosen in its open dialog, named on its command
// line) as the window knows it: its path when it is a file on this computer, none for anything
// else (a web address), and its name as the user knows it, UTF-8 ("photo.jpg", or the address).
struct GivenFile {
    std::optional<std::filesystem::path> path;
    std::string shownName;
};

// What the behaviour needs of a window. Field texts are UTF-8; a field is a data field
// (Control::Field) or the ratio field (kRatioField). None of the writes below is reported back as
// the user's doing.
class WindowView {
public:
    virtual ~WindowView() = default;

    virtual std::string text(const Control &field) const = 0;
    // Sets the text. Unless the field has the focus, its caret goes to the start, so that a long
    // text shows its first digits.
    virtual void write(const Control &field, const std::string &text) = 0;
    // Selects the whole text of the field.
    virtual void selectAll(const Control &field) = 0;
    // Shows the lock frame of `pair` and hides the other two.
    virtual void showLockPair(LockPair pair) = 0;
    // Checks option `option` of `pair` and unchecks the other.
    virtual void setLockChecked(LockPair pair, int option) = 0;
    // Moves the focus to `control`; the window reports the move back through focusChanged.
    virtual void focus(const Control &control) = 0;
    virtual void setTitle(const std::string &title) = 0;
    // Every control's text and hint in the language of `captions` (TextOf).
    virtual void setCaptions(const lang::Captions &captions) = 0;
    // Marks the flag of the language in use: checked for screen readers and drawn 4 pixels larger
    // on every side (layout::Highlighted); `checked` false undoes that.
    virtual void setFlagChecked(int flag, bool checked) = 0;
    // The text an empty data field shows in grey, and screen readers read; empty for none.
    virtual void setPlaceholder(const Control &field, const std::string &text) = 0;
    // A data field's tooltip; empty for none.
    virtual void setToolTip(const Control &field, const std::string &text) = 0;
    // Gives `field` the focus and replaces its whole text with `text` as the user's typing would,
    // undoably; the window reports the focus move and the edit as it reports the user's.
    virtual void enterText(const Control &field, const std::string &text) = 0;
    // Puts the text on the clipboard.
    virtual void copyToClipboard(const std::string &text) = 0;
    // Shows `text` (lines apart at "\n") in a message box over the window, in the language in
    // use, once the event being handled has returned: a drop's source waits for the drop to end.
    virtual void showMessage(const std::string &text) = 0;
    // Asks for a picture file with an open dialog in the language in use, offering the formats
    // read (kPicturePatterns) and every file; none when the user cancels.
    virtual std::optional<GivenFile> askForPicture() = 0;
};

class WindowBehaviour {
public:
    explicit WindowBehaviour(WindowView &view)
        : view_(view) {}

    // Start-up, before the window is first shown: the decimal mark from the locale's own (its
    // first character), the 4/3 ratio written into the ratio field, the title with the version,
    // the first option of each lock pair checked, and Italian.
    void start(std::string_view localeDecimalMark);

    // What typing `c` into field `field` puts there (TypedCharacter, core/key_filter.hpp): digits
    // of any script as ASCII digits, "," and "." as the decimal mark, control characters, and
    // what the field's own forms are written with.
    std::optional<char32_t> typed(const Control &field, char32_t c) const;

    // The control that has the focus now; a report that repeats the control in focus (the window
    // reactivated, a context menu closed) changes nothing.
    void focusChanged(const Control &now);
    // The user changed the text of `field`. Counts only while that field has the focus.
    void edited(const Control &field);
    // The user chose option `option` of `pair` (a click, Space, an arrow key).
    void lockChosen(LockPair pair, int option);
    void defaultRatioPressed();
    // A flag pressed: its language's captions and checked flag, unless it is the one in use.
    void flagPressed(int flag);
    // F6: from the lock pair shown back to the field last entered, from anywhere else to the
    // chosen option of the pair shown.
    void switchLockFocus();
    // Turns the picture upright, or back (Ctrl+R): the field in focus tidied, then the ratio
    // inverted with its text turned side for side ("3:2" becomes "2:3", a plain number its
    // inverse), the two pixel texts swapped and the two print-size texts, the anchor moved to its
    // partner field; nothing worked out again. Turning twice gives back every text and the ratio.
    void turn();
    // The figures in one line on the clipboard (Ctrl+Shift+C, SummaryLine), the field in focus
    // read as its own figure.
    void copyFigures();
    // An entry of `field`'s context menu (MenuOf).
    void menuChosen(const Control &field, const MenuEntry &entry);

    // Files given to the window: dropped on it (on any control) or named on the command line. One
    // file on this computer opens as openPicture() opens it; several, or one that is no file here,
    // are refused with a message (showMessage) and change nothing. None changes nothing.
    void filesGiven(std::span<const GivenFile> files);
    // Ctrl+O and the menu entry: the file chosen in the window's open dialog, as filesGiven takes
    // it.
    void choosePicture();
    // Opens the picture file `file`, named `shownName` in the title and in any message. When the
    // file's header gives its pixel counts, the edit in progress ends first as leaving its field
    // would end it (tidied to its figure, or the window given back as on entry); then the counts go
    // upright (UprightCounts: orientations 5 to 8 swap them) into the two pixel fields, the ratio
    // becomes theirs written reduced ("3:2"), the horizontal pixels become the anchor and the other
    // figures follow from them under the pixel pair's lock; the title names the file ("photo.jpg -
    // " and kTitle) until a pixel count or the ratio changes. Otherwise a message names the file
    // and says why it was not opened, and nothing changes, an edit in progress neither. The file
    // is only read.
    void openPicture(const std::filesystem::path &file, std::string_view shownName);

    // For the windows and the tests.
    double ratio() const { return ratio_; }
    const LockChoices &locks() const { return locks_; }
    std::string_view language() const { return captions_ ? captions_->code : ""; }
    const lang::Captions &captions() const { return *captions_; } // after start()
    int lastEntered() const { return lastEntered_; } // the data field last entered, or -1

private:
    struct Ratio {
        double value;
        std::string text; // as the ratio field shows it when not being typed in
        bool operator==(const Ratio &) const = default;
    };

    // The picture opened last, while the figures are still its own: its name, its pixel counts
    // as their fields show them and its ratio.
    struct Picture {
        std::string name;
        std::string pixelsX, pixelsY;
        double ratio;
    };

    void recalculate(int field);
    void enter(int field);
    void remember(); // the window as it is now, to give back when the field in focus is left empty
    void leave(int field);
    void endEdit(); // as leaving the field in focus would end it
    // Forgets the picture once a pixel count or the ratio is no longer its own; titles the window.
    void followPicture();
    void leaveRatio();
    void setRatio(Ratio ratio);
    void showHints();
    std::string ownText(int field) const; // a data field's own figure as text, or its text

    WindowView &view_;
    std::string decimalMark_ = ".";
    double ratio_ = 4.0 / 3.0;
    std::string ratioText_; // the ratio field's text for ratio_
    LockChoices locks_;
    const lang::Captions *captions_ = nullptr; // of the language in use
    std::optional<Control> focused_;
    int lastEntered_ = -1;
    int anchor_ = -1;
    // The visit to the data field in focus: whether the user edited it, and the window as it was
    // on entry, given back when the field is left without a number.
    bool editedThisVisit_ = false;
    bool ratioFromText_ = false; // the ratio is the one a pair or a paper in the field set
    std::array<std::string, kFieldCount> textsOnEntry_;
    Ratio ratioOnEntry_{};
    int anchorOnEntry_ = -1;
    std::optional<Picture> picture_, pictureOnEntry_;
    std::string title_; // as last set
    // The last turn, from which state to which, so that turning back gives back exactly.
    std::optional<std::pair<Ratio, Ratio>> turned_;
    // What the fields show beyond their text, as last written.
    std::array<std::string, kFieldCount> placeholders_, toolTips_;
};

} // namespace quadrel
