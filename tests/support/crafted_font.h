#pragma once
// Fonts built glyph by glyph for the tests of the font tools.

#include "core/document.h"
#include "core/glyph_bytes.h"

namespace korvex::test {

inline void putGlyph(Document& doc, int64_t font, int glyph, const GlyphBytes& bytes) {
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            doc.setPixel(font, glyph, x, y, (bytes[size_t(y)] & (0x80 >> x)) ? 1 : 0);
}

// Glyph g is {g, 0x01, 0, 0, 0, 0, 0, 0}: no two glyphs are equal, and none equals
// another inverted or mirrored either way, so every duplicate a test finds is one it
// put there. No glyph is empty.
inline void putDistinctFont(Document& doc, int64_t font) {
    for (int g = 0; g < kGlyphCount; ++g)
        putGlyph(doc, font, g, GlyphBytes{uint8_t(g), 0x01, 0, 0, 0, 0, 0, 0});
}

// A glyph that changes under every mirror and under inversion.
constexpr GlyphBytes kLetterP{0xF0, 0x88, 0x88, 0xF0, 0x80, 0x80, 0x80, 0x00};
constexpr GlyphBytes kLetterQ{0x70, 0x88, 0x88, 0x88, 0xA8, 0x90, 0x68, 0x00};

} // namespace korvex::test
