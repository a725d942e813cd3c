#pragma once

// What every benchmark program shares: the project's default flags and a console report that also
// keeps the median CPU time of each benchmark for the program's summary lines.

#include <benchmark/benchmark.h>

#include <map>
#include <optional>
#include <string>
#include <unistd.h>
#include <vector>

namespace quadrel::bench {

// The usual console report, which also keeps the median CPU time per iteration of every benchmark
// (or its single run's time without repetitions).
class MedianReporter : public benchmark::ConsoleReporter {
public:
    MedianReporter()
        : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_Defaults : OO_Tabular) {}

    void ReportRuns(const std::vector<Run> &reports) override {
        ConsoleReporter::ReportRuns(reports);
        for (const Run &run : reports) {
            if (run.error_occurred)
                continue;
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
            if (median || single) {
                seconds_[run.run_name.function_name] =
                    run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
                repetitions_ = run.repetitions;
            }
        }
    }

    // The median CPU time of benchmark `name` in seconds, if it ran.
    std::optional<double> medianSeconds(const std::string &name) const {
        const auto it = seconds_.find(name);
        return it == seconds_.end() ? std::nullopt : std::optional(it->second);
    }
    long long repetitions() const { return repetitions_; }

private:
    std::map<std::string, double> seconds_;
    long long repetitions_ = 1;
};

// Runs the registered benchmarks with 10 repetitions of 0.2 s each, reported as aggregates only;
// flags on the command line override these defaults. False when a flag is not understood.
inline bool RunBenchmarks(int argc, char **argv, MedianReporter &reporter) {
    std::vector<char *> args{argv[0]};
    std::string defaults[] = {"--benchmark_repetitions=10", "--benchmark_min_time=0.2",
                              "--benchmark_report_aggregates_only=true"};
    for (std::string &d : defaults)
        args.push_back(d.data());
    for (int i = 1; i < argc; ++i)
        args.push_back(argv[i]);
    int count = static_cast<int>(args.size());
    args.push_back(nullptr);

    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data()))
        return false;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return true;
}

} // namespace quadrel::bench
