// Start-up to first paint and memory of Quadrel against a minimal Qt program (a window with one
// line edit): startup_bench [runs]. Both programs (startup_program.cpp) end at their window's first
// paint. They are started in turn, a pair at a time, so that whatever else the machine does weighs
// on both alike; the time is the median of the pairs' ratios. Memory is the difference of the two
// programs' medians, of the peak resident set size (shared libraries and code included) and of the
// private memory at first paint, which each program prints. Targets: at most 1.15 times the
// minimal program's time, at most 3 MB more memory.
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
#include <utility>
#include <vector>

namespace {

constexpr double kTimeTarget = 1.15;
constexpr double kMemoryTargetMb = 3.0;

struct Run {
    double ms = 0;
    double peakMb = 0;
    double privateMb = 0;
};

// Starts `program`, waits for it, and returns its wall time and memory; exits on failure.
Run runOnce(const std::string &program) {
    int out[2];
    if (pipe(out) != 0)
        std::exit(1);
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        // Only the program's own line comes back: Qt's notes on the offscreen platform would
        // swamp the report.
        dup2(out[1], STDOUT_FILENO);
        dup2(open("/dev/null", O_WRONLY), STDERR_FILENO);
        execl(program.c_str(), program.c_str(), static_cast<char *>(nullptr));
        _exit(127);
    }
    close(out[1]);
    FILE *output = fdopen(out[0], "r");
    long privateKb = 0;
    const bool printed = std::fscanf(output, "%ld", &privateKb) == 1 && privateKb > 0;
    std::fclose(output);
    int status = 0;
    rusage usage{};
    if (pid < 0 || wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0 || !printed) {
        std::fprintf(stderr, "%s failed (status %d)\n", program.c_str(), status);
        std::exit(1);
    }
    const std::chrono::duration<double, std::milli> ms = std::chrono::steady_clock::now() - start;
    return {ms.count(), static_cast<double>(usage.ru_maxrss) / 1024.0,
            static_cast<double>(privateKb) / 1024.0};
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double median(const std::vector<Run> &runs, double Run::*value) {
    std::vector<double> v;
    for (const Run &run : runs)
        v.push_back(run.*value);
    return median(v);
}

} // namespace

int main(int argc, char **argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 40;
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const std::string self = argv[0], dir = self.substr(0, self.rfind('/') + 1);
    const std::string quadrel = dir + "startup_quadrel", minimal = dir + "startup_minimal";

    for (int i = 0; i < 3; ++i) { // warm the file cache
        runOnce(quadrel);
        runOnce(minimal);
    }
    std::vector<Run> q, m;
    std::vector<double> ratios;
    for (int i = 0; i < runs; ++i) {
        q.push_back(runOnce(quadrel));
        m.push_back(runOnce(minimal));
        ratios.push_back(q.back().ms / m.back().ms);
    }
    const double ratio = median(ratios);
    std::printf("summary: start-up to first paint: quadrel %.1f ms, minimal Qt program %.1f ms: "
                "ratio %.2f (median of %d pairs), target at most %.2f: %s\n",
                median(q, &Run::ms), median(m, &Run::ms), ratio, runs, kTimeTarget,
                ratio <= kTimeTarget ? "met" : "NOT met");
    for (const auto &[what, value] :
         {std::pair{"peak memory (resident)", &Run::peakMb},
          std::pair{"private memory at first paint (RssAnon)", &Run::privateMb}}) {
        const double extraMb = median(q, value) - median(m, value);
        std::printf("summary: %s: quadrel %.2f MB, minimal %.2f MB: %+.2f MB, target at most "
                    "+%.0f MB: %s\n",
                    what, median(q, value), median(m, value), extraMb, kMemoryTargetMb,
                    extraMb <= kMemoryTargetMb ? "met" : "NOT met");
    }
    return 0;
}
