#include "core/font_codec.h"

#include "core/glyph_code.h"

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
    static_assert(sizeof doc.Glyphs[0] == kFontBytes);
    std::memcpy(doc.fontGlyphs(font), doc.FontBuffer, kFontBytes);
}

void encodeFont(Document& doc, int64_t font) {
    if (font == -1)
        font = doc.CurrentFont;
    if (!validFont(font))
        return;
    std::memcpy(doc.FontBuffer, doc.fontGlyphs(font), kFontBytes);
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
    const GlyphBytes& rows = doc.fontGlyphs(font)[g];
    if (doc.FourColourMode == 0)
        return (glyphPixel(rows, x, y) != inverse) ? LUM : BAK;
    return fourColourRegister(glyphPair(rows, x & ~1, y), inverse);
}

} // namespace korvex
