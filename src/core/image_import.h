#pragma once
// Turning a picture of a character set into the current font. The picture lies on
// a 576 x 342 canvas at (0, 0) over black; a 256 x 32 frame at (importX, importY)
// marks the 32 x 4 glyphs to read. Every glyph pixel whose canvas colour differs
// from the background colour colour0 is set, every other one cleared.

#include "core/document.h"

#include <cstdint>

namespace korvex {

constexpr int kImportCanvasWidth = 576;
constexpr int kImportCanvasHeight = 342;
constexpr int kImportBlockWidth = 256;           // 32 glyphs of 8 pixels
constexpr int kImportBlockHeight = 32;           // 4 rows of glyphs
constexpr int64_t kImportFrameColour = 0xFFAAFF; // RGB(255, 170, 255)

// What the canvas shows at (x, y): the picture, black where the picture does not
// reach, and with `withFrame` the frame's lines over both. -1 outside the canvas.
int64_t importCanvasColourAt(const Document& doc, int64_t x, int64_t y, bool withFrame);

// True when (x, y) lies on one of the frame's four lines: top and bottom from
// importX for 256 pixels at importY and importY + 32, left and right from importY
// for 32 pixels at importX and importX + 256.
bool onImportFrame(const Document& doc, int64_t x, int64_t y);

// Reads glyphs 0..127 of CurrentFont from the canvas without the frame, row by
// row, 32 per row. A pixel of the block outside the canvas counts as colour0.
void importPictureToFont(Document& doc, int64_t colour0);

} // namespace korvex
