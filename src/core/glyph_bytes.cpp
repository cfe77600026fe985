#include "core/glyph_bytes.h"

#include <algorithm>

namespace korvex {

namespace {

bool isGlyph(int64_t font, int glyph) {
    return font >= 1 && font <= kFontCount && glyph >= 0 && glyph < kGlyphCount;
}

} // namespace

GlyphBytes glyphBytes(const Document& doc, int64_t font, int glyph) {
    return isGlyph(font, glyph) ? doc.fontGlyphs(font)[glyph] : GlyphBytes{};
}

void setGlyphBytes(Document& doc, int64_t font, int glyph, const GlyphBytes& bytes) {
    if (isGlyph(font, glyph))
        doc.fontGlyphs(font)[glyph] = bytes;
}

bool isEmptyGlyph(const GlyphBytes& bytes) {
    return std::all_of(bytes.begin(), bytes.end(), [](uint8_t b) { return b == 0; });
}

GlyphBytes invertedGlyph(const GlyphBytes& bytes) {
    GlyphBytes out{};
    for (size_t i = 0; i < out.size(); ++i)
        out[i] = uint8_t(~bytes[i]);
    return out;
}

namespace {

uint8_t reversedBits(uint8_t b) {
    uint8_t out = 0;
    for (int bit = 0; bit < 8; ++bit)
        if (b & (1 << bit))
            out |= uint8_t(0x80 >> bit);
    return out;
}

uint8_t reversedPairs(uint8_t b) {
    uint8_t out = 0;
    for (int pair = 0; pair < 4; ++pair)
        out |= uint8_t(((b >> (2 * pair)) & 3) << (6 - 2 * pair));
    return out;
}

} // namespace

GlyphBytes mirroredHorizontally(const GlyphBytes& bytes, bool pairs) {
    GlyphBytes out{};
    for (size_t i = 0; i < out.size(); ++i)
        out[i] = pairs ? reversedPairs(bytes[i]) : reversedBits(bytes[i]);
    return out;
}

GlyphBytes mirroredVertically(const GlyphBytes& bytes) {
    GlyphBytes out = bytes;
    std::reverse(out.begin(), out.end());
    return out;
}

} // namespace korvex
