// Start-up to first paint of the Win32 window against a minimal Win32 program (a window with one
// EDIT), both run under the same wine: startup_bench.exe [runs]. Both programs
// (startup_program.cpp) say through an event when their window has painted, and then end. They
// are started in turn, a pair at a time, so that whatever else the machine does weighs on both
// alike; each time runs from CreateProcess to the event, and the figure is the median of the
// pairs' ratios. Target: at most 1.2 times the minimal program's time. For reference it also
// times a window holding the same standard controls as quadrel.exe and nothing else: what the
// controls alone cost under wine. bench/win32/run gives it a wine prefix.

#include <windows.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr double kTimeTarget = 1.2;

// Starts `program`, waits for its first paint and then its end, and returns the time to the
// paint in milliseconds; exits on failure.
double runOnce(const std::wstring &program, HANDLE painted) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    std::wstring commandLine = L"\"" + program + L"\"";
    const auto start = std::chrono::steady_clock::now();
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
        std::fprintf(stderr, "%ls could not be started (error %lu)\n", program.c_str(),
                     GetLastError());
        std::exit(1);
    }
    const std::array<HANDLE, 2> ends{painted, process.hProcess};
    const bool paints = WaitForMultipleObjects(2, ends.data(), FALSE, INFINITE) == WAIT_OBJECT_0;
    const std::chrono::duration<double, std::milli> ms = std::chrono::steady_clock::now() - start;
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD status = 1;
    GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    if (status != 0 || !paints) {
        std::fprintf(stderr, "%ls failed (status %lu)\n", program.c_str(), status);
        std::exit(1);
    }
    return ms.count();
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char **argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 40;
    std::wstring dir(MAX_PATH, L'\0');
    dir.resize(GetModuleFileNameW(nullptr, dir.data(), DWORD(dir.size())));
    dir.resize(dir.find_last_of(L'\\') + 1);
    const std::wstring quadrel = dir + L"startup_quadrel.exe";
    const std::wstring minimal = dir + L"startup_minimal.exe";
    const std::wstring controls = dir + L"startup_controls.exe";

    HANDLE painted = CreateEventW(nullptr, FALSE, FALSE, L"QuadrelStartupPainted");

    for (int i = 0; i < 3; ++i) { // warm the file cache
        for (const std::wstring &program : {quadrel, minimal, controls})
            runOnce(program, painted);
    }
    // Each round times the three programs in turn; the ratios are to the round's minimal program.
    std::vector<double> q, m, ratios, controlRatios;
    for (int i = 0; i < runs; ++i) {
        q.push_back(runOnce(quadrel, painted));
        m.push_back(runOnce(minimal, painted));
        ratios.push_back(q.back() / m.back());
        controlRatios.push_back(runOnce(controls, painted) / m.back());
    }
    const double ratio = median(ratios);
    std::printf("the same standard controls without the program: ratio %.2f\n",
                median(controlRatios));
    std::printf("summary: start-up to first paint under wine: quadrel.exe %.1f ms, minimal Win32 "
                "program %.1f ms: ratio %.2f (median of %d pairs), target at most %.1f: %s\n",
                median(q), median(m), ratio, runs, kTimeTarget,
                ratio <= kTimeTarget ? "met" : "NOT met");
    return 0;
}
