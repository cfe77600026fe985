#pragma once
// A random document for the pixel tests that compare two ways of drawing a canvas.

#include "core/document.h"

#include <iterator>
#include <random>

namespace korvex::test {

// A document where every font, set cell and screen cell is random, with empty and
// bad set cells, random grids, view and Multi Font View rows.
inline void randomiseDocument(Document& doc, std::mt19937& random) {
    for (int f = 1; f <= kFontCount; ++f)
        for (int g = 0; g < kGlyphCount; ++g)
            for (int x = 0; x < 8; ++x)
                for (int y = 0; y < 8; ++y)
                    doc.setPixel(f, g, x, y, uint8_t(random() % 2));
    // Few distinct glyphs, so that cells repeat.
    auto code = [&] { return int16_t(random() % 6 + (random() % 2 ? 128 : 0)); };
    for (int s = 1; s <= kSetCount; ++s)
        for (int k = 0; k < kSetCells; ++k) {
            const int kind = int(random() % 10);
            doc.Sets[s][k] = kind == 0 ? int16_t(-1) : kind == 1 ? int16_t(999) : code();
        }
    for (uint8_t& cell : doc.screens)
        cell = uint8_t(code());
    doc.currentScreen = uint8_t(random() % kScreenCount);
    doc.CurrentFont = 1 + int64_t(random() % kFontCount);
    doc.CurrentSet = 1 + int64_t(random() % kSetCount);
    doc.SetsViewerFirst = 1 + int64_t(random() % 95);
    doc.FourColourMode = int64_t(random() % 2);
    doc.SetViewMode = random() % 2 ? SetView::Mask : SetView::Normal;
    doc.SetEditorGridOn = int64_t(random() % 2);
    doc.SetPreviewGridOn = int64_t(random() % 2);
    doc.gridShown = uint8_t(random() % 2);
    doc.rangeFrameShown = uint8_t(random() % 2);
    for (int row = 1; row <= 5; ++row)
        doc.MultiViewFonts[row] = int64_t(random() % 12) - 1;
    for (int r = LUM; r <= PF3; ++r)
        workingColour(doc, r) = int64_t(random() & 0xFFFFFF);
    for (int f = 1; f <= kFontCount; ++f)
        for (int r = LUM; r <= PF3; ++r)
            doc.FontColours[f][r] = int64_t(random() & 0xFFFFFF);
}

// Row tables of random fonts and modes on every screen, follow entries among them.
inline void randomiseRowTables(Document& doc, std::mt19937& random) {
    static const RowMode modes[] = {RowMode::Follow, RowMode::TwoColour, RowMode::FourColour,
                                    RowMode::FourColourTall};
    for (RowTable& table : doc.rowTables)
        for (int row = 0; row < kRowTableRows; ++row) {
            table.font[row] = uint8_t(random() % (kFontCount + 1));
            table.mode[row] = uint8_t(modes[random() % std::size(modes)]);
        }
}

} // namespace korvex::test
