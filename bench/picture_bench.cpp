// From a picture file dropped on the window to its figures on screen, and the memory that costs:
// picture_bench [drops]. The bench writes its pictures itself: the header of a 48-megapixel JPEG
// (8000 x 6000) behind an EXIF block of 60 kB, as large as a camera's with its thumbnail, and
// nothing after the frame header, since only the header is read. Two such files, the second
// turned a quarter by its EXIF orientation, are dropped on the megapixel field in turn (300 DPI
// typed first), so that every drop changes every figure; each drop is timed from the drop event
// to the end of the repaint it causes. Memory is the peak resident set size before the first drop
// and after the last. Targets, absolute: at most 20 ms for the slowest drop, at most 2 MB more
// peak memory. Runs on the offscreen platform unless QT_QPA_PLATFORM says otherwise.

#include "ui/qt/main_window.hpp"

#include <QApplication>
#include <QDropEvent>
#include <QFile>
#include <QLineEdit>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr double kTimeTargetMs = 20.0;
constexpr double kMemoryTargetMb = 2.0;
constexpr int kExifBytes = 60 * 1024;

// The JPEG header: SOI, APP1 "Exif" of kExifBytes (a little-endian TIFF header, a first IFD with
// the orientation, then filler where a camera puts its thumbnail), SOF0 8000 x 6000.
QByteArray Jpeg(char orientation) {
    QByteArray tiff = QByteArray("II*\0\x08\0\0\0\x01\0\x12\x01\x03\0\x01\0\0\0", 18) +
                      orientation + QByteArray(7, '\0');
    tiff += QByteArray(kExifBytes - 2 - 6 - tiff.size(), '\x55');
    const auto be = [](qsizetype v) { return QByteArray(1, char(v >> 8)) + char(v & 0xFF); };
    return QByteArray("\xFF\xD8\xFF\xE1", 4) + be(kExifBytes) + QByteArray("Exif\0\0", 6) + tiff +
           QByteArray("\xFF\xC0\0\x11\x08", 5) + be(6000) + be(8000) +
           QByteArray("\x03\x01\x22\0\x02\x11\x01\x03\x11\x01", 10);
}

// Counts the paint events of the widget it watches.
struct PaintCount : QObject {
    bool eventFilter(QObject *, QEvent *event) override {
        paints += event->type() == QEvent::Paint;
        return false;
    }
    long paints = 0;
};

double PeakMb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

} // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int drops = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;

    QTemporaryDir dir;
    std::vector<QMimeData> pictures(2);
    for (int i = 0; i < 2; ++i) {
        QFile file(dir.filePath(QStringLiteral("picture-%1.jpg").arg(i)));
        if (!file.open(QIODevice::WriteOnly) || file.write(Jpeg(i == 0 ? 1 : 6)) < kExifBytes)
            return 1;
        pictures[std::size_t(i)].setUrls({QUrl::fromLocalFile(file.fileName())});
    }

    quadrel::MainWindow window;
    window.show();
    if (!QTest::qWaitForWindowActive(&window))
        return 1;
    auto *field = static_cast<QLineEdit *>(window.widget(quadrel::Control::Field(0)));
    auto *dpi = static_cast<QLineEdit *>(window.widget(quadrel::Control::Field(3)));
    auto *horizontal = static_cast<QLineEdit *>(window.widget(quadrel::Control::Field(1)));
    dpi->setFocus();
    QTest::keyClicks(dpi, QStringLiteral("300"));
    QCoreApplication::processEvents();
    PaintCount painted;
    horizontal->installEventFilter(&painted);

    const double peakBefore = PeakMb();
    std::vector<double> ms;
    const QPoint at = field->rect().center();
    for (int i = 0; i < drops; ++i) {
        const QMimeData &picture = pictures[std::size_t(i % 2)];
        QDragEnterEvent enter(at, Qt::CopyAction, &picture, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(field, &enter); // the drag that comes before its drop
        const auto start = std::chrono::steady_clock::now();
        QDropEvent drop(at, Qt::CopyAction, &picture, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(field, &drop);
        QCoreApplication::processEvents(); // the repaint the drop asked for
        ms.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
        if (horizontal->text() != (i % 2 == 0 ? "8000" : "6000") || painted.paints <= i) {
            std::printf("summary: picture drop: the figures did not follow the picture\n");
            return 1;
        }
    }
    const double extraMb = PeakMb() - peakBefore;

    std::sort(ms.begin(), ms.end());
    const double slowest = ms.back();
    std::printf("summary: drop of a 48-megapixel JPEG (EXIF 60 kB) to its figures on screen: "
                "median %.2f ms, slowest %.2f ms of %d drops, target at most %.0f ms: %s\n",
                ms[ms.size() / 2], slowest, drops, kTimeTargetMs,
                slowest <= kTimeTargetMs ? "met" : "NOT met");
    std::printf("summary: peak memory over the drops: %+.2f MB, target at most +%.0f MB: %s\n",
                extraMb, kMemoryTargetMb, extraMb <= kMemoryTargetMb ? "met" : "NOT met");
    return 0;
}
