// The Win32 window through real messages in its own process: keys posted to the focused control
// and clicks posted to a control go through the program's message loop step (translate, then
// TranslateMessage and DispatchMessage). Each row starts from a new window. CTest runs the program
// under an Italian and an English locale (LC_ALL, which wine turns into the Windows locale).

#include "ui/common/flags.hpp"
#include "ui/common/layout.hpp"
#include "ui/win32/main_window.hpp"

#include <commctrl.h>
#include <windowsx.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

namespace quadrel {
namespace {

std::string TextOf(HWND window) {
    std::array<wchar_t, 512> text{};
    return Utf8({text.data(), std::size_t(GetWindowTextW(window, text.data(), 512))});
}

// The decimal mark of the locale the test runs under (LC_ALL under wine), or of the user locale.
std::string Mark() {
    const std::string_view unix = std::getenv("LC_ALL") != nullptr ? std::getenv("LC_ALL") : "";
    if (unix.starts_with("it_"))
        return ",";
    if (unix.starts_with("en_") || unix.starts_with("C"))
        return ".";
    wchar_t mark[8] = {};
    GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, mark, 8);
    return Utf8(mark);
}

// `text` written with "," as the decimal mark, in the mark of the locale.
std::string Marked(std::string text) {
    for (std::size_t at = text.find(','); at != std::string::npos; at = text.find(',', at + 1))
        text.replace(at, 1, Mark());
    return text;
}

void SetClipboardText(const wchar_t *text) {
    const std::size_t bytes = (wcslen(text) + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    memcpy(GlobalLock(memory), text, bytes);
    GlobalUnlock(memory);
    OpenClipboard(nullptr);
    EmptyClipboard();
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
}

// The window, shown and active, the first field in focus, "12" on the clipboard.
class Window : public MainWindow {
public:
    Window() {
        SetClipboardText(L"12");
        ShowWindow(handle(), SW_SHOW);
        SetForegroundWindow(handle());
        pump();
    }

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

    // A key pressed and released on the focused control, with Shift, Ctrl or Alt held.
    void key(UINT vk, BYTE modifier = 0) {
        std::array<BYTE, 256> state{};
        state[modifier] = 0x80;
        SetKeyboardState(state.data());
        const LPARAM scan = LPARAM(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC)) << 16 | 1;
        const bool alt = modifier == VK_MENU; // a system key, with the context code
        PostMessageW(GetFocus(), alt ? WM_SYSKEYDOWN : WM_KEYDOWN, vk, scan | (alt ? 1 << 29 : 0));
        pump();
        PostMessageW(GetFocus(), alt ? WM_SYSKEYUP : WM_KEYUP, vk, scan | LPARAM(0xC0000000));
        pump();
        state[modifier] = 0;
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
    // ④ Alt+F4, ← → ↑ ↓ arrows, space (a key), ⓐ to ⓩ for Ctrl+A to Ctrl+Z; ❶ to ❼ click data field
    // 0 to 5 and the ratio field, ❽ BM_CLICK the default-ratio button, ⚐ click the English flag, ◑
    // the second option of the pair shown.
    void type(std::u32string_view keys) {
        static constexpr std::u32string_view named = U"⌫⇥⇤⏎⎋⑥④←→↑↓ ";
        static constexpr std::array<UINT, 12> vk{VK_BACK,   VK_TAB, VK_TAB,  VK_RETURN,
                                                 VK_ESCAPE, VK_F6,  VK_F4,   VK_LEFT,
                                                 VK_RIGHT,  VK_UP,  VK_DOWN, VK_SPACE};
        for (const char32_t c : keys) {
            if (const auto k = named.find(c); k != named.npos) {
                key(vk.at(k), c == U'⇤' ? VK_SHIFT : c == U'④' ? VK_MENU : 0);
            } else if (c >= U'ⓐ' && c <= U'ⓩ') {
                key(UINT('A' + (c - U'ⓐ')), VK_CONTROL);
            } else if (c >= U'❶' && c <= U'❼') {
                click(c == U'❼' ? find("ratioField") : find("field", int(c - U'❶')));
            } else if (c == U'❽') {
                PostMessageW(find("defaultRatioButton"), BM_CLICK, 0, 0);
            } else if (c == U'⚐') {
                click(find("flag", 1));
            } else if (c == U'◑') {
                for (const std::string_view name : layout::kLockOptionNames) {
                    if (IsWindowVisible(find(name, 1)))
                        PostMessageW(find(name, 1), BM_CLICK, 0, 0);
                }
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
        std::string all = TextOf(find("field", 0));
        for (int i = 1; i < kFieldCount; ++i)
            all += '|' + TextOf(find("field", i));
        return all + '|' + TextOf(find("ratioField"));
    }

    std::string nameOf(HWND control) const { // "field 3", "closeButton", "-"
        for (const layout::Place &p : layout::kPlaces) {
            if (find(p.name, p.index) == control && control != nullptr)
                return std::string(p.name) + (p.index < 0 ? "" : ' ' + std::to_string(p.index));
        }
        return "-";
    }

    // The focus, the language and the six options checked ("field 3 it 100110"), "closed" once
    // closed; "?" for an option whose check is not the behaviour's choice.
    std::string state() const {
        if (handle() == nullptr)
            return "closed";
        std::string s = nameOf(GetFocus()) + ' ' + std::string(behaviour().language()) + ' ';
        const LockChoices &locks = behaviour().locks();
        for (const auto &[name, choice] : {std::pair{"pixelLock", locks.pixels},
                                           {"resolutionLock", locks.resolution},
                                           {"printSizeLock", locks.printSize}}) {
            for (const int i : {0, 1}) {
                const bool checked = Button_GetCheck(find(name, i)) == BST_CHECKED;
                s += checked != choice.at(std::size_t(i)) ? '?' : checked ? '1' : '0';
            }
        }
        return s;
    }
};

struct Row {
    const char *name;
    std::u32string_view keys;
    const char *expected;
};

// The data fields' and the ratio field's texts after typing, with "," for the locale's mark.
TEST(Figures, FollowTheUsersEditsOnly) {
    const auto rows = std::to_array<Row>({
        // clang-format off
        {"Tab through every field and back leaves them be", U"8⇥⇥⇥⇥⇥⇥⇤⇤⇤⇤⇤⇤", "8|3266|2449||||1,3333333333333"},
        {"keep the print size derives the pixels", U"❺30❹300⑥↓", "9,4|3543|2657|300|30|22,5|1,3333333333333"},
        {"and clicks through the fields change nothing", U"❺30❹300⑥↓❶❷❸❹❺❻❼❶", "9,4|3543|2657|300|30|22,5|1,3333333333333"},
        {"a click chooses an option as the arrow does", U"❺30❹300◑", "9,4|3543|2657|300|30|22,5|1,3333333333333"},
        {"keep the pixels derives the resolution", U"❷4032❺15⇥", "12,2|4032|3024|683|15|11,2|1,3333333333333"},
        {"a ratio typed as X/Y counts at once", U"8⇥⇥⇥⇥⇥⇥3/2", "8|3464|2309||||3/2"},
        {"the default button puts back 4/3", U"8⇥⇥⇥⇥⇥⇥3/2❽", "8|3266|2449||||1,3333333333333"},
        {"Space presses the default button", U"8⇥⇥⇥⇥⇥⇥3/2⇥ ", "8|3266|2449||||1,3333333333333"},
        {"Return presses the default button", U"8⇥⇥⇥⇥⇥⇥3/2⇥⏎", "8|3266|2449||||1,3333333333333"},
        {"a ratio typed as X:Y counts at once", U"❷4000❼ⓐ16:9⇥", "9|4000|2250||||1,77777777777778"},
        {"a click enters a field with its text selected", U"8❷5", "0|5|4||||1,3333333333333"},
        {"an emptied field gets the figures on entry back", U"8❷5⌫⇥", "8|3266|2449||||1,3333333333333"},
        {"a comma goes in as the mark", U"3,1", "3,1|2033|1525||||1,3333333333333"},
        {"a full stop goes in as the mark", U"3.1", "3,1|2033|1525||||1,3333333333333"},
        {"only digits and the mark go in", U"3a -/:1", "31|6429|4822||||1,3333333333333"},
        {"mathematical bold digit, a surrogate pair", U"𝟖", "8|3266|2449||||1,3333333333333"},
        {"Arabic-Indic ratio", U"❷٤٠٠٠❼ⓐ١٦:٩⇥", "9|4000|2250||||1,77777777777778"},
        {"Ctrl+A selects all", U"12ⓐ8", "8|3266|2449||||1,3333333333333"},
        {"Backspace is an edit", U"12⌫", "1|1155|866||||1,3333333333333"},
        {"Ctrl+Z is an edit and undoes typing", U"8ⓩ", "|3266|2449||||1,3333333333333"},
        {"Ctrl+V pastes, unfiltered, as an edit", U"ⓥ", "12|4000|3000||||1,3333333333333"},
        // clang-format on
    });
    for (const Row &row : rows) {
        Window w;
        w.type(row.keys);
        EXPECT_EQ(w.texts(), Marked(row.expected)) << row.name;
    }
}

// Keys only, each row from a new window: the focus, the language and the options chosen.
TEST(Keyboard, ReachesEveryControl) {
    const auto rows = std::to_array<Row>({
        // clang-format off
        {"the first field has the focus", U"", "field 0 it 101010"},
        {"Tab runs through fields and buttons to the flags", U"⇥⇥⇥⇥⇥⇥⇥⇥⇥", "flag 0 it 101010"},
        {"Space presses a flag", U"⇥⇥⇥⇥⇥⇥⇥⇥⇥⇥ ", "flag 1 uk 101010"},
        {"Return presses a flag", U"⇥⇥⇥⇥⇥⇥⇥⇥⇥⇥⏎", "flag 1 uk 101010"},
        {"a click presses a flag and moves no focus", U"⚐", "field 0 uk 101010"},
        {"a flag stays a Tab stop when its language goes off", U"⇥⇥⇥⇥⇥⇥⇥⇥⇥⇥ ⇤", "flag 0 uk 101010"},
        {"Shift+Tab goes back to the pair shown", U"⇤", "pixelLock 0 it 101010"},
        {"Down chooses within the pair", U"⇤↓", "pixelLock 1 it 011010"},
        {"Right chooses as Down does", U"⇤→", "pixelLock 1 it 011010"},
        {"Up chooses back", U"⇤↓↑", "pixelLock 0 it 101010"},
        {"Left chooses as Up does", U"⇤↓←", "pixelLock 0 it 101010"},
        {"the pair is one stop, at its choice", U"⇤↓⇥⇤", "pixelLock 1 it 011010"},
        {"F6 goes to the pair shown and back", U"⇥⇥⇥⑥↓⑥", "field 3 it 100110"},
        {"F6 from a button goes to the pair shown", U"⇥⇥⇥⇥⇥⇥⇥⑥", "printSizeLock 0 it 101010"},
        {"Escape closes nothing", U"⎋", "field 0 it 101010"},
        {"Return presses Close", U"⇥⇥⇥⇥⇥⇥⇥⇥⏎", "closed"},
        {"Space presses Close", U"⇥⇥⇥⇥⇥⇥⇥⇥ ", "closed"},
        {"Ctrl+Q closes", U"ⓠ", "closed"},
        {"Alt+F4 closes", U"④", "closed"},
        // clang-format on
    });
    for (const Row &row : rows) {
        Window w;
        w.type(row.keys);
        EXPECT_EQ(w.state(), row.expected) << row.name;
    }
}

// Tab and Shift+Tab visit the controls in the layout's Tab order, passing over hidden pairs.
TEST(Keyboard, TabOrderBothWays) {
    for (const auto &[keys, expected] :
         {std::pair{U'⇥', "field 1|field 2|field 3|field 4|field 5|ratioField|defaultRatioButton|"
                          "closeButton|flag 0|flag 1|printSizeLock 0|field 0"},
          {U'⇤', "pixelLock 0|flag 1|flag 0|closeButton|defaultRatioButton|ratioField|field 5|"
                 "field 4|field 3|field 2|field 1|field 0"}}) {
        Window w;
        std::string visited;
        for (int k = 0; k < 12; ++k) {
            w.type(std::u32string(1, keys));
            visited += (k ? "|" : "") + w.nameOf(GetFocus());
        }
        EXPECT_EQ(visited, expected);
    }
}

// A field the user is not in shows the start of its text, its caret at the start; the field being
// typed in keeps its caret where the user left it.
TEST(Fields, ShowTheirStartWhenNotEdited) {
    Window w;
    w.type(U"9999999999999999999999999");
    HWND pixels = w.find("field", 1);
    EXPECT_EQ(TextOf(pixels), Marked("3,65148371670111E+15"));
    EXPECT_EQ(Edit_GetSel(w.find("field", 0)), MAKELRESULT(25, 25));
    EXPECT_EQ(Edit_GetSel(pixels), 0);
    EXPECT_GE(GET_X_LPARAM(SendMessageW(pixels, EM_POSFROMCHAR, 0, 0)), 0); // the start shows
    w.type(U"⇥");
    EXPECT_EQ(Edit_GetSel(w.find("field", 0)), 0);
    EXPECT_EQ(Edit_GetSel(w.find("ratioField")), 0);
}

// Start-up: the title, the locale's decimal mark in the ratio field.
TEST(StartUp, TitleAndDecimalMark) {
    Window w;
    EXPECT_EQ(TextOf(w.handle()), "Quadrel v1.0 rev.7");
    EXPECT_EQ(w.behaviour().decimalMark(), Mark());
    EXPECT_EQ(TextOf(w.find("ratioField")), Marked("1,3333333333333"));
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

// Both languages, from the start and after a flag press: the checked flag, bigger by 4 pixels a
// side, and every caption, name and tooltip. A field's label comes just before it, where a screen
// reader finds the field's name; a lock pair lies in a group box named after what it decides.
TEST(Language, FlagsSwitchEveryCaption) {
    const std::array<std::string, 2> expected{
        "checked 1 0|Italiano English|Italiano English|Megapixel|Pixel in orizzontale|"
        "Pixel in verticale|Risoluzione di stampa [DPI]|Larghezza di stampa [cm]|"
        "Altezza di stampa [cm]|Rapporto X/Y|predef.|Rimette il rapporto 4/3|Chiudi| Opzioni |"
        "Autore: Quadrel team|Cosa resta fisso se cambiano i pixel|blocca|"
        "Mantiene fissa la risoluzione di stampa|blocca|Mantiene fisse le dimensioni di stampa|"
        "Cosa resta fisso se cambia la risoluzione di stampa|blocca|Mantiene fissi i pixel|blocca|"
        "Mantiene fisse le dimensioni di stampa|Cosa resta fisso se cambiano le dimensioni di "
        "stampa|blocca|Mantiene fissi i pixel|blocca|Mantiene fissa la risoluzione di stampa",
        "checked 0 1|Italiano English|Italiano English|Megapixels|Horizontal pixels|"
        "Vertical pixels|Print resolution [DPI]|Print width [cm]|Print height [cm]|X/Y ratio|"
        "default|Puts back the 4/3 ratio|Close| Options |Author: Quadrel team|"
        "What stays fixed while the pixels change|lock|Keeps the print resolution fixed|lock|"
        "Keeps the print size fixed|What stays fixed while the print resolution changes|lock|"
        "Keeps the pixels fixed|lock|Keeps the print size fixed|"
        "What stays fixed while the print size changes|lock|Keeps the pixels fixed|lock|"
        "Keeps the print resolution fixed"};
    Window w;
    for (const int language : {0, 1}) {
        if (language == 1)
            w.type(U"⚐");
        HWND italian = w.find("flag", 0), english = w.find("flag", 1);
        std::string shown = "checked " + std::to_string(Button_GetCheck(italian)) + ' ' +
                            std::to_string(Button_GetCheck(english)) + '|' + TextOf(italian) + ' ' +
                            TextOf(english) + '|' + TooltipOf(w, italian) + ' ' +
                            TooltipOf(w, english);
        for (int i = 0; i <= kFieldCount; ++i) {
            HWND field = i < kFieldCount ? w.find("field", i) : w.find("ratioField");
            shown += '|' + TextOf(GetWindow(field, GW_HWNDPREV));
        }
        shown += '|' + TextOf(w.find("defaultRatioButton")) + '|' +
                 TooltipOf(w, w.find("defaultRatioButton")) + '|' + TextOf(w.find("closeButton")) +
                 '|' + TextOf(w.find("optionsHeading")) + '|' + TextOf(w.find("creditLabel"));
        for (const auto &[frame, options] : {std::pair{"pixelLocks", "pixelLock"},
                                             {"resolutionLocks", "resolutionLock"},
                                             {"printSizeLocks", "printSizeLock"}}) {
            EXPECT_EQ(GetWindowStyle(w.find(frame)) & BS_TYPEMASK, DWORD(BS_GROUPBOX)) << frame;
            shown += '|' + TextOf(w.find(frame));
            for (const int i : {0, 1}) {
                EXPECT_EQ(GetParent(w.find(options, i)), w.find(frame));
                shown += '|' + TextOf(w.find(options, i)) + '|' + TooltipOf(w, w.find(options, i));
            }
        }
        EXPECT_EQ(shown, expected.at(std::size_t(language)));
        // A radio button to screen readers: neither push-like nor drawn by its owner.
        EXPECT_EQ(GetWindowStyle(italian) & (BS_TYPEMASK | BS_PUSHLIKE), DWORD(BS_RADIOBUTTON));
        RECT checked, unchecked;
        GetWindowRect(language == 0 ? italian : english, &checked);
        GetWindowRect(language == 0 ? english : italian, &unchecked);
        EXPECT_EQ(checked.right - checked.left, unchecked.right - unchecked.left + 8);
        EXPECT_EQ(checked.bottom - checked.top, unchecked.bottom - unchecked.top + 8);
    }
}

layout::PixelBox Placed(HWND control) { // in its parent's client area
    RECT box;
    GetWindowRect(control, &box);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT *>(&box), 2);
    return {box.left, box.top, box.right - box.left, box.bottom - box.top};
}

// Every control sits at its place of the layout in pixels at the window's DPI, the checked flag 4
// pixels larger a side; a label at its left and top, ending before its field. The client area is
// fixed, the window centred. Moved to a monitor of 1.5 times the DPI (WM_DPICHANGED), the window
// places everything again at the new scale.
TEST(Layout, EveryControlInPlace) {
    Window w;
    EXPECT_FALSE(GetWindowStyle(w.handle()) & (WS_THICKFRAME | WS_MAXIMIZEBOX));
    RECT outer;
    GetWindowRect(w.handle(), &outer);
    MONITORINFO monitor{sizeof(monitor), {}, {}, 0};
    GetMonitorInfoW(MonitorFromWindow(w.handle(), MONITOR_DEFAULTTOPRIMARY), &monitor);
    EXPECT_LE(std::abs(outer.left - monitor.rcWork.left - (monitor.rcWork.right - outer.right)), 1);
    const UINT first = GetDpiForWindow(w.handle());
    for (const UINT dpi : {first, first * 3 / 2}) {
        if (dpi != first)
            SendMessageW(w.handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), LPARAM(&outer));
        const float twips = layout::kTwipsPerInch / float(dpi);
        const layout::TwipsPerPixel perPixel{twips, twips};
        // The client area at the system's DPI: after a WM_DPICHANGED that only the test sent,
        // wine keeps the frame of the system's DPI, and only the places are checked.
        RECT client;
        GetClientRect(w.handle(), &client);
        const layout::PixelBox area = layout::ToPixels(layout::kClientArea, perPixel);
        if (dpi == first) {
            EXPECT_EQ(std::pair(int(client.right), int(client.bottom)),
                      std::pair(area.width, area.height));
        }
        for (const layout::Place &p : layout::kPlaces) {
            if (p.name == "line") // painted by its container (Pictures)
                continue;
            const layout::PixelBox actual = Placed(w.find(p.name, p.index));
            const bool checked = p.name == "flag" && p.index == 0;
            layout::PixelBox expected = layout::ToPixels(
                checked ? layout::Highlighted(p.box, true, perPixel) : p.box, perPixel);
            if (p.name.ends_with("Label")) { // in the dialog font at the DPI (any face)
                EXPECT_NEAR(actual.height, expected.height, expected.height / 5) << p.name;
                expected.width = actual.width;
                expected.height = actual.height;
            }
            if (p.name == "optionsHeading") { // sized to its text, as a label, with a border
                expected.width = actual.width;
                expected.height = Placed(w.find("ratioLabel")).height + 2;
            }
            if (p.name == "fieldLabel" || p.name == "ratioLabel") {
                const layout::PixelBox field =
                    Placed(GetWindow(w.find(p.name, p.index), GW_HWNDNEXT));
                EXPECT_LT(actual.left + actual.width, field.left) << p.name << ' ' << p.index;
            }
            EXPECT_EQ(actual, expected) << p.name << ' ' << p.index << " at " << dpi << " dpi";
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
// at 96 DPI.
// A line is one pixel of the text colour wide, painted by the frame or the window it lies in; the
// options heading has a one-pixel border.
TEST(Pictures, FlagsAndLines) {
    Window w;
    const int border = std::max(1, MulDiv(1, int(GetDpiForWindow(w.handle())), 96));
    for (const int flag : {0, 1}) {
        int width = 0, height = 0;
        const std::vector<COLORREF> shot = Shot(w.find("flag", flag), width, height);
        const std::vector<std::uint32_t> picture =
            flags::FlagPicture(flag, width - 2 * border, height - 2 * border);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const bool edge = std::min({x, y, width - 1 - x, height - 1 - y}) < border;
                const std::uint32_t rgb =
                    edge ? 0
                         : picture[std::size_t((y - border) * (width - 2 * border) + x - border)];
                ASSERT_EQ(shot[std::size_t(y * width + x)],
                          edge ? GetSysColor(COLOR_WINDOWTEXT)
                               : RGB(rgb >> 16, rgb >> 8 & 0xFF, rgb & 0xFF))
                    << "flag " << flag << " at " << x << ',' << y;
            }
        }
    }
    const float twips = layout::kTwipsPerInch / float(GetDpiForWindow(w.handle()));
    for (const auto &[line, in] : {std::pair{0, w.find("printSizeLocks")}, {4, w.handle()}}) {
        const layout::PixelBox box = layout::ToPixels(
            std::ranges::find(layout::kPlaces, std::pair<std::string_view, int>("line", line),
                              [](const layout::Place &p) { return std::pair(p.name, p.index); })
                ->box,
            {twips, twips});
        int width = 0, height = 0;
        const std::vector<COLORREF> shot = Shot(in, width, height);
        const int x = box.left + box.width / 4, y = box.top + box.height / 4; // not under a label
        const int beside = box.width == 1 ? 1 : width;
        EXPECT_EQ(shot.at(std::size_t(y * width + x)), GetSysColor(COLOR_WINDOWTEXT)) << line;
        EXPECT_EQ(shot.at(std::size_t(y * width + x + beside)), GetSysColor(COLOR_3DFACE)) << line;
    }
    RECT heading, inside;
    GetWindowRect(w.find("optionsHeading"), &heading);
    GetClientRect(w.find("optionsHeading"), &inside);
    EXPECT_EQ(inside.bottom, heading.bottom - heading.top - 2);
}

} // namespace
} // namespace quadrel

int main(int argc, char **argv) {
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
