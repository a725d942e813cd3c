#pragma once

// The main window's layout in twips (1/1440 inch), one row per control, and the conversion of a
// twips box to screen pixels; both windows place their controls from it. No toolkit is involved.
//
// A row gives the control's name, its index among the controls of that name (-1 for a single
// control), its container, and its left, top, width and height. A control inside a lock frame is
// placed relative to the frame's top-left corner. A line is a box of zero width (vertical) or zero
// height (horizontal) from its first end point: line 4 runs from (68, 2880) to (4748, 2880).
// Labels size themselves to their text; their width and height here are those of the Italian
// captions in an 8-point dialog font, and only their left and top are binding.

#include <array>
#include <cmath>
#include <string_view>
#include <utility>

namespace quadrel::layout {

inline constexpr float kTwipsPerInch = 1440.0F;

// Twips per screen pixel, horizontally and vertically: 1440 / the screen's logical DPI, 15 at 96.
struct TwipsPerPixel {
    float x = 15.0F;
    float y = 15.0F;
    bool operator==(const TwipsPerPixel &) const = default;
};

// A box in twips, in single precision. A zero width or height is a line one pixel thick.
struct BoxF {
    float left = 0.0F;
    float top = 0.0F;
    float width = 0.0F;
    float height = 0.0F;
    bool operator==(const BoxF &) const = default;
};

// A box in whole screen pixels.
struct PixelBox {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const PixelBox &) const = default;
};

// A twips box to pixels: left, top, width and height each rounded on its own, so that moving a box
// by a whole number of pixels in twips moves its pixel box by exactly that number. A zero width or
// height becomes 1 pixel (a line).
//   at 15 twips per pixel: {120, 60, 435, 240} -> {8, 4, 29, 16}; {68, 2880, 4680, 0} ->
//   {5, 192, 312, 1}
inline PixelBox ToPixels(BoxF box, TwipsPerPixel perPixel) {
    const auto pixels = [](float twips, float per) { return int(std::lround(twips / per)); };
    return {pixels(box.left, perPixel.x), pixels(box.top, perPixel.y),
            box.width == 0.0F ? 1 : pixels(box.width, perPixel.x),
            box.height == 0.0F ? 1 : pixels(box.height, perPixel.y)};
}

// The checked flag's box is 4 screen pixels larger on every side, its centre fixed; `on` false
// undoes that. The pixels are converted to twips with the density at the time of the call.
//   at 15 twips per pixel: Highlighted({120, 60, 435, 240}, true, {}) -> {60, 0, 555, 360}
inline BoxF Highlighted(BoxF box, bool on, TwipsPerPixel perPixel) {
    const float dx = (on ? 4.0F : -4.0F) * perPixel.x;
    const float dy = (on ? 4.0F : -4.0F) * perPixel.y;
    return {box.left - dx, box.top - dy, box.width + 2.0F * dx, box.height + 2.0F * dy};
}

// The containers: the window, and the three lock frames, each shown while a field of its kind is
// the one last entered (pixel fields, the resolution field, a print-size field).
enum class Container { Window, PixelLocks, ResolutionLocks, PrintSizeLocks };

struct Place {
    std::string_view name;
    int index; // among the controls of that name, -1 for a single control
    Container container;
    BoxF box;
};

// The window's client area: 322 x 284 pixels at 15 twips per pixel.
inline constexpr BoxF kClientArea{0, 0, 4830, 4260};

// clang-format off
inline constexpr auto kPlaces = std::to_array<Place>({
    // name                  index  container                      left   top    width  height
    {"flag",                  0,    Container::Window,          {120,   60,    435,   240}},
    {"flag",                  1,    Container::Window,          {660,   60,    435,   240}},
    {"fieldLabel",            0,    Container::Window,          {180,   525,   720,   195}},
    {"field",                 0,    Container::Window,          {2224,  480,   1455,  285}},
    {"fieldLabel",            1,    Container::Window,          {180,   870,   1290,  195}},
    {"field",                 1,    Container::Window,          {2224,  825,   1455,  285}},
    {"fieldLabel",            2,    Container::Window,          {180,   1215,  1140,  195}},
    {"field",                 2,    Container::Window,          {2224,  1170,  1455,  285}},
    {"fieldLabel",            3,    Container::Window,          {180,   1560,  1935,  195}},
    {"field",                 3,    Container::Window,          {2224,  1515,  1455,  285}},
    {"printSizeLocks",       -1,    Container::Window,          {3735,  480,   915,   1455}},
    {"fieldLabel",            4,    Container::Window,          {180,   1905,  1800,  195}},
    {"field",                 4,    Container::Window,          {2224,  1860,  1455,  285}},
    {"fieldLabel",            5,    Container::Window,          {180,   2250,  1575,  195}},
    {"field",                 5,    Container::Window,          {2224,  2205,  1455,  285}},
    {"resolutionLocks",      -1,    Container::Window,          {3735,  480,   915,   2055}},
    {"pixelLocks",           -1,    Container::Window,          {3735,  1560,  915,   975}},
    {"optionsHeading",       -1,    Container::Window,          {2078,  2760,  675,   225}},
    {"line",                  4,    Container::Window,          {68,    2880,  4680,  0}},
    {"ratioLabel",           -1,    Container::Window,          {180,   3120,  990,   195}},
    {"ratioField",           -1,    Container::Window,          {2224,  3075,  1455,  285}},
    {"defaultRatioButton",   -1,    Container::Window,          {3720,  3075,  975,   285}},
    {"creditLabel",          -1,    Container::Window,          {60,    3810,  1950,  195}},
    {"closeButton",          -1,    Container::Window,          {3480,  3720,  1215,  375}},

    {"printSizeLock",         0,    Container::PrintSizeLocks,  {26,    360,   915,   255}},
    {"printSizeLock",         1,    Container::PrintSizeLocks,  {26,    1065,  915,   255}},
    {"line",                  0,    Container::PrintSizeLocks,  {0,     0,     0,     960}},
    {"resolutionLock",        0,    Container::ResolutionLocks, {26,    360,   915,   255}},
    {"resolutionLock",        1,    Container::ResolutionLocks, {26,    1600,  915,   255}},
    {"line",                  2,    Container::ResolutionLocks, {0,     0,     0,     960}},
    {"line",                  3,    Container::ResolutionLocks, {0,     1440,  0,     560}},
    {"pixelLock",             0,    Container::PixelLocks,      {26,    0,     915,   255}},
    {"pixelLock",             1,    Container::PixelLocks,      {26,    518,   915,   255}},
    {"line",                  1,    Container::PixelLocks,      {0,     270,   0,     690}},
});
// clang-format on

// The names of the lock options of each pair, in the order of LockPair (ui/common/behaviour.hpp).
inline constexpr std::array<std::string_view, 3> kLockOptionNames{"pixelLock", "resolutionLock",
                                                                  "printSizeLock"};

// The order in which Tab visits the controls that take the focus, by name and index; it passes
// over the options of a hidden frame. The flags and the option pairs come after the close button:
// while a field is being edited its frame changes with the field, so the pair stands where the
// frame shown is always the one of the field last entered.
// clang-format off
inline constexpr auto kTabOrder = std::to_array<std::pair<std::string_view, int>>({
    {"field", 0}, {"field", 1}, {"field", 2}, {"field", 3}, {"field", 4}, {"field", 5},
    {"ratioField", -1}, {"defaultRatioButton", -1}, {"closeButton", -1}, {"flag", 0}, {"flag", 1},
    {"printSizeLock", 0}, {"printSizeLock", 1}, {"resolutionLock", 0}, {"resolutionLock", 1},
    {"pixelLock", 0}, {"pixelLock", 1},
});
// clang-format on

} // namespace quadrel::layout
