#pragma once
// The View Editor screen canvas and the View All Screens sheet.

#include "core/document.h"

#include <QImage>
#include <QRect>

namespace korvex {

// The current screen (640 x 384, a 16-pixel cell per glyph), every row in the font,
// colours and mode of its row table (core/atari_view.h; follow entries take
// CurrentFont and FourColourMode, a mode-5 row is drawn as mode 4), with the
// current set as a preview at (previewX, previewY) when previewX >= 0, each of its
// cells in the look of the screen row under it, the grid when gridShown is 1 and
// the white range frame when rangeFrameShown is 1.
void drawViewEditor(const Document& doc, QImage& image, int previewX, int previewY);
// Only inside `area`, with exactly the pixels of the whole drawing.
void drawViewEditor(const Document& doc, QImage& image, int previewX, int previewY,
                    const QRect& area);
// Screen cell row * 40 + column.
QRect viewEditorCell(int cell);

// All nine screens as a 3 x 3 sheet at one pixel per glyph pixel (960 x 576),
// each screen's rows as its row table says (mode 5 rows 8 pixels high too).
void drawViewAllScreens(const Document& doc, QImage& image);

} // namespace korvex
