#pragma once
// How often the sets and the View Editor screens use each glyph. Sets and screens
// hold codes, not glyphs: code c shows glyph c mod 128 (128..255 as its inverse
// form), so the counts hold for whichever font is current. A cell holding a code
// outside 0..255 (an empty set cell, or bad data from a file) uses nothing.

#include "core/document.h"

#include <array>
#include <cstdint>
#include <vector>

namespace korvex {

struct GlyphUses {
    std::array<int64_t, kGlyphCount> inSets{};    // cells of sets 1..100
    std::array<int64_t, kGlyphCount> inScreens{}; // cells of the nine screens

    int64_t total(int glyph) const { return inSets[size_t(glyph)] + inScreens[size_t(glyph)]; }
};

GlyphUses countGlyphUses(const Document& doc);

// Codes 0..127 that no set and no screen uses, ascending.
std::vector<int> unusedGlyphs(const GlyphUses& uses);

} // namespace korvex
