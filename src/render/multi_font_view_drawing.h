#pragma once
// The Multi Font View: the same glyph row of up to five fonts stacked, each font
// in its own colours.

#include "core/document.h"

#include <QImage>

namespace korvex {

// Rows 1..5 of MultiViewFonts select font 1..10 (values 0..9); any other value
// hides the row. Glyph row j of the n-th shown font (of k) lies at y = 16 (j k + n).
void drawMultiFontView(const Document& doc, QImage& image);

} // namespace korvex
