#include "core/set_composition.h"
#include "test_document.h"

#include <cstring>
#include <gtest/gtest.h>

using namespace korvex;

namespace {

bool glyphIsClear(const Document& doc, int font, int g) {
    for (int x = 0; x < 8; ++x)
        for (int y = 0; y < 8; ++y)
            if (doc.pixel(font, g, x, y) != 0)
                return false;
    return true;
}

TEST(SetCells, EditPutsPickedGlyphOrEmpties) {
    auto doc = test::freshDocument();
    doc->CurrentSet = 7;
    doc->PickedGlyph = 200;
    editSetCell(*doc, 0);
    editSetCell(*doc, 24);
    EXPECT_EQ(doc->Sets[7][0], 200);
    EXPECT_EQ(doc->Sets[7][24], 200);
    EXPECT_EQ(doc->Sets[6][0], -1);

    // Emptying cell 7 ignores PickedGlyph.
    editSetCell(*doc, 7);
    editSetCell(*doc, 57);
    EXPECT_EQ(doc->Sets[7][7], -1);
    editSetCell(*doc, 74);
    EXPECT_EQ(doc->Sets[7][24], -1);

    auto before = std::make_unique<Document>(*doc);
    for (int n : {-1, 25, 49, 75, 100})
        editSetCell(*doc, n);
    EXPECT_EQ(std::memcmp(doc->Sets, before->Sets, sizeof doc->Sets), 0);
}

TEST(SetCells, RowFillsFirstEmptyCellsUntilFull) {
    auto doc = test::freshDocument();
    for (int i = 0; i < 3; ++i)
        addGlyphToSetRow(*doc, 65, '3');
    EXPECT_EQ(doc->Sets[1][10], 65);
    EXPECT_EQ(doc->Sets[1][11], 65);
    EXPECT_EQ(doc->Sets[1][12], 65);
    EXPECT_EQ(doc->Sets[1][13], -1);
    EXPECT_EQ(doc->Sets[1][9], -1);

    addGlyphToSetRow(*doc, 193, '3');
    addGlyphToSetRow(*doc, 66, '3');
    EXPECT_EQ(doc->Sets[1][13], 193);
    EXPECT_EQ(doc->Sets[1][14], 66);
    addGlyphToSetRow(*doc, 67, '3'); // sixth click: row full
    for (int c = 15; c < 25; ++c)
        EXPECT_EQ(doc->Sets[1][c], -1);
    EXPECT_EQ(doc->Sets[1][14], 66);

    // A gap left by an emptied cell is filled first.
    doc->Sets[1][11] = -1;
    addGlyphToSetRow(*doc, 5, '3');
    EXPECT_EQ(doc->Sets[1][11], 5);

    addGlyphToSetRow(*doc, 1, '1');
    addGlyphToSetRow(*doc, 2, '5');
    EXPECT_EQ(doc->Sets[1][0], 1);
    EXPECT_EQ(doc->Sets[1][20], 2);
}

TEST(SetCells, RowRefusesOtherKeysAndCodes) {
    auto doc = test::freshDocument();
    auto before = std::make_unique<Document>(*doc);
    for (int64_t key : {0, 48, 54, 55, -1})
        addGlyphToSetRow(*doc, 65, key);
    for (int64_t code : {-1, 256, 70000})
        addGlyphToSetRow(*doc, code, '1');
    EXPECT_EQ(std::memcmp(doc->Sets, before->Sets, sizeof doc->Sets), 0);
}

TEST(SetCommands, CopyPasteClear) {
    auto doc = test::freshDocument();
    const int16_t spare = doc->Sets[1][25];
    // Paste before any Copy fills every cell with glyph 0.
    setCommand(*doc, PasteSet);
    for (int c = 0; c < 25; ++c)
        EXPECT_EQ(doc->Sets[1][c], 0);
    EXPECT_EQ(doc->Sets[1][25], spare); // spare cell untouched

    for (int c = 0; c < 25; ++c)
        doc->Sets[1][c] = int16_t(c == 3 ? -1 : 100 + c);
    setCommand(*doc, CopySet);
    doc->CurrentSet = 100;
    setCommand(*doc, PasteSet);
    for (int c = 0; c < 25; ++c)
        EXPECT_EQ(doc->Sets[100][c], doc->Sets[1][c]);

    auto fontBefore = std::make_unique<Document>(*doc);
    setCommand(*doc, ClearSet);
    for (int c = 0; c < 25; ++c)
        EXPECT_EQ(doc->Sets[100][c], -1);
    EXPECT_EQ(doc->Sets[1][4], 104);
    EXPECT_EQ(std::memcmp(doc->Glyphs, fontBefore->Glyphs, sizeof doc->Glyphs), 0);
    EXPECT_EQ(doc->SetClipboard[4], 104); // the clipboard keeps its copy
}

TEST(SetCommands, ClearBitsClearsUsedGlyphsOnly) {
    auto doc = test::freshDocument();
    doc->Sets[1][0] = 65;
    doc->Sets[1][1] = 193;
    doc->Sets[1][2] = 33;
    ASSERT_FALSE(glyphIsClear(*doc, 1, 65));
    ASSERT_FALSE(glyphIsClear(*doc, 1, 33));
    setCommand(*doc, ClearSetBits);
    EXPECT_TRUE(glyphIsClear(*doc, 1, 65));
    EXPECT_TRUE(glyphIsClear(*doc, 1, 33));
    EXPECT_FALSE(glyphIsClear(*doc, 1, 66));
    EXPECT_EQ(doc->Sets[1][0], 65);
    EXPECT_EQ(doc->Sets[1][1], 193);
}

TEST(SetCommands, ClearBitsSkipsCodesWithoutGlyph) {
    auto doc = test::freshDocument();
    doc->Sets[1][0] = 300;
    doc->Sets[1][1] = -5;
    doc->Sets[1][2] = 32767;
    doc->Sets[1][3] = -32768;
    auto before = std::make_unique<Document>(*doc);
    setCommand(*doc, ClearSetBits);
    EXPECT_EQ(std::memcmp(doc->Glyphs, before->Glyphs, sizeof doc->Glyphs), 0);
    EXPECT_EQ(doc->Sets[1][0], 300);
}

TEST(SetCommands, OtherKindsAndBadSetNumbersDoNothing) {
    auto doc = test::freshDocument();
    doc->Sets[1][0] = 65;
    auto before = std::make_unique<Document>(*doc);
    setCommand(*doc, 0);
    setCommand(*doc, 5);
    doc->CurrentSet = 101;
    for (int kind = 1; kind <= 4; ++kind)
        setCommand(*doc, kind);
    editSetCell(*doc, 0);
    addGlyphToSetRow(*doc, 65, '1');
    EXPECT_EQ(std::memcmp(doc->Sets, before->Sets, sizeof doc->Sets), 0);
    EXPECT_EQ(std::memcmp(doc->Glyphs, before->Glyphs, sizeof doc->Glyphs), 0);
}

} // namespace
