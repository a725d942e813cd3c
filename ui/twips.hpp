#pragma once

// Twips, the window's layout unit: 1/1440 inch. Every conversion between twips and screen pixels
// goes through this file, with the screen's twips per pixel (1440 / logical DPI: 15 at 96 DPI).

#include <QRect>

#include <optional>

namespace quadrel::twips {

inline constexpr float kTwipsPerInch = 1440.0F;

// Twips per screen pixel, horizontally and vertically.
struct TwipsPerPixel {
    float x = 15.0F;
    float y = 15.0F;
    bool operator==(const TwipsPerPixel &) const = default;
};

// The primary screen's twips per pixel, read at every call (15 x 15 when there is no screen), or
// the value set with setTwipsPerPixelOverride while one is set.
TwipsPerPixel twipsPerPixel();

// Makes twipsPerPixel() return `value` instead of the screen's figure; std::nullopt goes back to
// the screen. Meant for tests that need another pixel density than the machine's.
void setTwipsPerPixelOverride(std::optional<TwipsPerPixel> value);

// A box in twips, in single precision. A zero width or height is a line one pixel thick.
struct BoxF {
    float left = 0.0F;
    float top = 0.0F;
    float width = 0.0F;
    float height = 0.0F;
    bool operator==(const BoxF &) const = default;
};

// A twips box to pixels: left, top, width and height each rounded on its own, so that moving a box
// by a whole number of pixels in twips moves its pixel rectangle by exactly that number. A zero
// width or height becomes 1 pixel (a line).
//   at 15 twips per pixel: {120, 60, 435, 240} -> QRect(8, 4, 29, 16); {68, 2880, 4680, 0} ->
//   QRect(5, 192, 312, 1)
QRect toPixels(BoxF box);

} // namespace quadrel::twips
