#pragma once
// A glyph as the eight bytes the Atari stores for it (row 0 first, the leftmost
// pixel in bit 7), and the whole-glyph changes that the font tools compare under.

#include "core/document.h"

#include <array>
#include <cstdint>

namespace korvex {

// The bytes of glyph 0..127 of font 1..10, as "Save Font" would write them; all
// zero for a glyph or font outside those ranges.
GlyphBytes glyphBytes(const Document& doc, int64_t font, int glyph);

// Replaces glyph 0..127 of font 1..10 with `bytes`; a glyph or font outside those
// ranges changes nothing.
void setGlyphBytes(Document& doc, int64_t font, int glyph, const GlyphBytes& bytes);

bool isEmptyGlyph(const GlyphBytes& bytes);

// Every bit flipped.
GlyphBytes invertedGlyph(const GlyphBytes& bytes);

// Left and right swapped. With `pairs` the four-colour pixel pairs move as units and
// keep their own bit order, as the editor's horizontal mirror does in that mode.
GlyphBytes mirroredHorizontally(const GlyphBytes& bytes, bool pairs);

// Top and bottom swapped.
GlyphBytes mirroredVertically(const GlyphBytes& bytes);

} // namespace korvex
