#include "core/font_codec.h"
#include "formats/set_files.h"
#include "test_document.h"

#include <cstring>
#include <gtest/gtest.h>

using namespace korvex;

namespace {

void emptySet(Document& doc, int s) {
    for (int c = 0; c < kSetCells; ++c)
        doc.Sets[s][c] = -1;
}

TEST(SetFiles, SetFileHoldsTheCurrentSet) {
    auto doc = test::freshDocument();
    doc->CurrentSet = 7;
    emptySet(*doc, 7);
    Bytes expected{'K', 'V', 'X', 'S'};
    expected.resize(54, 0xFF);
    EXPECT_EQ(setFileBytes(*doc), expected);

    doc->Sets[7][0] = 0x1234;
    doc->Sets[7][24] = 128;
    const Bytes bytes = setFileBytes(*doc);
    ASSERT_EQ(bytes.size(), 54u);
    EXPECT_EQ(bytes[4], 0x34);
    EXPECT_EQ(bytes[5], 0x12);
    EXPECT_EQ(bytes[52], 128);
    EXPECT_EQ(bytes[53], 0);
}

TEST(SetFiles, SetsFileHoldsAllSetsInOrder) {
    auto doc = test::freshDocument();
    doc->Sets[1][0] = 5;
    doc->Sets[100][24] = -2;
    const Bytes bytes = setsFileBytes(*doc);
    ASSERT_EQ(bytes.size(), 5004u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "LVXS");
    EXPECT_EQ(bytes[4], 5);
    EXPECT_EQ(bytes[5], 0);
    EXPECT_EQ(bytes[5002], 0xFE);
    EXPECT_EQ(bytes[5003], 0xFF);
}

TEST(SetFiles, SavedSetsLoadBack) {
    auto source = test::freshDocument();
    for (int s = 1; s <= kSetCount; ++s)
        for (int c = 0; c < kSetCells; ++c)
            source->Sets[s][c] = int16_t(s * 100 - c * 37 - 1000);
    source->CurrentSet = 3;

    auto all = test::freshDocument();
    ASSERT_EQ(loadSetBytes(*all, SetFileKind::Sets, setsFileBytes(*source)), SetLoadResult::Loaded);
    EXPECT_EQ(std::memcmp(all->Sets, source->Sets, sizeof all->Sets), 0);

    auto one = test::freshDocument();
    one->CurrentSet = 50;
    ASSERT_EQ(loadSetBytes(*one, SetFileKind::Set, setFileBytes(*source)), SetLoadResult::Loaded);
    EXPECT_EQ(std::memcmp(one->Sets[50], source->Sets[3], kSetCells * sizeof(int16_t)), 0);
    EXPECT_EQ(one->Sets[3][0], -1); // only the current set changes
}

TEST(SetFiles, WrongMagicChangesNothing) {
    auto source = test::freshDocument();
    source->Sets[1][0] = 9;
    auto doc = test::freshDocument();
    doc->Sets[1][0] = 1;
    doc->Sets[2][0] = 2;
    const Bytes setBytes = setFileBytes(*source);
    const Bytes setsBytes = setsFileBytes(*source);
    EXPECT_EQ(loadSetBytes(*doc, SetFileKind::Set, setsBytes), SetLoadResult::WrongMagic);
    EXPECT_EQ(loadSetBytes(*doc, SetFileKind::Sets, setBytes), SetLoadResult::WrongMagic);
    EXPECT_EQ(loadSetBytes(*doc, SetFileKind::Set, Bytes{}), SetLoadResult::WrongMagic);
    EXPECT_EQ(loadSetBytes(*doc, SetFileKind::Set, Bytes{'K', 'V', 'X'}),
              SetLoadResult::WrongMagic);
    EXPECT_EQ(loadSetBytes(*doc, SetFileKind::Set, Bytes{'k', 'v', 'x', 's', 1, 0}),
              SetLoadResult::WrongMagic);
    EXPECT_EQ(loadSetBytes(*doc, SetFileKind::Bin, setBytes), SetLoadResult::WrongMagic);
    EXPECT_EQ(doc->Sets[1][0], 1);
    EXPECT_EQ(doc->Sets[2][0], 2);
    EXPECT_STREQ(wrongSetMagicMessage(SetFileKind::Set), "This file is not KVX set data!");
    EXPECT_STREQ(wrongSetMagicMessage(SetFileKind::Sets), "This file is not KVX sets data!");
}

TEST(SetFiles, ShortFilesReadZerosAndLongFilesAreCut) {
    auto doc = test::freshDocument();
    Bytes bytes{'K', 'V', 'X', 'S'};
    for (int c = 0; c < 10; ++c) {
        bytes.push_back(uint8_t(c + 1));
        bytes.push_back(0xFF); // negative values
    }
    bytes.push_back(0x7B); // half a cell: its high byte is missing
    ASSERT_EQ(loadSetBytes(*doc, SetFileKind::Set, bytes), SetLoadResult::Loaded);
    for (int c = 0; c < 10; ++c)
        EXPECT_EQ(doc->Sets[1][c], int16_t(0xFF00 | (c + 1)));
    EXPECT_EQ(doc->Sets[1][10], 0x7B);
    for (int c = 11; c < kSetCells; ++c)
        EXPECT_EQ(doc->Sets[1][c], 0) << "cell " << c; // glyph 0, not empty

    // A magic alone empties every set to glyph 0; trailing bytes are ignored.
    Bytes sets{'L', 'V', 'X', 'S'};
    ASSERT_EQ(loadSetBytes(*doc, SetFileKind::Sets, sets), SetLoadResult::Loaded);
    EXPECT_EQ(doc->Sets[100][24], 0);
    Bytes longSet = bytes;
    longSet.resize(100000, 0x11);
    ASSERT_EQ(loadSetBytes(*doc, SetFileKind::Set, longSet), SetLoadResult::Loaded);
    EXPECT_EQ(doc->Sets[1][24], 0x1111);
    EXPECT_EQ(doc->Sets[2][0], 0);
}

TEST(SetFiles, StrayCurrentSetStaysInsideTheTable) {
    auto doc = test::freshDocument();
    doc->CurrentSet = 0;
    doc->Sets[1][0] = 4;
    EXPECT_EQ(setFileBytes(*doc)[4], 4);
    doc->CurrentSet = 1000;
    EXPECT_EQ(setFileBytes(*doc).size(), 54u);
    Bytes bytes{'K', 'V', 'X', 'S', 8, 0};
    ASSERT_EQ(loadSetBytes(*doc, SetFileKind::Set, bytes), SetLoadResult::Loaded);
    EXPECT_EQ(doc->Sets[100][0], 8);
    EXPECT_EQ(setBinBytes(*doc).size(), 200u); // 25 cells of glyph 8 or 0
}

TEST(SetBin, FilledCellsGiveTheirGlyphBytesInCellOrder) {
    auto doc = test::freshDocument();
    doc->CurrentSet = 4;
    emptySet(*doc, 4);
    EXPECT_TRUE(setBinBytes(*doc).empty());
    // Only the bottom row: glyphs appear left to right.
    doc->Sets[4][20] = 33; // "A"
    doc->Sets[4][22] = 34;
    doc->Sets[4][24] = 0;
    const Bytes bin = setBinBytes(*doc);
    ASSERT_EQ(bin.size(), 24u);
    const uint8_t* font = defaultFontBytes();
    EXPECT_EQ(Bytes(bin.begin(), bin.begin() + 8), Bytes(font + 8 * 33, font + 8 * 33 + 8));
    EXPECT_EQ(Bytes(bin.begin() + 8, bin.begin() + 16), Bytes(font + 8 * 34, font + 8 * 34 + 8));
    EXPECT_EQ(Bytes(bin.begin() + 16, bin.end()), Bytes(font, font + 8));
}

TEST(SetBin, EncodesTheCurrentFontFirst) {
    auto doc = test::freshDocument();
    doc->CurrentFont = 2;
    doc->setPixel(2, 5, 0, 3, 1); // row 3 of glyph 5 becomes $80
    std::memset(doc->FontBuffer, 0xAA, kFontBytes);
    emptySet(*doc, 1);
    doc->Sets[1][0] = 5;
    EXPECT_EQ(setBinBytes(*doc), (Bytes{0, 0, 0, 0x80, 0, 0, 0, 0}));
}

TEST(SetBin, InverseCodesUseTheirGlyphAndStrayCodesAreSkipped) {
    auto doc = test::freshDocument();
    emptySet(*doc, 1);
    doc->Sets[1][0] = 193; // inverse of glyph 65
    doc->Sets[1][1] = 300;
    doc->Sets[1][2] = -5;
    doc->Sets[1][3] = 255; // inverse of glyph 127: the last bytes of the buffer
    const Bytes bin = setBinBytes(*doc);
    ASSERT_EQ(bin.size(), 16u);
    const uint8_t* font = defaultFontBytes();
    EXPECT_EQ(Bytes(bin.begin(), bin.begin() + 8), Bytes(font + 8 * 65, font + 8 * 65 + 8));
    EXPECT_EQ(Bytes(bin.begin() + 8, bin.end()), Bytes(font + 1016, font + 1024));
}

} // namespace
