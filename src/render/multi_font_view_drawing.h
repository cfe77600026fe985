#pragma once
// The Multi Font View: the same glyph row of up to five fonts stacked, each font
// in its own colours.

#include "core/document.h"

#include <QImage>
#include <QRect>

namespace korvex {

// Rows 1..5 of MultiViewFonts select font 1..10 (values 0..9); any other value
// hides the row. Glyph row j of the n-th shown font (of k) lies at y = 16 (j k + n).
void drawMultiFontView(const Document& doc, QImage& image);
// Only inside `area`, with exactly the pixels of the whole drawing.
void drawMultiFontView(const Document& doc, QImage& image, const QRect& area);
// The cell of code 0..255 in the row at `position` (0-based) of `shown` rows.
QRect multiFontViewCell(int64_t code, int position, int shown);

} // namespace korvex
