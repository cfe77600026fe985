#pragma once
// Where a glyph shows: which cells of the font grid, the sets, the screens and the
// Multi Font View are drawn from one glyph of one font, so that a change to that
// glyph redraws those cells and nothing else.

#include "core/document.h"

#include <cstdint>
#include <vector>

namespace korvex {

// The pixels of a glyph that changed: columns and rows 0..7, ends included.
struct GlyphPixelSpan {
    int firstColumn = 0, lastColumn = 7, firstRow = 0, lastRow = 7;
};

// One glyph slot (0..127) of one font (1..10). Codes g and g + 128 both show it.
// `pixels` narrows a change to some of its pixels; by default all of them.
struct GlyphRef {
    GlyphRef() = default;
    GlyphRef(int64_t glyphFont, int glyphSlot, GlyphPixelSpan changedPixels = {})
        : font(glyphFont), glyph(glyphSlot), pixels(changedPixels) {}

    int64_t font = 0;
    int glyph = -1;
    GlyphPixelSpan pixels;
    bool valid() const {
        return font >= 1 && font <= kFontCount && glyph >= 0 && glyph < kGlyphCount;
    }
};

// The glyph that painting `code` in CurrentFont changes (invalid for a code outside
// 0..255 or a bad CurrentFont).
GlyphRef glyphOfCurrentFont(const Document& doc, int64_t code);
// The same, for a change to pixel (column, row) alone.
GlyphRef pixelOfCurrentFont(const Document& doc, int64_t code, int column, int row);

// Whether a cell holding `code`, drawn from CurrentFont, shows `changed`. With
// `maskLayer`, the cell also shows the same glyph of the next font (the Mask view,
// which has that layer for fonts 1 to 8).
bool codeShowsGlyph(const Document& doc, int64_t code, GlyphRef changed, bool maskLayer);

// Whether the set canvas and the magnified editor draw in the Mask view.
bool maskViewShown(const Document& doc);

// Cells 0..24 of set `set` that show `changed` (none for a set outside 1..100).
std::vector<int> setCellsShowing(const Document& doc, int64_t set, GlyphRef changed,
                                 bool maskLayer);

// Cells (row * 40 + column) of screen `screen` that show `changed`: a row shows the
// font its row table gives it, or CurrentFont when it follows.
std::vector<int> screenCellsShowing(const Document& doc, int screen, GlyphRef changed);

// Positions (0-based among the shown rows) of the Multi Font View rows that show
// `font`, and how many rows are shown in all.
struct MultiViewRows {
    std::vector<int> positions;
    int shown = 0;
};
MultiViewRows multiViewRowsShowing(const Document& doc, int64_t font);

} // namespace korvex
