// The window at 1.5 times the scale, where layout pixels and device pixels do not line up: the
// flags stay clean (one colour per stripe column, the Union Flag's half-turn symmetry) and every
// shown line keeps its pixels.

#include "ui_test_support.hpp"

#include "ui/flags.hpp"

#include <QImage>
#include <QPixmap>

namespace quadrel {
namespace {

// The largest difference of one colour channel between two pixels.
int difference(QRgb a, QRgb b) {
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                     std::abs(qBlue(a) - qBlue(b))});
}

// The colours of the columns of `image` within `area`, each column checked to be one colour.
std::vector<QRgb> stripeColumns(const QImage &image, QRect area) {
    std::vector<QRgb> columns;
    for (int x = area.left(); x <= area.right(); ++x) {
        columns.push_back(image.pixel(x, area.top()));
        for (int y = area.top(); y <= area.bottom(); ++y)
            EXPECT_EQ(image.pixel(x, y), columns.back()) << "column " << x << " row " << y;
    }
    return columns;
}

// Sizes of the flag pictures at 1x (creation and enlarged size), 1.25x, 1.5x and 2x.
const std::array kSizes{QSize(27, 14), QSize(35, 22), QSize(33, 17), QSize(40, 21), QSize(54, 28)};

TEST(Scale, FlagsAreDrawnCleanForEverySize) {
    for (const QSize size : kSizes) {
        const QImage italian = flags::italianFlag(size);
        const std::vector<QRgb> columns = stripeColumns(italian, italian.rect());
        const auto whites = std::count(columns.begin(), columns.end(), qRgb(255, 255, 255));
        EXPECT_NEAR(double(whites), size.width() / 3.0, 1.0) << size.width();
        EXPECT_EQ(qGreen(columns.front()), 0x92);
        EXPECT_EQ(qRed(columns.back()), 0xCE);

        // Counterchanged saltire and centred crosses: the flag is the same after a half turn.
        const QImage uk = flags::unionFlag(size);
        const QImage turned = uk.mirrored(true, true);
        for (int y = 0; y < size.height(); ++y) {
            for (int x = 0; x < size.width(); ++x)
                ASSERT_LE(difference(uk.pixel(x, y), turned.pixel(x, y)), 8) << x << "," << y;
        }
    }
}

// In the hoist half the red of the saltire lies below each diagonal, the white above it.
TEST(Scale, UnionFlagIsCounterchanged) {
    const QImage uk = flags::unionFlag({120, 60}); // 2 pixels to a unit of the 60 x 30 field
    const QRgb red = qRgb(0xC8, 0x10, 0x2E), white = qRgb(255, 255, 255);
    const std::array<std::pair<QPoint, QRgb>, 4> cases{{
        {{29, 16}, red}, {{30, 13}, white}, // one unit below and above the falling diagonal
        {{30, 46}, red}, {{29, 43}, white}, // and the rising one
    }};
    for (const auto &[at, colour] : cases)
        EXPECT_LE(difference(uk.pixel(at), colour), 8) << at.x() << "," << at.y();
}

TEST(Scale, FlagsAndLinesKeepTheirPixelsInTheWindow) {
    test::Window w;
    ASSERT_TRUE(w.active);
    const QImage shot = w.grab().toImage();
    ASSERT_EQ(shot.devicePixelRatio(), 1.5);
    const auto onDevice = [&](const QWidget *c) {
        const QRectF r(QPointF(c->mapTo(&w, QPoint(0, 0))) * 1.5, QSizeF(c->size()) * 1.5);
        return QRect(QPoint(qRound(r.left()), qRound(r.top())),
                     QPoint(qRound(r.right()) - 1, qRound(r.bottom()) - 1));
    };
    // The Italian flag (enlarged) inside its two-pixel border: clean stripes, green to red.
    const std::vector<QRgb> columns =
        stripeColumns(shot, onDevice(w.get("imgLang", 0)).adjusted(2, 2, -2, -2));
    EXPECT_EQ(columns.front(), qRgb(0x00, 0x92, 0x46));
    EXPECT_EQ(columns.back(), qRgb(0xCE, 0x2B, 0x37));
    // The rule and the bracket of the shown lock frame are drawn in the text colour all along,
    // but where the options heading lies over the rule.
    const QRgb ink = w.palette().color(QPalette::WindowText).rgb();
    const QRect heading = onDevice(w.get("lblOptions"));
    for (const int i : {1, 4}) {
        const QRect line = onDevice(w.get("lnLines", i));
        const bool vertical = line.height() > line.width();
        for (int k = 2; k < (vertical ? line.height() : line.width()) - 2; ++k) {
            const QPoint at = vertical ? QPoint(line.left(), line.top() + k)
                                       : QPoint(line.left() + k, line.top());
            if (!heading.contains(at)) {
                ASSERT_EQ(shot.pixel(at), ink) << "lnLines(" << i << ") at " << k;
            }
        }
    }
}

// The window manager is offered every size of the desktop icons.
TEST(Scale, WindowIconComesInEverySize) {
    test::Window w;
    const QList<QSize> offered = w.windowIcon().availableSizes();
    for (const int side : {16, 32, 48, 64, 128})
        EXPECT_TRUE(offered.contains(QSize(side, side))) << side;
}

} // namespace
} // namespace quadrel

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_SCALE_FACTOR", "1.5");
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
