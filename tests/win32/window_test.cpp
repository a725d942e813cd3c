// What the Win32 window itself does, through real messages in its own process: keys posted to the
// focused control and clicks posted to a control go through the program's message loop step
// (translate, then TranslateMessage and DispatchMessage). The figures and their rules are the
// behaviour's, tested without a window (tests/common); here only their delivery. Each row starts
// from a new window. CTest runs the program under an Italian and an English locale (LC_ALL, which
// wine turns into the Windows locale).

#include "core/size_text.hpp"
#include "ui/common/flags.hpp"
#include "ui/common/version.hpp"
#include "ui/win32/main_window.hpp"

#include <commctrl.h>
#include <dlgs.h>
#include <shlobj.h>
#include <windowsx.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
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
        text[k] = text[k] == ',' && std::isdigit(text[k + 1]) ? mark : text[k];
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

    // The items of the last context menu opened, a submenu's after its title, each indented by a
    // space, "~" before a greyed one, the text before any tab, "" for a separator.
    std::vector<std::string> menu;

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

    // A key pressed and released on the focused control, with Shift or Ctrl (or both) held.
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
        state.fill(0);
        SetKeyboardState(state.data());
    }

    void click(HWND control) { // with the small move of a real click
        PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        PostMessageW(control, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(3, 2));
        PostMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(3, 2));
        pump();
    }

    // Types `keys` into the focused control, each character as typed (WM_CHAR; beyond 16 bits as
    // a surrogate pair) apart from ⌫ Backspace, ⇥ Tab, ⇤ Shift+Tab, ⏎ Return, ⎋ Escape, ⑥ F6,
    // ↑ ↓ arrows, space (a key), ⓐ to ⓩ for Ctrl+A to Ctrl+Z, © Ctrl+Shift+C; ❶ to ❼ click data
    // field 0 to 5 and the ratio field, ⚐ click the English flag; ☰A4⏎ opens the context menu with
    // Shift+F10 and chooses the item "A4" there (☰⏎ chooses none).
    void type(std::u32string_view keys) {
        static constexpr std::u32string_view named = U"⌫⇥⇤⏎⎋⑥↑↓ ©";
        static constexpr std::array<UINT, 10> vk{VK_BACK, VK_TAB, VK_TAB,  VK_RETURN, VK_ESCAPE,
                                                 VK_F6,   VK_UP,  VK_DOWN, VK_SPACE,  'C'};
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
            } else if (c >= U'❶' && c <= U'❼') {
                click(find(c == U'❼' ? kRatioField : Control::Field(int(c - U'❶'))));
            } else if (c == U'⚐') {
                click(find(Control::Flag(1)));
            } else if (c > 0xFFFF) {
                PostMessageW(GetFocus(), WM_CHAR, 0xD800 + ((c - 0x10000) >> 10), 1);
                PostMessageW(GetFocus(), WM_CHAR, 0xDC00 + ((c - 0x10000) & 0x3FF), 1);
            } else {
                PostMessageW(GetFocus(), WM_CHAR, c, 1);
            }
            pump();
        }
    }

    // The data fields' and the ratio field's texts: "8|3266|2449||||1,3333333333333".
    std::string texts() const {
        std::string all;
        for (int k = 0; k < kFieldCount; ++k)
            all += WindowText(find(Control::Field(k))) + '|';
        return all + WindowText(find(kRatioField));
    }

    std::string nameOf(HWND window) const { // "field.3", "-" for none
        for (const layout::Row &row : layout::kControls) {
            if (window != nullptr && find(row.control) == window)
                return layout::Name(row.control);
        }
        return "-";
    }

    // The focus, the language and the six options checked by pair ("field.3 it 100110"),
    // "closed" once closed; "?" for an option whose check is not the behaviour's choice.
    std::string state() const {
        if (handle() == nullptr)
            return "closed";
        std::string s = nameOf(GetFocus()) + ' ' + std::string(behaviour().language()) + ' ';
        for (const LockPair pair : kLockPairs) {
            for (const int option : {0, 1}) {
                const bool checked = Button_GetCheck(find(Control::Lock(pair, option))) != 0;
                const bool chosen = behaviour().locks().chosen(pair) == option;
                s += checked != chosen ? '?' : checked ? '1' : '0';
            }
        }
        return s;
    }

private:
    // Records the context menu as it opens, and chooses choice_ in it a level at a time: a typed
    // character that the window is asked to match (WM_MENUCHAR) opens or chooses the item on the
    // way. A menu with nothing left to choose closes.
    static LRESULT CALLBACK watchMenus(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR, DWORD_PTR self) {
        auto &w = *reinterpret_cast<Window *>(self);
        if (message == WM_INITMENUPOPUP && w.visit(HMENU(wParam), w.menu.empty(), "") >= 0)
            PostMessageW(GetFocus(), WM_CHAR, '?', 1);
        else if (message == WM_MENUCHAR)
            return MAKELRESULT(w.visit(HMENU(lParam), false, ""), MNC_EXECUTE);
        else if (message == WM_ENTERIDLE && wParam == MSGF_MENU)
            EndMenu();
        return DefSubclassProc(window, message, wParam, lParam);
    }

    // The position in `items` of choice_ or of the submenu that holds it, -1 for none; `record`
    // appends the items to menu.
    int visit(HMENU items, bool record, const std::string &indent) {
        int found = -1;
        for (int k = 0; k < GetMenuItemCount(items); ++k) {
            std::array<wchar_t, 128> text{};
            GetMenuStringW(items, UINT(k), text.data(), int(text.size()), MF_BYPOSITION);
            const std::string name = Utf8(text.data()).substr(0, Utf8(text.data()).find('\t'));
            const bool greyed = GetMenuState(items, UINT(k), MF_BYPOSITION) & MF_GRAYED;
            if (record)
                menu.push_back(indent + (greyed && !name.empty() ? "~" : "") + name);
            HMENU submenu = GetSubMenu(items, k);
            const bool holds = submenu != nullptr && visit(submenu, record, indent + ' ') >= 0;
            if (found < 0 && !choice_.empty() && (name == choice_ || holds))
                found = k;
        }
        return found;
    }

    std::string choice_;
};

struct Row {
    const char *name;
    std::u32string_view keys;
    const char *expected;
};

// What typing, clicks, the edit commands, the context menu and Ctrl+R deliver to the behaviour: the
// data fields' and the ratio field's texts after the keys, with "," for the locale's mark.
TEST(Fields, DeliverTheUsersEdits) {
    const auto rows = std::to_array<Row>({
        // clang-format off
        {"a worked figure: 3/2, 24 megapixels, 300 DPI", U"❼ⓐ3/2❶24❹300⇥", "24|6000|4000|300|50,8|33,9|3/2"},
        {"the window's own writes are no edits", U"❷4000⇥❼ⓐ2⇥", "8|4000|2000||||2"},
        {"a click enters a field with its text selected", U"8❷5", "0|5|4||||1,3333333333333"},
        {"what the filter gives goes in, nothing else", U"٣a -/:.١", "3,1|2033|1525||||1,3333333333333"},
        {"a surrogate pair is one character", U"𝟖", "8|3266|2449||||1,3333333333333"},
        {"Ctrl+Z undoes typing, as an edit", U"8ⓩ", "|3266|2449||||1,3333333333333"},
        {"Ctrl+A, Ctrl+C, and Ctrl+V as an edit", U"12ⓐⓒ⌫ⓥ", "12|4000|3000||||1,3333333333333"},
        {"Return presses the default button", U"8⇥⇥⇥⇥⇥⇥3/2⇥⏎", "8|3266|2449||||1,3333333333333"},
        {"a pixel pair sets the ratio", U"❹300❷3840x2160⇥", "8,3|3840|2160|300|32,5|18,3|16:9"},
        {"a paper, the resolution kept", U"❹300❺⑥↓⑥A4⇥", "8,7|2480|3508|300|21|29,7|21:29,7"},
        {"a paper from the context menu", U"❹300❺⑥↓⑥☰A4⏎⇥", "8,7|2480|3508|300|21|29,7|21:29,7"},
        {"a menu entry undone as typing is", U"❺15☰A4⏎ⓩ⇥", "||||15|11,2|1,3333333333333"},
        {"Ctrl+R turns the picture", U"❷4032❺15ⓡ", "12,2|3024|4032|683|11,2|15|0,75"},
        // clang-format on
    });
    for (const Row &row : rows) {
        Window w;
        w.type(row.keys);
        EXPECT_EQ(w.texts(), Marked(row.expected)) << row.name;
    }
}

// Keys and clicks, each row from a new window: the focus, the language and the options checked.
TEST(Keyboard, ReachesEveryControl) {
    const auto rows = std::to_array<Row>({
        // clang-format off
        {"the first field has the focus", U"", "field.0 it 101010"},
        {"Space presses a flag", U"⇥⇥⇥⇥⇥⇥⇥⇥⇥⇥ ", "flag.1 en 101010"},
        {"Return presses a flag", U"⇥⇥⇥⇥⇥⇥⇥⇥⇥⇥⏎", "flag.1 en 101010"},
        {"a click presses a flag and moves no focus", U"⚐", "field.0 en 101010"},
        {"a flag stays a Tab stop when its language goes off", U"⇥⇥⇥⇥⇥⇥⇥⇥⇥⇥ ⇤", "flag.0 en 101010"},
        {"an arrow chooses within the pair", U"⇤↓", "lockOption.pixels.1 it 011010"},
        {"and back", U"⇤↓↑", "lockOption.pixels.0 it 101010"},
        {"the pair is one stop", U"⇤↓⇤", "flag.1 it 011010"},
        {"Tab enters the pair at its choice", U"⇤↓⇥⇤", "lockOption.pixels.1 it 011010"},
        {"F6 goes to the pair shown and back", U"⇥⇥⇥⑥↓⑥", "field.3 it 100110"},
        {"Escape closes nothing", U"⎋", "field.0 it 101010"},
        {"Return presses Close", U"⇥⇥⇥⇥⇥⇥⇥⇥⏎", "closed"},
        {"Ctrl+Q closes", U"ⓠ", "closed"},
        // clang-format on
    });
    for (const Row &row : rows) {
        Window w;
        w.type(row.keys);
        EXPECT_EQ(w.state(), row.expected) << row.name;
    }
}

// Tab and Shift+Tab from the first field visit the controls that take the focus in the table's
// order, a lock pair as one stop at its first option, the hidden pairs passed over. Going
// forward, the fields are entered in turn, so the pair shown is the last field's.
TEST(Keyboard, TabOrderIsTheTables) {
    for (const bool forward : {true, false}) {
        const Control shown = Control::Lock(PairOf(forward ? kFieldCount - 1 : 0), 0);
        std::vector<std::string> stops;
        for (const layout::Row &row : layout::kControls) {
            const Control &c = row.control;
            if (c.takesFocus() && (c.role != Role::LockOption || c == shown))
                stops.push_back(layout::Name(c));
        }
        if (forward)
            std::ranges::rotate(stops, stops.begin() + 1);
        else
            std::ranges::reverse(stops);
        Window w;
        std::vector<std::string> visited;
        while (visited.size() < stops.size()) {
            w.type(forward ? U"⇥" : U"⇤");
            visited.push_back(w.nameOf(GetFocus()));
        }
        EXPECT_EQ(visited, stops) << (forward ? "Tab" : "Shift+Tab");
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

std::string TooltipOf(const Window &w, HWND control) {
    std::array<wchar_t, 256> text{};
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = GetParent(control);
    tool.uId = UINT_PTR(control);
    tool.lpszText = text.data();
    SendMessageW(w.tooltips(), TTM_GETTEXTW, text.size(), LPARAM(&tool));
    return Utf8(text.data());
}

// Ctrl+Shift+C puts the figures on the clipboard in one line, as they stand.
TEST(Fields, CopyTheFiguresInOneLine) {
    Window w;
    w.type(U"❼ⓐ3/2❶24❹300©");
    ASSERT_TRUE(OpenClipboard(w.handle()));
    HANDLE copy = GetClipboardData(CF_UNICODETEXT);
    EXPECT_EQ(Utf8(static_cast<const wchar_t *>(GlobalLock(copy))),
              Marked("24 MP, 6000 × 4000 px, 300 DPI, 50,8 × 33,9 cm (20 × 13,3 in), 3/2"));
    GlobalUnlock(copy);
    CloseClipboard();
}

// In the window's language: a field's context menu, the EDIT's commands greyed as the field's
// state says (typed into, nothing selected, text on the clipboard), then the program's entries,
// the print sizes in a submenu; an empty field's cue banner, which names the lock choice that
// would fill it; a print size's tooltip, in inches.
TEST(Fields, MenuAndHintsInTheWindowsLanguage) {
    for (const int language : {0, 1}) {
        Window w;
        w.type(language == 0 ? U"❹300©❺30☰⏎" : U"❹300©❺30⚐☰⏎");
        const lang::Captions &captions = lang::kCaptions.at(language);
        std::vector<std::string> expected;
        for (const std::string greyed : {"", "~", "~", "", "~", ""})
            expected.push_back(greyed + captions.editCommands.at(expected.size()));
        expected.insert(expected.end(), {"", captions.openPictureText, captions.turnText,
                                         captions.copyText, captions.printSizesText});
        for (const std::string_view size : kCommonPrintSizes)
            expected.push_back(" " + std::string(size));
        EXPECT_EQ(w.menu, expected) << captions.code;
        std::array<wchar_t, 64> cue{};
        Edit_GetCueBannerText(w.find(Control::Field(Megapixels)), cue.data(), int(cue.size()));
        EXPECT_EQ(Utf8(cue.data()), captions.lockChoices[2][1]) << captions.code;
        EXPECT_EQ(TooltipOf(w, w.find(Control::Field(WidthCm))), Marked("11,81 in"));
    }
}

// The title; in both languages, from the start and after a flag's click, every control's text and
// tooltip (TextOf) and the flag checked for screen readers. A field is named by its label, created
// just before it; a lock pair lies in a group box named after what it decides; a flag is a radio
// button.
TEST(Captions, NameEveryControlInEachLanguage) {
    Window w;
    EXPECT_EQ(WindowText(w.handle()), kTitle);
    for (const int language : {0, 1}) {
        if (language == 1)
            w.type(U"⚐");
        for (const layout::Row &row : layout::kControls) {
            HWND control = w.find(row.control);
            if (control == nullptr) // a line
                continue;
            const auto &captions = lang::kCaptions.at(language);
            const auto [text, hint] = TextOf(row.control, captions);
            const bool field = row.control.role == Role::Field || row.control == kRatioField;
            const std::string name =
                layout::Name(row.control) + " in " + std::string(captions.code);
            EXPECT_EQ(WindowText(field ? GetWindow(control, GW_HWNDPREV) : control), text) << name;
            EXPECT_EQ(TooltipOf(w, control), hint) << name;
            if (row.control.role == Role::Flag) {
                EXPECT_EQ(Button_GetCheck(control), row.control.index == language) << name;
                EXPECT_EQ(GetWindowStyle(control) & BS_TYPEMASK, DWORD(BS_RADIOBUTTON)) << name;
            }
            if (row.control.role == Role::LockFrame) {
                EXPECT_EQ(GetWindowStyle(control) & BS_TYPEMASK, DWORD(BS_GROUPBOX)) << name;
                EXPECT_EQ(GetParent(w.find(Control::Lock(*row.control.pair, 1))), control) << name;
            }
        }
    }
}

// A tooltip shows while the mouse rests on its control: the message loop relays the mouse to it.
TEST(Captions, TooltipShowsOnHover) {
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

layout::PixelBox Placed(HWND control) { // in its parent's client area
    RECT box;
    GetWindowRect(control, &box);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT *>(&box), 2);
    return {box.left, box.top, box.right - box.left, box.bottom - box.top};
}

// Every control sits at its box of the table in pixels at the window's DPI, the checked flag 4
// pixels larger a side; a label at its left and top, ending before its field. The client area is
// fixed, the window centred. Moved to a monitor of 1.5 times the DPI (WM_DPICHANGED), the window
// places everything again at the new scale; the English flag's click moves the larger box to it.
TEST(Layout, EveryControlInPlace) {
    Window w;
    EXPECT_FALSE(GetWindowStyle(w.handle()) & (WS_THICKFRAME | WS_MAXIMIZEBOX));
    RECT outer;
    GetWindowRect(w.handle(), &outer);
    MONITORINFO monitor{sizeof(monitor), {}, {}, 0};
    GetMonitorInfoW(MonitorFromWindow(w.handle(), MONITOR_DEFAULTTOPRIMARY), &monitor);
    EXPECT_LE(std::abs(outer.left - monitor.rcWork.left - (monitor.rcWork.right - outer.right)), 1);
    const UINT first = GetDpiForWindow(w.handle());
    const auto scale = [](UINT dpi) {
        return layout::TwipsPerPixel{layout::kTwipsPerInch / float(dpi),
                                     layout::kTwipsPerInch / float(dpi)};
    };
    // The client area at the system's DPI only: after a WM_DPICHANGED that only the test sent,
    // wine keeps the frame of the system's DPI.
    RECT client;
    GetClientRect(w.handle(), &client);
    const layout::PixelBox area = layout::ToPixels(layout::kClientArea, scale(first));
    EXPECT_EQ(std::pair(int(client.right), int(client.bottom)), std::pair(area.width, area.height));
    for (const int step : {0, 1, 2}) { // at the first DPI, at 1.5 times it, there in English
        const UINT dpi = step == 0 ? first : first * 3 / 2;
        if (step == 1)
            SendMessageW(w.handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), LPARAM(&outer));
        if (step == 2)
            w.type(U"⚐");
        const layout::TwipsPerPixel perPixel = scale(dpi);
        for (const auto &[control, box] : layout::kControls) {
            HWND window = w.find(control);
            if (window == nullptr) // a line, painted by its container (Pictures)
                continue;
            const std::string name = layout::Name(control) + " at " + std::to_string(dpi) + " dpi";
            const layout::PixelBox actual = Placed(window);
            const bool checked = control == Control::Flag(step == 2 ? 1 : 0);
            layout::PixelBox expected = layout::ToPixels(
                checked ? layout::Highlighted(box, true, perPixel) : box, perPixel);
            if (control.role == Role::OptionsHeading) { // sized to its text, with a border
                expected.width = actual.width;
                expected.height = Placed(w.find({Role::RatioLabel})).height + 2;
            } else if (control.role >= Role::FieldLabel && control.role <= Role::CreditLabel) {
                // A label, sized to its text in the dialog font at the DPI (any face).
                EXPECT_NEAR(actual.height, expected.height, expected.height / 5) << name;
                expected.width = actual.width;
                expected.height = actual.height;
            }
            if (control.role == Role::FieldLabel || control.role == Role::RatioLabel) {
                const layout::PixelBox field = Placed(GetWindow(window, GW_HWNDNEXT));
                EXPECT_LT(actual.left + actual.width, field.left) << name;
            }
            EXPECT_EQ(actual, expected) << name;
        }
    }
}

// The control's client area as it paints itself (WM_PRINTCLIENT) over the face colour: its pixels,
// row by row.
std::vector<COLORREF> Shot(HWND control, int &width, int &height) {
    RECT box;
    GetClientRect(control, &box);
    width = box.right;
    height = box.bottom;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(dc, bitmap);
    FillRect(dc, &box, GetSysColorBrush(COLOR_3DFACE));
    SendMessageW(control, WM_PRINTCLIENT, WPARAM(dc), PRF_CLIENT | PRF_ERASEBKGND);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            pixels.push_back(GetPixel(dc, x, y));
    }
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return pixels;
}

// The flags as they paint themselves: the picture inside a border in the text colour, one pixel
// at 96 DPI. A line is one pixel of the text colour wide, painted by the frame or the window it
// lies in; the options heading has a one-pixel border.
TEST(Pictures, FlagsAndLines) {
    Window w;
    const int border = std::max(1, MulDiv(1, int(GetDpiForWindow(w.handle())), 96));
    for (const int flag : {0, 1}) {
        int width = 0, height = 0;
        const std::vector<COLORREF> shot = Shot(w.find(Control::Flag(flag)), width, height);
        const int inner = width - 2 * border;
        const std::vector<std::uint32_t> picture =
            flags::FlagPicture(flag, inner, height - 2 * border);
        std::vector<COLORREF> expected(shot.size(), GetSysColor(COLOR_WINDOWTEXT)); // the border
        for (std::size_t k = 0; k < picture.size(); ++k) {
            const std::uint32_t rgb = picture[k];
            expected.at((k / inner + border) * width + k % inner + border) =
                RGB(rgb >> 16, rgb >> 8 & 0xFF, rgb & 0xFF);
        }
        EXPECT_TRUE(shot == expected) << "flag " << flag;
    }
    const float twips = layout::kTwipsPerInch / float(GetDpiForWindow(w.handle()));
    for (const Control line : {Control{Role::Line, 0, LockPair::PrintSize}, {Role::Line, 4}}) {
        const layout::PixelBox box =
            layout::ToPixels(layout::kControls.at(layout::RowOf(line)).box, {twips, twips});
        const std::optional<Control> container = layout::ContainerOf(line);
        int width = 0, height = 0;
        const std::vector<COLORREF> shot =
            Shot(container ? w.find(*container) : w.handle(), width, height);
        const int x = box.left + box.width / 4, y = box.top + box.height / 4; // not under a label
        const int beside = box.width == 1 ? 1 : width;
        EXPECT_EQ(shot.at(std::size_t(y * width + x)), GetSysColor(COLOR_WINDOWTEXT))
            << layout::Name(line);
        EXPECT_EQ(shot.at(std::size_t(y * width + x + beside)), GetSysColor(COLOR_3DFACE))
            << layout::Name(line);
    }
    RECT heading, inside;
    GetWindowRect(w.find({Role::OptionsHeading}), &heading);
    GetClientRect(w.find({Role::OptionsHeading}), &inside);
    EXPECT_EQ(inside.bottom, heading.bottom - heading.top - 2);
}

// A file of `bytes` in the temporary folder (the wine prefix's, made for the run).
std::filesystem::path Picture(const std::wstring &name, const std::string &bytes) {
    const std::filesystem::path file = std::filesystem::temp_directory_path() / name;
    std::ofstream(file, std::ios::binary) << bytes;
    return file;
}

// A JPEG's header, all that is read of it: SOI, an EXIF block with the orientation, SOF0.
std::string Jpeg(int width, int height, char orientation) {
    const auto be = [](int v) { return std::string{char(v >> 8), char(v & 0xFF)}; };
    return std::string("\xFF\xD8\xFF\xE1\0\x22"
                       "Exif\0\0II*\0\x08\0\0\0\x01\0\x12\x01\x03\0\x01\0\0\0",
                       30) +
           orientation + std::string(7, '\0') + std::string("\xFF\xC0\0\x11\x08", 5) + be(height) +
           be(width) + std::string("\x03\x01\x22\0\x02\x11\x01\x03\x11\x01", 10);
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
    std::memcpy(header + 1, list.c_str(), (list.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(memory);
    return HDROP(memory);
}

std::string Filled(std::string pattern, const std::string &value) {
    return pattern.replace(pattern.find("%1"), 2, value);
}

// The dialog boxes of the test's thread, each closed with OK once it has filled itself (a CBT
// hook, then a timer): seen keeps a message box's text, or an open dialog's title and file types,
// after "no owner: " for one that no window owns; an open dialog is given `choice` as its file
// name.
struct Dialogs {
    Dialogs() { current = this; }
    ~Dialogs() { UnhookWindowsHookEx(hook); }
    static LRESULT CALLBACK watch(int code, WPARAM wParam, LPARAM lParam) {
        std::array<wchar_t, 8> kind{};
        GetClassNameW(HWND(wParam), kind.data(), int(kind.size()));
        if (code == HCBT_ACTIVATE && std::wstring_view(kind.data()) == L"#32770")
            SetTimer(HWND(wParam), 1, 0, close);
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static void CALLBACK close(HWND dialog, UINT, UINT_PTR timer, DWORD) {
        KillTimer(dialog, timer);
        HWND types = GetDlgItem(dialog, cmb1);
        std::string seen = GetWindow(dialog, GW_OWNER) != nullptr ? "" : "no owner: ";
        seen += WindowText(types ? dialog : GetDlgItem(dialog, 0xFFFF)) + (types ? ":" : "");
        for (int k = 0; types != nullptr && k < ComboBox_GetCount(types); ++k) {
            std::array<wchar_t, 128> type{};
            ComboBox_GetLBText(types, k, type.data());
            seen += ' ' + Utf8(type.data());
        }
        current->seen.push_back(seen);
        SetDlgItemTextW(dialog, cmb13, current->choice.c_str());
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    }
    inline static Dialogs *current = nullptr;
    std::vector<std::string> seen;
    std::filesystem::path choice;
    HHOOK hook = SetWindowsHookExW(WH_CBT, watch, nullptr, GetCurrentThreadId());
};

// A picture dropped on the window, or on a field, opens: its figures, its name in the title.
// Several files, or a text named .jpg, are refused with a message box in the window's language,
// shown once the drop has returned, and change no figure.
TEST(PictureFiles, OpenWhenDropped) {
    const auto camera = Picture(L"camera.jpg", Jpeg(6000, 4000, 1));
    const auto phone = Picture(L"telefono-東京.jpg", Jpeg(4032, 3024, 6));
    const lang::Captions &en = lang::kCaptions[1];
    const std::string title = " - " + std::string(kTitle), typed = "|||300|||1,3333333333333";
    // The keys, the files dropped, the texts then, and the message shown, or else the title.
    const std::tuple<const char *, std::u32string_view, std::vector<std::filesystem::path>,
                     std::string, std::string>
        rows[] = {
            // clang-format off
            {"300 DPI typed, then a 6000 x 4000 JPEG", U"❹300", {camera}, "24|6000|4000|300|50,8|33,9|3:2", "camera.jpg" + title},
            {"a phone's picture, turned by its EXIF", U"", {phone}, "12,2|3024|4032||||3:4", "telefono-東京.jpg" + title},
            {"several files", U"❹300", {camera, phone}, typed, Filled(lang::kCaptions[0].severalFilesText, "2")},
            {"a text named .jpg, in English", U"❹300⚐", {Picture(L"note.jpg", "hello")}, typed, Filled(en.notOpenedText, "note.jpg") + '\n' + en.notOpened.notAPicture},
            // clang-format on
        };
    for (const auto &[name, keys, files, texts, shown] : rows) {
        for (const bool onField : {false, true}) {
            Window w;
            const Dialogs dialogs;
            w.type(keys);
            HWND target = onField ? w.find(Control::Field(Dpi)) : w.handle();
            EXPECT_TRUE(GetWindowExStyle(target) & WS_EX_ACCEPTFILES);
            SendMessageW(target, WM_DROPFILES, WPARAM(Drop(files)), 0);
            EXPECT_TRUE(dialogs.seen.empty()) << name;
            w.pump();
            EXPECT_EQ(w.texts(), Marked(texts)) << name << (onField ? " on a field" : "");
            EXPECT_EQ(dialogs.seen.empty() ? WindowText(w.handle()) : dialogs.seen.back(), shown)
                << name << (onField ? " on a field" : "");
        }
    }
}

// Ctrl+O, and the fields' menu, ask with the open dialog in the window's language, offering the
// formats read; the file chosen there opens.
TEST(PictureFiles, ChosenInTheOpenDialog) {
    for (const int language : {0, 1}) {
        const lang::Captions &captions = lang::kCaptions.at(language);
        Window w;
        Dialogs dialogs;
        dialogs.choice = Picture(L"camera.jpg", Jpeg(6000, 4000, 1));
        w.type(language == 0 ? U"❹300ⓞ" : U"❹300⚐☰Open picture...⏎");
        EXPECT_EQ(dialogs.seen,
                  std::vector{std::string(captions.openPictureTitle) + ": " +
                              captions.pictureFilesText +
                              " (*.jpg;*.jpeg;*.png;*.tif;*.tiff;*.webp;*.gif;*.bmp) " +
                              captions.allFilesText + " (*.*)"});
        EXPECT_EQ(w.texts(), Marked("24|6000|4000|300|50,8|33,9|3:2")) << captions.code;
    }
}

// quadrel.exe opens a picture named on its command line, in UTF-16 whatever the code page.
TEST(PictureFiles, NamedOnTheCommandLine) {
    std::wstring program(MAX_PATH, L'\0');
    program.resize(GetModuleFileNameW(nullptr, program.data(), MAX_PATH));
    program = (std::filesystem::path(program).parent_path() / QUADREL_EXE).wstring();
    std::wstring line =
        L"quadrel \"" + Picture(L"telefono-東京.jpg", Jpeg(4032, 3024, 6)).wstring() + L'"';
    const std::wstring title =
        L"telefono-東京.jpg - " + std::wstring(kTitle, kTitle + std::strlen(kTitle));
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &process));
    HWND window = nullptr;
    for (int k = 0; k < 100 && window == nullptr; ++k) {
        WaitForSingleObject(process.hProcess, 50);
        window = FindWindowW(L"QuadrelMainWindow", title.c_str());
    }
    EXPECT_NE(window, nullptr);
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(process.hProcess, 5000), WAIT_OBJECT_0);
    TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

} // namespace
} // namespace quadrel

int main(int argc, char **argv) {
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
