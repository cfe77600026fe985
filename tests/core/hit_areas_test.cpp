#include "core/hit_areas.h"
#include "test_document.h"

#include <gtest/gtest.h>

#include <vector>

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

// The rectangles as start-up used to write them into the document, grid by grid:
// the worked-out table must give the same one at every index.
std::vector<HitArea> startUpLayout() {
    std::vector<HitArea> areas(kHitAreaCount);
    auto grid = [&](int64_t first, int columns, int rows, int64_t step, int64_t side, bool cells,
                    int wrap, int64_t top) {
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < columns; ++c)
                areas[size_t(first + r * columns + c)] =
                    HitArea{step * c, top + step * r,       side,
                            side,     cells ? c % wrap : 0, cells ? r % wrap : 0};
    };
    grid(0, 32, 4, 17, 16, false, 1, 0);
    grid(128, 32, 4, 17, 16, false, 1, 68);
    grid(500, 8, 8, 30, 30, true, 8, 0);
    grid(600, 5, 5, 80, 80, false, 1, 0);
    grid(1000, 40, 40, 10, 10, true, 8, 0);
    grid(3000, 5, 5, 16, 16, false, 1, 0);
    grid(7500, 10, 1, 80, 80, true, 10, 0);
    grid(9000, 40, 24, 16, 16, true, 40, 0);
    return areas;
}

bool sameArea(const HitArea& a, const HitArea& b) {
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height &&
           a.column == b.column && a.row == b.row;
}

TEST(HitAreas, WorkedOutTableMatchesTheStartUpLayoutEverywhere) {
    auto doc = test::freshDocument();
    const std::vector<HitArea> expected = startUpLayout();
    for (int64_t i = 0; i < kHitAreaCount; ++i)
        ASSERT_TRUE(sameArea(doc->HitAreas[i], expected[size_t(i)])) << "index " << i;
    EXPECT_TRUE(sameArea(doc->HitAreas[-1], HitArea{}));
    EXPECT_TRUE(sameArea(doc->HitAreas[kHitAreaCount], HitArea{}));
}

TEST(HitAreas, LookupsOutsideTheTableAreSafe) {
    auto doc = test::freshDocument();
    EXPECT_EQ(findHitArea(*doc, -5, -1, 0, 0), -1);
    EXPECT_EQ(findHitArea(*doc, 11990, 20000, 1, 1), -1);
}

} // namespace
