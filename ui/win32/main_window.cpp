#include "ui/win32/main_window.hpp"

#include "ui/common/flags.hpp"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <optional>

namespace quadrel {

namespace {

// Fixed in size. The controls paint themselves; the window paints only around them: the
// background and its lines.
constexpr DWORD kWindowStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
// The accelerators' commands; the controls' identifiers come after them, and after IDOK and
// IDCANCEL, which the dialog navigation sends for Return and Escape.
enum Command : int { kSwitchLockFocus = 90, kQuit, kFirstControl = 100 };

// The lock frames and what each of their options keeps fixed, by LockPair.
constexpr std::array<std::string_view, 3> kFrames{"pixelLocks", "resolutionLocks",
                                                  "printSizeLocks"};
using enum lang::Kept;
constexpr std::array<std::array<lang::Kept, 2>, 3> kKept{
    {{PrintResolution, PrintSize}, {Pixels, PrintSize}, {Pixels, PrintResolution}}};

using Kind = Control::Kind;

std::wstring Wide(std::string_view utf8) {
    std::wstring wide(utf8.size(), L'\0');
    wide.resize(std::size_t(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()),
                                                wide.data(), int(wide.size()))));
    return wide;
}

std::wstring TextOf(HWND window) {
    std::wstring text(std::size_t(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(std::size_t(GetWindowTextW(window, text.data(), int(text.size()))));
    return text;
}

layout::TwipsPerPixel PerPixel(UINT dpi) {
    return {layout::kTwipsPerInch / float(dpi), layout::kTwipsPerInch / float(dpi)};
}

// The window's outer size for the layout's client area at `dpi`.
SIZE WindowSize(UINT dpi) {
    const layout::PixelBox client = layout::ToPixels(layout::kClientArea, PerPixel(dpi));
    RECT outer{0, 0, client.width, client.height};
    AdjustWindowRectExForDpi(&outer, kWindowStyle, FALSE, 0, dpi);
    return {outer.right - outer.left, outer.bottom - outer.top};
}

} // namespace

std::string Utf8(std::wstring_view wide) {
    std::string utf8(wide.size() * 3, '\0');
    utf8.resize(std::size_t(WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()),
                                                utf8.data(), int(utf8.size()), nullptr, nullptr)));
    return utf8;
}

MainWindow::MainWindow() {
    static const ATOM windowClass = [] {
        const INITCOMMONCONTROLSEX classes{sizeof(classes),
                                           ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
        InitCommonControlsEx(&classes);
        WNDCLASSEXW window{};
        window.cbSize = sizeof(window);
        window.lpfnWndProc = windowProc;
        window.hInstance = GetModuleHandleW(nullptr);
        window.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        window.hbrBackground = GetSysColorBrush(COLOR_3DFACE);
        window.lpszClassName = L"QuadrelMainWindow";
        return RegisterClassExW(&window);
    }();
    std::array<ACCEL, 2> keys{
        {{FVIRTKEY, VK_F6, kSwitchLockFocus}, {FVIRTKEY | FCONTROL, 'Q', kQuit}}};
    accelerators_ = CreateAcceleratorTableW(keys.data(), int(keys.size()));
    MONITORINFO monitor{sizeof(monitor), {}, {}, 0};
    GetMonitorInfoW(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT &work = monitor.rcWork;
    const SIZE size = WindowSize(GetDpiForSystem());
    CreateWindowExW(0, MAKEINTATOM(windowClass), L"", kWindowStyle,
                    (work.left + work.right - size.cx) / 2, (work.top + work.bottom - size.cy) / 2,
                    size.cx, size.cy, nullptr, nullptr, GetModuleHandleW(nullptr), this);
}

MainWindow::~MainWindow() {
    if (window_ != nullptr)
        DestroyWindow(window_);
    DeleteObject(font_);
    for (HICON icon : icons_)
        DestroyIcon(icon);
    DestroyAcceleratorTable(accelerators_);
}

LRESULT CALLBACK MainWindow::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto *create = reinterpret_cast<const CREATESTRUCTW *>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, LONG_PTR(create->lpCreateParams));
    }
    auto *self = reinterpret_cast<MainWindow *>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (self != nullptr ? message : WM_NULL) {
        HANDLE_MSG(window, WM_CREATE, self->onCreate);
        HANDLE_MSG(window, WM_COMMAND, self->onCommand);
        HANDLE_MSG(window, WM_NOTIFY, self->onNotify);
        HANDLE_MSG(window, WM_ACTIVATE, self->onActivate);
    case WM_PAINT:
    case WM_PRINTCLIENT:
        self->paintLines(window, message == WM_PAINT ? nullptr : HDC(wParam));
        return 0;
    case WM_DPICHANGED:
        self->onDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT *>(lParam));
        return 0;
    case WM_DESTROY: // closing the window ends the program
        PostQuitMessage(0);
        return 0;
    case WM_NCDESTROY:
        self->window_ = nullptr;
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

BOOL MainWindow::onCreate(HWND window, LPCREATESTRUCT) {
    window_ = window;
    dpi_ = GetDpiForWindow(window);
    createFontAndIcons();
    tooltips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0, 0, 0, window,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
    createControls();
    wchar_t mark[LOCALE_NAME_MAX_LENGTH] = {};
    GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, mark, LOCALE_NAME_MAX_LENGTH);
    behaviour_.start(Utf8(mark)); // which places the controls sized to their captions
    return TRUE;
}

void MainWindow::createFontAndIcons() {
    // "MS Shell Dlg 2" is Tahoma, the face the layout's widths were measured in; 8 points.
    LOGFONTW face{};
    face.lfHeight = -MulDiv(8, int(dpi_), 72);
    face.lfCharSet = DEFAULT_CHARSET;
    wcscpy_s(face.lfFaceName, L"MS Shell Dlg 2");
    HFONT old = std::exchange(font_, CreateFontIndirectW(&face));
    for (const Named &control : controls_)
        SetWindowFont(control.window, font_, TRUE);
    DeleteObject(old);
    for (const WPARAM kind : {ICON_SMALL, ICON_BIG}) {
        const int side = GetSystemMetricsForDpi(kind == ICON_BIG ? SM_CXICON : SM_CXSMICON, dpi_);
        HICON icon =
            HICON(LoadImageW(GetModuleHandleW(nullptr), L"IDI_ICON1", IMAGE_ICON, side, side, 0));
        SendMessageW(window_, WM_SETICON, kind, LPARAM(icon));
        DestroyIcon(std::exchange(icons_.at(kind), icon));
    }
}

HWND MainWindow::add(std::string_view name, int index, const wchar_t *windowClass, DWORD style,
                     Control control, DWORD exStyle) {
    // Created where the layout puts it, so that only what depends on the captions moves later.
    const layout::Place &place =
        *std::ranges::find_if(layout::kPlaces, [&](const layout::Place &p) {
            return p.name == name && p.index == index;
        });
    const layout::PixelBox box = layout::ToPixels(place.box, PerPixel(dpi_));
    HWND parent = place.container == layout::Container::Window
                      ? window_
                      : find(kFrames.at(std::size_t(place.container) - 1));
    HWND window = CreateWindowExW(exStyle, windowClass, L"", WS_CHILD | WS_VISIBLE | style,
                                  box.left, box.top, box.width, box.height, parent,
                                  HMENU(kFirstControl + controls_.size()), nullptr, nullptr);
    SetWindowFont(window, font_, FALSE);
    controls_.push_back({&place, window, control, box});
    if (control.kind != Kind::None)
        SetWindowSubclass(window, controlProc, 0, DWORD_PTR(this));
    return window;
}

void MainWindow::createControls() {
    // The controls that take the focus, in the Tab order, which the dialog navigation takes from
    // the order of creation. Each starts a group of its own but the second option of a pair, so
    // that the arrow keys move only within a pair. A field's label is created just before it,
    // where a screen reader looks for the field's name.
    constexpr DWORD kStop = WS_TABSTOP | WS_GROUP;
    for (const auto &[name, index] : layout::kTabOrder) {
        if (name == "field" || name == "ratioField") {
            add(name == "field" ? "fieldLabel" : "ratioLabel", index, WC_STATICW,
                SS_LEFT | SS_NOPREFIX | WS_GROUP);
            add(name, index, WC_EDITW, ES_LEFT | ES_AUTOHSCROLL | kStop,
                Control::Field(index < 0 ? kRatioField : index), WS_EX_CLIENTEDGE);
        } else if (name == "flag") {
            add(name, index, WC_BUTTONW, BS_RADIOBUTTON | kStop, {Kind::Flag, index});
        } else if (name.ends_with("Button")) {
            add(name, index, WC_BUTTONW, BS_PUSHBUTTON | kStop,
                {name == "closeButton" ? Kind::CloseButton : Kind::DefaultRatioButton});
        } else {
            const auto pair = std::size_t(std::ranges::find(layout::kLockOptionNames, name) -
                                          layout::kLockOptionNames.begin());
            if (find(kFrames.at(pair)) == nullptr) {
                HWND frame = add(kFrames[pair], -1, WC_BUTTONW,
                                 BS_GROUPBOX | WS_GROUP | WS_CLIPCHILDREN, {}, WS_EX_CONTROLPARENT);
                ShowWindow(frame, SW_HIDE);
                SetWindowSubclass(frame, frameProc, 0, DWORD_PTR(this));
            }
            // Each pair starts with its first option chosen, as the behaviour does.
            Button_SetCheck(add(name, index, WC_BUTTONW,
                                BS_AUTORADIOBUTTON | (index == 0 ? kStop : 0),
                                Control::Lock(LockPair(pair), index)),
                            index == 0 ? BST_CHECKED : BST_UNCHECKED);
        }
    }
    // The controls that take no focus; the lines are painted by their containers (paintLines).
    for (const layout::Place &place : layout::kPlaces) {
        const DWORD style = place.name == "optionsHeading" ? SS_CENTER | SS_NOPREFIX | WS_BORDER
                                                           : SS_LEFT | SS_NOPREFIX;
        if (place.name != "line" && find(place.name, place.index) == nullptr)
            add(place.name, place.index, WC_STATICW, style | WS_GROUP);
    }
}

void MainWindow::place() {
    const layout::TwipsPerPixel perPixel = PerPixel(dpi_);
    HDC dc = GetDC(window_);
    HGDIOBJ oldFont = SelectObject(dc, font_);
    for (Named &control : controls_) {
        const std::string_view name = control.place->name;
        const bool highlighted = name == "flag" && Button_GetCheck(control.window) == BST_CHECKED;
        const layout::BoxF &twips = control.place->box;
        layout::PixelBox box = layout::ToPixels(
            highlighted ? layout::Highlighted(twips, true, perPixel) : twips, perPixel);
        if (name.ends_with("Label") || name == "optionsHeading") {
            // Sized to its text, as a label is; the heading has a one-pixel border around it.
            const std::wstring text = TextOf(control.window);
            const int border = name == "optionsHeading" ? 2 : 0;
            SIZE extent{};
            GetTextExtentPoint32W(dc, text.c_str(), int(text.size()), &extent);
            box = {box.left, box.top, extent.cx + border, extent.cy + border};
        }
        // Moving a control costs as much as creating it, even to where it is already.
        if (box == std::exchange(control.box, box))
            continue;
        // A label paints its new text at once, at its old size; resized, it paints again whole.
        SetWindowPos(control.window, nullptr, box.left, box.top, box.width, box.height,
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
    }
    SelectObject(dc, oldFont);
    ReleaseDC(window_, dc);
}

HWND MainWindow::find(std::string_view name, int index) const {
    const auto found = std::ranges::find_if(controls_, [&](const Named &c) {
        return c.place->name == name && c.place->index == index;
    });
    return found != controls_.end() ? found->window : nullptr;
}

template <class Key>
const MainWindow::Named *MainWindow::named(Key Named::*key, const Key &value) const {
    const auto found = std::ranges::find(controls_, value, key);
    return found != controls_.end() ? &*found : nullptr;
}

bool MainWindow::translate(MSG &message) {
    if (window_ == nullptr || (message.hwnd != window_ && !IsChild(window_, message.hwnd)))
        return false;
    return TranslateAcceleratorW(window_, accelerators_, &message) != 0 ||
           IsDialogMessageW(window_, &message) != 0;
}

void MainWindow::onCommand(HWND, int id, HWND control, UINT code) {
    // Escape comes as IDCANCEL and Return in a field as IDOK, from no control: neither acts.
    const Named *from = named(&Named::window, control);
    const Control c = from != nullptr ? from->control : Control{};
    if (id == kSwitchLockFocus)
        behaviour_.switchLockFocus();
    if (id == kQuit || (code == BN_CLICKED && c.kind == Kind::CloseButton))
        PostMessageW(window_, WM_CLOSE, 0, 0);
    if (code == EN_CHANGE && c.kind == Kind::Field && !writing_)
        behaviour_.edited(c.index);
    if (code == BN_CLICKED && c.kind == Kind::DefaultRatioButton)
        behaviour_.defaultRatioPressed();
    if (code == BN_CLICKED && c.kind == Kind::LockOption) {
        // Sent by a click, by Space, and also as the focus comes to an option, before an automatic
        // radio button checks itself: the check follows the choice here, whatever sent it.
        Button_SetCheck(named(&Named::control, Control::Lock(c.pair, 1 - c.index))->window,
                        BST_UNCHECKED);
        Button_SetCheck(control, BST_CHECKED);
        behaviour_.lockChosen(c.pair, c.index);
    }
}

LRESULT MainWindow::onNotify(HWND, int, NMHDR *header) {
    const Named *flag = named(&Named::window, header->hwndFrom);
    const auto &draw = *reinterpret_cast<const NMCUSTOMDRAW *>(header);
    if (header->code != NM_CUSTOMDRAW || flag == nullptr || flag->place->name != "flag")
        return 0;
    if (draw.dwDrawStage != CDDS_PREPAINT)
        return CDRF_DODEFAULT;
    // The picture inside a border of one pixel at 96 DPI in the text colour; the focus is a border
    // twice as thick in the highlight colour, which the picture cannot hide as it would a dotted
    // focus rectangle.
    const int pixel = std::max(1, MulDiv(1, int(dpi_), USER_DEFAULT_SCREEN_DPI));
    RECT box = draw.rc;
    FillRect(draw.hdc, &box, GetSysColorBrush(COLOR_WINDOWTEXT));
    InflateRect(&box, -pixel, -pixel);
    const int width = box.right - box.left, height = box.bottom - box.top;
    const std::vector<std::uint32_t> picture =
        flags::FlagPicture(flag->place->index, width, height);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    SetDIBitsToDevice(draw.hdc, box.left, box.top, DWORD(width), DWORD(height), 0, 0, 0,
                      UINT(height), picture.data(), &info, DIB_RGB_COLORS);
    box = draw.rc;
    for (int k = 0; GetFocus() == flag->window && k < 2 * pixel; ++k) {
        FrameRect(draw.hdc, &box, GetSysColorBrush(COLOR_HIGHLIGHT));
        InflateRect(&box, -1, -1);
    }
    return CDRF_SKIPDEFAULT;
}

void MainWindow::paintLines(HWND window, HDC dc) {
    // A line is its one-pixel box filled with the text colour. The main window paints around its
    // controls (WS_CLIPCHILDREN), so the options heading interrupts the rule it stands on.
    PAINTSTRUCT paint{};
    HDC target = dc != nullptr ? dc : BeginPaint(window, &paint);
    const Named *frame = named(&Named::window, window);
    const auto container =
        frame == nullptr ? layout::Container::Window
                         : layout::Container(1 + std::ranges::find(kFrames, frame->place->name) -
                                             kFrames.begin());
    for (const layout::Place &place : layout::kPlaces) {
        if (place.name != "line" || place.container != container)
            continue;
        const layout::PixelBox box = layout::ToPixels(place.box, PerPixel(dpi_));
        const RECT line{box.left, box.top, box.left + box.width, box.top + box.height};
        FillRect(target, &line, GetSysColorBrush(COLOR_WINDOWTEXT));
    }
    if (dc == nullptr)
        EndPaint(window, &paint);
}

void MainWindow::onActivate(HWND, UINT state, HWND, BOOL minimized) {
    // The focus comes back to the control that had it, as in a dialog box; at first it goes to
    // the first control of the Tab order.
    if (state == WA_INACTIVE)
        lastFocus_ = GetFocus();
    else if (!minimized)
        SetFocus(lastFocus_ != nullptr && IsChild(window_, lastFocus_)
                     ? lastFocus_
                     : GetNextDlgTabItem(window_, nullptr, FALSE));
}

void MainWindow::onDpiChanged(UINT dpi, const RECT &suggested) {
    dpi_ = dpi;
    createFontAndIcons();
    place();
    const SIZE size = WindowSize(dpi_);
    SetWindowPos(window_, nullptr, suggested.left, suggested.top, size.cx, size.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    // The lines are the window's and the frames' own painting, at the old scale until repainted.
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

LRESULT CALLBACK MainWindow::controlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR, DWORD_PTR self) {
    if (message == WM_NCDESTROY)
        RemoveWindowSubclass(control, controlProc, 0);
    return reinterpret_cast<MainWindow *>(self)->onControlMessage(control, message, wParam, lParam);
}

LRESULT MainWindow::onControlMessage(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    const Control self = named(&Named::window, control)->control; // every subclassed one is named
    const bool flag = self.kind == Kind::Flag;
    const bool button =
        flag || self.kind == Kind::DefaultRatioButton || self.kind == Kind::CloseButton;
    const auto *key = reinterpret_cast<const MSG *>(lParam);
    switch (message) {
    case WM_SETFOCUS: // reported once the control has it
        DefSubclassProc(control, message, wParam, lParam);
        behaviour_.focusChanged(self);
        return 0;
    case WM_GETDLGCODE: // Return presses the focused push button or flag, not a default button
        if (button && key != nullptr && key->message == WM_KEYDOWN && key->wParam == VK_RETURN)
            return DefSubclassProc(control, message, wParam, lParam) | DLGC_WANTMESSAGE;
        break;
    case WM_KEYDOWN:
        if (flag && (wParam == VK_SPACE || wParam == VK_RETURN))
            behaviour_.flagPressed(self.index);
        else if (button && wParam == VK_RETURN)
            SendMessageW(control, BM_CLICK, 0, 0);
        else
            break;
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        // A flag is pressed by a click without taking the focus, as in the Qt window. The click
        // that enters a field would move the caret and drop the selection that entering the field
        // made: the field takes the focus, the click goes no further.
        if (self.kind == Kind::Field && GetFocus() != control)
            SetFocus(control);
        else if (!flag)
            break;
        return 0;
    case WM_LBUTTONUP:
        if (!flag)
            break;
        if (RECT client; GetClientRect(control, &client) &&
                         PtInRect(&client, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}))
            behaviour_.flagPressed(self.index);
        return 0;
    case WM_CHAR:
        if (self.kind == Kind::Field)
            return onFieldChar(control, self.index, wParam, lParam);
        break;
    }
    return DefSubclassProc(control, message, wParam, lParam);
}

LRESULT MainWindow::onFieldChar(HWND field, int index, WPARAM wParam, LPARAM lParam) {
    // A character beyond 16 bits comes as two WM_CHARs, a high surrogate and a low one.
    if (IS_HIGH_SURROGATE(wParam)) {
        pendingHigh_ = wchar_t(wParam);
        return 0;
    }
    auto c = char32_t(wParam);
    if (IS_LOW_SURROGATE(wParam) && pendingHigh_ != 0)
        c = 0x10000 + ((char32_t(pendingHigh_) - 0xD800) << 10) + (c - 0xDC00);
    pendingHigh_ = 0;
    const std::optional<char32_t> typed = behaviour_.typed(index, c);
    // Control characters (Backspace, Ctrl+C, Ctrl+V, Ctrl+Z ...) go on as they came; anything else
    // let in is below U+10000 and replaces the selection as typing does, so Ctrl+Z takes it back.
    if (c == 1) // Ctrl+A, which older edit controls do not take as "select all"
        Edit_SetSel(field, 0, -1);
    else if (typed && (*typed < 32 || *typed == 127))
        return DefSubclassProc(field, WM_CHAR, wParam, lParam);
    else if (typed)
        SendMessageW(field, EM_REPLACESEL, TRUE, LPARAM(std::wstring(1, wchar_t(*typed)).c_str()));
    return 0;
}

LRESULT CALLBACK MainWindow::frameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR, DWORD_PTR self) {
    // A lock frame is a group box to screen readers, named after what its pair decides, but it
    // paints only the window's background and its lines. What its pair sends goes on to the window.
    switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
        return SendMessageW(GetParent(frame), message, wParam, lParam);
    case WM_ERASEBKGND:
    case WM_PRINTCLIENT: {
        RECT client;
        GetClientRect(frame, &client);
        FillRect(HDC(wParam), &client, GetSysColorBrush(COLOR_3DFACE));
        if (message == WM_PRINTCLIENT)
            reinterpret_cast<MainWindow *>(self)->paintLines(frame, HDC(wParam));
        return 1;
    }
    case WM_PAINT:
        reinterpret_cast<MainWindow *>(self)->paintLines(frame, nullptr);
        return 0;
    case WM_SETTEXT:       // the group box would paint its caption
    case WM_UPDATEUISTATE: // and its frame
        return DefWindowProcW(frame, message, wParam, lParam);
    case WM_NCDESTROY:
        RemoveWindowSubclass(frame, frameProc, 0);
        break;
    }
    return DefSubclassProc(frame, message, wParam, lParam);
}

std::string MainWindow::text(int field) const {
    return Utf8(TextOf(named(&Named::control, Control::Field(field))->window));
}

void MainWindow::write(int field, const std::string &text) {
    HWND edit = named(&Named::control, Control::Field(field))->window;
    writing_ = true;
    SetWindowTextW(edit, Wide(text).c_str());
    writing_ = false;
    if (GetFocus() != edit) {
        Edit_SetSel(edit, 0, 0);
        Edit_ScrollCaret(edit);
    }
}

void MainWindow::selectAll(int field) {
    Edit_SetSel(named(&Named::control, Control::Field(field))->window, 0, -1);
}

void MainWindow::showLockPair(LockPair pair) {
    for (std::size_t p = 0; p < kFrames.size(); ++p)
        ShowWindow(find(kFrames[p]), p == std::size_t(pair) ? SW_SHOWNA : SW_HIDE);
}

void MainWindow::focus(Control control) {
    SetFocus(named(&Named::control, control)->window);
}

void MainWindow::caption(HWND control, std::string_view text, std::string_view tooltip) {
    SetWindowTextW(control, Wide(text).c_str());
    if (tooltip.empty())
        return;
    std::wstring tip = Wide(tooltip);
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = GetParent(control);
    tool.uId = UINT_PTR(control);
    tool.lpszText = tip.data();
    SendMessageW(tooltips_, TTM_DELTOOLW, 0, LPARAM(&tool));
    SendMessageW(tooltips_, TTM_ADDTOOLW, 0, LPARAM(&tool));
}

void MainWindow::setCaptions(const lang::Captions &captions) {
    for (int k = 0; k < kFieldCount; ++k)
        caption(find("fieldLabel", k), captions.labelText.at(std::size_t(k)));
    caption(find("ratioLabel"), captions.ratioText);
    caption(find("defaultRatioButton"), captions.defaultText, captions.defaultHint);
    caption(find("creditLabel"), captions.creditText);
    caption(find("closeButton"), captions.closeText);
    caption(find("optionsHeading"), " " + std::string(captions.optionsText) + " ");
    for (std::size_t pair = 0; pair < kFrames.size(); ++pair) {
        caption(find(kFrames[pair]), captions.lockGroup.at(pair));
        for (const int option : {0, 1})
            caption(find(layout::kLockOptionNames[pair], option), captions.lockText,
                    captions.lockHint.at(std::size_t(kKept[pair][std::size_t(option)])));
    }
    // A flag's name and tooltip are its language's name, whatever language is on.
    for (const int flag : {0, 1}) {
        const std::string_view name = lang::kCaptions.at(std::size_t(flag)).languageName;
        caption(find("flag", flag), name, name);
    }
    place();
}

void MainWindow::setFlagChecked(int flag, bool checked) {
    HWND control = find("flag", flag);
    Button_SetCheck(control, checked ? BST_CHECKED : BST_UNCHECKED);
    // Checking a radio button gives it the Tab stop and unchecking takes it away; a flag keeps its
    // own, as both flags are stops of the Tab order.
    SetWindowLongPtrW(control, GWL_STYLE, GetWindowLongPtrW(control, GWL_STYLE) | WS_TABSTOP);
    place();
}

} // namespace quadrel
