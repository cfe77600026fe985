#include "formats/font_file.h"

#include "core/font_codec.h"
#include "formats/file_io.h"
#include "temp_dir.h"
#include "test_document.h"

#include <cstring>
#include <gtest/gtest.h>

using namespace korvex;

namespace {

// Bytes 0, 1, 2, ... wrapping at 256.
Bytes counting(size_t n) {
    Bytes b(n);
    for (size_t i = 0; i < n; ++i)
        b[i] = uint8_t(i * 7 + 3);
    return b;
}

uint8_t pixelRow(const Document& doc, int font, int glyph, int y) {
    uint8_t b = 0;
    for (int x = 0; x < 8; ++x)
        if (doc.pixel(font, glyph, x, y))
            b |= uint8_t(0x80 >> x);
    return b;
}

TEST(FontFile, ShortAndLongFilesFillTheFontFromTheStart) {
    test::TempDir dir;
    auto doc = test::freshDocument();
    doc->CurrentFont = 3;
    const Bytes data = counting(2000);

    const std::string half = dir.filePath("half.fnt");
    ASSERT_TRUE(writeFileAtomic(half, Bytes(data.begin(), data.begin() + 512)));
    ASSERT_TRUE(loadFontFile(*doc, half));
    EXPECT_EQ(doc->FontName[3], "half.fnt");
    EXPECT_EQ(doc->FontPath[3], half);
    for (int g = 0; g < 128; ++g)
        for (int y = 0; y < 8; ++y)
            ASSERT_EQ(pixelRow(*doc, 3, g, y), g < 64 ? data[8 * g + y] : 0) << g << "," << y;

    const std::string big = dir.filePath("big.fnt");
    ASSERT_TRUE(writeFileAtomic(big, data));
    ASSERT_TRUE(loadFontFile(*doc, big));
    EXPECT_EQ(0, std::memcmp(doc->FontBuffer, data.data(), 1024));
    EXPECT_EQ(pixelRow(*doc, 3, 127, 7), data[1023]);
    // Other fonts are untouched.
    EXPECT_EQ(pixelRow(*doc, 1, 1, 1), 0x18);
}

TEST(FontFile, EmptyFileGivesBlankFontNamedAfterIt) {
    test::TempDir dir;
    auto doc = test::freshDocument(); // font 1 holds the default font
    const std::string path = dir.filePath("sub\\odd name.fnt");
    ASSERT_TRUE(writeFileAtomic(path, Bytes{}));
    ASSERT_TRUE(loadFontFile(*doc, path));
    // Only "/" separates folders: a backslash is part of the name.
    EXPECT_EQ(doc->FontName[1], "sub\\odd name.fnt");
    for (int g = 0; g < 128; ++g)
        for (int y = 0; y < 8; ++y)
            ASSERT_EQ(pixelRow(*doc, 1, g, y), 0);
}

TEST(FontFile, UnreadableFileOrBadCurrentFontChangesNothing) {
    test::TempDir dir;
    auto doc = test::freshDocument();
    doc->FontName[1] = "keep.fnt";
    doc->FontPath[1] = "/x/keep.fnt";
    doc->FontBuffer[5] = 0x77;
    auto before = std::make_unique<Document>(*doc);

    EXPECT_FALSE(loadFontFile(*doc, dir.filePath("missing.fnt")));
    EXPECT_FALSE(loadFontFile(*doc, dir.path())); // a folder
    EXPECT_EQ(0, std::memcmp(before->Glyphs, doc->Glyphs, sizeof doc->Glyphs));
    EXPECT_EQ(0, std::memcmp(before->FontBuffer, doc->FontBuffer, sizeof doc->FontBuffer));
    EXPECT_EQ(doc->FontName[1], "keep.fnt");
    EXPECT_EQ(doc->FontPath[1], "/x/keep.fnt");

    const std::string path = dir.filePath("ok.fnt");
    ASSERT_TRUE(writeFileAtomic(path, Bytes(1024, 0xFF)));
    doc->CurrentFont = 11;
    EXPECT_FALSE(loadFontFile(*doc, path));
    EXPECT_EQ(doc->FontBuffer[5], 0x77);
}

TEST(FontFile, SaveWritesTheBufferAndRangesWholeGlyphs) {
    test::TempDir dir;
    auto doc = test::freshDocument();
    loadDefaultFont(*doc);
    const std::string path = dir.filePath("out.fnt");
    ASSERT_TRUE(saveFontFile(*doc, path));
    EXPECT_EQ(*readFileBytes(path), Bytes(defaultFontBytes(), defaultFontBytes() + 1024));

    const std::string one = dir.filePath("a.fnt");
    ASSERT_TRUE(saveFontRangeFile(*doc, one, 0x41, 0x41));
    EXPECT_EQ(*readFileBytes(one), Bytes(doc->FontBuffer + 8 * 65, doc->FontBuffer + 8 * 66));

    const std::string all = dir.filePath("all.fnt");
    ASSERT_TRUE(saveFontRangeFile(*doc, all, 0, 127));
    EXPECT_EQ(readFileBytes(all)->size(), 1024u);

    EXPECT_FALSE(saveFontRangeFile(*doc, dir.filePath("r1"), 0x7F, 0));
    EXPECT_FALSE(saveFontRangeFile(*doc, dir.filePath("r2"), -1, 3));
    EXPECT_FALSE(saveFontRangeFile(*doc, dir.filePath("r3"), 0, 128));
    EXPECT_FALSE(readFileBytes(dir.filePath("r1")));

    // A range file loads as a short font: its glyphs at the start, the rest blank.
    ASSERT_TRUE(loadFontFile(*doc, one));
    EXPECT_EQ(pixelRow(*doc, 1, 0, 1), 0x18); // the "A" rows 00 18 3C ...
    EXPECT_EQ(pixelRow(*doc, 1, 33, 1), 0);
}

TEST(FontFile, GlyphCodeLabels) {
    const auto labels = glyphCodeLabels();
    ASSERT_EQ(labels.size(), 128u);
    EXPECT_EQ(labels[0], "$0 (0)");
    EXPECT_EQ(labels[1], "$1 (1)");
    EXPECT_EQ(labels[65], "$41 (65)");
    EXPECT_EQ(labels[127], "$7F (127)");
}

} // namespace
