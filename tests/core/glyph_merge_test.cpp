#include "core/glyph_bytes.h"
#include "core/glyph_merge.h"
#include "core/screens.h"
#include "crafted_font.h"
#include "test_document.h"

#include <cstring>
#include <gtest/gtest.h>

namespace korvex {
namespace {

using test::kLetterP;
using test::kLetterQ;
using test::putGlyph;

constexpr int kFont = 2;

class GlyphMerge : public ::testing::Test {
protected:
    std::unique_ptr<Document> doc = test::freshDocument();

    void SetUp() override {
        test::putDistinctFont(*doc, kFont);
        putGlyph(*doc, kFont, 5, kLetterP);
        putGlyph(*doc, kFont, 40, kLetterP);
        putGlyph(*doc, kFont, 90, kLetterP);
        putGlyph(*doc, kFont, 3, kLetterQ);
        putGlyph(*doc, kFont, 7, kLetterQ);
        putGlyph(*doc, kFont, 20, invertedGlyph(kLetterP));
    }
};

TEST_F(GlyphMerge, RewritesTheCellsOfLaterGlyphsOnlyAndClearsThem) {
    // Set cells: later glyphs plain and inverse, the first glyph, an inverse-only
    // duplicate, bad codes and an empty cell.
    doc->Sets[1][0] = 40;
    doc->Sets[1][1] = 168;
    doc->Sets[1][2] = 5;
    doc->Sets[1][3] = 20;
    doc->Sets[50][24] = 7 + 128;
    doc->Sets[2][0] = 296; // 40 + 256
    doc->Sets[2][1] = -88; // 40 - 128
    doc->Sets[3][25] = 40; // no such cell
    setCell(*doc, 0, 0, 0, 40);
    setCell(*doc, 4, 10, 10, 90 + 128);
    setCell(*doc, 8, 39, 23, 7);
    const auto before = std::make_unique<Document>(*doc);

    const std::vector<GlyphGroup> groups = findDuplicateGroups(*doc, kFont);
    ASSERT_EQ(groups, (std::vector<GlyphGroup>{{3, 7}, {5, 40, 90}}));
    const MergeCount planned = countMergeChanges(*doc, kFont, groups);
    const MergeCount done = mergeGlyphGroups(*doc, kFont, groups);
    EXPECT_EQ(done.setCells, 3);
    EXPECT_EQ(done.screenCells, 3);
    EXPECT_EQ(done.glyphs, 3);
    EXPECT_EQ(planned.cells(), done.cells());
    EXPECT_EQ(planned.glyphs, done.glyphs);

    // Every cell compared with its old value: only the expected ones moved.
    auto expectedSets = std::make_unique<Document>(*before);
    expectedSets->Sets[1][0] = 5;
    expectedSets->Sets[1][1] = 133;
    expectedSets->Sets[50][24] = 3 + 128;
    setCell(*expectedSets, 0, 0, 0, 5);
    setCell(*expectedSets, 4, 10, 10, 5 + 128);
    setCell(*expectedSets, 8, 39, 23, 3);
    EXPECT_EQ(std::memcmp(doc->Sets, expectedSets->Sets, sizeof doc->Sets), 0);
    EXPECT_EQ(std::memcmp(doc->screens, expectedSets->screens, sizeof doc->screens), 0);

    // The later glyphs are empty now, the first ones and every other font unchanged.
    for (int g : {7, 40, 90})
        EXPECT_TRUE(isEmptyGlyph(glyphBytes(*doc, kFont, g))) << g;
    EXPECT_EQ(glyphBytes(*doc, kFont, 5), kLetterP);
    EXPECT_EQ(glyphBytes(*doc, kFont, 3), kLetterQ);
    EXPECT_EQ(glyphBytes(*doc, kFont, 20), invertedGlyph(kLetterP));
    for (int font = 1; font <= kFontCount; ++font) {
        if (font == kFont)
            continue;
        EXPECT_EQ(std::memcmp(doc->Glyphs[font - 1], before->Glyphs[font - 1],
                              sizeof doc->Glyphs[font - 1]),
                  0)
            << font;
    }
    EXPECT_EQ(std::memcmp(doc->SetClipboard, before->SetClipboard, sizeof doc->SetClipboard), 0);
}

TEST_F(GlyphMerge, OnlyExactCopiesOfTheFirstGlyphAreMerged) {
    doc->Sets[1][0] = 20;
    doc->Sets[1][1] = 40;
    const auto before = std::make_unique<Document>(*doc);
    // A group found with the inverse option: 20 is no exact copy and stays.
    const std::vector<GlyphGroup> group{{5, 20, 40}};
    EXPECT_EQ(mergeableGroups(*doc, kFont, group), (std::vector<GlyphGroup>{{5, 40}}));
    const MergeCount done = mergeGlyphGroups(*doc, kFont, group);
    EXPECT_EQ(done.cells(), 1);
    EXPECT_EQ(doc->Sets[1][0], 20);
    EXPECT_EQ(doc->Sets[1][1], 5);
    EXPECT_EQ(glyphBytes(*doc, kFont, 20), invertedGlyph(kLetterP));

    // Groups with nothing exact, bad codes, a code taken twice or an unknown font.
    for (const std::vector<GlyphGroup>& groups :
         {std::vector<GlyphGroup>{{5, 20}}, {{-1, 5}, {5, 200}}, {{40, 90}, {90, 5}}}) {
        auto copy = std::make_unique<Document>(*before);
        mergeGlyphGroups(*copy, kFont, groups);
        mergeGlyphGroups(*copy, kFontCount + 1, {{5, 40}});
        mergeGlyphGroups(*copy, 0, {{5, 40}});
        // {40, 90} merges; {90, 5} comes too late for 90 and 5 alone is no group.
        if (groups.front().front() == 40) {
            EXPECT_EQ(copy->Sets[1][1], 40);
            EXPECT_TRUE(isEmptyGlyph(glyphBytes(*copy, kFont, 90)));
            EXPECT_EQ(glyphBytes(*copy, kFont, 5), kLetterP);
            continue;
        }
        EXPECT_EQ(std::memcmp(copy->Sets, before->Sets, sizeof copy->Sets), 0);
        EXPECT_EQ(std::memcmp(copy->Glyphs, before->Glyphs, sizeof copy->Glyphs), 0);
    }
}

TEST(GlyphMergeOfDistinctFont, NoDuplicatesChangeNothing) {
    auto doc = test::freshDocument();
    test::putDistinctFont(*doc, 1);
    doc->Sets[1][0] = 9;
    const auto before = std::make_unique<Document>(*doc);
    const auto groups = findDuplicateGroups(*doc, 1);
    EXPECT_TRUE(groups.empty());
    EXPECT_EQ(mergeGlyphGroups(*doc, 1, groups).cells(), 0);
    EXPECT_EQ(std::memcmp(doc->Sets, before->Sets, sizeof doc->Sets), 0);
    EXPECT_EQ(std::memcmp(doc->screens, before->screens, sizeof doc->screens), 0);
    EXPECT_EQ(std::memcmp(doc->Glyphs, before->Glyphs, sizeof doc->Glyphs), 0);
}

} // namespace
} // namespace korvex
