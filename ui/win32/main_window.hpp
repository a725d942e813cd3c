#pragma once

// Quadrel's one window on Windows: standard controls created, placed, found (by ID, from their row)
// and dispatched from the table of controls (layout::kControls) at the monitor's DPI, over the
// WindowBehaviour that the Qt window drives too, which decides every figure, focus rule, caption
// and checked option or flag.
//
// A keystroke goes first to translate(): the accelerators (F6, Ctrl+O, Ctrl+Q, Ctrl+R,
// Ctrl+Shift+C), then the dialog navigation (Tab in the table's order, the arrow keys within a lock
// pair). A character typed into a field reaches the field's subclass, which inserts what the
// behaviour lets in (typed) as an undoable replacement of the selection; the field's EN_CHANGE then
// reaches the behaviour as the user's edit unless the window itself is writing the field.
//
// A field's context menu (a right click, Shift+F10, the Menu key) is built when it opens: the
// EDIT's own commands, then the program's entries (MenuOf), in the window's language.
//
// A picture file comes as WM_DROPFILES (the window and the fields accept files: a file dropped on a
// field is a picture to open, never text), from the open dialog (Ctrl+O, the menu) or from the
// command line; the behaviour opens it or says why not, in a message box shown once the message
// loop gets to it. shell32 and comdlg32 are loaded at their first use, not at the start.
//
// Accessibility: a field is named by its label, created just before it, and an empty one exposes
// its placeholder as its cue banner; a flag is a radio button drawn through NM_CUSTOMDRAW and named
// in its own language; a lock pair lies in a group box named after what it decides, which paints
// neither its frame nor its caption, as in the Qt window.

#include "ui/common/behaviour.hpp"
#include "ui/common/layout.hpp"

#include <windows.h>

#include <shellapi.h>

#include <array>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace quadrel {

// UTF-16 text, as Windows gives it, in UTF-8.
std::string Utf8(std::wstring_view wide);

class MainWindow : public WindowView {
public:
    // Creates the window, hidden, centred on the primary monitor's work area, and starts the
    // behaviour with the user locale's decimal mark. Showing it gives the first field the focus.
    MainWindow();
    ~MainWindow() override;
    MainWindow(const MainWindow &) = delete;
    MainWindow &operator=(const MainWindow &) = delete;

    HWND handle() const { return window_; } // nullptr once the window is closed
    HWND tooltips() const { return tooltips_; }
    const WindowBehaviour &behaviour() const { return behaviour_; }

    // The control's window, or nullptr for a line (painted by its container) or a control that is
    // not in the table.
    HWND find(const Control &control) const;

    // The message loop's step before TranslateMessage and DispatchMessage: true when the window's
    // keys or the dialog navigation took the message. The mouse's messages also go to the
    // tooltips from here.
    bool translate(MSG &message);

    // Files given to the window, dropped on it or named on the command line: one opens, several
    // are refused (WindowBehaviour::filesGiven).
    void openFiles(std::span<const std::filesystem::path> files);

    // WindowView
    std::string text(const Control &field) const override;
    void write(const Control &field, const std::string &text) override;
    void selectAll(const Control &field) override;
    void showLockPair(LockPair pair) override;
    void setLockChecked(LockPair pair, int option) override;
    void focus(const Control &control) override;
    void setTitle(const std::string &title) override { caption(window_, title); }
    void setCaptions(const lang::Captions &captions) override;
    void setFlagChecked(int flag, bool checked) override;
    void setPlaceholder(const Control &field, const std::string &text) override;
    void setToolTip(const Control &field, const std::string &text) override;
    void enterText(const Control &field, const std::string &text) override;
    void copyToClipboard(const std::string &text) override;
    void showMessage(const std::string &text) override;
    std::optional<GivenFile> askForPicture() override;

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK controlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK frameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam);

    BOOL onCreate(HWND window, LPCREATESTRUCT create);
    void onCommand(HWND window, int id, HWND control, UINT code);
    LRESULT onNotify(HWND window, int id, NMHDR *header);
    // Paints the lines of the table that lie in `container`, the main window or a lock frame: into
    // `dc` for WM_PRINTCLIENT, or as WM_PAINT with no DC.
    void paintLines(HWND container, HDC dc);
    void onActivate(HWND window, UINT state, HWND other, BOOL minimized);
    void onDpiChanged(UINT dpi, const RECT &suggested);
    void onDropFiles(HWND window, HDROP drop);
    void onShowMessage(); // shows the message showMessage left
    LRESULT onControlMessage(HWND control, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT onFieldChar(HWND field, const Control &control, WPARAM wParam, LPARAM lParam);
    // Shows the field's context menu at `at` (screen coordinates; -1, -1 for at the caret) and
    // carries out the entry chosen.
    void onFieldContextMenu(HWND field, const Control &control, POINT at);

    // The window that holds `control`: its pair's frame, or the main window.
    HWND parentOf(const Control &control) const;
    void createControls();
    // Has `procedure` take the messages of the control of row `row` before the control's own
    // procedure, to which passOn hands what it leaves. The procedure is swapped in rather than
    // chained with SetWindowSubclass, which keeps its chain in a window property: under wine,
    // reading it for every message to the control is a round trip to the wine server.
    void subclass(HWND control, std::size_t row, WNDPROC procedure);
    LRESULT passOn(HWND control, UINT message, WPARAM wParam, LPARAM lParam) const;
    void createFontAndIcons();
    // Moves each control whose box changed (a label's text, the checked flag, the DPI), or only
    // those of role `only`.
    void place(std::optional<Role> only = {});
    void caption(HWND control, std::string_view text, std::string_view tooltip = {});
    void tip(HWND control, std::string_view text); // empty for none

    WindowBehaviour behaviour_{*this};
    HWND window_ = nullptr;
    HWND tooltips_ = nullptr;
    HFONT font_ = nullptr;
    std::array<HICON, 2> icons_{}; // small and big
    HACCEL accelerators_ = nullptr;
    UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
    std::array<HWND, layout::kControls.size()> controls_{};           // by row, none for a line
    std::array<layout::PixelBox, layout::kControls.size()> placed_{}; // by row, where each is now
    std::array<WNDPROC, layout::kControls.size()> ownProcedures_{};   // by row, of those subclassed
    HWND lastFocus_ = nullptr; // the control in focus when the window was last deactivated
    bool writing_ = false;     // the window's own write of a field is under way
    wchar_t pendingHigh_ = 0;  // the first half of a character typed as a surrogate pair
    std::wstring message_;     // to show once the message loop gets to it
};

} // namespace quadrel
