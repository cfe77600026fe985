#include "render/glyph_drawing.h"

#include "core/font_codec.h"
#include "core/glyph_code.h"

#include <cstring>

namespace korvex {

std::array<int64_t, 7> workingColours(const Document& doc) {
    std::array<int64_t, 7> colours{};
    for (int r = LUM; r <= PF3; ++r)
        colours[size_t(r)] = workingColour(doc, r);
    return colours;
}

namespace {

// A copy of a fixed number of pixels, in 16-byte steps the compiler keeps in
// vector registers (an inlined memcpy of this size becomes a slow string move).
template <int Pixels> void copyRow(QRgb* __restrict to, const QRgb* __restrict from) {
    static_assert(Pixels % 4 == 0);
    for (int i = 0; i < Pixels; i += 4) {
        uint32_t block[4];
        std::memcpy(block, from + i, sizeof block);
        std::memcpy(to + i, block, sizeof block);
    }
}

// A glyph wholly inside the drawn area, written straight into the scanlines: each
// dot row's first scanline dot by dot, then copied to the others. The dot size is
// fixed at compile time so that the loops and copies are unrolled.
template <int DotHeight>
void writeDotRows(Canvas& canvas, const GlyphBytes& rows, bool fourColour, const QRgb* pairColours,
                  int x, int y) {
    constexpr int kRowPixels = 8 * DotHeight;
    for (int row = 0; row < 8; ++row) {
        QRgb* first = canvas.scanline(y + row * DotHeight) + x;
        QRgb* out = first;
        if (fourColour) {
            for (int column = 0; column < 8; column += 2) {
                const QRgb c = pairColours[glyphPair(rows, column, row)];
                for (int i = 0; i < 2 * DotHeight; ++i)
                    *out++ = c;
            }
        } else {
            for (int column = 0; column < 8; ++column) {
                const QRgb c = pairColours[glyphPixel(rows, column, row) ? 1 : 0];
                for (int i = 0; i < DotHeight; ++i)
                    *out++ = c;
            }
        }
        for (int line = 1; line < DotHeight; ++line)
            copyRow<kRowPixels>(canvas.scanline(y + row * DotHeight + line) + x, first);
    }
}

// Draws the glyph straight into the scanlines when it lies wholly inside the drawn
// area at a dot size with a written-out path; says whether it did.
bool writeGlyphDirectly(Canvas& canvas, const GlyphBytes& rows, bool fourColour,
                        const QRgb* colours, int x, int y, int m) {
    if (!canvas.opaqueInside(x, y, 8 * m, 8 * m))
        return false;
    switch (m) {
    case 2:
        writeDotRows<2>(canvas, rows, fourColour, colours, x, y);
        return true;
    case 10:
        writeDotRows<10>(canvas, rows, fourColour, colours, x, y);
        return true;
    case 30:
        writeDotRows<30>(canvas, rows, fourColour, colours, x, y);
        return true;
    default:
        return false;
    }
}

} // namespace

void drawPlaneDots(Canvas& canvas, const GlyphBytes& rows, bool inverse, bool fourColour,
                   const int64_t colours[7], int x, int y, int m) {
    // Colours by pixel value: two-colour clear/set, four-colour the pair's value.
    QRgb direct[4];
    if (fourColour) {
        for (int v = 0; v < 4; ++v)
            direct[v] = toQRgb(colours[fourColourRegister(v, inverse)]);
    } else {
        direct[0] = toQRgb(colours[inverse ? LUM : BAK]);
        direct[1] = toQRgb(colours[inverse ? BAK : LUM]);
    }
    if (writeGlyphDirectly(canvas, rows, fourColour, direct, x, y, m))
        return;
    int64_t rowColours[8];
    if (!fourColour) {
        const int64_t setColour = colours[inverse ? BAK : LUM];
        const int64_t clearColour = colours[inverse ? LUM : BAK];
        for (int row = 0; row < 8; ++row) {
            for (int column = 0; column < 8; ++column)
                rowColours[column] = glyphPixel(rows, column, row) ? setColour : clearColour;
            canvas.fillDots(x, y + row * m, m, m, rowColours, 8);
        }
        return;
    }
    int64_t pairColours[4];
    for (int v = 0; v < 4; ++v)
        pairColours[v] = colours[fourColourRegister(v, inverse)];
    for (int row = 0; row < 8; ++row) {
        for (int column = 0; column < 8; column += 2)
            rowColours[column / 2] = pairColours[glyphPair(rows, column, row)];
        canvas.fillDots(x, y + row * m, 2 * m, m, rowColours, 4);
    }
}

void drawGlyphDots(const Document& doc, Canvas& canvas, int64_t font, const int64_t colours[7],
                   int64_t code, int x, int y, int m) {
    drawGlyphDotsInMode(doc, canvas, font, colours, code, doc.FourColourMode != 0, x, y, m);
}

void drawGlyphDotsInMode(const Document& doc, Canvas& canvas, int64_t font,
                         const int64_t colours[7], int64_t code, bool fourColour, int x, int y,
                         int m) {
    const int glyph = glyphOfCode(code);
    if (glyph < 0 || font < 1 || font > kFontCount)
        return;
    drawPlaneDots(canvas, doc.fontGlyphs(font)[glyph], isInverseCode(code), fourColour, colours, x,
                  y, m);
}

void drawGlyph(const Document& doc, Canvas& canvas, int64_t column, int64_t row, int64_t code,
               int originX, int originY) {
    const auto colours = workingColours(doc);
    drawGlyphDots(doc, canvas, doc.CurrentFont, colours.data(), code, int(originX + 16 * column),
                  int(originY + 16 * row), 2);
}

} // namespace korvex
