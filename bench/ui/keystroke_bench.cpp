// Speed of one keystroke in the window: a digit typed into the megapixel field, with all six
// fields filled, until every write of the recalculation is applied. The floor is the same key
// event into a plain line edit whose change handler writes five precomputed texts into five
// other line edits. Both run in the same process on the offscreen platform; the summary compares
// their medians with the target (at most 1.3 times the floor).
// Any Google Benchmark flag may be given; the defaults are 10 repetitions of 0.2 s each.

#include "bench/bench_support.hpp"
#include "core/recalc.hpp"
#include "ui/frmMain.hpp"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <array>
#include <cstdio>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr double kRatioTarget = 1.3;

// Typing alternates between these two digits, each replacing the whole text, so that every
// keystroke changes the field and all five written texts.
constexpr std::array<char, 2> kDigits{'7', '8'};

QLineEdit *fieldOf(QWidget &window, int index) {
    for (QLineEdit *field : window.findChildren<QLineEdit *>(QStringLiteral("txtDati"))) {
        if (field->property("index").toInt() == index)
            return field;
    }
    return nullptr;
}

void typeDigit(QLineEdit *field, char digit) {
    field->selectAll();
    QTest::keyClick(field, digit);
}

void BM_WindowKeystroke(benchmark::State &state) {
    quadrel::frmMain window;
    window.show();
    if (!QTest::qWaitForWindowActive(&window)) {
        state.SkipWithError("window not active");
        return;
    }
    QLineEdit *megapixels = fieldOf(window, quadrel::Megapixels);
    fieldOf(window, quadrel::Dpi)->setText(QStringLiteral("300"));
    typeDigit(megapixels, '8');
    for (int i = 0; i < quadrel::kFieldCount; ++i) {
        if (fieldOf(window, i)->text().isEmpty()) {
            state.SkipWithError("a field is empty");
            return;
        }
    }
    std::size_t n = 0;
    for (auto _ : state)
        typeDigit(megapixels, kDigits[n++ % 2]);
}
BENCHMARK(BM_WindowKeystroke);

void BM_PlainLineEditFloor(benchmark::State &state) {
    QWidget window;
    std::array<QLineEdit *, quadrel::kFieldCount> fields{};
    for (int i = 0; i < quadrel::kFieldCount; ++i) {
        fields[i] = new QLineEdit(&window);
        fields[i]->setGeometry(10, 10 + 25 * i, 100, 20);
    }
    // The texts that the recalculation writes for each digit, worked out beforehand.
    std::map<QString, std::vector<QString>> writes;
    for (char digit : kDigits) {
        const std::string typed(1, digit);
        const quadrel::FieldTexts texts{typed, "", "", "300", "", ""};
        for (const quadrel::FieldWrite &w :
             quadrel::RecalcWrites(quadrel::Megapixels, texts, 4.0 / 3, {}, ","))
            writes[QString(QLatin1Char(digit))].push_back(QString::fromStdString(w.text));
    }
    QObject::connect(fields[0], &QLineEdit::textChanged, &window, [&](const QString &text) {
        const auto it = writes.find(text);
        if (it == writes.end())
            return;
        for (int k = 1; k < quadrel::kFieldCount; ++k)
            fields[k]->setText(it->second[k - 1]);
    });
    window.show();
    if (!QTest::qWaitForWindowActive(&window)) {
        state.SkipWithError("window not active");
        return;
    }
    fields[0]->setFocus();
    typeDigit(fields[0], '8');
    std::size_t n = 0;
    for (auto _ : state)
        typeDigit(fields[0], kDigits[n++ % 2]);
}
BENCHMARK(BM_PlainLineEditFloor);

// The summary lines: the window's keystroke against the floor.
void PrintSummary(const quadrel::bench::MedianReporter &reporter) {
    const std::optional<double> window = reporter.medianSeconds("BM_WindowKeystroke");
    const std::optional<double> floor = reporter.medianSeconds("BM_PlainLineEditFloor");
    std::printf("\nsummary: ui keystroke, median CPU time per key of %lld repetitions\n",
                reporter.repetitions());
    if (window && floor && *floor > 0) {
        const double ratio = *window / *floor;
        std::printf("summary:   window %.1f us, plain line edit floor %.1f us: ratio %.2f, "
                    "target at most %.1f: %s\n",
                    *window * 1e6, *floor * 1e6, ratio, kRatioTarget,
                    ratio <= kRatioTarget ? "met" : "NOT met");
    } else {
        std::printf("summary:   keystroke: not measured\n");
    }
    std::fflush(stdout);
}

} // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The comma is the decimal mark in both benchmarks.
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    QApplication app(argc, argv);

    quadrel::bench::MedianReporter reporter;
    if (!quadrel::bench::RunBenchmarks(argc, argv, reporter))
        return 1;
    PrintSummary(reporter);
    return 0;
}
