#pragma once
// Glyphs of one font drawn more than once. Two glyphs belong to the same group when
// their bytes are equal, or, with the matching options, when one equals the other
// inverted, mirrored left to right or mirrored top to bottom, in any combination
// of the chosen changes. Empty glyphs are not drawings and belong to no group (they
// are listed on their own): otherwise the glyphs a merge clears would make a new
// group at once.

#include "core/document.h"

#include <vector>

namespace korvex {

struct DuplicateOptions {
    bool inverse = false;
    bool horizontalMirror = false;
    bool verticalMirror = false;
    // Horizontal mirror by four-colour pixel pairs instead of single pixels.
    bool pixelPairs = false;

    bool exactOnly() const { return !inverse && !horizontalMirror && !verticalMirror; }
};

// A group of glyph codes 0..127 in ascending order; always two or more.
using GlyphGroup = std::vector<int>;

// Groups of glyphs of font 1..10 (none for another font), in ascending order of
// their first code.
std::vector<GlyphGroup> findDuplicateGroups(const Document& doc, int64_t font,
                                            const DuplicateOptions& options = {});

// Codes 0..127 of the glyphs of `font` with no pixel set, ascending.
std::vector<int> emptyGlyphs(const Document& doc, int64_t font);

} // namespace korvex
