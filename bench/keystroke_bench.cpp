// One keystroke in the window against the floor of any live calculator built on Qt's line edits.
//
// The window: a digit typed into the megapixel field, with the resolution filled, so that every
// keystroke recalculates and rewrites the five other fields. The floor: the same key event into a
// plain line edit whose change handler writes the same five texts into five other line edits.
// Each iteration types one key into each, in turn, and times both; the ratio of the two sums is
// reported per repetition, so a machine that slows down slows both sides alike.
// Target: the window at most 1.3 times the floor. Any Google Benchmark flag may be given; the
// defaults are 10 repetitions of 0.5 s.

#include "ui/frmMain.hpp"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <benchmark/benchmark.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr double kTarget = 1.3;
constexpr int kFields = 6;

// Each keystroke replaces the whole text with the other digit, so that every one changes all six
// fields.
constexpr std::array<char, 2> kDigits{'7', '8'};

QLineEdit *field(QWidget &window, int index) {
    for (QLineEdit *f : window.findChildren<QLineEdit *>(QStringLiteral("txtDati"))) {
        if (f->property("index").toInt() == index)
            return f;
    }
    return nullptr;
}

void typeDigit(QLineEdit *f, char digit) {
    f->selectAll();
    QTest::keyClick(f, digit);
}

// Six line edits in a window; a change of the first writes the texts the window wrote for it.
class Floor : public QWidget {
public:
    explicit Floor(quadrel::frmMain &window) {
        for (int i = 0; i < kFields; ++i) {
            fields_[i] = new QLineEdit(this);
            fields_[i]->setGeometry(10, 10 + 25 * i, 100, 20);
        }
        QLineEdit *megapixels = field(window, 0);
        for (std::size_t d = 0; d < kDigits.size(); ++d) {
            typeDigit(megapixels, kDigits[d]);
            for (int i = 1; i < kFields; ++i)
                writes_[d].push_back(field(window, i)->text());
        }
        connect(fields_[0], &QLineEdit::textChanged, this, [this](const QString &text) {
            const std::vector<QString> &texts = writes_[text == QLatin1Char(kDigits[0]) ? 0 : 1];
            for (int i = 1; i < kFields; ++i)
                fields_[i]->setText(texts[i - 1]);
        });
    }
    QLineEdit *first() const { return fields_[0]; }

private:
    std::array<QLineEdit *, kFields> fields_{};
    std::array<std::vector<QString>, kDigits.size()> writes_;
};

void BM_Keystroke(benchmark::State &state) {
    quadrel::frmMain window;
    window.show();
    if (!QTest::qWaitForWindowActive(&window)) {
        state.SkipWithError("window not active");
        return;
    }
    field(window, 3)->setText(QStringLiteral("300"));
    Floor floor(window);
    floor.show();
    QLineEdit *megapixels = field(window, 0);
    megapixels->setFocus();
    if (!QTest::qWaitForWindowExposed(&floor) || field(window, 5)->text().isEmpty()) {
        state.SkipWithError("windows not ready");
        return;
    }

    using Clock = std::chrono::steady_clock;
    Clock::duration inWindow{}, inFloor{};
    std::size_t n = 0;
    for (auto _ : state) {
        const char digit = kDigits[n++ % kDigits.size()];
        const Clock::time_point start = Clock::now();
        typeDigit(megapixels, digit);
        const Clock::time_point middle = Clock::now();
        typeDigit(floor.first(), digit);
        inFloor += Clock::now() - middle;
        inWindow += middle - start;
    }
    const auto us = [&](Clock::duration d) {
        return std::chrono::duration<double, std::micro>(d).count() / static_cast<double>(n);
    };
    state.counters["window_us"] = us(inWindow);
    state.counters["floor_us"] = us(inFloor);
    state.counters["ratio"] = us(inWindow) / us(inFloor);
}
BENCHMARK(BM_Keystroke)->Unit(benchmark::kMicrosecond);

// The usual report; keeps the median repetition's counters for the summary.
class Reporter : public benchmark::ConsoleReporter {
public:
    Reporter()
        : ConsoleReporter(OO_Tabular) {} // no colours: the summary lines are read back

    void ReportRuns(const std::vector<Run> &runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs) {
            if (run.aggregate_name == "median" || (runs.size() == 1 && !run.error_occurred))
                median = run.counters;
        }
    }
    benchmark::UserCounters median;
};

} // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    QApplication app(argc, argv);

    std::vector<std::string> flags{argv[0], "--benchmark_repetitions=10",
                                   "--benchmark_min_time=0.5",
                                   "--benchmark_report_aggregates_only=true"};
    flags.insert(flags.end(), argv + 1, argv + argc);
    std::vector<char *> args;
    for (std::string &flag : flags)
        args.push_back(flag.data());
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data()))
        return 2;
    Reporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    if (!reporter.median.count("ratio")) {
        std::printf("summary: keystroke: not measured\n");
        return 1;
    }
    const double ratio = reporter.median["ratio"];
    std::printf("summary: keystroke: window %.1f us, plain line edits %.1f us: ratio %.2f "
                "(median of repetitions), target at most %.1f: %s\n",
                reporter.median["window_us"].value, reporter.median["floor_us"].value, ratio,
                kTarget, ratio <= kTarget ? "met" : "NOT met");
    return 0;
}
