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
