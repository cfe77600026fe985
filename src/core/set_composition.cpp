#include "core/set_composition.h"

#include "core/glyph_code.h"

namespace korvex {

namespace {

// Cells of CurrentSet, or nullptr when the set number is out of range.
int16_t* currentSetCells(Document& doc) {
    if (doc.CurrentSet < 1 || doc.CurrentSet > kSetCount)
        return nullptr;
    return doc.Sets[doc.CurrentSet];
}

void clearGlyphsOfSet(Document& doc, const int16_t* cells) {
    if (doc.CurrentFont < 1 || doc.CurrentFont > kFontCount)
        return;
    for (int c = 0; c < kSetCells; ++c) {
        // Empty cells and codes outside 0..255 (possible after a file load) have no glyph.
        const int g = glyphOfCode(cells[c]);
        if (g < 0)
            continue;
        doc.fontGlyphs(doc.CurrentFont)[g] = GlyphBytes{};
    }
}

} // namespace

void editSetCell(Document& doc, int n) {
    int16_t* cells = currentSetCells(doc);
    if (!cells)
        return;
    if (n >= 0 && n < kSetCells)
        cells[n] = int16_t(doc.PickedGlyph);
    else if (n >= 50 && n < 50 + kSetCells)
        cells[n - 50] = -1;
}

void addGlyphToSetRow(Document& doc, int64_t code, int64_t key) {
    int16_t* cells = currentSetCells(doc);
    if (!cells || key < '1' || key > '5' || glyphOfCode(code) < 0)
        return;
    const int row = int(key - '1');
    for (int c = 5 * row; c < 5 * row + 5; ++c)
        if (cells[c] == -1) {
            cells[c] = int16_t(code);
            return;
        }
}

void setCommand(Document& doc, int kind) {
    int16_t* cells = currentSetCells(doc);
    if (!cells)
        return;
    switch (kind) {
    case ClearSetBits:
        clearGlyphsOfSet(doc, cells);
        break;
    case CopySet:
        for (int c = 0; c < kSetCells; ++c)
            doc.SetClipboard[c] = cells[c];
        break;
    case PasteSet:
        for (int c = 0; c < kSetCells; ++c)
            cells[c] = doc.SetClipboard[c];
        break;
    case ClearSet:
        for (int c = 0; c < kSetCells; ++c)
            cells[c] = -1;
        break;
    default:
        break;
    }
}

} // namespace korvex
