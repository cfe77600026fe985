#include "formats/colour_file.h"
#include "formats/set_files.h"
#include "test_document.h"

#include <cstring>
#include <gtest/gtest.h>

using namespace korvex;

namespace {

TEST(ColourFile, StartValuesGiveTheKnownBytes) {
    auto doc = test::freshDocument();
    const Bytes bytes = colourFileBytes(*doc);
    ASSERT_EQ(bytes.size(), 34u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "KVXC");
    EXPECT_EQ(Bytes(bytes.begin() + 4, bytes.begin() + 10), (Bytes{14, 0, 24, 184, 134, 68}));
    // LUM 0xEEEEEE as red, green, blue, 0; PF3 0x7B1495 last.
    EXPECT_EQ(Bytes(bytes.begin() + 10, bytes.begin() + 14), (Bytes{0xEE, 0xEE, 0xEE, 0}));
    EXPECT_EQ(Bytes(bytes.begin() + 30, bytes.end()), (Bytes{0x95, 0x14, 0x7B, 0}));
}

TEST(ColourFile, LoadSetsRegistersWorkingAndCurrentFontColours) {
    auto source = test::freshDocument();
    source->AtariColour[PF1] = 184;
    source->AtariColour[LUM] = 255;
    source->ColourBAK = 0x010203;
    source->ColourPF3 = 0xFFFFFF;
    auto doc = test::freshDocument();
    doc->CurrentFont = 6;
    const int64_t otherFont = doc->FontColours[5][BAK];
    ASSERT_TRUE(loadColourBytes(*doc, colourFileBytes(*source)));
    for (int r = LUM; r <= PF3; ++r) {
        EXPECT_EQ(doc->AtariColour[r], source->AtariColour[r]);
        EXPECT_EQ(workingColour(*doc, r), workingColour(*source, r));
        EXPECT_EQ(doc->FontColours[6][r], workingColour(*source, r));
    }
    EXPECT_EQ(doc->AtariColour[PF1], 184);
    EXPECT_EQ(doc->FontColours[5][BAK], otherFont);
}

TEST(ColourFile, WrongMagicChangesNothing) {
    auto doc = test::freshDocument();
    auto fresh = test::freshDocument();
    EXPECT_FALSE(loadColourBytes(*doc, setFileBytes(*fresh)));
    EXPECT_FALSE(loadColourBytes(*doc, Bytes{}));
    EXPECT_FALSE(loadColourBytes(*doc, Bytes{'K', 'V', 'X'}));
    EXPECT_EQ(std::memcmp(doc->AtariColour, fresh->AtariColour, sizeof doc->AtariColour), 0);
    EXPECT_EQ(std::memcmp(doc->FontColours, fresh->FontColours, sizeof doc->FontColours), 0);
    EXPECT_EQ(doc->ColourPF0, fresh->ColourPF0);
    EXPECT_STREQ(wrongColourMagicMessage(), "This file is not KVX color data!");
}

TEST(ColourFile, ShortFilesReadZerosAndColoursKeep24Bits) {
    auto doc = test::freshDocument();
    ASSERT_TRUE(loadColourBytes(*doc, Bytes{'K', 'V', 'X', 'C', 7, 8}));
    EXPECT_EQ(doc->AtariColour[LUM], 7);
    EXPECT_EQ(doc->AtariColour[BAK], 8);
    EXPECT_EQ(doc->AtariColour[PF0], 0);
    for (int r = LUM; r <= PF3; ++r)
        EXPECT_EQ(workingColour(*doc, r), 0);

    // A colour with its fourth byte set keeps only red, green and blue; a colour
    // cut off halfway keeps the bytes that are there.
    Bytes bytes{'K', 'V', 'X', 'C', 1, 2, 3, 4, 5, 6, 0x11, 0x22, 0x33, 0xFF, 0x44, 0x55};
    ASSERT_TRUE(loadColourBytes(*doc, bytes));
    EXPECT_EQ(doc->ColourLUM, 0x332211);
    EXPECT_EQ(doc->ColourBAK, 0x5544);
    EXPECT_EQ(doc->ColourPF0, 0);
    EXPECT_EQ(doc->FontColours[1][LUM], 0x332211);

    // Extra bytes after the 34 are ignored.
    Bytes longFile = colourFileBytes(*test::freshDocument());
    longFile.resize(5000, 0x77);
    ASSERT_TRUE(loadColourBytes(*doc, longFile));
    EXPECT_EQ(doc->ColourPF3, 0x7B1495);
}

} // namespace
