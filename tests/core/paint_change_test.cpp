// Painting says whether it changed the glyph, so that an unchanged glyph is not
// redrawn.

#include "core/glyph_edit.h"
#include "core/hit_areas.h"
#include "test_document.h"

#include <gtest/gtest.h>

namespace korvex {
namespace {

TEST(PaintChange, OnlyAPixelThatTakesANewValueCountsAsAChange) {
    auto doc = test::freshDocument();
    doc->CurrentFont = 1;
    doc->setPixel(1, 20, 3, 4, 0);
    EXPECT_TRUE(paintSetPixel(*doc, 20, 3, 4, 1));
    EXPECT_FALSE(paintSetPixel(*doc, 20, 3, 4, 1));
    EXPECT_TRUE(paintSetPixel(*doc, 20 + 128, 3, 4, 1)); // inverse: left clears
    EXPECT_FALSE(paintSetPixel(*doc, -1, 3, 4, 1));
    EXPECT_FALSE(paintSetPixel(*doc, 20, 8, 4, 1));

    doc->CurrentGlyph = 20;
    EXPECT_FALSE(paintPixel(*doc, 1, kEditorAreas - 1));
}

TEST(PaintChange, FourColourPairsChangeWhenEitherPixelDoes) {
    auto doc = test::freshDocument();
    doc->CurrentFont = 1;
    doc->FourColourMode = 1;
    doc->LeftColour = PF1; // pair 1,0
    doc->RightColour = PF2;
    doc->setPixel(1, 30, 2, 0, 1);
    doc->setPixel(1, 30, 3, 0, 1);
    EXPECT_TRUE(paintSetPixel(*doc, 30, 3, 0, 1));
    EXPECT_EQ(doc->pixel(1, 30, 2, 0), 1);
    EXPECT_EQ(doc->pixel(1, 30, 3, 0), 0);
    EXPECT_FALSE(paintSetPixel(*doc, 30, 2, 0, 1));
    // PF2 cannot show on an inverse code: nothing is written or changed.
    EXPECT_FALSE(paintSetPixel(*doc, 30 + 128, 2, 0, 2));
}

} // namespace
} // namespace korvex
