#include "core/atari_view.h"

#include "core/font_codec.h"
#include "core/glyph_bytes.h"
#include "core/glyph_code.h"
#include "core/screens.h"

#include <algorithm>
#include <cstring>

namespace korvex {

namespace {

constexpr int kGlyphLines = 8;
constexpr int kGlyphWidth = 8;
constexpr uint32_t kRgbMask = 0xFFFFFF;

// The four pixels of half a glyph line for each of its 16 bit patterns, in the
// colours of one rule (two- or four-colour, normal or inverse).
struct LineColours {
    uint32_t byHalf[16][4] = {};
};

LineColours lineColours(const std::array<uint32_t, 7>& colours, bool fourColour, bool inverse) {
    uint32_t byValue[4] = {};
    if (fourColour) {
        for (int v = 0; v < 4; ++v)
            byValue[v] = colours[size_t(fourColourRegister(v, inverse))];
    } else {
        byValue[0] = colours[inverse ? LUM : BAK];
        byValue[1] = colours[inverse ? BAK : LUM];
    }
    LineColours line;
    for (int bits = 0; bits < 16; ++bits)
        for (int i = 0; i < 4; ++i)
            line.byHalf[bits][i] = fourColour ? byValue[(bits >> (2 - 2 * (i / 2))) & 3]
                                              : byValue[(bits >> (3 - i)) & 1];
    return line;
}

// The eight pixels of glyph line `bits` (bit 7 leftmost).
inline void writeLine(uint32_t* out, uint8_t bits, const LineColours& line) {
    std::memcpy(out, line.byHalf[bits >> 4], sizeof line.byHalf[0]);
    std::memcpy(out + 4, line.byHalf[bits & 15], sizeof line.byHalf[0]);
}

bool validScreen(int screen) {
    return screen >= 0 && screen < kScreenCount;
}

bool isFourColour(RowMode mode, const Document& doc) {
    if (mode == RowMode::Follow)
        return doc.FourColourMode != 0;
    return mode == RowMode::FourColour || mode == RowMode::FourColourTall;
}

} // namespace

int rowScanlines(RowMode mode) {
    return mode == RowMode::FourColourTall ? 2 * kGlyphLines : kGlyphLines;
}

int rowTopScanline(const Document& doc, int screen, int row) {
    if (!validScreen(screen))
        return 0;
    const RowTable& table = doc.rowTables[screen];
    int top = 0;
    for (int r = 0; r < row && r < kRowTableRows; ++r)
        top += rowScanlines(RowMode(table.mode[r]));
    return top;
}

int screenScanlines(const Document& doc, int screen) {
    return rowTopScanline(doc, screen, kRowTableRows);
}

std::array<uint32_t, 7> atariRowColours(const Document& doc, int font) {
    std::array<uint32_t, 7> colours{};
    const bool ownSet = font >= 1 && font <= kFontCount && font != doc.CurrentFont;
    for (int r = LUM; r <= PF3; ++r)
        colours[size_t(r)] =
            uint32_t((ownSet ? doc.FontColours[font][r] : workingColour(doc, r)) & kRgbMask);
    return colours;
}

RgbPicture drawAtariScreen(const Document& doc, int screen, int followFont, bool followFourColour) {
    RgbPicture picture;
    if (!validScreen(screen))
        return picture;
    picture.width = kAtariViewWidth;
    picture.height = screenScanlines(doc, screen);
    picture.pixels.resize(size_t(picture.width) * size_t(picture.height));

    // Glyph bytes of each font, looked up once per glyph a row shows.
    GlyphBytes glyphs[kFontCount + 1][kGlyphCount];
    bool known[kFontCount + 1][kGlyphCount] = {};

    const RowTable& table = doc.rowTables[screen];
    int top = 0;
    for (int row = 0; row < kScreenRows; ++row) {
        const ResolvedRow resolved = resolveRow(table, row, followFont, followFourColour);
        const bool fourColour = isFourColour(resolved.mode, doc);
        const int repeat = resolved.mode == RowMode::FourColourTall ? 2 : 1;
        const auto colours = atariRowColours(doc, resolved.font);
        const LineColours normal = lineColours(colours, fourColour, false);
        const LineColours inverse = lineColours(colours, fourColour, true);
        for (int column = 0; column < kScreenColumns; ++column) {
            const int code = getCell(doc, screen, column, row);
            const int glyph = glyphOfCode(code);
            if (!known[resolved.font][glyph]) {
                glyphs[resolved.font][glyph] = glyphBytes(doc, resolved.font, glyph);
                known[resolved.font][glyph] = true;
            }
            const GlyphBytes& bytes = glyphs[resolved.font][glyph];
            const LineColours& line = isInverseCode(code) ? inverse : normal;
            for (int g = 0; g < kGlyphLines; ++g)
                for (int copy = 0; copy < repeat; ++copy)
                    writeLine(&picture.pixels[size_t(top + g * repeat + copy) * kAtariViewWidth +
                                              size_t(column * kGlyphWidth)],
                              bytes[size_t(g)], line);
        }
        top += kGlyphLines * repeat;
    }
    return picture;
}

void drawAtariGlyph(const Document& doc, int font, RowMode mode, int code, RgbPicture& out, int x,
                    int y) {
    const int glyph = glyphOfCode(code);
    if (glyph < 0 || font < 1 || font > kFontCount ||
        out.pixels.size() < size_t(std::max(out.width, 0)) * size_t(std::max(out.height, 0)))
        return;
    const GlyphBytes bytes = glyphBytes(doc, font, glyph);
    const LineColours line =
        lineColours(atariRowColours(doc, font), isFourColour(mode, doc), isInverseCode(code));
    for (int g = 0; g < kGlyphLines; ++g) {
        const int py = y + g;
        if (py < 0 || py >= out.height)
            continue;
        uint32_t pixels[kGlyphWidth];
        writeLine(pixels, bytes[size_t(g)], line);
        for (int i = 0; i < kGlyphWidth; ++i) {
            const int px = x + i;
            if (px >= 0 && px < out.width)
                out.pixels[size_t(py) * size_t(out.width) + size_t(px)] = pixels[i];
        }
    }
}

} // namespace korvex
