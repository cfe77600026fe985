#pragma once
// The "Mask" view of a four-colour glyph: the same glyph of the next font shows
// through (alpha 170, its coloured dots crossed in grey 170) wherever the current
// font's glyph has background, which itself is laid on at alpha 17.

#include "core/document.h"
#include "render/canvas.h"

#include <cstdint>

namespace korvex {

// Draws code 0..255 of CurrentFont at (x, y) with dots of dotWidth x dotHeight
// (one dot per column pair). The next-font layer exists for fonts 1 to 8 only.
// A code outside 0..255 or a CurrentFont outside 1..10 draws nothing.
void drawMaskGlyph(const Document& doc, Canvas& canvas, int64_t code, int x, int y, int dotWidth,
                   int dotHeight);

} // namespace korvex

namespace korvex {

// A grid of cells in the Mask view drawn whole, a scanline at a time, with exactly
// the pixels drawMaskGlyph gives cell by cell in reading order over a black image
// whose cells without a glyph were first filled with `emptyColour`. `codes` holds
// cellColumns x cellRows codes in reading order; a code outside 0..255 is an empty
// cell. The image must be RGB32 of exactly the grid's size (4 dots of dotWidth
// across a cell, 8 of dotHeight down) and CurrentFont 1..10; otherwise nothing is
// drawn and the answer is false.
bool drawMaskGlyphGrid(const Document& doc, QImage& image, const int16_t* codes, int cellColumns,
                       int cellRows, int dotWidth, int dotHeight, int64_t emptyColour);

} // namespace korvex
