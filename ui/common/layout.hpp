#pragma once

// The main window's table of controls: what each control is and where it lies, in twips (1/1440
// inch), with the conversion of a twips box to screen pixels. Both windows create, place, find
// and dispatch their controls from this one table, as a dialog template drives a dialog. No
// toolkit is involved.
//
// A row gives the control (its role, its index among the controls of that role, the lock pair it
// belongs to) and its left, top, width and height. A control of a lock pair lies in that pair's
// frame and is placed relative to the frame's top-left corner; everything else, the frames
// included, lies in the window. A line is a box of zero width (vertical) or zero height
// (horizontal) from its first end point: the window's line runs from (68, 2880) to (4748, 2880).
// Labels size themselves to their text; their width and height here are those of the Italian
// captions in an 8-point dialog font, and only their left and top are binding.

#include "core/recalc.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <string>

namespace quadrel {

// What a control is to the window. The first six roles take the focus.
enum class Role {
    Field,              // a data field, by its index (Field, core/recalc.hpp)
    RatioField,         // the X/Y ratio
    DefaultRatioButton, // puts back 4/3
    CloseButton,
    Flag,               // 0 Italian, 1 English
    LockOption,         // option 0 or 1 of its pair
    FieldLabel,         // the label of the data field of the same index
    RatioLabel,
    CreditLabel,
    OptionsHeading,     // the heading on the window's line, above the ratio
    LockFrame,          // its pair's options, shown while a field of the pair's kind is the one
                        // last entered
    Line,               // 0..4
};

struct Control {
    Role role = Role::Field;
    int index = 0;                // among the controls of its role (and pair); 0 for a single one
    std::optional<LockPair> pair = {}; // the lock pair it belongs to
    bool operator==(const Control &) const = default;

    constexpr bool takesFocus() const { return role <= Role::LockOption; }

    static constexpr Control Field(int field) { return {Role::Field, field}; }
    static constexpr Control Flag(int flag) { return {Role::Flag, flag}; }
    static constexpr Control Lock(LockPair pair, int option) {
        return {Role::LockOption, option, pair};
    }
    static constexpr Control Frame(LockPair pair) { return {Role::LockFrame, 0, pair}; }
};

inline constexpr Control kRatioField{Role::RatioField};

} // namespace quadrel

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

struct Row {
    Control control;
    BoxF box;
};

// The window's client area: 322 x 284 pixels at 15 twips per pixel.
inline constexpr BoxF kClientArea{0, 0, 4830, 4260};

// The rows in the order the window creates its controls: the controls that take the focus in the
// order Tab visits them, each field's label just before its field (where a screen reader looks for
// a field's name), each pair's options inside its frame; last what lies on top of the window's
// line. The flags and the option pairs come after the close button: while a field is being edited
// its frame changes with the field, so the pair stands where the frame shown is always the one of
// the field last entered. Tab passes over the options of a hidden frame.
// clang-format off
inline constexpr auto kControls = [] {
    using enum Role;
    using enum LockPair;
    return std::to_array<Row>({
    // control                                    left   top    width  height
    {{FieldLabel, 0},                           {180,   525,   720,   195}},
    {{Field, 0},                                {2224,  480,   1455,  285}},
    {{FieldLabel, 1},                           {180,   870,   1290,  195}},
    {{Field, 1},                                {2224,  825,   1455,  285}},
    {{FieldLabel, 2},                           {180,   1215,  1140,  195}},
    {{Field, 2},                                {2224,  1170,  1455,  285}},
    {{FieldLabel, 3},                           {180,   1560,  1935,  195}},
    {{Field, 3},                                {2224,  1515,  1455,  285}},
    {{FieldLabel, 4},                           {180,   1905,  1800,  195}},
    {{Field, 4},                                {2224,  1860,  1455,  285}},
    {{FieldLabel, 5},                           {180,   2250,  1575,  195}},
    {{Field, 5},                                {2224,  2205,  1455,  285}},
    {{RatioLabel},                              {180,   3120,  990,   195}},
    {{RatioField},                              {2224,  3075,  1455,  285}},
    {{DefaultRatioButton},                      {3720,  3075,  975,   285}},
    {{CloseButton},                             {3480,  3720,  1215,  375}},
    {{Flag, 0},                                 {120,   60,    435,   240}},
    {{Flag, 1},                                 {660,   60,    435,   240}},
    {{LockFrame, 0, PrintSize},                 {3735,  480,   915,   1455}},
    {{LockOption, 0, PrintSize},                {26,    360,   915,   255}},
    {{LockOption, 1, PrintSize},                {26,    1065,  915,   255}},
    {{Line, 0, PrintSize},                      {0,     0,     0,     960}},
    {{LockFrame, 0, Resolution},                {3735,  480,   915,   2055}},
    {{LockOption, 0, Resolution},               {26,    360,   915,   255}},
    {{LockOption, 1, Resolution},               {26,    1600,  915,   255}},
    {{Line, 2, Resolution},                     {0,     0,     0,     960}},
    {{Line, 3, Resolution},                     {0,     1440,  0,     560}},
    {{LockFrame, 0, Pixels},                    {3735,  1560,  915,   975}},
    {{LockOption, 0, Pixels},                   {26,    0,     915,   255}},
    {{LockOption, 1, Pixels},                   {26,    518,   915,   255}},
    {{Line, 1, Pixels},                         {0,     270,   0,     690}},
    {{Line, 4},                                 {68,    2880,  4680,  0}},
    {{OptionsHeading},                          {2078,  2760,  675,   225}},
    {{CreditLabel},                             {60,    3810,  1950,  195}},
    });
}();
// clang-format on

// The row of `control` in kControls; kControls.size() for a control the window does not have.
constexpr std::size_t RowOf(const Control &control) {
    return std::size_t(std::ranges::find(kControls, control, &Row::control) - kControls.begin());
}

// The container of `control`: the frame of its pair, or none for the window.
constexpr std::optional<Control> ContainerOf(const Control &control) {
    if (!control.pair || control.role == Role::LockFrame)
        return std::nullopt;
    return Control::Frame(*control.pair);
}

// A name of the control for people: its role, its pair and its index where it has them.
//   Name(Control::Field(3)) -> "field.3"   Name(Control::Lock(PrintSize, 1)) ->
//   "lockOption.printSize.1"   Name(kRatioField) -> "ratioField"
inline std::string Name(const Control &control) {
    constexpr std::array<const char *, 12> kRoles{
        "field", "ratioField", "defaultRatioButton", "closeButton", "flag",
        "lockOption", "fieldLabel", "ratioLabel", "creditLabel", "optionsHeading",
        "lockFrame", "line"};
    constexpr std::array<const char *, 3> kPairs{"pixels", "resolution", "printSize"};
    std::string name = kRoles.at(std::size_t(control.role));
    if (control.pair)
        name = name + '.' + kPairs.at(std::size_t(*control.pair));
    const bool single = std::ranges::count(kControls, control.role,
                                           [](const Row &r) { return r.control.role; }) == 1;
    if (!single && control.role != Role::LockFrame)
        name += '.' + std::to_string(control.index);
    return name;
}

} // namespace quadrel::layout
