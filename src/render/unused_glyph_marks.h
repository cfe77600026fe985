#pragma once
// The marks the font canvas lays over glyphs that no set and no screen uses: a
// small triangle in the top right corner of the glyph and of its inverse form.

#include "core/document.h"

#include <QImage>

namespace korvex {

// Colour of the marks (packed red + 256 green + 65536 blue).
constexpr int64_t kUnusedMarkColour = 0x3030FF;
// Width of the triangle's top edge in pixels.
constexpr int kUnusedMarkSize = 5;

// Marks every unused glyph on a font grid drawn by drawFontGrid.
void drawUnusedGlyphMarks(const Document& doc, QImage& fontGrid);

} // namespace korvex
