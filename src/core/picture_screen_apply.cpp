#include "core/picture_screen_apply.h"

#include "core/font_codec.h"
#include "core/palette.h"
#include "core/screens.h"

#include <algorithm>

namespace korvex {

void applyPictureScreen(Document& doc, const PictureScreen& converted, int screen) {
    if (screen < 0 || screen >= kScreenCount)
        return;
    const ScreenFont* current = nullptr;
    for (const ScreenFont& font : converted.fonts) {
        if (font.number < 1 || font.number > kFontCount)
            continue;
        for (int g = 0; g < kGlyphsPerFont; ++g)
            std::copy(font.glyphs[size_t(g)].begin(), font.glyphs[size_t(g)].end(),
                      doc.FontBuffer + size_t(g) * kCellSize);
        decodeFont(doc, font.number);
        for (int r = LUM; r <= PF3; ++r)
            doc.FontColours[font.number][r] = atariRgb(font.colours[size_t(r)]);
        if (font.number == doc.CurrentFont)
            current = &font;
    }
    encodeFont(doc, -1); // FontBuffer holds the current font again
    if (current) {
        // As the palette window leaves them: the working colours and their values.
        loadFontColours(doc, doc.CurrentFont);
        for (int r = LUM; r <= PF3; ++r)
            doc.AtariColour[r] = current->colours[size_t(r)];
    }
    for (int i = 0; i < kScreenCellCount; ++i)
        setCell(doc, screen, i % kScreenColumns, i / kScreenColumns, converted.codes[size_t(i)]);
    for (int row = 0; row < kScreenRows; ++row) {
        doc.rowTables[screen].font[row] = converted.rowFont[size_t(row)];
        doc.rowTables[screen].mode[row] = converted.rowMode[size_t(row)];
    }
}

ColourRegisters currentColourRegisters(const Document& doc) {
    ColourRegisters registers{};
    for (int r = LUM; r <= PF3; ++r) {
        const int64_t shown = workingColour(doc, r);
        const int64_t stored = doc.AtariColour[r];
        registers[size_t(r)] = stored >= 0 && stored <= 0xFF && atariRgb(int(stored)) == shown
                                   ? int(stored)
                                   : atariValueOfRgb(shown);
    }
    return registers;
}

} // namespace korvex
