// The programs startup_bench.exe starts in turn, from this one source: quadrel.exe's own start-up
// (the same steps as ui/win32/main.cpp); with STARTUP_MINIMAL a plain window of the same client
// size with one EDIT; with STARTUP_CONTROLS as well the floor, that window holding the standard
// controls of quadrel.exe's layout (STATIC, EDIT, BUTTON of each style), and no more. Each sets the
// bench's event "QuadrelStartupPainted" once its window has painted for the first time and nothing
// is left to do: no control waits to be painted and no message is queued; then it ends with status
// 0. Ending earlier than that, for whatever reason, is status 1.

#ifdef STARTUP_MINIMAL
#include "ui/common/layout.hpp"
#else
#include "ui/win32/main_window.hpp"
#endif

#include <windows.h>

#include <array>

namespace {

#ifdef STARTUP_MINIMAL
// A window of Quadrel's client size (322 x 284 at 96 dpi) holding one EDIT that takes the focus,
// and with STARTUP_CONTROLS the other controls of the layout, at 96 dpi.
class MinimalWindow {
public:
    MinimalWindow() {
        const HINSTANCE instance = GetModuleHandleW(nullptr);
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = windowProc;
        windowClass.hInstance = instance;
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hbrBackground = GetSysColorBrush(COLOR_3DFACE);
        windowClass.lpszClassName = L"StartupMinimal";
        RegisterClassW(&windowClass);
        constexpr DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
        RECT outer{0, 0, 322, 284};
        AdjustWindowRect(&outer, style, FALSE);
        window_ = CreateWindowW(L"StartupMinimal", L"Minimal", style, CW_USEDEFAULT, CW_USEDEFAULT,
                                outer.right - outer.left, outer.bottom - outer.top, nullptr,
                                nullptr, instance, nullptr);
        const HWND edit = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                                          WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, 10,
                                          10, 97, 19, window_, nullptr, instance, nullptr);
        SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(edit));
#ifdef STARTUP_CONTROLS
        // The lock frames by pair, each created before its options; the pixels' shown.
        std::array<HWND, 3> frames{};
        for (const quadrel::layout::Row &row : quadrel::layout::kControls) {
            using enum quadrel::Role;
            const quadrel::Control &c = row.control;
            const bool field = c.role == Field || c.role == RatioField;
            const bool option = c.role == LockOption, frame = c.role == LockFrame;
            const bool button = c.role == DefaultRatioButton || c.role == CloseButton;
            if (c.role == Line || c == quadrel::Control::Field(0))
                continue; // the lines are painted; the first field is there
            const DWORD controlStyle = field            ? WS_TABSTOP | ES_AUTOHSCROLL
                                       : button         ? WS_TABSTOP | BS_PUSHBUTTON
                                       : option         ? WS_TABSTOP | BS_AUTORADIOBUTTON
                                       : c.role == Flag ? WS_TABSTOP | BS_RADIOBUTTON
                                       : frame          ? BS_GROUPBOX
                                                        : SS_LEFT;
            const bool isButton = button || option || c.role == Flag || frame;
            const bool hidden = frame && c.pair != quadrel::LockPair::Pixels;
            const quadrel::layout::PixelBox box = quadrel::layout::ToPixels(row.box, {});
            const HWND control = CreateWindowExW(
                field ? WS_EX_CLIENTEDGE : 0,
                field      ? L"EDIT"
                : isButton ? L"BUTTON"
                           : L"STATIC",
                L"Text", WS_CHILD | controlStyle | (hidden ? 0 : WS_VISIBLE), box.left, box.top,
                box.width, box.height, c.pair && !frame ? frames.at(std::size_t(*c.pair)) : window_,
                nullptr, instance, nullptr);
            if (frame)
                frames.at(std::size_t(*c.pair)) = control;
        }
#endif
    }

    HWND handle() const {
        return window_;
    }
    bool translate(MSG &) {
        return false;
    }

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_SETFOCUS) {
            SetFocus(reinterpret_cast<HWND>(GetWindowLongPtrW(window, GWLP_USERDATA)));
            return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }

    HWND window_ = nullptr;
};
#endif

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show) {
#ifdef STARTUP_MINIMAL
    MinimalWindow window;
#else
    quadrel::MainWindow window;
#endif
    ShowWindow(window.handle(), show);
    // The message loop of main.cpp, which stops at the first moment that nothing is queued once
    // the window has had its first WM_PAINT. Windows hands out WM_PAINT only when no other
    // message waits, and the controls' after the window's own, so by then every control has
    // painted as well.
    bool painted = false;
    for (;;) {
        MSG message;
        if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (painted)
                break;
            WaitMessage();
            continue;
        }
        if (message.message == WM_QUIT)
            return 1;
        painted = painted || (message.message == WM_PAINT && message.hwnd == window.handle());
        if (!window.translate(message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    GdiFlush();
    if (HANDLE event = OpenEventW(EVENT_MODIFY_STATE, FALSE, L"QuadrelStartupPainted")) {
        SetEvent(event);
        CloseHandle(event);
    }
    return 0;
}
