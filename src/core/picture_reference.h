#pragma once
// The simple way to fit a screen into fonts, kept as the yardstick for the
// conversion: per band of rows the 128 most frequent glyphs (a cell and its free
// transformation counted as one), every other cell shown with the kept glyph, plain
// or transformed, that differs from it in the fewest Atari pixels.

#include "core/picture_cells.h"
#include "core/row_bands.h"

namespace korvex {

CellScreen referenceCells(const CellScreen& target, const RowDivision& bands);

} // namespace korvex
