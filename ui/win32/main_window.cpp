#include "ui/win32/main_window.hpp"

#include "ui/common/flags.hpp"

#include <commctrl.h>
#include <commdlg.h>
#include <windowsx.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <utility>
#include <vector>

namespace quadrel {

namespace {

// Fixed in size. The controls paint themselves; the window paints only around them: the
// background and its lines.
constexpr DWORD kWindowStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
// The accelerators' commands; the controls' IDs come after them, and after IDOK and IDCANCEL,
// which the dialog navigation sends for Return and Escape: a control's ID is kFirstControl plus
// its row of layout::kControls.
enum CommandId : int {
    kSwitchLockFocus = 90,
    kOpenPicture,
    kQuit,
    kTurn,
    kCopyFigures,
    kFirstControl = 100
};
// The window's own message: show the message that showMessage left.
constexpr UINT kShowMessage = WM_APP;

// The control of ID `id`, or nullptr for an ID that is no control's.
const Control *ControlAt(int id) {
    const auto row = std::size_t(id - kFirstControl);
    return row < layout::kControls.size() ? &layout::kControls[row].control : nullptr;
}

// The standard control that plays a role. Each control that takes the focus starts a group of
// its own but the second option of a pair, so that the arrow keys move only within a pair; an
// option's Tab stop follows its check. The dialog navigation takes the Tab order from the order
// of creation, which is the table's.
struct Kind {
    const wchar_t *windowClass; // none for a line, which its container paints
    DWORD style;
    DWORD exStyle = 0;
    bool sizedToText = false; // a label: its table box gives only its left and top
};
Kind KindOf(const Control &control) {
    constexpr DWORD kStop = WS_TABSTOP | WS_GROUP;
    switch (control.role) {
    case Role::Field:
    case Role::RatioField:
        return {WC_EDITW, ES_LEFT | ES_AUTOHSCROLL | kStop, WS_EX_CLIENTEDGE | WS_EX_ACCEPTFILES};
    case Role::DefaultRatioButton:
    case Role::CloseButton:
        return {WC_BUTTONW, BS_PUSHBUTTON | kStop};
    case Role::Flag:
        return {WC_BUTTONW, BS_RADIOBUTTON | kStop};
    case Role::LockOption:
        return {WC_BUTTONW, BS_AUTORADIOBUTTON | (control.index == 0 ? WS_GROUP : 0UL)};
    case Role::FieldLabel:
    case Role::RatioLabel:
    case Role::CreditLabel:
        return {WC_STATICW, SS_LEFT | SS_NOPREFIX | WS_GROUP, 0, true};
    case Role::OptionsHeading:
        return {WC_STATICW, SS_CENTER | SS_NOPREFIX | WS_BORDER | WS_GROUP, 0, true};
    case Role::LockFrame:
        return {WC_BUTTONW, BS_GROUPBOX | WS_GROUP | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT};
    case Role::Line:
        break;
    }
    return {nullptr, 0};
}

bool IsField(const Control &control) {
    return control.role == Role::Field || control.role == Role::RatioField;
}

// A field's context menu: first the EDIT's own commands, in the order of the captions'
// editCommands, each carried out by its message to the field (EM_SETSEL selects all), then the
// program's entries. The IDs the menu returns: an edit command's position plus one, an entry's
// position in MenuOf plus kFirstMenuEntry.
struct EditCommand {
    UINT message;
    const wchar_t *key; // after a tab; none for the Delete key, which is named in each language
};
constexpr std::array<EditCommand, 6> kEditCommands{{{WM_UNDO, L"\tCtrl+Z"},
                                                    {WM_CUT, L"\tCtrl+X"},
                                                    {WM_COPY, L"\tCtrl+C"},
                                                    {WM_PASTE, L"\tCtrl+V"},
                                                    {WM_CLEAR, nullptr},
                                                    {EM_SETSEL, L"\tCtrl+A"}}};
constexpr UINT kFirstMenuEntry = 16;

// The key of a program's entry, as the accelerators have it, after a tab.
const wchar_t *KeyOf(Command command) {
    switch (command) {
    case Command::OpenPicture:
        return L"\tCtrl+O";
    case Command::Turn:
        return L"\tCtrl+R";
    case Command::CopyFigures:
        return L"\tCtrl+Shift+C";
    default:
        return L"";
    }
}

std::wstring Wide(std::string_view utf8) {
    std::wstring wide(utf8.size(), L'\0');
    wide.resize(std::size_t(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()),
                                                wide.data(), int(wide.size()))));
    return wide;
}

std::wstring WindowText(HWND window) {
    std::wstring text(std::size_t(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(std::size_t(GetWindowTextW(window, text.data(), int(text.size()))));
    return text;
}

// A function of a system DLL, loaded at its first call rather than imported, so that the program
// starts without the DLL: shell32 for a drop, comdlg32 for the open dialog. nullptr if missing.
template <class Function> Function *SystemFunction(const wchar_t *dll, const char *name) {
    HMODULE module = LoadLibraryExW(dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    const FARPROC function = module != nullptr ? GetProcAddress(module, name) : nullptr;
    return reinterpret_cast<Function *>(reinterpret_cast<void (*)()>(function));
}

// A file as the behaviour takes it: its path, and its name to show.
GivenFile GivenFileOf(const std::filesystem::path &file) {
    const std::wstring name = file.filename().wstring();
    return {file, Utf8(name.empty() ? file.wstring() : name)};
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
    std::array<ACCEL, 5> keys{{{FVIRTKEY, VK_F6, kSwitchLockFocus},
                               {FVIRTKEY | FCONTROL, 'O', kOpenPicture},
                               {FVIRTKEY | FCONTROL, 'Q', kQuit},
                               {FVIRTKEY | FCONTROL, 'R', kTurn},
                               {FVIRTKEY | FCONTROL | FSHIFT, 'C', kCopyFigures}}};
    accelerators_ = CreateAcceleratorTableW(keys.data(), int(keys.size()));
    MONITORINFO monitor{sizeof(monitor), {}, {}, 0};
    GetMonitorInfoW(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT &work = monitor.rcWork;
    const SIZE size = WindowSize(GetDpiForSystem());
    CreateWindowExW(WS_EX_ACCEPTFILES, MAKEINTATOM(windowClass), L"", kWindowStyle,
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
        HANDLE_MSG(window, WM_DROPFILES, self->onDropFiles);
    case kShowMessage:
        self->onShowMessage();
        return 0;
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
    behaviour_.start(Utf8(mark)); // which checks the options and gives the captions
    return TRUE;
}

void MainWindow::createFontAndIcons() {
    // "MS Shell Dlg 2" is Tahoma, the face the layout's widths were measured in; 8 points.
    LOGFONTW face{};
    face.lfHeight = -MulDiv(8, int(dpi_), 72);
    face.lfCharSet = DEFAULT_CHARSET;
    wcscpy_s(face.lfFaceName, L"MS Shell Dlg 2");
    HFONT old = std::exchange(font_, CreateFontIndirectW(&face));
    for (const layout::Row &row : layout::kControls) {
        if (HWND control = find(row.control))
            SetWindowFont(control, font_, TRUE);
    }
    DeleteObject(old);
    for (const WPARAM kind : {ICON_SMALL, ICON_BIG}) {
        const int side = GetSystemMetricsForDpi(kind == ICON_BIG ? SM_CXICON : SM_CXSMICON, dpi_);
        HICON icon =
            HICON(LoadImageW(GetModuleHandleW(nullptr), L"IDI_ICON1", IMAGE_ICON, side, side, 0));
        SendMessageW(window_, WM_SETICON, kind, LPARAM(icon));
        DestroyIcon(std::exchange(icons_.at(kind), icon));
    }
}

void MainWindow::createControls() {
    // Each where the table puts it, so that only what depends on the captions moves later, in its
    // container, which comes before it in the table. The frames show as the behaviour says.
    for (std::size_t row = 0; row < layout::kControls.size(); ++row) {
        const auto &[control, twips] = layout::kControls[row];
        const Kind kind = KindOf(control);
        if (kind.windowClass == nullptr)
            continue;
        const DWORD shown = control.role == Role::LockFrame ? 0 : WS_VISIBLE;
        placed_[row] = layout::ToPixels(twips, PerPixel(dpi_));
        const layout::PixelBox &box = placed_[row];
        HWND window = CreateWindowExW(
            kind.exStyle, kind.windowClass, L"", WS_CHILD | shown | kind.style, box.left, box.top,
            box.width, box.height, parentOf(control), HMENU(kFirstControl + row), nullptr, nullptr);
        controls_[row] = window;
        SetWindowFont(window, font_, FALSE);
        if (control.role == Role::LockFrame)
            subclass(window, row, frameProc);
        else if (control.takesFocus())
            subclass(window, row, controlProc);
    }
}

void MainWindow::subclass(HWND control, std::size_t row, WNDPROC procedure) {
    SetWindowLongPtrW(control, GWLP_USERDATA, LONG_PTR(this));
    ownProcedures_.at(row) = WNDPROC(SetWindowLongPtrW(control, GWLP_WNDPROC, LONG_PTR(procedure)));
}

LRESULT MainWindow::passOn(HWND control, UINT message, WPARAM wParam, LPARAM lParam) const {
    const auto row = std::size_t(GetDlgCtrlID(control) - kFirstControl);
    return CallWindowProcW(ownProcedures_.at(row), control, message, wParam, lParam);
}

void MainWindow::place(std::optional<Role> only) {
    const layout::TwipsPerPixel perPixel = PerPixel(dpi_);
    HDC dc = GetDC(window_);
    HGDIOBJ oldFont = SelectObject(dc, font_);
    for (std::size_t row = 0; row < layout::kControls.size(); ++row) {
        const auto &[control, twips] = layout::kControls[row];
        HWND window = only && control.role != *only ? nullptr : find(control);
        if (window == nullptr)
            continue;
        const bool highlighted =
            control.role == Role::Flag && Button_GetCheck(window) == BST_CHECKED;
        layout::PixelBox box = layout::ToPixels(
            highlighted ? layout::Highlighted(twips, true, perPixel) : twips, perPixel);
        if (KindOf(control).sizedToText) { // the heading with a one-pixel border around its text
            const std::wstring text = WindowText(window);
            const int border = control.role == Role::OptionsHeading ? 2 : 0;
            SIZE extent{};
            GetTextExtentPoint32W(dc, text.c_str(), int(text.size()), &extent);
            box = {box.left, box.top, extent.cx + border, extent.cy + border};
        }
        // Moving a control costs as much as creating it, even to where it is already.
        if (box == std::exchange(placed_[row], box))
            continue;
        // A label paints its new text at once, at its old size; resized, it paints again whole.
        SetWindowPos(window, nullptr, box.left, box.top, box.width, box.height,
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
    }
    SelectObject(dc, oldFont);
    ReleaseDC(window_, dc);
}

HWND MainWindow::find(const Control &control) const {
    // Kept by row rather than asked of GetDlgItem, which under wine lists the parent's children on
    // the wine server each time. No window has a line's row or one past the table.
    const std::size_t row = layout::RowOf(control);
    return window_ != nullptr && row < controls_.size() ? controls_[row] : nullptr;
}

HWND MainWindow::parentOf(const Control &control) const {
    const std::optional<Control> frame = layout::ContainerOf(control);
    return frame ? find(*frame) : window_;
}

bool MainWindow::translate(MSG &message) {
    if (window_ == nullptr || (message.hwnd != window_ && !IsChild(window_, message.hwnd)))
        return false;
    // The tooltips learn where the mouse is from here, not by subclassing their controls.
    if (message.message >= WM_MOUSEFIRST && message.message <= WM_MOUSELAST)
        SendMessageW(tooltips_, TTM_RELAYEVENT, 0, LPARAM(&message));
    return TranslateAcceleratorW(window_, accelerators_, &message) != 0 ||
           IsDialogMessageW(window_, &message) != 0;
}

void MainWindow::onCommand(HWND, int id, HWND, UINT code) {
    switch (id) {
    case kSwitchLockFocus:
        behaviour_.switchLockFocus();
        return;
    case kOpenPicture:
        behaviour_.choosePicture();
        return;
    case kQuit:
        PostMessageW(window_, WM_CLOSE, 0, 0);
        return;
    case kTurn:
        behaviour_.turn();
        return;
    case kCopyFigures:
        behaviour_.copyFigures();
        return;
    }
    // What counts of a control is a field's change, not the window's own write, and a button's
    // click. Escape comes as IDCANCEL and Return in a field as IDOK, from no control: neither acts.
    const Control *control = ControlAt(id);
    if (control == nullptr || code != (IsField(*control) ? EN_CHANGE : BN_CLICKED) || writing_)
        return;
    switch (control->role) {
    case Role::Field:
    case Role::RatioField:
        behaviour_.edited(*control);
        break;
    case Role::DefaultRatioButton:
        behaviour_.defaultRatioPressed();
        break;
    case Role::CloseButton:
        PostMessageW(window_, WM_CLOSE, 0, 0);
        break;
    case Role::LockOption:
        // By a click, Space, or the focus coming to it unchecked; the behaviour checks it.
        behaviour_.lockChosen(*control->pair, control->index);
        break;
    default: // a flag is pressed by its keys and its click (onControlMessage)
        break;
    }
}

LRESULT MainWindow::onNotify(HWND, int, NMHDR *header) {
    const Control *flag = ControlAt(GetDlgCtrlID(header->hwndFrom));
    const auto &draw = *reinterpret_cast<const NMCUSTOMDRAW *>(header);
    if (header->code != NM_CUSTOMDRAW || flag == nullptr || flag->role != Role::Flag)
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
    const std::vector<std::uint32_t> picture = flags::FlagPicture(flag->index, width, height);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    SetDIBitsToDevice(draw.hdc, box.left, box.top, DWORD(width), DWORD(height), 0, 0, 0,
                      UINT(height), picture.data(), &info, DIB_RGB_COLORS);
    box = draw.rc;
    for (int k = 0; GetFocus() == header->hwndFrom && k < 2 * pixel; ++k) {
        FrameRect(draw.hdc, &box, GetSysColorBrush(COLOR_HIGHLIGHT));
        InflateRect(&box, -1, -1);
    }
    return CDRF_SKIPDEFAULT;
}

void MainWindow::paintLines(HWND container, HDC dc) {
    // A line is its one-pixel box filled with the text colour. The main window paints around its
    // controls (WS_CLIPCHILDREN), so the options heading interrupts the rule it stands on.
    PAINTSTRUCT paint{};
    HDC target = dc != nullptr ? dc : BeginPaint(container, &paint);
    for (const auto &[control, twips] : layout::kControls) {
        if (control.role != Role::Line || parentOf(control) != container)
            continue;
        const layout::PixelBox box = layout::ToPixels(twips, PerPixel(dpi_));
        const RECT line{box.left, box.top, box.left + box.width, box.top + box.height};
        FillRect(target, &line, GetSysColorBrush(COLOR_WINDOWTEXT));
    }
    if (dc == nullptr)
        EndPaint(container, &paint);
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

void MainWindow::onDropFiles(HWND, HDROP drop) {
    static const auto queryFile =
        SystemFunction<decltype(DragQueryFileW)>(L"shell32.dll", "DragQueryFileW");
    static const auto finish = SystemFunction<decltype(DragFinish)>(L"shell32.dll", "DragFinish");
    if (queryFile == nullptr || finish == nullptr)
        return;
    std::vector<std::filesystem::path> files(queryFile(drop, 0xFFFFFFFF, nullptr, 0));
    for (UINT k = 0; k < files.size(); ++k) {
        std::wstring file(queryFile(drop, k, nullptr, 0) + 1, L'\0');
        file.resize(queryFile(drop, k, file.data(), UINT(file.size())));
        files[k] = file;
    }
    finish(drop);
    openFiles(files);
}

void MainWindow::openFiles(std::span<const std::filesystem::path> files) {
    std::vector<GivenFile> given;
    for (const std::filesystem::path &file : files)
        given.push_back(GivenFileOf(file));
    behaviour_.filesGiven(given);
}

void MainWindow::showMessage(const std::string &text) {
    // Not at once: the source of a drop waits until the drop returns. Of two messages before the
    // box shows, the later one shows.
    if (std::exchange(message_, Wide(text)).empty())
        PostMessageW(window_, kShowMessage, 0, 0);
}

void MainWindow::onShowMessage() {
    const std::wstring text = std::exchange(message_, {});
    MessageBoxW(window_, text.c_str(), WindowText(window_).c_str(), MB_OK | MB_ICONWARNING);
}

std::optional<GivenFile> MainWindow::askForPicture() {
    static const auto getOpenFileName =
        SystemFunction<decltype(GetOpenFileNameW)>(L"comdlg32.dll", "GetOpenFileNameW");
    const lang::Captions &captions = behaviour_.captions();
    std::wstring patterns;
    for (const std::string_view pattern : kPicturePatterns)
        patterns += (patterns.empty() ? L"" : L";") + Wide(pattern);
    // Each filter is its name and its patterns, each ending in a null; one more ends the list.
    const std::wstring filters = Wide(captions.pictureFilesText) + L" (" + patterns + L")" + L'\0' +
                                 patterns + L'\0' + Wide(captions.allFilesText) + L" (*.*)" +
                                 L'\0' + L"*.*" + L'\0';
    const std::wstring title = Wide(captions.openPictureTitle);
    std::wstring file(32768, L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = window_;
    dialog.lpstrFilter = filters.c_str();
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = DWORD(file.size());
    dialog.lpstrTitle = title.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY |
                   OFN_NOCHANGEDIR; // the folder shown is not the program's current one
    if (getOpenFileName == nullptr || !getOpenFileName(&dialog))
        return std::nullopt;
    file.resize(file.find(L'\0'));
    return GivenFileOf(file);
}

LRESULT CALLBACK MainWindow::controlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    auto *self = reinterpret_cast<MainWindow *>(GetWindowLongPtrW(control, GWLP_USERDATA));
    return self->onControlMessage(control, message, wParam, lParam);
}

LRESULT MainWindow::onControlMessage(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    const Control &self = *ControlAt(GetDlgCtrlID(control)); // every subclassed one has a row
    const bool field = IsField(self);
    const bool flag = self.role == Role::Flag;
    const bool button = !field && self.role != Role::LockOption; // a push button or a flag
    const auto *key = reinterpret_cast<const MSG *>(lParam);
    switch (message) {
    case WM_SETFOCUS: // reported once the control has it
        passOn(control, message, wParam, lParam);
        behaviour_.focusChanged(self);
        return 0;
    case WM_GETDLGCODE: // Return presses the focused push button or flag, not a default button
        if (button && key != nullptr && key->message == WM_KEYDOWN && key->wParam == VK_RETURN)
            return passOn(control, message, wParam, lParam) | DLGC_WANTMESSAGE;
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
        if (field && GetFocus() != control)
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
        if (field)
            return onFieldChar(control, self, wParam, lParam);
        break;
    case WM_DROPFILES: // a file dropped on a field is a picture to open, never text
        onDropFiles(window_, HDROP(wParam));
        return 0;
    case WM_CONTEXTMENU: // the window's menu in place of the EDIT's own
        if (!field)
            break;
        onFieldContextMenu(control, self, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    }
    return passOn(control, message, wParam, lParam);
}

LRESULT MainWindow::onFieldChar(HWND field, const Control &control, WPARAM wParam, LPARAM lParam) {
    // A character beyond 16 bits comes as two WM_CHARs, a high surrogate and a low one.
    if (IS_HIGH_SURROGATE(wParam)) {
        pendingHigh_ = wchar_t(wParam);
        return 0;
    }
    auto c = char32_t(wParam);
    if (IS_LOW_SURROGATE(wParam) && pendingHigh_ != 0)
        c = 0x10000 + ((char32_t(pendingHigh_) - 0xD800) << 10) + (c - 0xDC00);
    pendingHigh_ = 0;
    const std::optional<char32_t> typed = behaviour_.typed(control, c);
    // Control characters (Backspace, Ctrl+C, Ctrl+V, Ctrl+Z ...) go on as they came; anything else
    // let in is below U+10000 and replaces the selection as typing does, so Ctrl+Z takes it back.
    if (c == 1) // Ctrl+A, which older edit controls do not take as "select all"
        Edit_SetSel(field, 0, -1);
    else if (typed && (*typed < 32 || *typed == 127))
        return passOn(field, WM_CHAR, wParam, lParam);
    else if (typed)
        SendMessageW(field, EM_REPLACESEL, TRUE, LPARAM(std::wstring(1, wchar_t(*typed)).c_str()));
    return 0;
}

void MainWindow::onFieldContextMenu(HWND field, const Control &control, POINT at) {
    // A right click on a field the user is not in enters it first, as the EDIT's own menu does.
    if (GetFocus() != field)
        SetFocus(field);
    if (at.x == -1 && at.y == -1) { // Shift+F10 or the Menu key: below the caret
        RECT client;
        GetClientRect(field, &client);
        GetCaretPos(&at);
        at.y = client.bottom;
        ClientToScreen(field, &at);
    }
    const lang::Captions &captions = behaviour_.captions();
    DWORD start = 0, end = 0;
    SendMessageW(field, EM_GETSEL, WPARAM(&start), LPARAM(&end));
    const auto length = DWORD(GetWindowTextLengthW(field));
    const bool selection = start != end;
    const std::array<bool, kEditCommands.size()> enabled{
        Edit_CanUndo(field) != 0,
        selection,
        selection,
        IsClipboardFormatAvailable(CF_UNICODETEXT) != 0,
        selection,
        end - start < length};
    HMENU menu = CreatePopupMenu();
    for (std::size_t k = 0; k < kEditCommands.size(); ++k) {
        const wchar_t *key = kEditCommands[k].key;
        const std::wstring shown = key ? key : L'\t' + Wide(captions.deleteKey);
        AppendMenuW(menu, enabled[k] ? MF_STRING : MF_STRING | MF_GRAYED, k + 1,
                    (Wide(captions.editCommands[k]) + shown).c_str());
    }
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    const std::vector<MenuEntry> entries = MenuOf(control, captions);
    HMENU sizes = nullptr;
    for (std::size_t k = 0; k < entries.size(); ++k) {
        HMENU into = menu;
        if (entries[k].command == Command::PrintSize) {
            if (sizes == nullptr) {
                sizes = CreatePopupMenu();
                AppendMenuW(menu, MF_POPUP, UINT_PTR(sizes), Wide(captions.printSizesText).c_str());
            }
            into = sizes;
        }
        AppendMenuW(into, MF_STRING, kFirstMenuEntry + k,
                    (Wide(entries[k].text) + KeyOf(entries[k].command)).c_str());
    }
    const auto chosen = UINT(
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, window_, nullptr));
    DestroyMenu(menu); // and the submenu in it
    if (chosen >= kFirstMenuEntry && chosen - kFirstMenuEntry < entries.size())
        behaviour_.menuChosen(control, entries[chosen - kFirstMenuEntry]);
    else if (chosen > 0 && chosen <= kEditCommands.size()) {
        const UINT message = kEditCommands[chosen - 1].message;
        SendMessageW(field, message, 0, message == EM_SETSEL ? -1 : 0);
    }
}

LRESULT CALLBACK MainWindow::frameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
    // A lock frame is a group box to screen readers, named after what its pair decides, but it
    // paints only the window's background and its lines. What its pair sends goes on to the window.
    auto *self = reinterpret_cast<MainWindow *>(GetWindowLongPtrW(frame, GWLP_USERDATA));
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
            self->paintLines(frame, HDC(wParam));
        return 1;
    }
    case WM_PAINT:
        self->paintLines(frame, nullptr);
        return 0;
    case WM_SETTEXT:       // the group box would paint its caption
    case WM_UPDATEUISTATE: // and its frame
        return DefWindowProcW(frame, message, wParam, lParam);
    }
    return self->passOn(frame, message, wParam, lParam);
}

std::string MainWindow::text(const Control &field) const {
    return Utf8(WindowText(find(field)));
}

void MainWindow::write(const Control &field, const std::string &text) {
    HWND edit = find(field);
    writing_ = true;
    SetWindowTextW(edit, Wide(text).c_str());
    writing_ = false;
    if (GetFocus() != edit) {
        Edit_SetSel(edit, 0, 0);
        Edit_ScrollCaret(edit);
    }
}

void MainWindow::selectAll(const Control &field) {
    Edit_SetSel(find(field), 0, -1);
}

void MainWindow::showLockPair(LockPair pair) {
    for (const LockPair each : kLockPairs)
        ShowWindow(find(Control::Frame(each)), each == pair ? SW_SHOWNA : SW_HIDE);
}

void MainWindow::setLockChecked(LockPair pair, int option) {
    // BM_SETCHECK notifies nobody; it also gives a radio button the Tab stop when it checks it and
    // takes it away when it unchecks it, so that Tab enters a pair at its choice.
    for (const int each : {0, 1})
        Button_SetCheck(find(Control::Lock(pair, each)),
                        each == option ? BST_CHECKED : BST_UNCHECKED);
}

void MainWindow::focus(const Control &control) {
    SetFocus(find(control));
}

void MainWindow::caption(HWND control, std::string_view text, std::string_view tooltip) {
    SetWindowTextW(control, Wide(text).c_str());
    if (!tooltip.empty())
        tip(control, tooltip);
}

void MainWindow::tip(HWND control, std::string_view text) {
    std::wstring wide = Wide(text);
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND;
    tool.hwnd = GetParent(control);
    tool.uId = UINT_PTR(control);
    tool.lpszText = wide.data();
    SendMessageW(tooltips_, TTM_DELTOOLW, 0, LPARAM(&tool));
    if (!wide.empty())
        SendMessageW(tooltips_, TTM_ADDTOOLW, 0, LPARAM(&tool));
}

void MainWindow::setCaptions(const lang::Captions &captions) {
    // A field shows no caption: its label, created just before it, names it.
    for (const layout::Row &row : layout::kControls) {
        HWND control = find(row.control);
        if (control != nullptr && !IsField(row.control)) {
            const auto [text, hint] = TextOf(row.control, captions);
            caption(control, text, hint);
        }
    }
    place();
}

void MainWindow::setFlagChecked(int flag, bool checked) {
    HWND control = find(Control::Flag(flag));
    Button_SetCheck(control, checked ? BST_CHECKED : BST_UNCHECKED);
    // Checking a radio button gives it the Tab stop and unchecking takes it away; a flag keeps its
    // own, as both flags are stops of the Tab order.
    SetWindowLongPtrW(control, GWL_STYLE, GetWindowLongPtrW(control, GWL_STYLE) | WS_TABSTOP);
    // Only the flags move: at the start the captions are still to come, and the labels, sized to
    // no text yet, would be moved twice.
    place(Role::Flag);
}

void MainWindow::setPlaceholder(const Control &field, const std::string &text) {
    Edit_SetCueBannerText(find(field), Wide(text).c_str()); // the EDIT keeps a copy
}

void MainWindow::setToolTip(const Control &field, const std::string &text) {
    tip(find(field), text);
}

void MainWindow::enterText(const Control &field, const std::string &text) {
    HWND edit = find(field);
    SetFocus(edit);
    Edit_SetSel(edit, 0, -1);
    // Undoable, and not the window's own write: EN_CHANGE reports it as the user's edit.
    SendMessageW(edit, EM_REPLACESEL, TRUE, LPARAM(Wide(text).c_str()));
}

void MainWindow::copyToClipboard(const std::string &text) {
    const std::wstring wide = Wide(text);
    if (!OpenClipboard(window_))
        return;
    EmptyClipboard();
    const std::size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
    HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, bytes);
    void *into = copy != nullptr ? GlobalLock(copy) : nullptr;
    if (into != nullptr) {
        std::memcpy(into, wide.c_str(), bytes);
        GlobalUnlock(copy);
    }
    // The clipboard owns the memory once SetClipboardData has taken it.
    if (copy != nullptr && (into == nullptr || SetClipboardData(CF_UNICODETEXT, copy) == nullptr))
        GlobalFree(copy);
    CloseClipboard();
}

} // namespace quadrel
