// Row table changes as history steps: each one undoes and redoes byte for byte and
// shows its screen; refused calls record nothing.
#include "core/row_table_edit.h"

#include "test_document.h"

#include <cstring>
#include <gtest/gtest.h>

using namespace korvex;

namespace {

bool sameTables(const Document& a, const RowTable (&b)[kScreenCount]) {
    return std::memcmp(a.rowTables, b, sizeof b) == 0;
}

TEST(RowTableEdit, EveryChangeIsOneStepThatUndoesAndRedoesExactly) {
    auto doc = test::freshDocument();
    RowTable start[kScreenCount];
    std::memcpy(start, doc->rowTables, sizeof start);

    EXPECT_TRUE(setRowFont(*doc, 3, 5, 7));
    EXPECT_TRUE(setRowMode(*doc, 3, 5, RowMode::FourColourTall));
    EXPECT_TRUE(setRowFont(*doc, 3, 12, 10));
    RowTable afterEdits[kScreenCount];
    std::memcpy(afterEdits, doc->rowTables, sizeof afterEdits);
    EXPECT_TRUE(applyRowToAllRows(*doc, 3, 5));
    for (int row = 0; row < kRowTableRows; ++row) {
        EXPECT_EQ(doc->rowTables[3].font[row], 7);
        EXPECT_EQ(doc->rowTables[3].mode[row], 5);
    }
    EXPECT_TRUE(copyRowTable(*doc, 3, 8));
    EXPECT_EQ(std::memcmp(&doc->rowTables[8], &doc->rowTables[3], sizeof(RowTable)), 0);
    EXPECT_EQ(doc->history.undoCount(), 5u);
    EXPECT_EQ(doc->history.undoName(), "Copy Row Table");
    RowTable end[kScreenCount];
    std::memcpy(end, doc->rowTables, sizeof end);

    doc->currentScreen = 0;
    ASSERT_TRUE(doc->history.undo(*doc)); // the copy
    EXPECT_EQ(doc->currentScreen, 8);
    EXPECT_TRUE(isDefaultRowTable(doc->rowTables[8]));
    ASSERT_TRUE(doc->history.undo(*doc)); // apply to all rows
    EXPECT_TRUE(sameTables(*doc, afterEdits));
    EXPECT_EQ(doc->currentScreen, 3);
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(doc->history.undo(*doc));
    EXPECT_TRUE(sameTables(*doc, start));
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(doc->history.redo(*doc));
    EXPECT_TRUE(sameTables(*doc, end));
}

TEST(RowTableEdit, RefusedAndUnchangingCallsRecordNothing) {
    auto doc = test::freshDocument();
    EXPECT_FALSE(setRowFont(*doc, 9, 0, 1));
    EXPECT_FALSE(setRowFont(*doc, -1, 0, 1));
    EXPECT_FALSE(setRowFont(*doc, 0, 24, 1));
    EXPECT_FALSE(setRowFont(*doc, 0, -1, 1));
    EXPECT_FALSE(setRowFont(*doc, 0, 0, 11));
    EXPECT_FALSE(setRowFont(*doc, 0, 0, -1));
    EXPECT_FALSE(setRowFont(*doc, 0, 0, kRowFontFollow)); // already so
    EXPECT_FALSE(setRowMode(*doc, 0, 0, RowMode(3)));
    EXPECT_FALSE(setRowMode(*doc, 0, 0, RowMode::Follow));
    EXPECT_FALSE(applyRowToAllRows(*doc, 0, 24));
    EXPECT_FALSE(applyRowToAllRows(*doc, 0, 4)); // all rows already alike
    EXPECT_FALSE(copyRowTable(*doc, 0, 9));
    EXPECT_FALSE(copyRowTable(*doc, -1, 0));
    EXPECT_FALSE(copyRowTable(*doc, 2, 2));
    EXPECT_EQ(doc->history.undoCount(), 0u);
    for (const RowTable& table : doc->rowTables)
        EXPECT_TRUE(isDefaultRowTable(table));
}

TEST(RowTableEdit, AKeptTableGoesOntoAScreenAsOneStepUnlessItIsOutOfRange) {
    auto doc = test::freshDocument();
    RowTable kept;
    kept.font[0] = 10;
    kept.mode[23] = uint8_t(RowMode::FourColourTall);
    EXPECT_TRUE(setRowTable(*doc, 6, kept));
    EXPECT_EQ(std::memcmp(&doc->rowTables[6], &kept, sizeof kept), 0);
    EXPECT_FALSE(setRowTable(*doc, 6, kept)); // already so
    EXPECT_FALSE(setRowTable(*doc, 9, kept));
    RowTable bad = kept;
    bad.font[4] = 11;
    EXPECT_FALSE(setRowTable(*doc, 2, bad));
    bad = kept;
    bad.mode[4] = 3;
    EXPECT_FALSE(setRowTable(*doc, 2, bad));
    EXPECT_EQ(doc->history.undoCount(), 1u);
    doc->history.undo(*doc);
    EXPECT_TRUE(isDefaultRowTable(doc->rowTables[6]));
}

TEST(RowTableEdit, StepsCycleThroughFollowAndEveryValueBothWays) {
    EXPECT_EQ(steppedRowFont(kRowFontFollow, 1), 1);
    EXPECT_EQ(steppedRowFont(9, 1), 10);
    EXPECT_EQ(steppedRowFont(10, 1), kRowFontFollow);
    EXPECT_EQ(steppedRowFont(kRowFontFollow, -1), 10);
    EXPECT_EQ(steppedRowFont(1, -1), kRowFontFollow);
    EXPECT_EQ(steppedRowFont(200, 1), 1); // out of range counts as follow
    EXPECT_EQ(steppedRowFont(4, 11 * 3), 4);
    EXPECT_EQ(steppedRowMode(RowMode::Follow, 1), RowMode::TwoColour);
    EXPECT_EQ(steppedRowMode(RowMode::TwoColour, 1), RowMode::FourColour);
    EXPECT_EQ(steppedRowMode(RowMode::FourColour, 1), RowMode::FourColourTall);
    EXPECT_EQ(steppedRowMode(RowMode::FourColourTall, 1), RowMode::Follow);
    EXPECT_EQ(steppedRowMode(RowMode::Follow, -1), RowMode::FourColourTall);
    EXPECT_EQ(steppedRowMode(RowMode(3), 1), RowMode::TwoColour);
}

TEST(RowTableEdit, JoinsAnOpenTransaction) {
    auto doc = test::freshDocument();
    {
        HistoryStep step(*doc, "Several");
        setRowFont(*doc, 1, 0, 2);
        setRowMode(*doc, 1, 23, RowMode::FourColour);
    }
    EXPECT_EQ(doc->history.undoCount(), 1u);
    doc->history.undo(*doc);
    EXPECT_TRUE(isDefaultRowTable(doc->rowTables[1]));
}

} // namespace
