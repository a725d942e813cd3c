// The window at 1.5 times the scale, where layout pixels and device pixels do not line up: the
// flags stay clean at every size they are drawn for, and every shown line keeps its pixels.

#include "ui_test_support.hpp"

#include "ui/flags.hpp"

#include <QImage>

namespace quadrel {
namespace {

[[maybe_unused]] const bool kScaled = qputenv("QT_SCALE_FACTOR", "1.5"); // before main runs

bool near(QRgb a, QRgb b) { // within 8 in every colour channel
    return std::abs(qRed(a) - qRed(b)) <= 8 && std::abs(qGreen(a) - qGreen(b)) <= 8 &&
           std::abs(qBlue(a) - qBlue(b)) <= 8;
}

// The tricolour in `area` of `image`: one colour a column, green, white and red a third each.
void expectTricolour(const QImage &image, QRect area) {
    std::vector<QRgb> columns;
    for (int x = area.left(); x <= area.right(); ++x) {
        columns.push_back(image.pixel(x, area.top()));
        for (int y = area.top(); y <= area.bottom(); ++y)
            ASSERT_EQ(image.pixel(x, y), columns.back()) << "column " << x << " row " << y;
    }
    const auto whites = std::count(columns.begin(), columns.end(), qRgb(255, 255, 255));
    EXPECT_NEAR(double(whites), area.width() / 3.0, 1.0) << area.width();
    EXPECT_EQ(columns.front(), qRgb(0x00, 0x92, 0x46));
    EXPECT_EQ(columns.back(), qRgb(0xCE, 0x2B, 0x37));
}

// Flag pictures at 1x (creation and enlarged size), 1.25x, 1.5x and 2x: the Union Flag is the
// same after a half turn, and counterchanged: in the hoist half one unit of its 60 x 30 field
// below each diagonal is red, one above it white.
TEST(Scale, FlagsAreDrawnCleanForEverySize) {
    for (const QSize size : {QSize(27, 14), QSize(35, 22), QSize(40, 21), QSize(54, 28)}) {
        const QImage italian = flags::italianFlag(size);
        expectTricolour(italian, italian.rect());
        const QImage uk = flags::unionFlag(size), turned = uk.mirrored(true, true);
        for (int y = 0; y < size.height(); ++y) {
            for (int x = 0; x < size.width(); ++x)
                ASSERT_TRUE(near(uk.pixel(x, y), turned.pixel(x, y))) << x << "," << y;
        }
    }
    const QImage uk = flags::unionFlag({120, 60});
    const QRgb red = qRgb(0xC8, 0x10, 0x2E), white = qRgb(255, 255, 255);
    for (const auto &[at, colour] : {std::pair{QPoint(29, 16), red}, {QPoint(30, 13), white},
                                     {QPoint(30, 46), red}, {QPoint(29, 43), white}})
        EXPECT_TRUE(near(uk.pixel(at), colour)) << at.x() << "," << at.y();
}

// In the window the enlarged tricolour is clean inside its two-pixel border, and the rule and the
// shown frame's bracket are in the text colour all along, but where the options heading lies over
// the rule.
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
    expectTricolour(shot, onDevice(w.get("imgLang", 0)).adjusted(2, 2, -2, -2));
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

} // namespace
} // namespace quadrel
