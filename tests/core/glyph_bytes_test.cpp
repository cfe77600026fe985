#include "core/font_codec.h"
#include "core/glyph_bytes.h"
#include "core/history.h"
#include "test_document.h"

#include <cstring>
#include <gtest/gtest.h>

using namespace korvex;

namespace {

constexpr GlyphBytes kArrow = {0x80, 0xC0, 0xE0, 0xF0, 0x18, 0x0C, 0x06, 0x03};

TEST(GlyphBytes, WrittenGlyphReadsBackAndShowsInThePixelsAndTheFontBytes) {
    auto doc = test::freshDocument();
    setGlyphBytes(*doc, 7, 127, kArrow);
    EXPECT_EQ(glyphBytes(*doc, 7, 127), kArrow);
    // Pixel (x, y) is bit 7 - x of row y; four-colour pairs take the left pixel high.
    EXPECT_TRUE(doc->pixel(7, 127, 0, 0));
    EXPECT_FALSE(doc->pixel(7, 127, 1, 0));
    EXPECT_TRUE(doc->pixel(7, 127, 7, 7));
    EXPECT_EQ(glyphPair(kArrow, 0, 1), 3);
    EXPECT_EQ(glyphPair(kArrow, 4, 4), 2);
    EXPECT_EQ(glyphPair(kArrow, 2, 4), 1);
    encodeFont(*doc, 7);
    EXPECT_EQ(std::memcmp(doc->FontBuffer + 8 * 127, kArrow.data(), kArrow.size()), 0);

    doc->setPixel(7, 127, 0, 0, false);
    doc->setPixel(7, 127, 1, 0, true);
    EXPECT_EQ(glyphBytes(*doc, 7, 127)[0], 0x40);
}

TEST(GlyphBytes, GlyphsAndFontsOutsideTheirRangesAreNeitherReadNorWritten) {
    auto doc = test::freshDocument();
    for (int font = 1; font <= kFontCount; ++font)
        for (int g = 0; g < kGlyphCount; ++g)
            setGlyphBytes(*doc, font, g, kArrow);
    const auto before = std::make_unique<Document>(*doc);
    const std::pair<int64_t, int> outside[] = {{0, 0},  {11, 0},  {-1, 5},
                                               {1, -1}, {1, 128}, {10, 255}};
    for (auto [font, glyph] : outside) {
        setGlyphBytes(*doc, font, glyph, GlyphBytes{});
        EXPECT_TRUE(isEmptyGlyph(glyphBytes(*doc, font, glyph))) << font << " " << glyph;
    }
    EXPECT_EQ(std::memcmp(doc->Glyphs, before->Glyphs, sizeof doc->Glyphs), 0);
}

// A step's copy of the work holds the glyphs as bytes: begin costs tens of kilobytes,
// not the quarter megabyte of a pixel per byte.
TEST(GlyphBytes, AHistoryStepCopiesOnlyTheCompactWork) {
    auto doc = test::freshDocument();
    const size_t idle = doc->history.memoryUsed();
    doc->history.begin(*doc, "Paint");
    EXPECT_LT(doc->history.memoryUsed() - idle, size_t(32) << 10);
    doc->history.commit(*doc);
}

} // namespace
