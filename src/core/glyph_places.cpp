#include "core/glyph_places.h"

#include "core/glyph_code.h"
#include "core/row_table.h"
#include "core/screens.h"

namespace korvex {

GlyphRef glyphOfCurrentFont(const Document& doc, int64_t code) {
    GlyphRef ref{doc.CurrentFont, glyphOfCode(code)};
    return ref.valid() ? ref : GlyphRef{};
}

GlyphRef pixelOfCurrentFont(const Document& doc, int64_t code, int column, int row) {
    GlyphRef ref = glyphOfCurrentFont(doc, code);
    if (ref.valid() && column >= 0 && column <= 7 && row >= 0 && row <= 7)
        ref.pixels = {column, column, row, row};
    return ref;
}

bool codeShowsGlyph(const Document& doc, int64_t code, GlyphRef changed, bool maskLayer) {
    if (!changed.valid() || glyphOfCode(code) != changed.glyph)
        return false;
    const int64_t font = doc.CurrentFont;
    if (font == changed.font)
        return true;
    return maskLayer && font + 1 == changed.font && changed.font < kFontCount;
}

bool maskViewShown(const Document& doc) {
    return doc.FourColourMode != 0 && doc.SetViewMode != SetView::Normal;
}

std::vector<int> setCellsShowing(const Document& doc, int64_t set, GlyphRef changed,
                                 bool maskLayer) {
    std::vector<int> cells;
    if (set < 1 || set > kSetCount)
        return cells;
    for (int k = 0; k < kSetCells; ++k)
        if (codeShowsGlyph(doc, doc.Sets[set][k], changed, maskLayer))
            cells.push_back(k);
    return cells;
}

std::vector<int> screenCellsShowing(const Document& doc, int screen, GlyphRef changed) {
    std::vector<int> cells;
    if (!changed.valid() || screen < 0 || screen >= kScreenCount)
        return cells;
    const int currentFont = doc.CurrentFont >= 1 && doc.CurrentFont <= kFontCount
                                ? int(doc.CurrentFont)
                                : kRowFontFollow;
    for (int row = 0; row < kScreenRows; ++row) {
        // A row of the table shows its own font; a follow row the current one,
        // which shows nothing when it is out of range.
        const int rowFont = doc.rowTables[screen].font[row];
        const int font = rowFont >= 1 && rowFont <= kFontCount ? rowFont : currentFont;
        if (font != changed.font)
            continue;
        for (int column = 0; column < kScreenColumns; ++column)
            if (glyphOfCode(getCell(doc, screen, column, row)) == changed.glyph)
                cells.push_back(row * kScreenColumns + column);
    }
    return cells;
}

MultiViewRows multiViewRowsShowing(const Document& doc, int64_t font) {
    MultiViewRows rows;
    for (int row = 1; row <= 5; ++row) {
        const int64_t selection = doc.MultiViewFonts[row];
        if (selection < 0 || selection > 9)
            continue;
        if (selection + 1 == font)
            rows.positions.push_back(rows.shown);
        ++rows.shown;
    }
    return rows;
}

} // namespace korvex
