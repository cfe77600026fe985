#include "render/glyph_drawing.h"

#include "core/font_codec.h"
#include "core/glyph_code.h"

namespace korvex {

std::array<int64_t, 7> workingColours(const Document& doc) {
    std::array<int64_t, 7> colours{};
    for (int r = LUM; r <= PF3; ++r)
        colours[size_t(r)] = workingColour(doc, r);
    return colours;
}

void drawPlaneDots(Canvas& canvas, const uint8_t (&pixels)[9][9], bool inverse, bool fourColour,
                   const int64_t colours[7], int x, int y, int m) {
    int64_t rowColours[8];
    if (!fourColour) {
        const int64_t setColour = colours[inverse ? BAK : LUM];
        const int64_t clearColour = colours[inverse ? LUM : BAK];
        for (int row = 0; row < 8; ++row) {
            for (int column = 0; column < 8; ++column)
                rowColours[column] = pixels[column][row] == 1 ? setColour : clearColour;
            canvas.fillDots(x, y + row * m, m, m, rowColours, 8);
        }
        return;
    }
    int64_t pairColours[4];
    for (int v = 0; v < 4; ++v)
        pairColours[v] = colours[fourColourRegister(v, inverse)];
    for (int row = 0; row < 8; ++row) {
        for (int column = 0; column < 8; column += 2)
            rowColours[column / 2] =
                pairColours[2 * (pixels[column][row] == 1) + (pixels[column + 1][row] == 1)];
        canvas.fillDots(x, y + row * m, 2 * m, m, rowColours, 4);
    }
}

void drawGlyphDots(const Document& doc, Canvas& canvas, int64_t font, const int64_t colours[7],
                   int64_t code, int x, int y, int m) {
    const int glyph = glyphOfCode(code);
    if (glyph < 0 || font < 1 || font > kFontCount)
        return;
    drawPlaneDots(canvas, doc.FontPixels[font][glyph], isInverseCode(code), doc.FourColourMode != 0,
                  colours, x, y, m);
}

void drawGlyph(const Document& doc, Canvas& canvas, int64_t column, int64_t row, int64_t code,
               int originX, int originY) {
    const auto colours = workingColours(doc);
    drawGlyphDots(doc, canvas, doc.CurrentFont, colours.data(), code, int(originX + 16 * column),
                  int(originY + 16 * row), 2);
}

} // namespace korvex
