#include "core/document.h"
#include "test_document.h"

#include <gtest/gtest.h>

using namespace korvex;

namespace {

TEST(Document, StartValues) {
    auto doc = test::freshDocument();
    EXPECT_EQ(doc->CurrentFont, 1);
    EXPECT_EQ(doc->CurrentGlyph, 1);
    EXPECT_EQ(doc->PickedGlyph, 1);
    EXPECT_EQ(doc->CurrentSet, 1);
    EXPECT_EQ(doc->LeftColour, LUM);
    EXPECT_EQ(doc->RightColour, BAK);
    EXPECT_EQ(doc->SavedLeftColour4, PF0);
    EXPECT_EQ(doc->FontName[1], "Default.fnt");
    for (int f = 2; f <= 10; ++f)
        EXPECT_EQ(doc->FontName[f], "Empty.fnt");
    const int64_t colours[7] = {0, 0xEEEEEE, 0, 0x1F77C2, 0x1BB747, 0xCF772C, 0x7B1495};
    for (int f = 1; f <= 10; ++f)
        for (int r = 1; r <= 6; ++r)
            EXPECT_EQ(doc->FontColours[f][r], colours[r]);
    for (int r = 1; r <= 6; ++r)
        EXPECT_EQ(workingColour(*doc, r), colours[r]);
    const int64_t atari[7] = {0, 14, 0, 24, 184, 134, 68};
    for (int r = 1; r <= 6; ++r)
        EXPECT_EQ(doc->AtariColour[r], atari[r]);
    EXPECT_EQ(doc->MultiViewFonts[1], 0);
    EXPECT_EQ(doc->MultiViewFonts[2], 1);
    EXPECT_EQ(doc->MultiViewFonts[5], 10);
    EXPECT_EQ(doc->rangeWidth, 5);
    EXPECT_EQ(doc->rangeHeight, 5);
    EXPECT_EQ(doc->rangeX, 0);
    EXPECT_TRUE(doc->exportKind.empty());
    EXPECT_EQ(doc->SetsViewerFirst, 1);
    // Fonts 2 to 10 are blank.
    for (int f = 2; f <= 10; ++f)
        for (int g = 0; g < 128; ++g)
            for (int x = 0; x < 8; ++x)
                for (int y = 0; y < 8; ++y)
                    ASSERT_EQ(doc->pixel(f, g, x, y), 0);
}

TEST(Document, FontColourRowsExchangeWithWorkingColours) {
    auto doc = test::freshDocument();
    doc->ColourPF2 = 0x123456;
    doc->CurrentFont = 4;
    storeFontColours(*doc);
    EXPECT_EQ(doc->FontColours[4][PF2], 0x123456);
    EXPECT_EQ(doc->FontColours[3][PF2], 0xCF772C);
    loadFontColours(*doc, 3);
    EXPECT_EQ(doc->ColourPF2, 0xCF772C);
    EXPECT_EQ(&workingColour(*doc, 0), &doc->ColourBAK); // bad register falls back safely
}

} // namespace
