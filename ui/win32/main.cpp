// quadrel.exe: the window and its message loop.

#include "ui/win32/main_window.hpp"

#include <cstdlib>
#include <filesystem>
#include <vector>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show) {
    quadrel::MainWindow window;
    ShowWindow(window.handle(), show);
    // Files named on the command line open as dropped ones do: one that does not open leaves the
    // window open, its message over it. The arguments as the system gives them, in UTF-16.
    if (__argc > 1)
        window.openFiles(std::vector<std::filesystem::path>(__wargv + 1, __wargv + __argc));
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!window.translate(message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return int(message.wParam);
}
