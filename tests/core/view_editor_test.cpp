// Screen edits of the View Editor: which cell a canvas point hits, painting,
// stamping the current set, erasing, picking, whole-screen commands, the screen
// selector and the range fields' number rule.

#include "core/screens.h"
#include "core/view_editor.h"
#include "test_document.h"

#include <gtest/gtest.h>

using namespace korvex;

namespace {

int countNonZero(const Document& doc, int screen) {
    int n = 0;
    for (int row = 0; row < kScreenRows; ++row)
        for (int column = 0; column < kScreenColumns; ++column)
            n += getCell(doc, screen, column, row) != 0;
    return n;
}

// Set 1 with code 100 + k in every place k, except the places listed as -1.
void fillSet(Document& doc, std::initializer_list<int> emptyPlaces) {
    for (int k = 0; k < kSetCells; ++k)
        doc.Sets[1][k] = int16_t(100 + k);
    for (int k : emptyPlaces)
        doc.Sets[1][k] = -1;
    doc.CurrentSet = 1;
}

TEST(ViewEditorCells, PointsOnSharedEdgesBelongToTheUpperOrLeftCell) {
    auto doc = test::freshDocument();
    auto at = [&](int x, int y) {
        auto cell = viewEditorCellAt(*doc, x, y);
        return cell ? std::pair<int64_t, int64_t>(cell->column, cell->row)
                    : std::pair<int64_t, int64_t>(-1, -1);
    };
    EXPECT_EQ(at(0, 0), std::make_pair(int64_t(0), int64_t(0)));
    EXPECT_EQ(at(15, 15), std::make_pair(int64_t(0), int64_t(0)));
    EXPECT_EQ(at(16, 20), std::make_pair(int64_t(0), int64_t(1))); // vertical line: left
    EXPECT_EQ(at(20, 16), std::make_pair(int64_t(1), int64_t(0))); // horizontal line: upper
    EXPECT_EQ(at(17, 17), std::make_pair(int64_t(1), int64_t(1)));
    EXPECT_EQ(at(639, 383), std::make_pair(int64_t(39), int64_t(23)));
    EXPECT_EQ(at(-1, 5), std::make_pair(int64_t(-1), int64_t(-1)));
    EXPECT_EQ(at(700, 5), std::make_pair(int64_t(-1), int64_t(-1)));
}

TEST(ViewEditorMouse, LeftPaintsPickedGlyphOnTheCurrentScreenOnly) {
    auto doc = test::freshDocument();
    doc->currentScreen = 4;
    doc->PickedGlyph = 0x1A3; // only the low byte is stored
    bool control = false;
    EXPECT_EQ(viewEditorMouse(*doc, 16, 16, 1, control), ViewEditorMouseResult::Painted);
    EXPECT_EQ(getCell(*doc, 4, 0, 0), 0xA3);
    EXPECT_FALSE(control);
    EXPECT_EQ(countNonZero(*doc, 4), 1);
    for (int s = 0; s < kScreenCount; ++s) {
        if (s != 4) {
            EXPECT_EQ(countNonZero(*doc, s), 0) << s;
        }
    }
}

TEST(ViewEditorMouse, ControlLeftPicksWithoutChangingTheScreen) {
    auto doc = test::freshDocument();
    setCell(*doc, 0, 3, 2, 77);
    bool control = true;
    doc->PickedGlyph = 5;
    EXPECT_EQ(viewEditorMouse(*doc, 3 * 16 + 4, 2 * 16 + 4, 1, control),
              ViewEditorMouseResult::Picked);
    EXPECT_EQ(doc->PickedGlyph, 77);
    EXPECT_EQ(doc->CurrentGlyph, 77);
    EXPECT_TRUE(control);
    EXPECT_EQ(countNonZero(*doc, 0), 1);
    EXPECT_EQ(getCell(*doc, 0, 3, 2), 77);
}

TEST(ViewEditorMouse, RightErasesOneCellEvenWhenStamping) {
    auto doc = test::freshDocument();
    fillSet(*doc, {});
    for (int column = 0; column < 5; ++column)
        for (int row = 0; row < 5; ++row)
            setCell(*doc, 0, column, row, 9);
    doc->setDrawing = 1;
    bool control = false;
    EXPECT_EQ(viewEditorMouse(*doc, 20, 20, 2, control), ViewEditorMouseResult::Erased);
    EXPECT_EQ(getCell(*doc, 0, 1, 1), 0);
    EXPECT_EQ(countNonZero(*doc, 0), 24);
}

TEST(ViewEditorMouse, OtherButtonCombinationsAndMovesChangeNothing) {
    auto doc = test::freshDocument();
    doc->PickedGlyph = 8;
    bool control = false;
    for (int buttons : {0, 4, 8})
        EXPECT_EQ(viewEditorMouse(*doc, 20, 20, buttons, control), ViewEditorMouseResult::None);
    EXPECT_EQ(countNonZero(*doc, 0), 0);
    // Outside the cells a left click only ends the Control state.
    control = true;
    EXPECT_EQ(viewEditorMouse(*doc, 900, 20, 1, control), ViewEditorMouseResult::None);
    EXPECT_FALSE(control);
}

TEST(ViewEditorStamp, ClipsAtTheRightAndBottomEdgesAndSkipsEmptyPlaces) {
    auto doc = test::freshDocument();
    fillSet(*doc, {1, 6});
    setCell(*doc, 0, 39, 20, 55); // under empty place 1: kept
    doc->setDrawing = 1;
    bool control = false;
    EXPECT_EQ(viewEditorMouse(*doc, 38 * 16 + 1, 20 * 16 + 1, 1, control),
              ViewEditorMouseResult::Painted);
    // Columns 38 and 39 take set columns 0 and 1; rows 20..23 take set rows 0..3.
    EXPECT_EQ(getCell(*doc, 0, 38, 20), 100);
    EXPECT_EQ(getCell(*doc, 0, 39, 20), 55);
    EXPECT_EQ(getCell(*doc, 0, 38, 21), 105);
    EXPECT_EQ(getCell(*doc, 0, 39, 21), 0); // place 6 empty, cell was 0
    EXPECT_EQ(getCell(*doc, 0, 38, 23), 115);
    EXPECT_EQ(getCell(*doc, 0, 39, 23), 116);
    EXPECT_EQ(countNonZero(*doc, 0), 7);
    // Nothing wrapped onto the next row or the left edge.
    EXPECT_EQ(getCell(*doc, 0, 0, 21), 0);
    EXPECT_EQ(getCell(*doc, 0, 0, 0), 0);
}

TEST(ViewEditorStamp, StoresTheLowByteAndIgnoresABadSetNumber) {
    auto doc = test::freshDocument();
    fillSet(*doc, {});
    doc->Sets[1][0] = 0x1FF;
    stampSet(*doc, 0, 0);
    EXPECT_EQ(getCell(*doc, 0, 0, 0), 0xFF);
    clearScreen(*doc);
    doc->CurrentSet = 500;
    stampSet(*doc, 0, 0);
    doc->CurrentSet = 0;
    EXPECT_EQ(countNonZero(*doc, 0), 0);
}

TEST(ViewEditorScreens, ClearAndFillTouchOnlyTheCurrentScreenClearAllTouchesAll) {
    auto doc = test::freshDocument();
    for (int s = 0; s < kScreenCount; ++s)
        setCell(*doc, s, 5, 5, 1 + s);
    doc->currentScreen = 2;
    doc->PickedGlyph = 33;
    fillScreen(*doc);
    EXPECT_EQ(countNonZero(*doc, 2), kScreenCells);
    EXPECT_EQ(getCell(*doc, 2, 39, 23), 33);
    EXPECT_EQ(getCell(*doc, 1, 5, 5), 2);
    EXPECT_EQ(getCell(*doc, 3, 5, 5), 4);
    clearScreen(*doc);
    EXPECT_EQ(countNonZero(*doc, 2), 0);
    EXPECT_EQ(getCell(*doc, 8, 5, 5), 9);
    clearAllScreens(*doc);
    for (int s = 0; s < kScreenCount; ++s)
        EXPECT_EQ(countNonZero(*doc, s), 0) << s;
}

TEST(ViewEditorScreens, BadCurrentScreenEditsNothingAndSelectorStaysInRange) {
    auto doc = test::freshDocument();
    doc->currentScreen = 200;
    doc->PickedGlyph = 7;
    fillScreen(*doc);
    paintCell(*doc, 0, 0);
    for (int s = 0; s < kScreenCount; ++s)
        EXPECT_EQ(countNonZero(*doc, s), 0);
    EXPECT_EQ(sheetColumnOf(*doc), 2);
    EXPECT_EQ(sheetRowOf(*doc), 2);
}

TEST(ViewEditorScreens, SelectorMapsScrollValuesToScreens) {
    auto doc = test::freshDocument();
    selectScreen(*doc, 2, 1);
    EXPECT_EQ(doc->currentScreen, 5);
    EXPECT_EQ(sheetColumnOf(*doc), 2);
    EXPECT_EQ(sheetRowOf(*doc), 1);
    selectScreen(*doc, 0, 2);
    EXPECT_EQ(doc->currentScreen, 6);
    EXPECT_EQ(sheetColumnOf(*doc), 0);
    EXPECT_EQ(sheetRowOf(*doc), 2);
}

TEST(RangeFieldRule, ModuloThenCap) {
    EXPECT_EQ(rangeFieldValue("50", kRangeWidthMax), 40);
    EXPECT_EQ(rangeFieldValue("0", kRangeWidthMax), 0);
    EXPECT_EQ(rangeFieldValue("", kRangeXMax), 0);
    EXPECT_EQ(rangeFieldValue("17", kRangeXMax), 17);
    EXPECT_EQ(rangeFieldValue("39", kRangeXMax), 39);
    EXPECT_EQ(rangeFieldValue("24", kRangeYMax), 23);
    EXPECT_EQ(rangeFieldValue("260", kRangeWidthMax), 4);  // 260 mod 256
    EXPECT_EQ(rangeFieldValue("300", kRangeWidthMax), 40); // 44, capped
    EXPECT_EQ(rangeFieldValue("007", kRangeHeightMax), 7);
    // A long run of digits neither overflows nor escapes the byte range.
    EXPECT_EQ(rangeFieldValue("10000000000000000000000001", 255), 1); // 10^25 mod 256 = 0
}

} // namespace
