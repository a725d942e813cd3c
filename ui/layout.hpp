#pragma once

// The layout of frmMain in twips, one row per control: name, array index (-1 for a single
// control), container, and left, top, width, height. A control inside a frame is placed relative
// to the frame's top-left corner. A line is a box of zero width (vertical) or zero height
// (horizontal) from its first end point: lnLines(4) runs from (68, 2880) to (4748, 2880).
// Labels size themselves to their text; their width and height here are those of the creation
// captions in an 8-point dialog font, and only their left and top are binding.

#include "twips.hpp"

#include <array>
#include <utility>
#include <string_view>

namespace quadrel::layout {

enum class Container { Window, fraP, fraD, fraR };

struct Place {
    std::string_view name;
    int index; // position in the control array, -1 for a single control
    Container container;
    twips::BoxF box;
};

// The window's client area: 322 x 284 pixels at 15 twips per pixel.
inline constexpr twips::BoxF kClientArea{0, 0, 4830, 4260};

using enum Container;

// clang-format off
inline constexpr auto kPlaces = std::to_array<Place>({
    // name             index  container  left   top    width  height
    {"imgLang",          0,    Window,   {120,   60,    435,   240}},
    {"imgLang",          1,    Window,   {660,   60,    435,   240}},
    {"lblLabels",        0,    Window,   {180,   525,   720,   195}},
    {"txtDati",          0,    Window,   {2224,  480,   1455,  285}},
    {"lblLabels",        1,    Window,   {180,   870,   1290,  195}},
    {"txtDati",          1,    Window,   {2224,  825,   1455,  285}},
    {"lblLabels",        2,    Window,   {180,   1215,  1140,  195}},
    {"txtDati",          2,    Window,   {2224,  1170,  1455,  285}},
    {"lblLabels",        3,    Window,   {180,   1560,  1935,  195}},
    {"txtDati",          3,    Window,   {2224,  1515,  1455,  285}},
    {"fraR",            -1,    Window,   {3735,  480,   915,   1455}},
    {"lblLabels",        4,    Window,   {180,   1905,  1800,  195}},
    {"txtDati",          4,    Window,   {2224,  1860,  1455,  285}},
    {"lblLabels",        5,    Window,   {180,   2250,  1575,  195}},
    {"txtDati",          5,    Window,   {2224,  2205,  1455,  285}},
    {"fraD",            -1,    Window,   {3735,  480,   915,   2055}},
    {"fraP",            -1,    Window,   {3735,  1560,  915,   975}},
    {"lblOptions",      -1,    Window,   {2078,  2760,  675,   225}},
    {"lnLines",          4,    Window,   {68,    2880,  4680,  0}},
    {"lblRatio",        -1,    Window,   {180,   3120,  990,   195}},
    {"txtRatio",        -1,    Window,   {2224,  3075,  1455,  285}},
    {"cmdDefaultRatio", -1,    Window,   {3720,  3075,  975,   285}},
    {"lblAuthor",       -1,    Window,   {60,    3810,  1950,  195}},
    {"cmdClose",        -1,    Window,   {3480,  3720,  1215,  375}},

    {"opzR",             0,    fraR,     {26,    360,   915,   255}},
    {"opzR",             1,    fraR,     {26,    1065,  915,   255}},
    {"lnLines",          0,    fraR,     {0,     0,     0,     960}},
    {"opzD",             0,    fraD,     {26,    360,   915,   255}},
    {"opzD",             1,    fraD,     {26,    1600,  915,   255}},
    {"lnLines",          2,    fraD,     {0,     0,     0,     960}},
    {"lnLines",          3,    fraD,     {0,     1440,  0,     560}},
    {"opzP",             0,    fraP,     {26,    0,     915,   255}},
    {"opzP",             1,    fraP,     {26,    518,   915,   255}},
    {"lnLines",          1,    fraP,     {0,     270,   0,     690}},
});
// clang-format on

// The order in which Tab visits the controls that take the focus, by name and array index; it
// passes over the options of a hidden frame. The flags and the option pairs come after the close
// button: while a field is being edited its frame changes with the field, so the pair stands where
// the frame shown is always the one of the field last edited.
// clang-format off
inline constexpr auto kTabOrder = std::to_array<std::pair<std::string_view, int>>({
    {"txtDati", 0}, {"txtDati", 1}, {"txtDati", 2}, {"txtDati", 3}, {"txtDati", 4}, {"txtDati", 5},
    {"txtRatio", -1}, {"cmdDefaultRatio", -1}, {"cmdClose", -1}, {"imgLang", 0}, {"imgLang", 1},
    {"opzR", 0}, {"opzR", 1}, {"opzD", 0}, {"opzD", 1}, {"opzP", 0}, {"opzP", 1},
});
// clang-format on

} // namespace quadrel::layout
