// What the Win32 window itself does, through real messages in its own process, each row from a new
// window: keys and clicks posted to a control go through the program's message loop step
// (translate, then TranslateMessage and DispatchMessage). The figures, captions and messages are
// the behaviour's (tests/common); here only their delivery, and one worked figure end to end. CTest
// runs the program under an Italian and an English locale (LC_ALL, which wine turns into the
// Windows locale).

#include "ui/common/flags.hpp"
#include "ui/common/version.hpp"
#include "ui/win32/main_window.hpp"

#include <commctrl.h>
#include <dlgs.h>
#include <process.h>
#include <shlobj.h>
#include <windowsx.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace quadrel {
namespace {

std::string WindowText(HWND window) {
    std::array<wchar_t, 512> text{};
    return Utf8({text.data(), std::size_t(GetWindowTextW(window, text.data(), 512))});
}

// `text` written with "," as the decimal mark (a comma before a digit), in the mark of the locale
// the test runs under.
std::string Marked(std::string text) {
    const char *locale = std::getenv("LC_ALL");
    const char mark = locale != nullptr && std::string_view(locale).starts_with("it_") ? ',' : '.';
    for (std::size_t k = 0; k + 1 < text.size(); ++k)
        text[k] = text[k] == ',' && text[k + 1] >= '0' && text[k + 1] <= '9' ? mark : text[k];
    return text;
}

// The window, shown and active, the first field in focus.
class Window : public MainWindow {
public:
    Window() {
        ShowWindow(handle(), SW_SHOW);
        SetForegroundWindow(handle());
        // The window's menus, and a field's own, should one show in place of the window's.
        SetWindowSubclass(handle(), watchMenus, 0, DWORD_PTR(this));
        for (int k = 0; k < kFieldCount; ++k)
            SetWindowSubclass(find(Control::Field(k)), watchMenus, 0, DWORD_PTR(this));
        pump();
    }

    // The items of the last context menu opened, joined by "|": the text before any tab, after "~"
    // for a greyed one ("~" alone for a separator).
    std::string menu;

    // Hands every queued message to the window as quadrel.exe's message loop does.
    void pump() {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message != WM_QUIT && !translate(message)) {
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
        }
    }

    // A key pressed and released on the focused control, with Shift or Ctrl (or both) held: the
    // keyboard state says so until the next key.
    void key(UINT vk, BYTE modifier = 0, BYTE second = 0) {
        std::array<BYTE, 256> state{};
        state[modifier] = state[second] = 0x80;
        SetKeyboardState(state.data());
        const LPARAM scan = LPARAM(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC)) << 16 | 1;
        const UINT down = vk == VK_F10 ? WM_SYSKEYDOWN : WM_KEYDOWN; // as F10 comes
        PostMessageW(GetFocus(), down, vk, scan);
        pump();
        PostMessageW(GetFocus(), down + 1, vk, scan | LPARAM(0xC0000000));
        pump();
    }

    // Types `keys` into the focused control, each character as typed (WM_CHAR; beyond 16 bits as
    // a surrogate pair) apart from ⌫ Backspace, ⇥ Tab, ⇤ Shift+Tab, ⏎ Return, ⎋ Escape, ⑥ F6,
    // ↓ Down, space (a key), ⓐ to ⓩ for Ctrl+A to Ctrl+Z, © Ctrl+Shift+C; ❶ to ❼ click data
    // field 0 to 5 and the ratio field, ⚐ click the English flag; ☰A4⏎ opens the context menu with
    // Shift+F10 and chooses the item "A4" there (☰⏎ chooses none).
    void type(std::u32string_view keys) {
        static constexpr std::u32string_view named = U"⌫⇥⇤⏎⎋⑥↓ ©";
        static constexpr std::array<UINT, 9> vk{VK_BACK, VK_TAB,  VK_TAB,   VK_RETURN, VK_ESCAPE,
                                                VK_F6,   VK_DOWN, VK_SPACE, 'C'};
        for (std::size_t i = 0; i < keys.size(); ++i) {
            const char32_t c = keys[i];
            if (c == U'☰') {
                const std::size_t end = keys.find(U'⏎', i);
                choice_ = Utf8(std::wstring(keys.begin() + i + 1, keys.begin() + end));
                menu.clear();
                key(VK_F10, VK_SHIFT);
                i = end;
            } else if (const auto k = named.find(c); k != named.npos) {
                key(vk.at(k), c == U'⇤' || c == U'©' ? VK_SHIFT : 0, c == U'©' ? VK_CONTROL : 0);
            } else if (c >= U'ⓐ' && c <= U'ⓩ') {
                key(UINT('A' + (c - U'ⓐ')), VK_CONTROL);
            } else if ((c >= U'❶' && c <= U'❼') || c == U'⚐') { // with the small move of a click
                HWND control = find(c == U'⚐'   ? Control::Flag(1)
                                    : c == U'❼' ? kRatioField
                                                : Control::Field(int(c - U'❶')));
                PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
                PostMessageW(control, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(3, 2));
                PostMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(3, 2));
            } else if (c > 0xFFFF) {
                PostMessageW(GetFocus(), WM_CHAR, 0xD800 + ((c - 0x10000) >> 10), 1);
                PostMessageW(GetFocus(), WM_CHAR, 0xDC00 + ((c - 0x10000) & 0x3FF), 1);
            } else {
                PostMessageW(GetFocus(), WM_CHAR, c, 1);
            }
            pump();
        }
    }

    // The focus, the language, the six options checked by pair, then the data fields' and the ratio
    // field's texts: "field.1 it 101010 8|3266|2449||||1,3333333333333"; "closed" once closed.
    std::string shown() const {
        if (handle() == nullptr)
            return "closed";
        HWND focus = GetFocus();
        std::string s = "-";
        for (const layout::Row &row : layout::kControls) // a line has no window: nullptr
            s = focus != nullptr && find(row.control) == focus ? layout::Name(row.control) : s;
        s += ' ' + std::string(behaviour().language()) + ' ';
        for (const LockPair pair : kLockPairs)
            for (const int option : {0, 1})
                s += Button_GetCheck(find(Control::Lock(pair, option))) != 0 ? '1' : '0';
        for (int k = 0; k < kFieldCount; ++k)
            s += (k == 0 ? " " : "|") + WindowText(find(Control::Field(k)));
        return s + '|' + WindowText(find(kRatioField));
    }

    std::string tooltipOf(HWND control) const {
        std::array<wchar_t, 256> text{};
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof(tool);
        tool.hwnd = GetParent(control);
        tool.uId = UINT_PTR(control);
        tool.lpszText = text.data();
        SendMessageW(tooltips(), TTM_GETTEXTW, text.size(), LPARAM(&tool));
        return Utf8(text.data());
    }

private:
    // Records the context menu as it opens, and chooses choice_ in it a level at a time: a typed
    // character that the window is asked to match (WM_MENUCHAR) opens or chooses the item on the
    // way. A menu with nothing left to choose closes.
    static LRESULT CALLBACK watchMenus(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR, DWORD_PTR self) {
        auto &w = *reinterpret_cast<Window *>(self);
        if (message == WM_INITMENUPOPUP && w.visit(HMENU(wParam), w.menu.empty()) >= 0)
            PostMessageW(GetFocus(), WM_CHAR, '?', 1);
        else if (message == WM_MENUCHAR)
            return MAKELRESULT(w.visit(HMENU(lParam), false), MNC_EXECUTE);
        else if (message == WM_ENTERIDLE && wParam == MSGF_MENU)
            EndMenu();
        return DefSubclassProc(window, message, wParam, lParam);
    }

    // The position in `items` of choice_ or of the submenu that holds it, -1 for none (and for no
    // menu, as an item without a submenu has); `record` appends the items to menu.
    int visit(HMENU items, bool record) {
        int found = -1;
        for (int k = 0; k < GetMenuItemCount(items); ++k) {
            std::array<wchar_t, 128> text{};
            GetMenuStringW(items, UINT(k), text.data(), int(text.size()), MF_BYPOSITION);
            const std::string name = Utf8(text.data()).substr(0, Utf8(text.data()).find('\t'));
            const bool greyed = GetMenuState(items, UINT(k), MF_BYPOSITION) & MF_GRAYED;
            if (record)
                menu += (menu.empty() ? "" : "|") + std::string(greyed ? "~" : "") + name;
            if (found < 0 && !choice_.empty() &&
                (name == choice_ || visit(GetSubMenu(items, k), false) >= 0))
                found = k;
        }
        return found;
    }

    std::string choice_;
};

// What keys and clicks deliver, each row from a new window: what it shows then, with "," for the
// locale's decimal mark. Tab visits the controls in the table's order, a lock pair as one stop, the
// hidden pairs passed over.
TEST(Window, DeliversKeysAndClicks) {
    const std::tuple<const char *, std::u32string_view, const char *> rows[] = {
        // clang-format off
        {"the first field has the focus; Escape closes nothing", U"⎋", "field.0 it 101010 ||||||1,3333333333333"},
        {"Return presses a flag", U"⇥⇥⇥⇥⇥⇥⇥⇥⇥⇥⏎", "flag.1 en 101010 ||||||1,3333333333333"},
        {"a click presses a flag and moves no focus", U"⚐", "field.0 en 101010 ||||||1,3333333333333"},
        {"Space presses a flag; the other stays a Tab stop", U"⇥⇥⇥⇥⇥⇥⇥⇥⇥⇥ ⇤", "flag.0 en 101010 ||||||1,3333333333333"},
        {"an arrow chooses within the pair", U"⇤↓", "lockOption.pixels.1 it 011010 ||||||1,3333333333333"},
        {"the pair is one stop", U"⇤↓⇤", "flag.1 it 011010 ||||||1,3333333333333"},
        {"Tab enters the pair at its choice", U"⇤↓⇥⇤", "lockOption.pixels.1 it 011010 ||||||1,3333333333333"},
        {"F6 goes to the pair shown, an arrow chooses, F6 back", U"❹300❺30⑥↓⑥", "field.4 it 101001 9,4|3543|2657|300|30|22,5|1,3333333333333"},
        {"Return presses Close", U"⇥⇥⇥⇥⇥⇥⇥⇥⏎", "closed"},
        {"Ctrl+Q closes", U"ⓠ", "closed"},
        {"a worked figure: 3/2, 24 megapixels, 300 DPI", U"❼ⓐ3/2❶24❹300⇥", "field.4 it 101010 24|6000|4000|300|50,8|33,9|3/2"},
        {"a click enters a field with its text selected", U"8❷5", "field.1 it 101010 0|5|4||||1,3333333333333"},
        {"what the filter gives goes in, nothing else", U"٣a -/:.١", "field.0 it 101010 3,1|2033|1525||||1,3333333333333"},
        {"a surrogate pair is one character", U"𝟖", "field.0 it 101010 8|3266|2449||||1,3333333333333"},
        {"Ctrl+Z undoes typing, as an edit", U"8ⓩ", "field.0 it 101010 |3266|2449||||1,3333333333333"},
        {"Ctrl+A, Ctrl+C, Backspace, and Ctrl+V as an edit", U"12ⓐⓒ⌫3ⓥ", "field.0 it 101010 312|20396|15297||||1,3333333333333"},
        {"Return presses the default button", U"8⇥⇥⇥⇥⇥⇥3/2⇥⏎", "defaultRatioButton it 101010 8|3266|2449||||1,3333333333333"},
        {"a menu entry undone as typing is", U"❺15☰A4⏎ⓩ⇥", "field.5 it 101010 ||||15|11,2|1,3333333333333"},
        {"Ctrl+R turns the picture; the window's own writes are no edits", U"❷4032❺15ⓡ", "field.4 it 101010 12,2|3024|4032|683|11,2|15|0,75"},
        // clang-format on
    };
    for (const auto &[name, keys, expected] : rows) {
        Window w;
        w.type(keys);
        EXPECT_EQ(w.shown(), Marked(expected)) << name;
    }
}

// In the window's language, one literal row each: a field's context menu, the EDIT's commands
// greyed as its state says (typed into, nothing selected, text on the clipboard), the program's
// entries; an empty field's cue banner; the figures copied by the menu's entry, or Ctrl+Shift+C, in
// one line.
TEST(Fields, MenuHintsAndClipboard) {
    const std::tuple<std::u32string_view, std::string, std::string> rows[] = {
        // clang-format off
        {U"❹300❺30☰Copia le misure⏎☰⏎", "Annulla|~Taglia|~Copia|Incolla|~Elimina|Seleziona tutto|~|Apri immagine...|Ruota (verticale/orizzontale)|Copia le misure|Formati di stampa", "blocca i DPI"},
        {U"⚐❹300❺30©☰⏎", "Undo|~Cut|~Copy|Paste|~Delete|Select All|~|Open picture...|Turn (portrait/landscape)|Copy the figures|Print sizes", "lock the DPI"},
        // clang-format on
    };
    for (const auto &[keys, menu, cue] : rows) {
        Window w;
        ASSERT_TRUE(OpenClipboard(w.handle()) && EmptyClipboard() && CloseClipboard());
        w.type(keys);
        EXPECT_EQ(w.menu, menu);
        std::array<wchar_t, 64> banner{};
        Edit_GetCueBannerText(w.find(Control::Field(Megapixels)), banner.data(), 64);
        EXPECT_EQ(Utf8(banner.data()), cue);
        ASSERT_TRUE(OpenClipboard(w.handle()));
        HANDLE copied = GetClipboardData(CF_UNICODETEXT);
        ASSERT_NE(copied, nullptr);
        EXPECT_EQ(Utf8(static_cast<const wchar_t *>(GlobalLock(copied))),
                  Marked("300 DPI, 30 × 22,5 cm (11,8 × 8,9 in), 1,3333333333333"));
        GlobalUnlock(copied);
        CloseClipboard();
    }
}

// A field the user is not in shows the start of its text, its caret at the start; the field being
// typed in keeps its caret where the user left it.
TEST(Fields, ShowTheirStartWhenNotEdited) {
    Window w;
    w.type(U"9999999999999999999999999");
    HWND pixels = w.find(Control::Field(1));
    EXPECT_EQ(Edit_GetSel(w.find(Control::Field(0))), MAKELRESULT(25, 25));
    EXPECT_EQ(Edit_GetSel(pixels), 0);
    EXPECT_GE(GET_X_LPARAM(SendMessageW(pixels, EM_POSFROMCHAR, 0, 0)), 0); // the start shows
    w.type(U"⇥");
    EXPECT_EQ(Edit_GetSel(w.find(Control::Field(0))), 0);
}

// A tooltip shows while the mouse rests on its control: the message loop relays the mouse to it.
TEST(Fields, TooltipShowsOnHover) {
    Window w;
    HWND button = w.find({Role::DefaultRatioButton});
    SendMessageW(w.tooltips(), TTM_SETDELAYTIME, TTDT_INITIAL, 1);
    RECT box;
    GetWindowRect(button, &box);
    SetCursorPos(box.left + 4, box.top + 4);
    PostMessageW(button, WM_MOUSEMOVE, 0, MAKELPARAM(4, 4));
    for (const auto end = GetTickCount64() + 5000;
         !IsWindowVisible(w.tooltips()) && GetTickCount64() < end;) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        w.pump();
    }
    EXPECT_TRUE(IsWindowVisible(w.tooltips()));
}

// The control's client area as it paints itself (WM_PRINTCLIENT) over the face colour: its pixels,
// row by row, and its width.
std::pair<std::vector<COLORREF>, int> Shot(HWND control) {
    RECT box;
    GetClientRect(control, &box);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, CreateBitmap(box.right, box.bottom, 1, 32, nullptr));
    FillRect(dc, &box, GetSysColorBrush(COLOR_3DFACE));
    SendMessageW(control, WM_PRINTCLIENT, WPARAM(dc), PRF_CLIENT | PRF_ERASEBKGND);
    std::vector<COLORREF> pixels;
    for (int k = 0; k < box.right * box.bottom; ++k)
        pixels.push_back(GetPixel(dc, k % box.right, k / box.right));
    DeleteObject(SelectObject(dc, old));
    DeleteDC(dc);
    return {pixels, int(box.right)};
}

// Each row of the layout table, in Italian, in English, then in English moved to a monitor of 1.5
// times the DPI (WM_DPICHANGED). A control sits at its box in pixels at the window's DPI, the
// checked flag's 4 pixels larger a side, a label's (sized to its text) at its left and top; shows
// its text and tooltip in the language (TextOf); and tells screen readers what it is: a field is
// named by its label, created just before it; a lock pair lies in a group box; a flag is a radio
// button, checked for its language, painted as its picture inside a border of the text colour, one
// pixel at 96 DPI. A line is one pixel of the text colour wide, painted by the frame or window it
// lies in.
TEST(Layout, EveryControlPlacedNamedAndPainted) {
    Window w;
    // A fixed size: the client area at the system's DPI (wine keeps that frame after a
    // WM_DPICHANGED that only the test sent), no sizing border, no maximize box.
    EXPECT_FALSE(GetWindowStyle(w.handle()) & (WS_THICKFRAME | WS_MAXIMIZEBOX));
    RECT client;
    GetClientRect(w.handle(), &client);
    const float systemTwips = layout::kTwipsPerInch / float(GetDpiForWindow(w.handle()));
    const layout::PixelBox area = layout::ToPixels(layout::kClientArea, {systemTwips, systemTwips});
    EXPECT_EQ(std::pair(int(client.right), int(client.bottom)), std::pair(area.width, area.height));
    for (const int step : {0, 1, 2}) {
        const int language = step > 0;
        UINT dpi = GetDpiForWindow(w.handle());
        if (step == 1) {
            w.type(U"⚐");
        } else if (step == 2) {
            RECT outer;
            GetWindowRect(w.handle(), &outer);
            dpi = dpi * 3 / 2;
            SendMessageW(w.handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), LPARAM(&outer));
        }
        const float twips = layout::kTwipsPerInch / float(dpi);  // a pixel's
        const int border = std::max(1, MulDiv(1, int(dpi), 96)); // a flag's
        for (const auto &[c, box] : layout::kControls) {
            const std::string name =
                layout::Name(c) + std::array{" in Italian", " in English", " at 1.5 times"}[step];
            HWND control = w.find(c);
            if (control == nullptr) { // a line
                const std::optional<Control> frame = layout::ContainerOf(c);
                const auto [shot, width] = Shot(frame ? w.find(*frame) : w.handle());
                const layout::PixelBox line = layout::ToPixels(box, {twips, twips});
                const int x = line.left + line.width / 4, y = line.top + line.height / 4;
                const std::size_t at = std::size_t(y * width + x);
                EXPECT_EQ(shot.at(at), GetSysColor(COLOR_WINDOWTEXT)) << name;
                EXPECT_EQ(shot.at(at + width + 1), GetSysColor(COLOR_3DFACE)) << name; // off it
                continue;
            }
            RECT r; // in the parent's client area
            GetWindowRect(control, &r);
            MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT *>(&r), 2);
            const layout::PixelBox actual{r.left, r.top, r.right - r.left, r.bottom - r.top};
            const bool checked = c == Control::Flag(language);
            layout::PixelBox expected = layout::ToPixels(
                checked ? layout::Highlighted(box, true, {twips, twips}) : box, {twips, twips});
            if (c.role >= Role::FieldLabel && c.role <= Role::OptionsHeading)
                expected = {expected.left, expected.top, actual.width, actual.height};
            EXPECT_EQ(actual, expected) << name;
            const auto [text, hint] = TextOf(c, lang::kCaptions[language]);
            const bool field = c.role == Role::Field || c == kRatioField;
            EXPECT_EQ(WindowText(field ? GetWindow(control, GW_HWNDPREV) : control), text) << name;
            EXPECT_EQ(w.tooltipOf(control), hint) << name;
            const DWORD type = GetWindowStyle(control) & BS_TYPEMASK;
            if (c.role == Role::LockFrame) {
                EXPECT_EQ(type, DWORD(BS_GROUPBOX)) << name;
                EXPECT_EQ(GetParent(w.find(Control::Lock(*c.pair, 1))), control) << name;
            } else if (c.role == Role::Flag) {
                EXPECT_EQ(Button_GetCheck(control), checked) << name;
                EXPECT_EQ(type, DWORD(BS_RADIOBUTTON)) << name;
                const auto [shot, width] = Shot(control);
                const int inner = width - 2 * border,
                          height = int(shot.size()) / width - 2 * border;
                const auto picture = flags::FlagPicture(c.index, inner, height); // 0xRRGGBB
                std::vector<COLORREF> painted(shot.size(), GetSysColor(COLOR_WINDOWTEXT));
                for (std::size_t k = 0; k < picture.size(); ++k)
                    painted.at((k / inner + border) * width + k % inner + border) =
                        RGB(picture[k] >> 16, picture[k] >> 8 & 0xFF, picture[k] & 0xFF);
                EXPECT_TRUE(shot == painted) << name;
            }
        }
    }
}

// A picture in the temporary folder (the wine prefix's, made for the run): all that is read of a
// JPEG, its start (SOI), for a phone's an EXIF block of orientation 6, and its frame header (SOF0):
// 6000 x 4000 pixels, or the phone's 4032 x 3024.
std::filesystem::path Picture(const std::wstring &name, bool phone = false) {
    const std::filesystem::path file = std::filesystem::temp_directory_path() / name;
    std::ofstream(file, std::ios::binary)
        << (phone ? std::string(
                        "\xFF\xD8\xFF\xE1\0\x22\x45\x78\x69\x66\0\0\x49\x49\x2A\0\x08\0\0\0\x01\0"
                        "\x12\x01\x03\0\x01\0\0\0\x06\0\0\0\0\0\0\0\xFF\xC0\0\x11\x08\x0B\xD0\x0F"
                        "\xC0",
                        47)
                  : std::string("\xFF\xD8\xFF\xC0\0\x11\x08\x0F\xA0\x17\x70", 11))
        << std::string("\x03\x01\x22\0\x02\x11\x01\x03\x11\x01", 10);
    return file;
}

// The files as the shell hands a drop over: DROPFILES, then the paths, each ending in a null, and
// a null. DragFinish frees it.
HDROP Drop(const std::vector<std::filesystem::path> &files) {
    std::wstring list;
    for (const std::filesystem::path &file : files)
        list += file.wstring() + L'\0';
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + (list.size() + 1) * sizeof(wchar_t));
    auto *header = static_cast<DROPFILES *>(GlobalLock(memory));
    *header = {sizeof(DROPFILES), {}, FALSE, TRUE};
    list.copy(reinterpret_cast<wchar_t *>(header + 1), list.size()); // GHND: the last null is there
    GlobalUnlock(memory);
    return HDROP(memory);
}

// Each dialog box of the test program's thread is closed with OK once it shows (a CBT hook, then a
// timer: none waits for a user), noted in dialogsShown after " | ": a message box's text, or an
// open dialog's title and file types, after "no owner: " for one that no window owns. An open
// dialog is given pictureChosen.
std::string dialogsShown;
std::filesystem::path pictureChosen;
void CALLBACK CloseDialog(HWND dialog, UINT, UINT_PTR timer, DWORD) { // once it has filled itself
    KillTimer(dialog, timer);
    HWND text = GetDlgItem(dialog, 0xFFFF), types = GetDlgItem(dialog, cmb1); // a message box's
    dialogsShown += GetWindow(dialog, GW_OWNER) != nullptr ? " | " : " | no owner: ";
    dialogsShown += WindowText(text != nullptr ? text : dialog);
    for (int k = 0; types != nullptr && k < ComboBox_GetCount(types); ++k) {
        std::array<wchar_t, 128> type{};
        ComboBox_GetLBText(types, k, type.data());
        dialogsShown += (k == 0 ? ": " : ", ") + Utf8(type.data());
    }
    SetDlgItemTextW(dialog, cmb13, pictureChosen.c_str());
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
}
LRESULT CALLBACK CloseDialogs(int code, WPARAM wParam, LPARAM lParam) {
    std::array<wchar_t, 8> kind{};
    GetClassNameW(HWND(wParam), kind.data(), int(kind.size()));
    if (code == HCBT_ACTIVATE && std::wstring_view(kind.data()) == L"#32770")
        SetTimer(HWND(wParam), 1, 0, CloseDialog);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// A picture dropped on the window, or on a field, opens: its figures, its name in the title.
// Several files are refused with a message box of the window's, shown once the drop has returned.
// Ctrl+O asks with the open dialog, in the window's language, offering the formats read; the file
// chosen there opens.
TEST(PictureFiles, OpenWhenDroppedOrChosen) {
    const std::filesystem::path picture = Picture(L"foto-東京.jpg"),
                                phone = Picture(L"tall.jpg", true);
    const std::string opened =
        "foto-東京.jpg - " + std::string(kTitle) + " 24|6000|4000|300|50,8|33,9|3:2";
    const std::string types =
        ": Pictures (*.jpg;*.jpeg;*.png;*.tif;*.tiff;*.webp;*.gif;*.bmp), All files (*.*)";
    using Files = std::vector<std::filesystem::path>;
    // Each row: keys, files dropped on a field or else on the window, then the title, the figures
    // and the dialogs shown.
    const std::tuple<const char *, std::u32string_view, bool, Files, std::string> rows[] = {
        // clang-format off
        {"a picture dropped on the window", U"❹300", false, {picture}, opened},
        {"a picture dropped on a field", U"❹300", true, {picture}, opened},
        {"a phone's picture, turned upright, in English", U"⚐❹300", true, {phone}, "tall.jpg - " + std::string(kTitle) + " 12,2|3024|4032|300|25,6|34,1|3:4"},
        {"two files dropped", U"❹300", false, {picture, picture}, std::string(kTitle) + " |||300|||1,3333333333333 | Nessuno dei 2 file è stato aperto.\nSi apre un'immagine alla volta."},
        {"a picture chosen after Ctrl+O, in English", U"⚐❹300ⓞ", false, {}, opened + " | Open picture" + types},
        // clang-format on
    };
    pictureChosen = picture;
    for (const auto &[name, keys, onField, files, shown] : rows) {
        Window w;
        dialogsShown.clear();
        w.type(keys);
        if (!files.empty()) {
            HWND target = onField ? w.find(Control::Field(Dpi)) : w.handle();
            EXPECT_TRUE(GetWindowExStyle(target) & WS_EX_ACCEPTFILES) << name;
            SendMessageW(target, WM_DROPFILES, WPARAM(Drop(files)), 0);
            EXPECT_EQ(dialogsShown, "") << name << ": a dialog shown before the drop returned";
            w.pump();
        }
        const std::string figures = w.shown().substr(w.shown().rfind(' '));
        EXPECT_EQ(WindowText(w.handle()) + figures + dialogsShown, Marked(shown)) << name;
    }
}

// quadrel.exe opens a picture named on its command line, in UTF-16 whatever the code page.
TEST(PictureFiles, NamedOnTheCommandLine) {
    std::wstring program(MAX_PATH, L'\0');
    program.resize(GetModuleFileNameW(nullptr, program.data(), MAX_PATH));
    program = (std::filesystem::path(program).parent_path() / QUADREL_EXE).wstring();
    const std::wstring file = L'"' + Picture(L"foto-東京.jpg").wstring() + L'"';
    auto process = HANDLE(_wspawnl(_P_NOWAIT, program.c_str(), L"quadrel", file.c_str(), nullptr));
    ASSERT_NE(process, INVALID_HANDLE_VALUE);
    WaitForInputIdle(process, 5000); // the picture opens before the message loop starts
    HWND window = FindWindowW(L"QuadrelMainWindow", nullptr);
    EXPECT_EQ(WindowText(window), "foto-東京.jpg - " + std::string(kTitle));
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(process, 5000), WAIT_OBJECT_0);
    TerminateProcess(process, 1);
    CloseHandle(process);
}

} // namespace
} // namespace quadrel

int main(int argc, char **argv) {
    testing::InitGoogleTest(&argc, argv);
    SetWindowsHookExW(WH_CBT, quadrel::CloseDialogs, nullptr, GetCurrentThreadId());
    return RUN_ALL_TESTS();
}
