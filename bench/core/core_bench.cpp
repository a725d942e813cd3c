// Speed of the core: the recalculation of one typical edit, and NumberText against the standard
// library's std::to_chars (general form, 15 digits) on the same values. Runs every benchmark with
// repetitions and ends with summary lines that compare the medians with their targets:
//   RecalcWrites, typical edit: under 1 microsecond per call;
//   NumberText: at most twice the time of std::to_chars.
// Any Google Benchmark flag may be given; the defaults are 10 repetitions of 0.2 s each, reported
// as aggregates only.

#include "bench/bench_support.hpp"
#include "core/number_text.hpp"
#include "core/recalc.hpp"

#include <benchmark/benchmark.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace {

using namespace quadrel;

constexpr double kRecalcTargetNs = 1000.0;
constexpr double kNumberTextRatioTarget = 2.0;

// A typical edit: the megapixels just typed, every other field filled, the default locks.
void BM_RecalcWritesTypicalEdit(benchmark::State &state) {
    FieldTexts texts{"8", "3266", "2449", "300", "27,7", "20,7"};
    const LockChoices locks;
    for (auto _ : state) {
        benchmark::DoNotOptimize(texts);
        auto writes = RecalcWrites(Megapixels, texts, 4.0 / 3, locks, ",");
        benchmark::DoNotOptimize(writes);
    }
}
BENCHMARK(BM_RecalcWritesTypicalEdit);

// The values both writers get, in a fixed order: a quarter each of whole pixel counts and
// resolutions, one-decimal print sizes, full-precision results of the formulas, and values of
// any sign and exponent.
const std::vector<double> &Values() {
    static const std::vector<double> values = [] {
        std::mt19937_64 rng(20240611);
        auto unit = [&rng] { return static_cast<double>(rng() >> 11) * 0x1p-53; };
        std::vector<double> v(1024);
        for (std::size_t i = 0; i < v.size(); ++i) {
            switch (i % 4) {
            case 0:
                v[i] = static_cast<double>(rng() % 10000 + 1);
                break;
            case 1:
                v[i] = static_cast<double>(rng() % 1000) / 10;
                break;
            case 2:
                v[i] = std::sqrt(unit() * 1e8);
                break;
            default:
                v[i] = (rng() % 2 ? -1 : 1) * (1 + 9 * unit()) *
                       std::pow(10.0, static_cast<int>(rng() % 33) - 12);
                break;
            }
        }
        return v;
    }();
    return values;
}

void BM_NumberText(benchmark::State &state) {
    const std::vector<double> &values = Values();
    std::size_t i = 0;
    for (auto _ : state) {
        std::string text = NumberText(values[i++ % values.size()], ",");
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(BM_NumberText);

void BM_ToCharsGeneral15(benchmark::State &state) {
    const std::vector<double> &values = Values();
    std::size_t i = 0;
    char buf[32];
    for (auto _ : state) {
        std::to_chars_result r = std::to_chars(buf, buf + sizeof buf, values[i++ % values.size()],
                                               std::chars_format::general, 15);
        benchmark::DoNotOptimize(buf);
        benchmark::DoNotOptimize(r.ptr);
    }
}
BENCHMARK(BM_ToCharsGeneral15);

// Reading as the recalculation does: one s2n of a field's text.
void BM_s2n(benchmark::State &state) {
    const std::string_view texts[] = {"8", "3266", "27,7", "1,33333333333333", " 12.50 ", "abc"};
    std::size_t i = 0;
    for (auto _ : state) {
        OptionalNumber v = s2n(texts[i++ % std::size(texts)], {}, ",");
        benchmark::DoNotOptimize(v);
    }
}
BENCHMARK(BM_s2n);

// The summary lines: each figure against its target.
void PrintSummary(const bench::MedianReporter &reporter) {
    const auto ns = [&reporter](const char *name) {
        const std::optional<double> s = reporter.medianSeconds(name);
        return s ? std::optional(*s * 1e9) : std::nullopt;
    };
    const std::optional<double> recalc = ns("BM_RecalcWritesTypicalEdit");
    const std::optional<double> numberText = ns("BM_NumberText");
    const std::optional<double> toChars = ns("BM_ToCharsGeneral15");
    std::printf("\nsummary: core, median CPU time per call of %lld repetitions\n",
                reporter.repetitions());
    if (recalc) {
        std::printf("summary:   RecalcWrites, typical edit: %.0f ns, target under %.0f ns: %s\n",
                    *recalc, kRecalcTargetNs, *recalc < kRecalcTargetNs ? "met" : "NOT met");
    } else {
        std::printf("summary:   RecalcWrites, typical edit: not measured\n");
    }
    if (numberText && toChars && *toChars > 0) {
        const double ratio = *numberText / *toChars;
        std::printf("summary:   NumberText %.1f ns, std::to_chars general 15 %.1f ns: ratio "
                    "%.2f, target at most %.0f: %s\n",
                    *numberText, *toChars, ratio, kNumberTextRatioTarget,
                    ratio <= kNumberTextRatioTarget ? "met" : "NOT met");
    } else {
        std::printf("summary:   NumberText / std::to_chars: not measured\n");
    }
    std::fflush(stdout);
}

} // namespace

int main(int argc, char **argv) {
    bench::MedianReporter reporter;
    if (!bench::RunBenchmarks(argc, argv, reporter))
        return 1;
    PrintSummary(reporter);
    return 0;
}
