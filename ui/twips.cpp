#include "twips.hpp"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace quadrel::twips {

namespace {

std::optional<TwipsPerPixel> &overrideValue() {
    static std::optional<TwipsPerPixel> value;
    return value;
}

float perPixel(qreal dpi) {
    return dpi > 0.0 ? kTwipsPerInch / static_cast<float>(dpi) : TwipsPerPixel{}.x;
}

int round(float twips, float perPixel) {
    return static_cast<int>(std::lround(twips / perPixel));
}

} // namespace

TwipsPerPixel twipsPerPixel() {
    if (overrideValue())
        return *overrideValue();
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return {};
    return {perPixel(screen->logicalDotsPerInchX()), perPixel(screen->logicalDotsPerInchY())};
}

void setTwipsPerPixelOverride(std::optional<TwipsPerPixel> value) {
    overrideValue() = value;
}

int toPixelsX(float twips) {
    return round(twips, twipsPerPixel().x);
}

int toPixelsY(float twips) {
    return round(twips, twipsPerPixel().y);
}

QRect toPixels(BoxF box) {
    const TwipsPerPixel tpp = twipsPerPixel();
    const int width = box.width == 0.0F ? 1 : round(box.width, tpp.x);
    const int height = box.height == 0.0F ? 1 : round(box.height, tpp.y);
    return {round(box.left, tpp.x), round(box.top, tpp.y), width, height};
}

} // namespace quadrel::twips
