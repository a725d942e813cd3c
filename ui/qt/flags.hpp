#pragma once

// The two language flags, drawn for a picture of a given size in device pixels, so that they stay
// sharp at every screen scale. Edges that run along the picture's sides (the tricolour's stripes,
// the Union Flag's upright cross) fall on whole pixels and are drawn without smoothing; only the
// Union Flag's diagonals are antialiased. The picture fills the size; the flags stretch to it.
//   italianFlag({27, 14}): stripes 9, 9 and 9 pixels wide; at {41, 21}: 14, 13 and 14
//   unionFlag({27, 14}): red cross 3 pixels wide and 2 high in a white cross 5 wide and 4 high

#include <QImage>
#include <QSize>

namespace quadrel::flags {

// Green, white and red vertical stripes of a third each.
QImage italianFlag(QSize size);

// Drawn from the flag's construction on a 60 x 30 field: a white saltire 6 wide with a red one 2
// wide beside each diagonal (counterchanged), a white cross 10 wide and a red cross 6 wide.
QImage unionFlag(QSize size);

} // namespace quadrel::flags
