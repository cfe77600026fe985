#pragma once
// Documents with screens worth exporting: every code, inverse ones included, rows
// of several fonts and modes, and fonts and colour sets that differ from each other.

#include "core/font_codec.h"
#include "core/screens.h"
#include "test_document.h"

#include <memory>
#include <random>

namespace korvex::test {

// Random fonts and colour sets in fonts 1..10 and random codes in every screen.
inline std::unique_ptr<Document> busyScreenDocument(unsigned seed = 29) {
    auto doc = freshDocument();
    std::mt19937 random(seed);
    for (int font = 1; font <= kFontCount; ++font) {
        for (int b = 0; b < kFontBytes; ++b)
            doc->FontBuffer[b] = uint8_t(random());
        decodeFont(*doc, font);
        for (int r = LUM; r <= PF3; ++r)
            doc->FontColours[font][r] = int64_t(random() & 0xFFFFFF);
    }
    loadFontColours(*doc, doc->CurrentFont);
    for (int s = 0; s < kScreenCount; ++s)
        for (int row = 0; row < kScreenRows; ++row)
            for (int column = 0; column < kScreenColumns; ++column)
                setCell(*doc, s, column, row, uint8_t(random()));
    return doc;
}

// A row table of fonts 1, 2, 3 and 10 in modes 2 and 4, with rows that follow the
// current font, the current mode or both; mode-5 rows too when `tall`.
inline RowTable mixedRowTable(bool tall) {
    RowTable table;
    const uint8_t fonts[] = {0, 2, 3, 0, 10, 2, 1, 3};
    const uint8_t modes[] = {0, 2, 4, 4, 0, 2, 4, 0};
    for (int row = 0; row < kRowTableRows; ++row) {
        table.font[row] = fonts[row % 8];
        table.mode[row] = modes[(row / 3) % 8];
    }
    if (tall) {
        table.mode[5] = uint8_t(RowMode::FourColourTall);
        table.mode[6] = uint8_t(RowMode::FourColourTall);
        table.font[6] = 0;
    }
    return table;
}

} // namespace korvex::test
