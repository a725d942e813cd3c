// One keystroke in the window against the floor of any live calculator built on Qt's line edits.
//
// The window: a digit typed into the megapixel field, with the resolution filled, so that every
// keystroke recalculates and rewrites the five other fields. The floor: the same key event into a
// plain line edit whose change handler writes the same five texts into five other line edits.
// Each iteration types one key into each side in turn and then lets that side repaint what changed
// (its pending update requests), timing the key alone and the key with its repaint; the paints
// are counted, so that a side that stops painting, or paints a control more, shows. The ratios of
// the sums are reported per repetition, so a machine that slows down slows both sides alike.
// Targets: the window paints as many controls a key as the floor; it takes at most 1.05 times the
// floor's time with the repaint, and at most 1.3 times without it. Any Google Benchmark flag may
// be given; the defaults are 10 repetitions of 0.5 s.

#include "ui/qt/main_window.hpp"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <benchmark/benchmark.h>

#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <string>
#include <tuple>
#include <vector>

namespace {

constexpr double kPaintTarget = 1.05;  // with the repaint
constexpr double kNoPaintTarget = 1.3; // the key alone
constexpr int kFields = 6;

// Each keystroke replaces the whole text with the other digit, so that every one changes all six
// fields.
constexpr std::array<char, 2> kDigits{'7', '8'};

QLineEdit *field(const quadrel::MainWindow &window, int index) {
    return static_cast<QLineEdit *>(window.widget(quadrel::Control::Field(index)));
}

void typeDigit(QLineEdit *f, char digit) {
    f->selectAll();
    QTest::keyClick(f, digit);
}

// Six line edits in a window; a change of the first writes the texts the window wrote for it.
class Floor : public QWidget {
public:
    explicit Floor(const quadrel::MainWindow &window) {
        for (int i = 0; i < kFields; ++i) {
            fields_[i] = new QLineEdit(this);
            fields_[i]->setGeometry(10, 10 + 25 * i, 100, 20);
        }
        for (std::size_t d = 0; d < kDigits.size(); ++d) {
            typeDigit(field(window, 0), kDigits[d]);
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

using Clock = std::chrono::steady_clock;

// One side: a window and the line edit typed into. type() sums the time of the key alone and of
// the key with the repaint that follows it; the paint events of the window's widgets are counted.
struct Side : QObject {
    Side(QWidget &window, QLineEdit *edit)
        : input(edit) {
        window.installEventFilter(this);
        for (QWidget *w : window.findChildren<QWidget *>())
            w->installEventFilter(this);
    }
    bool eventFilter(QObject *, QEvent *event) override {
        paints += event->type() == QEvent::Paint;
        return false;
    }
    void type(char digit) {
        const Clock::time_point start = Clock::now();
        typeDigit(input, digit);
        const Clock::time_point typed = Clock::now();
        QCoreApplication::processEvents(); // the update requests the key left behind
        key += typed - start;
        keyAndPaint += Clock::now() - start;
    }

    QLineEdit *input;
    Clock::duration key{}, keyAndPaint{};
    long paints = 0;
};

void BM_Keystroke(benchmark::State &state) {
    quadrel::MainWindow window;
    window.show();
    if (!QTest::qWaitForWindowActive(&window)) {
        state.SkipWithError("window not active");
        return;
    }
    field(window, 3)->setText(QStringLiteral("300"));
    Floor floor(window);
    floor.show();
    field(window, 0)->setFocus();
    if (!QTest::qWaitForWindowExposed(&floor) || field(window, 5)->text().isEmpty()) {
        state.SkipWithError("windows not ready");
        return;
    }
    QCoreApplication::processEvents();

    Side inWindow(window, field(window, 0)), inFloor(floor, floor.first());
    std::size_t n = 0;
    for (auto _ : state) {
        const char digit = kDigits[n++ % kDigits.size()];
        inWindow.type(digit);
        inFloor.type(digit);
    }
    if (inWindow.paints == 0 || inFloor.paints == 0)
        state.SkipWithError("a side did not paint");
    const auto us = [n](Clock::duration d) {
        return std::chrono::duration<double, std::micro>(d).count() / static_cast<double>(n);
    };
    benchmark::UserCounters &c = state.counters;
    c["nopaint_window_us"] = us(inWindow.key);
    c["nopaint_floor_us"] = us(inFloor.key);
    c["nopaint_ratio"] = us(inWindow.key) / us(inFloor.key);
    c["paint_window_us"] = us(inWindow.keyAndPaint);
    c["paint_floor_us"] = us(inFloor.keyAndPaint);
    c["paint_ratio"] = us(inWindow.keyAndPaint) / us(inFloor.keyAndPaint);
    c["paints_window"] = static_cast<double>(inWindow.paints) / static_cast<double>(n);
    c["paints_floor"] = static_cast<double>(inFloor.paints) / static_cast<double>(n);
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

    benchmark::UserCounters &m = reporter.median;
    if (!m.count("paint_ratio")) {
        std::printf("summary: keystroke: not measured\n");
        return 1;
    }
    // A control painted more or less than the floor's is a cost, or a change left unpainted.
    const double paints = m["paints_window"], floorPaints = m["paints_floor"];
    std::printf("summary: keystroke paints: window %.2f, plain line edits %.2f a key (median of "
                "repetitions), target as many as the floor: %s\n",
                paints, floorPaints, std::abs(paints - floorPaints) < 0.05 ? "met" : "NOT met");
    for (const auto &[what, key, target] : {std::tuple{"without paint", "nopaint", kNoPaintTarget},
                                            {"with repaint", "paint", kPaintTarget}}) {
        const std::string k = key;
        const double ratio = m[k + "_ratio"];
        std::printf("summary: keystroke %s: window %.1f us, plain line edits %.1f us: ratio %.2f "
                    "(median of repetitions), target at most %.2f: %s\n",
                    what, m[k + "_window_us"].value, m[k + "_floor_us"].value, ratio, target,
                    ratio <= target ? "met" : "NOT met");
    }
    return 0;
}
