#pragma once
// The main window's canvases, each redrawn from the document into an RGB32 image
// of the canvas's drawing size: whole, or only inside an area, where the pixels
// come out exactly as a whole redraw draws them. Nothing here writes the document.

#include "core/document.h"
#include "render/canvas.h"

#include <QImage>
#include <QRect>
#include <cstdint>

namespace korvex {

// All 256 codes of CurrentFont: glyphs in the upper four rows, inverse codes below;
// with MarkUnusedGlyphs 1 the unused glyphs are marked on top.
void drawFontGrid(const Document& doc, QImage& image);
void drawFontGrid(const Document& doc, QImage& image, const QRect& area);
// The font grid cell of code 0..255.
QRect fontGridCell(int64_t code);
// CurrentGlyph at 30 x 30 dots (mask view in four-colour "Mask"), with corner dots.
void drawGlyphEditor(const Document& doc, QImage& image);
void drawGlyphEditor(const Document& doc, QImage& image, const QRect& area);
// PickedGlyph at 8 x 8 dots.
void drawGlyphPreview(const Document& doc, QImage& image);
// The 25 cells of CurrentSet at 10 x 10 dots, empty cells grey, optional grid.
void drawSetCanvas(const Document& doc, QImage& image);
void drawSetCanvas(const Document& doc, QImage& image, const QRect& area);
// The area set canvas cell 0..24 draws on (the Mask view draws one pixel past it).
QRect setCanvasCell(int cell);
// One set cell's code at 10 x 10 dots (normal or mask view); used by drawSetCanvas.
void drawLargeGlyph(const Document& doc, Canvas& canvas, int64_t code, int x, int y);
// The 25 cells of CurrentSet at 16 pixels each, empty cells grey, optional grid.
void drawSetPreview(const Document& doc, QImage& image);
void drawSetPreview(const Document& doc, QImage& image, const QRect& area);
// Set preview cell 0..24.
QRect setPreviewCell(int cell);
// GlyphClipboard's pixels, always with the normal (non-inverse) rule.
void drawCopyBuffer(const Document& doc, QImage& image);
// One animation frame: set `set` (1..100) of CurrentFont; empty cells stay black.
void drawAnimationFrame(const Document& doc, QImage& image, int64_t set);
// The Sets Viewer strip: ten sets from SetsViewerFirst side by side.
void drawSetsStrip(const Document& doc, QImage& image);
void drawSetsStrip(const Document& doc, QImage& image, const QRect& area);
constexpr int kSetsStripLength = 10;
// Cell 0..24 of the set at `position` 0..9 of the strip.
QRect setsStripCell(int position, int cell);
// Fills a colour swatch with one colour.
void fillColourSwatch(QImage& image, int64_t colour);

struct MainCanvasImages {
    QImage font, setPreview, set, editor, glyphPreview, copyBuffer, anim;
    QImage swatch[7]; // index = register LUM..PF3; 0 unused
};

// Images of every main-window canvas at its drawing size, filled black.
MainCanvasImages makeMainCanvasImages();

// Redraws, in order: font grid, set preview, set canvas, glyph editor, glyph
// preview, the six swatches and the copy buffer. The animation canvas is left
// to the animation timer.
void renderMainCanvases(const Document& doc, MainCanvasImages& images);

} // namespace korvex
