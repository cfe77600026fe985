#pragma once
// Operations that change a glyph's pixels: painting with the mouse, the eleven
// glyph commands. Every operation
// acts on the glyph of CurrentGlyph (or a given code) in CurrentFont; codes
// 128..255 act on glyph code - 128, and a code outside 0..255 changes nothing.

#include "core/document.h"

namespace korvex {

// Command numbers of transformGlyph.
enum GlyphCommand : int {
    PasteGlyph = 1,
    CopyGlyph = 2,
    RotateGlyph = 3,
    MirrorGlyphHorizontally = 4,
    MirrorGlyphVertically = 5,
    InverseGlyph = 6,
    ClearGlyph = 7,
    ShiftGlyphRight = 8,
    ShiftGlyphLeft = 9,
    ShiftGlyphDown = 10,
    ShiftGlyphUp = 11,
};

// What the caller has to redraw after a transform.
enum class GlyphRedraw { Nothing, CopyBuffer, MainWindow };

// Magnified editor: paints the pixel of editor hit area 500..563 in CurrentGlyph.
// Button 1 is the left button, any other value the right one. Returns whether a
// pixel of the glyph changed.
bool paintPixel(Document& doc, int button, int64_t hitAreaIndex);

// Set canvas: paints pixel (x, y) of the glyph of `code` in CurrentFont. Returns
// whether a pixel of the glyph changed.
bool paintSetPixel(Document& doc, int64_t code, int x, int y, int button);

// Runs glyph command 1..11 on CurrentGlyph and says what needs redrawing.
GlyphRedraw transformGlyph(Document& doc, int command);

} // namespace korvex
