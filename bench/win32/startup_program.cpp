// The two programs startup_bench.exe starts in turn, from this one source: quadrel.exe's own
// start-up (the same steps as ui/win32/main.cpp), or with STARTUP_MINIMAL the floor, a plain
// window of the same client size with one EDIT. Each sets the bench's event
// "QuadrelStartupPainted" once its window has painted for the first time and nothing is left to
// do: no control waits to be painted and no message is queued; then it ends with status 0. Ending
// earlier than that, for whatever reason, is status 1.

#ifndef STARTUP_MINIMAL
#include "ui/win32/main_window.hpp"
#endif

#include <windows.h>

namespace {

#ifdef STARTUP_MINIMAL
// A window of Quadrel's client size (322 x 284 at 96 dpi) holding one EDIT that takes the focus.
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
    }

    HWND handle() const { return window_; }
    bool translate(MSG &) { return false; }

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
