#pragma once
// The common glyph rule: a glyph as an 8 x 8 grid of dots at magnification m,
// coloured by the display mode (two-colour m x m dots, four-colour 2m x m dots).

#include "core/document.h"
#include "render/canvas.h"

#include <array>
#include <cstdint>

namespace korvex {

// The working colours indexed by register (LUM = 1 .. PF3 = 6); index 0 unused.
std::array<int64_t, 7> workingColours(const Document& doc);

// Draws the pixels of a glyph plane (indexed [column][row]) at (x, y). `inverse`
// selects the rule for codes 128..255.
void drawPlaneDots(Canvas& canvas, const uint8_t (&pixels)[9][9], bool inverse, bool fourColour,
                   const int64_t colours[7], int x, int y, int m);

// Draws code 0..255 of `font` (1..10) at (x, y) with magnification m, in the
// display mode of the document and the given colours (indexed by register).
// A code outside 0..255 or a font outside 1..10 draws nothing.
void drawGlyphDots(const Document& doc, Canvas& canvas, int64_t font, const int64_t colours[7],
                   int64_t code, int x, int y, int m);

// 16-pixel glyph of CurrentFont in the working colours at
// (originX + 16 * column, originY + 16 * row).
void drawGlyph(const Document& doc, Canvas& canvas, int64_t column, int64_t row, int64_t code,
               int originX, int originY);

} // namespace korvex
