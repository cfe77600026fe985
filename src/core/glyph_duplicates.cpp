#include "core/glyph_duplicates.h"

#include "core/glyph_bytes.h"

#include <map>

namespace korvex {

namespace {

// The smallest of the forms a glyph takes under every combination of the chosen
// changes: two glyphs fall in the same group exactly when their keys are equal,
// because each change undoes itself and the changes commute.
GlyphBytes groupKey(const GlyphBytes& bytes, const DuplicateOptions& options) {
    GlyphBytes best = bytes;
    for (int combination = 1; combination < 8; ++combination) {
        const bool inverse = combination & 1, horizontal = combination & 2,
                   vertical = combination & 4;
        if ((inverse && !options.inverse) || (horizontal && !options.horizontalMirror) ||
            (vertical && !options.verticalMirror))
            continue;
        GlyphBytes form = bytes;
        if (inverse)
            form = invertedGlyph(form);
        if (horizontal)
            form = mirroredHorizontally(form, options.pixelPairs);
        if (vertical)
            form = mirroredVertically(form);
        if (form < best)
            best = form;
    }
    return best;
}

} // namespace

std::vector<GlyphGroup> findDuplicateGroups(const Document& doc, int64_t font,
                                            const DuplicateOptions& options) {
    std::vector<GlyphGroup> groups;
    if (font < 1 || font > kFontCount)
        return groups;
    // Glyphs are visited in ascending order, so each group's first code fixes its
    // place and the codes inside a group come out ascending.
    std::map<GlyphBytes, size_t> groupOfKey;
    std::vector<GlyphGroup> all;
    for (int glyph = 0; glyph < kGlyphCount; ++glyph) {
        const GlyphBytes bytes = glyphBytes(doc, font, glyph);
        if (isEmptyGlyph(bytes))
            continue;
        const GlyphBytes key = groupKey(bytes, options);
        const auto [place, added] = groupOfKey.try_emplace(key, all.size());
        if (added)
            all.emplace_back();
        all[place->second].push_back(glyph);
    }
    for (GlyphGroup& group : all)
        if (group.size() >= 2)
            groups.push_back(std::move(group));
    return groups;
}

std::vector<int> emptyGlyphs(const Document& doc, int64_t font) {
    std::vector<int> codes;
    if (font < 1 || font > kFontCount)
        return codes;
    for (int glyph = 0; glyph < kGlyphCount; ++glyph)
        if (isEmptyGlyph(glyphBytes(doc, font, glyph)))
            codes.push_back(glyph);
    return codes;
}

} // namespace korvex
