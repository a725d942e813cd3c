#pragma once

// The two language flags as pictures of a given size in pixels, which both windows paint, made
// afresh for the pixels the flag covers so that it stays sharp at every screen scale. The
// tricolour's stripes and the Union Flag's upright cross fall on whole pixels; the Union Flag's
// diagonals are smoothed by averaging 4 x 4 samples a pixel. A picture fills its size; the flags
// stretch to it.
//   FlagPicture(0, 27, 14): stripes 9, 9 and 9 pixels wide; at 41 x 21: 14, 13 and 14
//   FlagPicture(1, 27, 14): red cross 3 pixels wide and 2 high in a white cross 5 wide and 4 high

#include <cstdint>
#include <vector>

namespace quadrel::flags {

// Flag `flag` (0 Italian, 1 English) as `width` x `height` pixels 0xRRGGBB, row by row from the
// top. The Union Flag is drawn from its construction on a 60 x 30 field: a white saltire 6 wide
// with a red one 2 wide beside each diagonal (counterchanged), a white cross 10 wide and a red
// cross 6 wide.
std::vector<std::uint32_t> FlagPicture(int flag, int width, int height);

} // namespace quadrel::flags
