#include "core/glyph_bytes.h"
#include "core/glyph_duplicates.h"
#include "crafted_font.h"
#include "test_document.h"

#include <gtest/gtest.h>

namespace korvex {
namespace {

using test::kLetterP;
using test::kLetterQ;
using test::putGlyph;
using Groups = std::vector<GlyphGroup>;

TEST(GlyphBytes, ChangesFollowTheEditorsRules) {
    const GlyphBytes p = kLetterP;
    EXPECT_EQ(invertedGlyph(p)[0], 0x0F);
    EXPECT_EQ(mirroredHorizontally(p, false)[1], 0x11);
    // Four-colour pairs move whole: 10 00 10 00 -> 00 10 00 10.
    EXPECT_EQ(mirroredHorizontally(p, true)[1], 0x22);
    EXPECT_EQ(mirroredVertically(p)[0], 0x00);
    EXPECT_EQ(mirroredVertically(p)[7], 0xF0);
    EXPECT_TRUE(isEmptyGlyph(GlyphBytes{}));
    EXPECT_FALSE(isEmptyGlyph(p));

    auto doc = test::freshDocument();
    putGlyph(*doc, 4, 9, p);
    EXPECT_EQ(glyphBytes(*doc, 4, 9), p);
    EXPECT_EQ(glyphBytes(*doc, 11, 9), GlyphBytes{});
    EXPECT_EQ(glyphBytes(*doc, 4, 128), GlyphBytes{});
}

class DuplicateGroups : public ::testing::Test {
protected:
    static constexpr int kFont = 3;
    std::unique_ptr<Document> doc = test::freshDocument();

    void SetUp() override {
        test::putDistinctFont(*doc, kFont);
        putGlyph(*doc, kFont, 7, kLetterQ);
        putGlyph(*doc, kFont, 3, kLetterQ);
        putGlyph(*doc, kFont, 5, kLetterP);
        putGlyph(*doc, kFont, 40, kLetterP);
        putGlyph(*doc, kFont, 20, invertedGlyph(kLetterP));
        putGlyph(*doc, kFont, 30, mirroredHorizontally(kLetterP, false));
        putGlyph(*doc, kFont, 31, mirroredHorizontally(kLetterP, true));
        putGlyph(*doc, kFont, 60, mirroredVertically(kLetterP));
        putGlyph(*doc, kFont, 70, mirroredVertically(mirroredHorizontally(kLetterP, false)));
        putGlyph(*doc, kFont, 90, invertedGlyph(mirroredHorizontally(kLetterP, false)));
        putGlyph(*doc, kFont, 101, GlyphBytes{});
        putGlyph(*doc, kFont, 100, GlyphBytes{});
    }
    Groups find(bool inverse, bool horizontal, bool vertical, bool pairs = false) const {
        return findDuplicateGroups(*doc, kFont, {inverse, horizontal, vertical, pairs});
    }
};

TEST_F(DuplicateGroups, ExactGroupsComeInOrderOfTheirFirstCodeAndLeaveOutEmptyGlyphs) {
    EXPECT_EQ(find(false, false, false), (Groups{{3, 7}, {5, 40}}));
    EXPECT_EQ(emptyGlyphs(*doc, kFont), (std::vector<int>{100, 101}));
    // The start-up font has its own duplicates; an unknown font has none.
    EXPECT_TRUE(findDuplicateGroups(*doc, 0).empty());
    EXPECT_TRUE(emptyGlyphs(*doc, kFontCount + 1).empty());
}

TEST_F(DuplicateGroups, EachOptionAddsItsOwnFormsAndCombinationsNeedEveryPart) {
    // Forms of different glyphs group among themselves too: 90 is 30 inverted.
    EXPECT_EQ(find(true, false, false), (Groups{{3, 7}, {5, 20, 40}, {30, 90}}));
    EXPECT_EQ(find(false, true, false), (Groups{{3, 7}, {5, 30, 40}, {20, 90}, {60, 70}}));
    EXPECT_EQ(find(false, false, true), (Groups{{3, 7}, {5, 40, 60}, {30, 70}}));
    EXPECT_EQ(find(false, true, true), (Groups{{3, 7}, {5, 30, 40, 60, 70}, {20, 90}}));
    EXPECT_EQ(find(true, true, false), (Groups{{3, 7}, {5, 20, 30, 40, 90}, {60, 70}}));
    EXPECT_EQ(find(true, true, true), (Groups{{3, 7}, {5, 20, 30, 40, 60, 70, 90}}));
    // Mirrored by four-colour pairs, glyph 31 matches instead of 30.
    EXPECT_EQ(find(false, true, false, true), (Groups{{3, 7}, {5, 31, 40}}));
}

TEST(DuplicateGroupsOfAFont, FullGlyphsGroupButNeverWithTheEmptyOnes) {
    auto doc = test::freshDocument();
    test::putDistinctFont(*doc, 1);
    const GlyphBytes full{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    putGlyph(*doc, 1, 110, full);
    putGlyph(*doc, 1, 111, full);
    putGlyph(*doc, 1, 0, GlyphBytes{});
    putGlyph(*doc, 1, 1, GlyphBytes{});
    EXPECT_EQ(findDuplicateGroups(*doc, 1, {true, true, true, false}), (Groups{{110, 111}}));
}

TEST(DuplicateGroupsOfAFont, AFontOfDistinctGlyphsHasNoneUnderAnyOption) {
    auto doc = test::freshDocument();
    test::putDistinctFont(*doc, 1);
    for (int options = 0; options < 16; ++options)
        EXPECT_TRUE(findDuplicateGroups(*doc, 1,
                                        {bool(options & 1), bool(options & 2), bool(options & 4),
                                         bool(options & 8)})
                        .empty())
            << options;
    EXPECT_TRUE(emptyGlyphs(*doc, 1).empty());
}

} // namespace
} // namespace korvex
