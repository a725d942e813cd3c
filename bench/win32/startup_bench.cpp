// Start-up to first paint of the Win32 window under wine, against the floor of a window holding
// the same standard controls and nothing else: startup_bench.exe [rounds]. What quadrel.exe adds
// to creating its controls (its behaviour's start, captions, fonts, tooltips, subclassing, placing)
// is what the ratio shows; for reference it also times a minimal Win32 program, a window with one
// EDIT. The programs (startup_program.cpp) say through an event when their window has painted,
// and then end. Each round starts the three in turn, quadrel.exe and the floor in alternating
// order, so that whatever else the machine does weighs on them alike; each time runs from
// CreateProcess to the event, and the figures are the medians of the rounds' ratios. Target: at
// most 1.1 times the floor's time. bench/win32/run gives it a wine prefix and one CPU.

#include <windows.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr double kTimeTarget = 1.1;

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
    const std::wstring controls = dir + L"startup_controls.exe";
    const std::wstring minimal = dir + L"startup_minimal.exe";

    HANDLE painted = CreateEventW(nullptr, FALSE, FALSE, L"QuadrelStartupPainted");

    for (int i = 0; i < 3; ++i) { // warm the file cache
        for (const std::wstring &program : {quadrel, controls, minimal})
            runOnce(program, painted);
    }
    std::vector<double> q, c, m, ratios, minimalRatios, controlRatios;
    for (int i = 0; i < runs; ++i) {
        // Whichever of quadrel.exe and the floor goes second finds the other's traces in the
        // caches and in the wine server: the order alternates.
        if (i % 2 == 0) {
            q.push_back(runOnce(quadrel, painted));
            c.push_back(runOnce(controls, painted));
        } else {
            c.push_back(runOnce(controls, painted));
            q.push_back(runOnce(quadrel, painted));
        }
        m.push_back(runOnce(minimal, painted));
        ratios.push_back(q.back() / c.back());
        minimalRatios.push_back(q.back() / m.back());
        controlRatios.push_back(c.back() / m.back());
    }
    const double ratio = median(ratios);
    std::printf("summary: start-up to first paint under wine: quadrel.exe %.1f ms, the same "
                "standard controls alone %.1f ms: ratio %.2f (median of %d pairs), target at most "
                "%.1f: %s\n",
                median(q), median(c), ratio, runs, kTimeTarget,
                ratio <= kTimeTarget ? "met" : "NOT met");
    std::printf("summary: for information, against a window with one EDIT (%.1f ms): quadrel.exe "
                "ratio %.2f, the same standard controls alone %.2f\n",
                median(m), median(minimalRatios), median(controlRatios));
    return 0;
}
