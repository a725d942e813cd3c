#pragma once

// The screen's twips per pixel as Qt knows it, and twips boxes as Qt rectangles (the conversion
// itself is ui/common/layout.hpp's, shared with the Win32 window).

#include "ui/common/layout.hpp"

#include <QRect>

#include <optional>

namespace quadrel::twips {

// The primary screen's twips per pixel (1440 / its logical DPI), read at every call (15 x 15 when
// there is no screen), or the value set with setTwipsPerPixelOverride while one is set.
layout::TwipsPerPixel twipsPerPixel();

// Makes twipsPerPixel() return `value` instead of the screen's figure; std::nullopt goes back to
// the screen. Meant for tests that need another pixel density than the machine's.
void setTwipsPerPixelOverride(std::optional<layout::TwipsPerPixel> value);

// layout::ToPixels at the screen's density, as a QRect.
QRect toPixels(layout::BoxF box);

} // namespace quadrel::twips
