#include "core/glyph_usage.h"
#include "core/screens.h"
#include "test_document.h"

#include <gtest/gtest.h>

namespace korvex {
namespace {

TEST(GlyphUsage, InverseCodesCountForTheirGlyphAndBadCellsForNothing) {
    auto doc = test::freshDocument();
    doc->Sets[1][0] = 5;
    doc->Sets[1][1] = 133; // the inverse form of 5
    doc->Sets[100][24] = 127;
    doc->Sets[2][3] = 300; // out of range after a file load
    doc->Sets[2][4] = -7;  // likewise
    doc->Sets[2][5] = 256; // would be glyph 0 if taken mod 128
    doc->Sets[0][0] = 11;  // set 0 does not exist
    doc->Sets[3][25] = 12; // nor does a 26th cell
    setCell(*doc, 0, 0, 0, 5);
    setCell(*doc, 8, 39, 23, 200); // glyph 72, the last cell of the last screen

    const GlyphUses uses = countGlyphUses(*doc);
    EXPECT_EQ(uses.inSets[5], 2);
    EXPECT_EQ(uses.inScreens[5], 1);
    EXPECT_EQ(uses.total(5), 3);
    EXPECT_EQ(uses.inSets[127], 1);
    EXPECT_EQ(uses.inScreens[72], 1);
    EXPECT_EQ(uses.inSets[0], 0);
    EXPECT_EQ(uses.inSets[11], 0);
    EXPECT_EQ(uses.inSets[12], 0);
    // Every other screen cell holds code 0.
    EXPECT_EQ(uses.inScreens[0], kScreenCount * kScreenCells - 2);

    std::vector<int> expected;
    for (int g = 1; g < kGlyphCount; ++g)
        if (g != 5 && g != 72 && g != 127)
            expected.push_back(g);
    EXPECT_EQ(unusedGlyphs(uses), expected);
}

TEST(GlyphUsage, ScreensOfOneGlyphLeaveAllOthersUnused) {
    auto doc = test::freshDocument();
    for (int screen = 0; screen < kScreenCount; ++screen)
        for (int row = 0; row < kScreenRows; ++row)
            for (int column = 0; column < kScreenColumns; ++column)
                setCell(*doc, screen, column, row, 128 + 64);
    const GlyphUses uses = countGlyphUses(*doc);
    EXPECT_EQ(uses.total(64), kScreenCount * kScreenCells);
    EXPECT_EQ(unusedGlyphs(uses).size(), size_t(kGlyphCount - 1));
}

} // namespace
} // namespace korvex
