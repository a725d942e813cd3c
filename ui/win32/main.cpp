// quadrel.exe: the window and its message loop.

#include "ui/win32/main_window.hpp"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show) {
    quadrel::MainWindow window;
    ShowWindow(window.handle(), show);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!window.translate(message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return int(message.wParam);
}
