#pragma once
// The common glyph rule: a glyph as an 8 x 8 grid of dots at magnification m,
// coloured by the display mode (two-colour m x m dots, four-colour 2m x m dots).

#include "core/document.h"
#include "core/font_codec.h"
#include "render/canvas.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

namespace korvex {

// The working colours indexed by register (LUM = 1 .. PF3 = 6); index 0 unused.
std::array<int64_t, 7> workingColours(const Document& doc);

// Draws the pixels of a glyph at (x, y). `inverse`
// selects the rule for codes 128..255.
void drawPlaneDots(Canvas& canvas, const GlyphBytes& rows, bool inverse, bool fourColour,
                   const int64_t colours[7], int x, int y, int m);

// Draws code 0..255 of `font` (1..10) at (x, y) with magnification m, in the
// display mode of the document and the given colours (indexed by register).
// A code outside 0..255 or a font outside 1..10 draws nothing.
void drawGlyphDots(const Document& doc, Canvas& canvas, int64_t font, const int64_t colours[7],
                   int64_t code, int x, int y, int m);
// The same in the given display mode (a row of a screen with a mode of its own).
void drawGlyphDotsInMode(const Document& doc, Canvas& canvas, int64_t font,
                         const int64_t colours[7], int64_t code, bool fourColour, int x, int y,
                         int m);

// For drawing a whole canvas a scanline at a time.
//
// The rows of a glyph plane as bits: byte r holds row r, column 0 in its bit 7.
inline uint64_t glyphRowBits(const GlyphBytes& rows) {
    uint64_t bits = 0;
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(&bits, rows.data(), sizeof bits);
    } else {
        for (int row = 0; row < 8; ++row)
            bits |= uint64_t(rows[size_t(row)]) << (8 * row);
    }
    return bits;
}

// The pixels of half a glyph row (four dots) at a dot width for each of the 16
// patterns of its bits, in a display mode and rule (normal or inverse). In four
// colours the half row is two pairs, each drawn in the colour of its value.
template <int DotWidth> struct HalfRowPixels { QRgb byBits[16][4 * DotWidth]; };

template <int DotWidth>
HalfRowPixels<DotWidth> halfRowPixels(const int64_t colours[7], bool inverse, bool fourColour) {
    HalfRowPixels<DotWidth> half{};
    const QRgb clear = toQRgb(colours[inverse ? LUM : BAK]);
    const QRgb set = toQRgb(colours[inverse ? BAK : LUM]);
    for (int bits = 0; bits < 16; ++bits)
        for (int i = 0; i < 4 * DotWidth; ++i) {
            const int dot = i / DotWidth, pair = i / (2 * DotWidth);
            const int pairValue = (bits >> (2 - 2 * pair)) & 3;
            half.byBits[bits][i] = fourColour
                                       ? toQRgb(colours[fourColourRegister(pairValue, inverse)])
                                       : (((bits >> (3 - dot)) & 1) ? set : clear);
        }
    return half;
}

// Writes the first scanline of dot row `row` of a glyph given by glyphRowBits.
template <int DotWidth>
inline void writeGlyphScanline(QRgb* out, uint64_t rowBits, int row,
                               const HalfRowPixels<DotWidth>& half) {
    const unsigned bits = unsigned(rowBits >> (8 * row)) & 0xFF;
    std::memcpy(out, half.byBits[bits >> 4], sizeof half.byBits[0]);
    std::memcpy(out + 4 * DotWidth, half.byBits[bits & 15], sizeof half.byBits[0]);
}

// 16-pixel glyph of CurrentFont in the working colours at
// (originX + 16 * column, originY + 16 * row).
void drawGlyph(const Document& doc, Canvas& canvas, int64_t column, int64_t row, int64_t code,
               int originX, int originY);

} // namespace korvex
