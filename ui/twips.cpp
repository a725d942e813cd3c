#include "twips.hpp"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace quadrel::twips {

namespace {

std::optional<TwipsPerPixel> overridden;

float perPixel(qreal dpi) {
    return dpi > 0.0 ? kTwipsPerInch / static_cast<float>(dpi) : TwipsPerPixel{}.x;
}

// Twips to the nearest whole number of pixels.
int pixels(float twips, float perPixel) {
    return static_cast<int>(std::lround(twips / perPixel));
}

} // namespace

TwipsPerPixel twipsPerPixel() {
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (overridden || screen == nullptr)
        return overridden.value_or(TwipsPerPixel{});
    return {perPixel(screen->logicalDotsPerInchX()), perPixel(screen->logicalDotsPerInchY())};
}

void setTwipsPerPixelOverride(std::optional<TwipsPerPixel> value) {
    overridden = value;
}

QRect toPixels(BoxF box) {
    const TwipsPerPixel tpp = twipsPerPixel();
    const int width = box.width == 0.0F ? 1 : pixels(box.width, tpp.x);
    const int height = box.height == 0.0F ? 1 : pixels(box.height, tpp.y);
    return {pixels(box.left, tpp.x), pixels(box.top, tpp.y), width, height};
}

} // namespace quadrel::twips
