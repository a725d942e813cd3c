#pragma once

// The two language flags as pictures of a given size in pixels, drawn as the Qt window draws them
// (ui/qt/flags.cpp): the tricolour's stripes and the Union Flag's upright cross fall on whole
// pixels; the Union Flag's diagonals are smoothed by averaging 4 x 4 samples a pixel. A picture
// fills its size; the flags stretch to it.
//   FlagPicture(0, 27, 14): stripes 9, 9 and 9 pixels wide; at 41 x 21: 14, 13 and 14
//   FlagPicture(1, 27, 14): red cross 3 pixels wide and 2 high in a white cross 5 wide and 4 high

#include <windows.h>

#include <cstdint>
#include <vector>

namespace quadrel::flags {

// Flag `flag` (0 Italian, 1 English) as `width` x `height` pixels 0xRRGGBB, row by row from the
// top.
std::vector<std::uint32_t> FlagPicture(int flag, int width, int height);

// Paints the flag over `box` of `dc`.
void PaintFlag(HDC dc, const RECT &box, int flag);

} // namespace quadrel::flags
