#include "formats/view_editor_files.h"

#include "core/screens.h"
#include "test_document.h"

#include <gtest/gtest.h>

using namespace korvex;

namespace {

uint8_t pattern(int s, int x, int y) {
    return uint8_t(s * 31 + x * 7 + y * 13 + 1);
}

std::unique_ptr<Document> patternedScreens() {
    auto doc = test::freshDocument();
    for (int s = 0; s < kScreenCount; ++s)
        for (int y = 0; y < kScreenRows; ++y)
            for (int x = 0; x < kScreenColumns; ++x)
                setCell(*doc, s, x, y, pattern(s, x, y));
    return doc;
}

TEST(ViewEditorFiles, AllScreensRoundTripAndShortFilesKeepTheRest) {
    auto doc = patternedScreens();
    const Bytes data = viewEditorDataBytes(*doc);
    ASSERT_EQ(data.size(), 8640u);
    // Byte n: screen n / 960, row (n mod 960) / 40, column n mod 40.
    EXPECT_EQ(data[5 * 960 + 3 * 40 + 17], pattern(5, 17, 3));
    EXPECT_EQ(data[8639], pattern(8, 39, 23));

    auto other = test::freshDocument();
    Bytes longer = data;
    longer.resize(9000, 0x99);
    loadViewEditorData(*other, longer);
    EXPECT_EQ(viewEditorDataBytes(*other), data);

    // 1000 bytes: screen 0 and the first 40 cells of screen 1.
    loadViewEditorData(*doc, Bytes(1000, 0x42));
    EXPECT_EQ(getCell(*doc, 0, 39, 23), 0x42);
    EXPECT_EQ(getCell(*doc, 1, 39, 0), 0x42);
    EXPECT_EQ(getCell(*doc, 1, 0, 1), pattern(1, 0, 1));
    EXPECT_EQ(getCell(*doc, 8, 5, 5), pattern(8, 5, 5));
    loadViewEditorData(*doc, Bytes{});
    EXPECT_EQ(getCell(*doc, 1, 0, 1), pattern(1, 0, 1));
}

TEST(ViewEditorFiles, CurrentScreenOnly) {
    auto doc = patternedScreens();
    doc->currentScreen = 4;
    const Bytes screen = screenDataBytes(*doc);
    ASSERT_EQ(screen.size(), 960u);
    EXPECT_EQ(screen[2 * 40 + 9], pattern(4, 9, 2));

    // A 100-byte file changes rows 0 and 1 and half of row 2, nothing else.
    loadScreenData(*doc, Bytes(100, 0xAB));
    EXPECT_EQ(getCell(*doc, 4, 39, 1), 0xAB);
    EXPECT_EQ(getCell(*doc, 4, 19, 2), 0xAB);
    EXPECT_EQ(getCell(*doc, 4, 20, 2), pattern(4, 20, 2));
    EXPECT_EQ(getCell(*doc, 3, 0, 0), pattern(3, 0, 0));
    EXPECT_EQ(getCell(*doc, 5, 0, 0), pattern(5, 0, 0));

    loadScreenData(*doc, screen);
    EXPECT_EQ(screenDataBytes(*doc), screen);

    // A screen number beyond the nine reads blank and takes no data.
    const Bytes all = viewEditorDataBytes(*doc);
    doc->currentScreen = 9;
    EXPECT_EQ(screenDataBytes(*doc), Bytes(960, 0));
    loadScreenData(*doc, Bytes(960, 1));
    EXPECT_EQ(viewEditorDataBytes(*doc), all);
}

TEST(RangeBlock, SaveClipsAtTheScreenEdges) {
    auto doc = patternedScreens();
    doc->currentScreen = 1;
    doc->rangeX = 35;
    doc->rangeY = 20;
    doc->rangeWidth = 10;
    doc->rangeHeight = 3;
    const Bytes block = rangeBlockBytes(*doc);
    ASSERT_EQ(block.size(), 2u + 15u);
    EXPECT_EQ(block[0], 5);
    EXPECT_EQ(block[1], 3);
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 5; ++column)
            ASSERT_EQ(block[2 + 5 * row + column], pattern(1, 35 + column, 20 + row));

    doc->rangeY = 22; // only rows 22 and 23 fit
    EXPECT_EQ(rangeBlockBytes(*doc)[1], 2);

    doc->rangeWidth = 0;
    EXPECT_EQ(rangeBlockBytes(*doc), (Bytes{0, 2}));
}

TEST(RangeBlock, StartOutsideTheScreenSavesAnEmptyBlock) {
    auto doc = patternedScreens();
    for (auto [x, y] : {std::pair{40, 0}, std::pair{0, 24}, std::pair{255, 255}}) {
        doc->rangeX = uint8_t(x);
        doc->rangeY = uint8_t(y);
        EXPECT_EQ(rangeBlockBytes(*doc), (Bytes{0, 0})) << x << "," << y;
    }
}

TEST(RangeBlock, LoadPlacesClipsAndPads) {
    auto doc = patternedScreens();
    doc->currentScreen = 6;
    doc->rangeX = 35;
    doc->rangeY = 1;
    // Width 10, height 2: the five cells past column 39 of each row are read and dropped.
    Bytes block{10, 2};
    for (int i = 0; i < 20; ++i)
        block.push_back(uint8_t(100 + i));
    loadRangeBlock(*doc, block);
    for (int column = 0; column < 5; ++column) {
        EXPECT_EQ(getCell(*doc, 6, 35 + column, 1), 100 + column);
        EXPECT_EQ(getCell(*doc, 6, 35 + column, 2), 110 + column);
    }
    EXPECT_EQ(getCell(*doc, 6, 34, 1), pattern(6, 34, 1));
    EXPECT_EQ(getCell(*doc, 6, 0, 2), pattern(6, 0, 2)); // no wrap into the next row
    EXPECT_EQ(getCell(*doc, 6, 0, 3), pattern(6, 0, 3));
    EXPECT_EQ(getCell(*doc, 6, 35, 3), pattern(6, 35, 3));

    // A file that ends early fills the missing cells with 0.
    doc->rangeX = 0;
    doc->rangeY = 10;
    loadRangeBlock(*doc, Bytes{3, 2, 7, 8});
    EXPECT_EQ(getCell(*doc, 6, 0, 10), 7);
    EXPECT_EQ(getCell(*doc, 6, 1, 10), 8);
    EXPECT_EQ(getCell(*doc, 6, 2, 10), 0);
    EXPECT_EQ(getCell(*doc, 6, 0, 11), 0);
    EXPECT_EQ(getCell(*doc, 6, 2, 11), 0);
    EXPECT_EQ(getCell(*doc, 6, 3, 10), pattern(6, 3, 10));

    // The bottom edge drops whole rows.
    doc->rangeY = 23;
    loadRangeBlock(*doc, Bytes{1, 3, 50, 51, 52});
    EXPECT_EQ(getCell(*doc, 6, 0, 23), 50);
    EXPECT_EQ(getCell(*doc, 7, 0, 0), pattern(7, 0, 0));
}

TEST(RangeBlock, NegativeOrMissingSizeReadsNoCells) {
    auto doc = patternedScreens();
    const Bytes before = viewEditorDataBytes(*doc);
    doc->rangeX = 0;
    doc->rangeY = 0;
    for (const Bytes& block : {Bytes{128, 2, 1, 2, 3}, Bytes{2, 200, 1, 2, 3}, Bytes{255, 255, 9},
                               Bytes{0, 5, 1}, Bytes{4}, Bytes{}}) {
        loadRangeBlock(*doc, block);
        ASSERT_EQ(viewEditorDataBytes(*doc), before) << block.size();
    }
    // The largest positive size, 127 x 127, stays inside the screen.
    Bytes big{127, 127};
    big.resize(kLargestRangeBlockBytes, 0x33);
    loadRangeBlock(*doc, big);
    EXPECT_EQ(getCell(*doc, 0, 39, 23), 0x33);
    EXPECT_EQ(getCell(*doc, 1, 0, 0), pattern(1, 0, 0));
}

TEST(RangeBlock, SavedBlockLoadsBackElsewhere) {
    auto doc = patternedScreens();
    doc->rangeX = 4;
    doc->rangeY = 7;
    doc->rangeWidth = 6;
    doc->rangeHeight = 4;
    const Bytes block = rangeBlockBytes(*doc);
    doc->currentScreen = 3;
    doc->rangeX = 20;
    doc->rangeY = 0;
    loadRangeBlock(*doc, block);
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 6; ++column)
            ASSERT_EQ(getCell(*doc, 3, 20 + column, row), pattern(0, 4 + column, 7 + row));
}

} // namespace
