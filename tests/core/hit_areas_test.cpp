#include "core/hit_areas.h"
#include "test_document.h"

#include <gtest/gtest.h>

using namespace korvex;

namespace {

TEST(HitAreas, FontCanvasLookups) {
    auto doc = test::freshDocument();
    EXPECT_EQ(findHitArea(*doc, 0, 255, 16, 0), 0); // shared border goes left
    EXPECT_EQ(findHitArea(*doc, 0, 255, 17, 0), 1);
    EXPECT_EQ(findHitArea(*doc, 0, 255, 0, 68), 128);
    EXPECT_EQ(findHitArea(*doc, 0, 255, 0, 67), 96);
    EXPECT_EQ(findHitArea(*doc, 0, 255, 545, 10), -1);
    EXPECT_EQ(findHitArea(*doc, 0, 255, 17 * 31 + 16, 68 + 17 * 3 + 16), 255);
}

TEST(HitAreas, SharedBordersGoToTheLowerIndex) {
    auto doc = test::freshDocument();
    const int64_t a = findHitArea(*doc, 500, 563, 30, 10);
    ASSERT_EQ(a, 500);
    EXPECT_EQ(doc->HitAreas[a].column, 0);
    EXPECT_EQ(findHitArea(*doc, 500, 563, 31, 10), 501);
    EXPECT_EQ(findHitArea(*doc, 600, 624, 80, 80), 600);
    EXPECT_EQ(findHitArea(*doc, 9000, 9959, 16, 16), 9000);
    EXPECT_EQ(findHitArea(*doc, 9000, 9959, 17, 17), 9041);
}

TEST(HitAreas, RangesCarryTheirParameters) {
    auto doc = test::freshDocument();
    const int64_t p = findHitArea(*doc, 1000, 2600, 95, 135); // column 9, row 13
    ASSERT_EQ(p, 1000 + 40 * 13 + 9);
    EXPECT_EQ(doc->HitAreas[p].column, 1);
    EXPECT_EQ(doc->HitAreas[p].row, 5);
    EXPECT_EQ(findHitArea(*doc, 600, 624, 95, 135), 600 + 5 + 1);
    EXPECT_EQ(findHitArea(*doc, 3000, 3024, 79, 79), 3024);
    EXPECT_EQ(findHitArea(*doc, 7500, 7509, 799, 40), 7509);
    const int64_t v = findHitArea(*doc, 9000, 9959, 639, 383);
    EXPECT_EQ(doc->HitAreas[v].column, 39);
    EXPECT_EQ(doc->HitAreas[v].row, 23);
    // Entry 2600 is all zero and can only match (0, 0), which 1000 matches first.
    EXPECT_EQ(findHitArea(*doc, 1000, 2600, 0, 0), 1000);
    EXPECT_EQ(findHitArea(*doc, 2600, 2600, 0, 0), 2600);
}

TEST(HitAreas, InitEmptiesEverySetAndUnusedEntriesStayZero) {
    auto doc = test::freshDocument();
    for (int s = 0; s <= 100; ++s)
        for (int c = 0; c < 25; ++c)
            ASSERT_EQ(doc->Sets[s][c], -1);
    EXPECT_EQ(doc->Sets[1][25], 0);
    EXPECT_EQ(doc->HitAreas[300].width, 0);
    EXPECT_EQ(doc->HitAreas[12000].x, 0);
}

TEST(HitAreas, LookupsOutsideTheTableAreSafe) {
    auto doc = test::freshDocument();
    EXPECT_EQ(findHitArea(*doc, -5, -1, 0, 0), -1);
    EXPECT_EQ(findHitArea(*doc, 11990, 20000, 1, 1), -1);
    setHitArea(*doc, 12001, 0, 0, 1, 1, 0, 0); // ignored
    setHitArea(*doc, -1, 0, 0, 1, 1, 0, 0);
}

} // namespace
