#include "render/unused_glyph_marks.h"

#include "core/glyph_usage.h"
#include "render/canvas.h"

namespace korvex {

namespace {

// The font grid: 16-pixel glyphs on a 17-pixel pitch, 32 to a row, the inverse
// codes 68 pixels below the glyphs.
constexpr int kPitch = 17;
constexpr int kGlyphSide = 16;
constexpr int kGlyphsPerRow = 32;
constexpr int kInverseRowsOffset = 68;

void markCell(Canvas& canvas, int x, int y) {
    for (int row = 0; row < kUnusedMarkSize; ++row) {
        const int width = kUnusedMarkSize - row;
        canvas.fillRect(x + kGlyphSide - width, y + row, width, 1, kUnusedMarkColour);
    }
}

} // namespace

void drawUnusedGlyphMarks(const Document& doc, QImage& fontGrid) {
    Canvas canvas(fontGrid);
    for (const int glyph : unusedGlyphs(countGlyphUses(doc))) {
        const int x = kPitch * (glyph % kGlyphsPerRow), y = kPitch * (glyph / kGlyphsPerRow);
        markCell(canvas, x, y);
        markCell(canvas, x, y + kInverseRowsOffset);
    }
}

} // namespace korvex
