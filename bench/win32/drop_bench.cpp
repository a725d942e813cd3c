// From a picture file dropped on the Win32 window to its figures on screen, and the memory that
// costs, under wine: drop_bench.exe [drops]. The bench writes its pictures itself: the header of a
// 48-megapixel JPEG (8000 x 6000) behind an EXIF block of 60 kB, as large as a camera's with its
// thumbnail, and nothing after the frame header, since only the header is read. Two such files,
// the second turned a quarter by its EXIF orientation, are dropped on the window in turn (300 DPI
// typed first), so that every drop changes every figure. Each drop is a WM_DROPFILES with an HDROP
// made in memory as the shell makes it, timed from the message to the end of the painting it
// causes. The first drop also loads shell32, which the window loads only then: it is timed too,
// and shown apart. Memory is the peak working set and the peak private bytes before the first drop
// and after the last. Targets, absolute: at most 20 ms for the slowest drop, at most 2 MB more
// peak memory. bench/win32/run gives it a wine prefix and one CPU.

#define PSAPI_VERSION 2 // GetProcessMemoryInfo is kernel32's K32GetProcessMemoryInfo
#include "ui/win32/main_window.hpp"

#include <psapi.h>
#include <shlobj.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr double kTimeTargetMs = 20.0;
constexpr double kMemoryTargetMb = 2.0;
constexpr int kExifBytes = 60 * 1024;

// The JPEG header: SOI, APP1 "Exif" of kExifBytes (a little-endian TIFF header, a first IFD with
// the orientation, then filler where a camera puts its thumbnail), SOF0 8000 x 6000.
std::string Jpeg(char orientation) {
    const auto be = [](int v) { return std::string{char(v >> 8), char(v & 0xFF)}; };
    std::string exif = std::string("Exif\0\0II*\0\x08\0\0\0\x01\0\x12\x01\x03\0\x01\0\0\0", 24) +
                       orientation + std::string(7, '\0');
    exif += std::string(std::size_t(kExifBytes - 2) - exif.size(), '\x55');
    return std::string("\xFF\xD8\xFF\xE1", 4) + be(kExifBytes) + exif +
           std::string("\xFF\xC0\0\x11\x08", 5) + be(6000) + be(8000) +
           std::string("\x03\x01\x22\0\x02\x11\x01\x03\x11\x01", 10);
}

// One file as the shell hands a drop over: DROPFILES, the path ending in a null, and a null.
HDROP Drop(const std::filesystem::path &file) {
    const std::wstring list = file.wstring() + L'\0';
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + (list.size() + 1) * sizeof(wchar_t));
    auto *header = static_cast<DROPFILES *>(GlobalLock(memory));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    std::memcpy(header + 1, list.c_str(), (list.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(memory);
    return HDROP(memory);
}

void Pump(quadrel::MainWindow &window) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (!window.translate(message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

PROCESS_MEMORY_COUNTERS Memory() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    return counters;
}

double Mb(SIZE_T after, SIZE_T before) {
    return (double(after) - double(before)) / (1024.0 * 1024.0);
}

} // namespace

int main(int argc, char **argv) {
    const int drops = argc > 1 ? std::max(2, std::atoi(argv[1])) : 200;
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "quadrel-drops";
    std::filesystem::create_directories(folder);
    std::array<std::filesystem::path, 2> pictures{folder / "picture-0.jpg",
                                                  folder / "picture-1.jpg"};
    for (int i = 0; i < 2; ++i)
        std::ofstream(pictures[std::size_t(i)], std::ios::binary) << Jpeg(i == 0 ? 1 : 6);

    quadrel::MainWindow window;
    ShowWindow(window.handle(), SW_SHOW);
    Pump(window);
    HWND dpi = window.find(quadrel::Control::Field(quadrel::Dpi));
    HWND horizontal = window.find(quadrel::Control::Field(quadrel::PixelsX));
    SetFocus(dpi);
    for (const wchar_t c : {L'3', L'0', L'0'})
        SendMessageW(dpi, WM_CHAR, c, 1);
    Pump(window);

    const bool shell32Before = GetModuleHandleW(L"shell32.dll") != nullptr;
    const PROCESS_MEMORY_COUNTERS before = Memory();
    std::vector<double> ms;
    for (int i = 0; i < drops; ++i) {
        HDROP drop = Drop(pictures[std::size_t(i % 2)]);
        const auto start = std::chrono::steady_clock::now();
        SendMessageW(window.handle(), WM_DROPFILES, WPARAM(drop), 0);
        RedrawWindow(window.handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        Pump(window);
        ms.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
        std::array<wchar_t, 16> text{};
        GetWindowTextW(horizontal, text.data(), int(text.size()));
        if (std::wstring(text.data()) != (i % 2 == 0 ? L"8000" : L"6000")) {
            std::printf("summary: picture drop on quadrel.exe: the figures did not follow the "
                        "picture\n");
            return 1;
        }
    }
    const PROCESS_MEMORY_COUNTERS after = Memory();
    std::filesystem::remove_all(folder);

    const double first = ms.front();
    std::vector<double> rest(ms.begin() + 1, ms.end());
    std::sort(rest.begin(), rest.end());
    const double slowest = std::max(first, rest.back());
    const double workingSet = Mb(after.PeakWorkingSetSize, before.PeakWorkingSetSize);
    const double privateBytes = Mb(after.PeakPagefileUsage, before.PeakPagefileUsage);
    std::printf(
        "summary: drop of a 48-megapixel JPEG (EXIF 60 kB) on quadrel.exe under wine to its "
        "figures on screen: first (%s) %.2f ms, then median %.2f ms, slowest "
        "%.2f ms of %d drops, target at most %.0f ms: %s\n",
        shell32Before ? "shell32 already loaded" : "loading shell32", first, rest[rest.size() / 2],
        rest.back(), drops, kTimeTargetMs, slowest <= kTimeTargetMs ? "met" : "NOT met");
    std::printf("summary: quadrel.exe's peak memory over the drops: working set %+.2f MB, private "
                "bytes %+.2f MB, target at most +%.0f MB: %s\n",
                workingSet, privateBytes, kMemoryTargetMb,
                std::max(workingSet, privateBytes) <= kMemoryTargetMb ? "met" : "NOT met");
    return 0;
}
