// Which cells show a glyph: the lists a glyph change redraws from.

#include "core/glyph_places.h"
#include "core/screens.h"
#include "test_document.h"

#include <gtest/gtest.h>

namespace korvex {
namespace {

using test::freshDocument;

TEST(GlyphPlaces, BothCodesOfAGlyphShowItInItsFontOnly) {
    auto doc = freshDocument();
    doc->CurrentFont = 3;
    const GlyphRef changed{3, 5};
    EXPECT_TRUE(codeShowsGlyph(*doc, 5, changed, false));
    EXPECT_TRUE(codeShowsGlyph(*doc, 133, changed, false));
    EXPECT_FALSE(codeShowsGlyph(*doc, 6, changed, false));
    EXPECT_FALSE(codeShowsGlyph(*doc, 5, GlyphRef{4, 5}, false));
    // Empty cells and bad codes show nothing.
    EXPECT_FALSE(codeShowsGlyph(*doc, -1, changed, false));
    EXPECT_FALSE(codeShowsGlyph(*doc, 256 + 5, changed, false));
    EXPECT_FALSE(codeShowsGlyph(*doc, 5, GlyphRef{}, false));
}

TEST(GlyphPlaces, TheMaskViewAlsoShowsTheNextFontWhereItHasThatLayer) {
    auto doc = freshDocument();
    doc->CurrentFont = 8;
    EXPECT_TRUE(codeShowsGlyph(*doc, 5, GlyphRef{9, 5}, true));
    EXPECT_FALSE(codeShowsGlyph(*doc, 5, GlyphRef{9, 5}, false));
    EXPECT_FALSE(codeShowsGlyph(*doc, 5, GlyphRef{7, 5}, true));
    // Font 9 has no layer below it: font 10 never shows through.
    doc->CurrentFont = 9;
    EXPECT_FALSE(codeShowsGlyph(*doc, 5, GlyphRef{10, 5}, true));
}

TEST(GlyphPlaces, SetCellsHoldingEitherCodeAreListedAndOthersSkipped) {
    auto doc = freshDocument();
    doc->CurrentFont = 1;
    for (int k = 0; k < kSetCells; ++k)
        doc->Sets[7][k] = -1;
    doc->Sets[7][0] = 40;
    doc->Sets[7][4] = 168; // inverse of 40
    doc->Sets[7][9] = 41;
    doc->Sets[7][24] = 40 + 512; // bad data, not a code
    EXPECT_EQ(setCellsShowing(*doc, 7, GlyphRef{1, 40}, false), (std::vector<int>{0, 4}));
    EXPECT_TRUE(setCellsShowing(*doc, 0, GlyphRef{1, 40}, false).empty());
    EXPECT_TRUE(setCellsShowing(*doc, kSetCount + 1, GlyphRef{1, 40}, false).empty());
}

TEST(GlyphPlaces, ScreenCellsAreListedByRowAndColumn) {
    auto doc = freshDocument();
    doc->CurrentFont = 2;
    setCell(*doc, 4, 3, 0, 200); // inverse of 72
    setCell(*doc, 4, 39, 23, 72);
    setCell(*doc, 5, 0, 0, 72); // another screen
    EXPECT_EQ(screenCellsShowing(*doc, 4, GlyphRef{2, 72}),
              (std::vector<int>{3, 23 * kScreenColumns + 39}));
}

TEST(GlyphPlaces, ScreenRowsWithTheirOwnFontShowThatFontsGlyphs) {
    auto doc = freshDocument();
    doc->CurrentFont = 2;
    doc->rowTables[4].font[1] = 7; // row 1 shows font 7, the others follow font 2
    doc->rowTables[4].font[2] = 2; // named as the current font: the same as following
    setCell(*doc, 4, 0, 0, 72);
    setCell(*doc, 4, 0, 1, 72);
    setCell(*doc, 4, 0, 2, 72);
    EXPECT_EQ(screenCellsShowing(*doc, 4, GlyphRef{2, 72}),
              (std::vector<int>{0, 2 * kScreenColumns}));
    EXPECT_EQ(screenCellsShowing(*doc, 4, GlyphRef{7, 72}), (std::vector<int>{kScreenColumns}));
    doc->rowTables[4].font[1] = 11; // out of range: follows
    EXPECT_EQ(screenCellsShowing(*doc, 4, GlyphRef{7, 72}), std::vector<int>{});
    EXPECT_TRUE(screenCellsShowing(*doc, kScreenCount, GlyphRef{2, 72}).empty());
}

TEST(GlyphPlaces, MultiViewRowsCountOnlyTheShownRows) {
    auto doc = freshDocument();
    const int64_t selections[6] = {0, 2, 10, 2, -1, 5}; // rows 1..5; 10 and -1 hide a row
    for (int row = 1; row <= 5; ++row)
        doc->MultiViewFonts[row] = selections[row];
    const MultiViewRows rows = multiViewRowsShowing(*doc, 3);
    EXPECT_EQ(rows.shown, 3);
    EXPECT_EQ(rows.positions, (std::vector<int>{0, 1}));
    EXPECT_TRUE(multiViewRowsShowing(*doc, 1).positions.empty());
}

} // namespace
} // namespace korvex
