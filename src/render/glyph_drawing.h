#pragma once
// The common glyph rule: a glyph as an 8 x 8 grid of dots at magnification m,
// coloured by the display mode (two-colour m x m dots, four-colour 2m x m dots).

#include "core/document.h"
#include "core/font_codec.h"
#include "render/canvas.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace korvex {

// The working colours indexed by register (LUM = 1 .. PF3 = 6); index 0 unused.
std::array<int64_t, 7> workingColours(const Document& doc);

// Draws the pixels of a glyph plane (indexed [column][row]) at (x, y). `inverse`
// selects the rule for codes 128..255.
void drawPlaneDots(Canvas& canvas, const uint8_t (&pixels)[9][9], bool inverse, bool fourColour,
                   const int64_t colours[7], int x, int y, int m);

// Draws code 0..255 of `font` (1..10) at (x, y) with magnification m, in the
// display mode of the document and the given colours (indexed by register).
// A code outside 0..255 or a font outside 1..10 draws nothing.
void drawGlyphDots(const Document& doc, Canvas& canvas, int64_t font, const int64_t colours[7],
                   int64_t code, int x, int y, int m);

// For drawing a whole canvas a scanline at a time: the pixels of one pair of dots
// (columns 2p and 2p + 1 of a glyph row) at a dot width, for each of the pair's
// four values 2 * left + right, in a display mode and rule (normal or inverse).
template <int DotWidth> struct DotPairPixels { QRgb byValue[4][2 * DotWidth]; };

template <int DotWidth>
DotPairPixels<DotWidth> dotPairPixels(const int64_t colours[7], bool inverse, bool fourColour) {
    DotPairPixels<DotWidth> pairs{};
    const QRgb clear = toQRgb(colours[inverse ? LUM : BAK]);
    const QRgb set = toQRgb(colours[inverse ? BAK : LUM]);
    for (int v = 0; v < 4; ++v)
        for (int i = 0; i < 2 * DotWidth; ++i) {
            const bool dotSet = ((i < DotWidth ? v >> 1 : v) & 1) != 0;
            pairs.byValue[v][i] = fourColour ? toQRgb(colours[fourColourRegister(v, inverse)])
                                             : (dotSet ? set : clear);
        }
    return pairs;
}

// Writes the first scanline of dot row `row` of a glyph plane from `out` on.
template <int DotWidth>
inline void writeGlyphScanline(QRgb* out, const uint8_t (&pixels)[9][9], int row,
                               const DotPairPixels<DotWidth>& pairs) {
    for (int column = 0; column < 8; column += 2) {
        const int v = 2 * (pixels[column][row] == 1) + (pixels[column + 1][row] == 1);
        std::memcpy(out + column * DotWidth, pairs.byValue[v], sizeof pairs.byValue[v]);
    }
}

// 16-pixel glyph of CurrentFont in the working colours at
// (originX + 16 * column, originY + 16 * row).
void drawGlyph(const Document& doc, Canvas& canvas, int64_t column, int64_t row, int64_t code,
               int originX, int originY);

} // namespace korvex
