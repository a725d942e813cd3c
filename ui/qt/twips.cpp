#include "twips.hpp"

#include <QGuiApplication>
#include <QScreen>

namespace quadrel::twips {

namespace {

std::optional<layout::TwipsPerPixel> overridden;

float perPixel(qreal dpi) {
    return dpi > 0.0 ? layout::kTwipsPerInch / static_cast<float>(dpi) : layout::TwipsPerPixel{}.x;
}

} // namespace

layout::TwipsPerPixel twipsPerPixel() {
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (overridden || screen == nullptr)
        return overridden.value_or(layout::TwipsPerPixel{});
    return {perPixel(screen->logicalDotsPerInchX()), perPixel(screen->logicalDotsPerInchY())};
}

void setTwipsPerPixelOverride(std::optional<layout::TwipsPerPixel> value) {
    overridden = value;
}

QRect toPixels(layout::BoxF box) {
    const layout::PixelBox p = layout::ToPixels(box, twipsPerPixel());
    return {p.left, p.top, p.width, p.height};
}

} // namespace quadrel::twips
