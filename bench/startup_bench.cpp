// Start-up to first paint, and peak memory, of Quadrel against a minimal Qt program (a window with
// one line edit): startup_bench [runs]. Both programs end at their window's first paint. They are
// started in turn, a pair at a time, so that whatever else the machine does weighs on both alike;
// the time is the median of the pairs' ratios, the memory the median peak resident set size.
// Targets: at most 1.2 times the minimal program's time, at most 3 MB more memory.
// Runs on the offscreen platform unless QT_QPA_PLATFORM says otherwise.

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr double kTimeTarget = 1.2;
constexpr double kMemoryTargetMb = 3.0;

struct Run {
    double ms = 0;
    double peakMb = 0;
};

// Starts `program`, waits for it, and returns its wall time and peak memory; exits on failure.
Run runOnce(const std::string &program) {
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        // Quiet: Qt's notes on the offscreen platform would swamp the report.
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        execl(program.c_str(), program.c_str(), static_cast<char *>(nullptr));
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (pid < 0 || wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s failed (status %d)\n", program.c_str(), status);
        std::exit(1);
    }
    const std::chrono::duration<double, std::milli> ms = std::chrono::steady_clock::now() - start;
    return {ms.count(), static_cast<double>(usage.ru_maxrss) / 1024.0};
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char **argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 40;
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const std::string dir = [&] {
        const std::string self = argv[0];
        const std::size_t slash = self.rfind('/');
        return slash == std::string::npos ? std::string(".") : self.substr(0, slash);
    }();
    const std::string quadrel = dir + "/startup_quadrel", minimal = dir + "/startup_minimal";

    for (int i = 0; i < 3; ++i) { // warm the file cache
        runOnce(quadrel);
        runOnce(minimal);
    }
    std::vector<double> ratios, quadrelMs, minimalMs, quadrelMb, minimalMb;
    for (int i = 0; i < runs; ++i) {
        const Run q = runOnce(quadrel), m = runOnce(minimal);
        ratios.push_back(q.ms / m.ms);
        quadrelMs.push_back(q.ms);
        minimalMs.push_back(m.ms);
        quadrelMb.push_back(q.peakMb);
        minimalMb.push_back(m.peakMb);
    }
    const double ratio = median(ratios);
    const double extraMb = median(quadrelMb) - median(minimalMb);
    std::printf("summary: start-up to first paint: quadrel %.1f ms, minimal Qt program %.1f ms: "
                "ratio %.2f (median of %d pairs), target at most %.1f: %s\n",
                median(quadrelMs), median(minimalMs), ratio, runs, kTimeTarget,
                ratio <= kTimeTarget ? "met" : "NOT met");
    std::printf("summary: peak memory: quadrel %.1f MB, minimal %.1f MB: %+.2f MB, target at most "
                "+%.0f MB: %s\n",
                median(quadrelMb), median(minimalMb), extraMb, kMemoryTargetMb,
                extraMb <= kMemoryTargetMb ? "met" : "NOT met");
    return 0;
}
