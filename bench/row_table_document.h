#pragma once
// The document the row-table benchmarks draw: fonts 2..10 with patterns of their
// own, every screen full of a spread of codes, and, when asked, every screen's row
// table cycling through the ten fonts and every mode (follow included).

#include "core/document.h"
#include "core/row_table.h"
#include "core/screens.h"

#include <cstdint>
#include <memory>

namespace korvex::bench {

inline std::unique_ptr<Document> rowTableDocument(bool withTables, bool fourColour = false) {
    auto doc = std::make_unique<Document>();
    initDocument(*doc);
    for (int f = 2; f <= kFontCount; ++f)
        for (int g = 0; g < kGlyphCount; ++g)
            for (int x = 0; x < 8; ++x)
                for (int y = 0; y < 8; ++y)
                    doc->setPixel(f, g, x, y, (g * 7 + f + x * y) % 3 == 0);
    for (int s = 0; s < kScreenCount; ++s)
        for (int row = 0; row < kScreenRows; ++row)
            for (int column = 0; column < kScreenColumns; ++column)
                setCell(*doc, s, column, row, uint8_t(row * 41 + column * 13 + s));
    doc->FourColourMode = fourColour;
    if (withTables) {
        const RowMode modes[] = {RowMode::TwoColour, RowMode::FourColour, RowMode::FourColourTall,
                                 RowMode::Follow};
        for (RowTable& table : doc->rowTables)
            for (int row = 0; row < kScreenRows; ++row) {
                table.font[row] = uint8_t(row % kFontCount + 1);
                table.mode[row] = uint8_t(modes[row % 4]);
            }
    }
    return doc;
}

} // namespace korvex::bench
