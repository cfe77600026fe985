#include "core/glyph_usage.h"

#include "core/glyph_code.h"

namespace korvex {

GlyphUses countGlyphUses(const Document& doc) {
    GlyphUses uses;
    for (int set = 1; set <= kSetCount; ++set)
        for (int cell = 0; cell < kSetCells; ++cell)
            if (const int glyph = glyphOfCode(doc.Sets[set][cell]); glyph >= 0)
                ++uses.inSets[size_t(glyph)];
    for (const uint8_t code : doc.screens)
        if (const int glyph = glyphOfCode(code); glyph >= 0)
            ++uses.inScreens[size_t(glyph)];
    return uses;
}

std::vector<int> unusedGlyphs(const GlyphUses& uses) {
    std::vector<int> codes;
    for (int glyph = 0; glyph < kGlyphCount; ++glyph)
        if (uses.total(glyph) == 0)
            codes.push_back(glyph);
    return codes;
}

} // namespace korvex
