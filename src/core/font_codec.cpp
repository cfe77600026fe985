#include "core/font_codec.h"

#include "core/glyph_code.h"

#include <bit>
#include <cstring>

namespace korvex {

extern const uint8_t kDefaultFontData[];
extern const std::size_t kDefaultFontDataSize;

static bool validFont(int64_t font) {
    return font >= 1 && font <= kFontCount;
}

void decodeFont(Document& doc, int64_t font) {
    if (!validFont(font))
        return;
    // Column by column, so each column's eight pixels lie next to each other: with
    // a glyph's eight line bytes read as one little-endian number, bit 7 - x of
    // every line shifted down to bit 0 of its byte is column x, one byte a pixel.
    constexpr uint64_t kLowBitOfEachByte = 0x0101010101010101u;
    for (int g = 0; g < kGlyphCount; ++g) {
        const uint8_t* lines = doc.FontBuffer + 8 * g;
        for (int x = 0; x < 8; ++x) {
            uint8_t* column = doc.FontPixels[font][g][x];
            if constexpr (std::endian::native == std::endian::little) {
                uint64_t glyphLines = 0;
                std::memcpy(&glyphLines, lines, sizeof glyphLines);
                const uint64_t pixels = (glyphLines >> (7 - x)) & kLowBitOfEachByte;
                std::memcpy(column, &pixels, sizeof pixels);
            } else {
                for (int y = 0; y < 8; ++y)
                    column[y] = uint8_t(lines[y] >> (7 - x)) & 1u;
            }
        }
    }
}

void encodeFont(Document& doc, int64_t font) {
    if (font == -1)
        font = doc.CurrentFont;
    if (!validFont(font))
        return;
    std::memset(doc.FontBuffer, 0, kFontBytes);
    for (int g = 0; g < kGlyphCount; ++g)
        for (int y = 0; y < 8; ++y) {
            uint8_t b = 0;
            for (int x = 0; x < 8; ++x)
                if (doc.FontPixels[font][g][x][y] == 1)
                    b |= uint8_t(0x80 >> x);
            doc.FontBuffer[8 * g + y] = b;
        }
}

const uint8_t* defaultFontBytes() {
    return kDefaultFontData;
}

void loadDefaultFont(Document& doc) {
    static_assert(kFontBytes == 1024);
    std::memcpy(doc.FontBuffer, kDefaultFontData,
                kDefaultFontDataSize < kFontBytes ? kDefaultFontDataSize : kFontBytes);
}

int colourRegisterAt(const Document& doc, int64_t font, int64_t code, int x, int y) {
    const int g = glyphOfCode(code);
    if (g < 0 || !validFont(font) || x < 0 || x > 7 || y < 0 || y > 7)
        return 0;
    const bool inverse = isInverseCode(code);
    const auto& p = doc.FontPixels[font][g];
    if (doc.FourColourMode == 0) {
        const bool set = p[x][y] == 1;
        return (set != inverse) ? LUM : BAK;
    }
    const int x0 = x & ~1;
    const int v = 2 * (p[x0][y] == 1) + (p[x0 + 1][y] == 1);
    return fourColourRegister(v, inverse);
}

} // namespace korvex
