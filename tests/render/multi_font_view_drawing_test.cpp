#include "render/multi_font_view_drawing.h"
#include "render_test_helpers.h"
#include "test_document.h"

#include <gtest/gtest.h>

#include <cstring>

namespace korvex {
namespace {

using namespace korvex::test;

constexpr uint8_t kFull[8] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};

// Each font f gets LUM = f in red and BAK = 16 f in green, so a pixel names its font.
struct MultiFontView : ::testing::Test {
    std::unique_ptr<Document> doc = freshDocument();
    QImage image = blankImage(kMultiFontViewSize);
    void SetUp() override {
        for (int f = 1; f <= kFontCount; ++f) {
            doc->FontColours[f][LUM] = f;
            doc->FontColours[f][BAK] = 16 * f << 8;
            for (int glyph = 0; glyph < 128; ++glyph)
                setGlyphRows(*doc, f, glyph, kFull);
        }
    }
    int64_t lum(int f) const { return f; }
    int64_t bak(int f) const { return int64_t(16 * f) << 8; }
};

TEST_F(MultiFontView, TwoFontsInterleaveByGlyphRow) {
    drawMultiFontView(*doc, image);               // start rows: fonts 1 and 2
    EXPECT_EQ(colourAt(image, 0, 0), lum(1));     // glyph row 0 of font 1
    EXPECT_EQ(colourAt(image, 0, 16), lum(2));    // glyph row 0 of font 2
    EXPECT_EQ(colourAt(image, 0, 32), lum(1));    // glyph row 1 of font 1
    EXPECT_EQ(colourAt(image, 511, 255), bak(2)); // code 255 of font 2, inverse
    EXPECT_EQ(colourAt(image, 0, 256), kBlack);
    EXPECT_EQ(colourAt(image, 512, 0), kBlack);
}

TEST_F(MultiFontView, GlyphsAreDrawnAtTheirCodePosition) {
    doc->MultiViewFonts[2] = 10;
    setGlyphRows(*doc, 1, 33, {}); // code 33: glyph row 1, column 1
    drawMultiFontView(*doc, image);
    EXPECT_EQ(colourAt(image, 16, 16), bak(1));
    EXPECT_EQ(colourAt(image, 31, 31), bak(1));
    EXPECT_EQ(colourAt(image, 16, 16 * 5 + 1), lum(1)); // code 161, inverse of a clear glyph
    EXPECT_EQ(colourAt(image, 32, 16), lum(1));
}

TEST_F(MultiFontView, FiveFontsInRowOrderWithTheirOwnColours) {
    const int64_t rows[5] = {9, 4, 0, 4, 7};
    for (int r = 1; r <= 5; ++r)
        doc->MultiViewFonts[r] = rows[r - 1];
    doc->FourColourMode = 1;
    for (int f = 1; f <= kFontCount; ++f) {
        doc->FontColours[f][PF2] = 0x10000 * f;
        doc->FontColours[f][PF3] = 0x10000 * f + 1;
    }
    useDistinctColours(*doc);
    drawMultiFontView(*doc, image);
    for (int n = 0; n < 5; ++n) {
        EXPECT_EQ(colourAt(image, 0, 16 * n), 0x10000 * (rows[n] + 1)) << n;
        EXPECT_EQ(colourAt(image, 500, 16 * (3 * 5 + n) + 5), 0x10000 * (rows[n] + 1)) << n;
        EXPECT_EQ(colourAt(image, 511, 16 * (7 * 5 + n) + 15), 0x10000 * (rows[n] + 1) + 1) << n;
    }
    EXPECT_EQ(colourAt(image, 100, 645), kBlack);
    EXPECT_EQ(colourAt(image, 519, 669), kBlack);
}

TEST_F(MultiFontView, AllRowsOffOrOutOfRangeIsBlack) {
    const int64_t off[5] = {10, -1, 11, 1000000, INT64_MIN};
    for (int r = 1; r <= 5; ++r)
        doc->MultiViewFonts[r] = off[r - 1];
    drawMultiFontView(*doc, image);
    QImage black = blankImage(kMultiFontViewSize, qRgb(0, 0, 0));
    EXPECT_EQ(image, black);

    doc->MultiViewFonts[3] = 2; // one shown font among bad values: rows of 16 pixels
    drawMultiFontView(*doc, image);
    EXPECT_EQ(colourAt(image, 0, 0), lum(3));
    EXPECT_EQ(colourAt(image, 0, 16), lum(3));
    EXPECT_EQ(colourAt(image, 0, 128), kBlack);
}

TEST_F(MultiFontView, LeavesCurrentFontAndWorkingColoursAsTheyWere) {
    useDistinctColours(*doc);
    doc->CurrentFont = 7;
    const auto before = std::make_unique<Document>(*doc);
    drawMultiFontView(*doc, image);
    EXPECT_EQ(doc->CurrentFont, 7);
    EXPECT_EQ(doc->ColourLUM, before->ColourLUM);
    EXPECT_EQ(doc->ColourBAK, before->ColourBAK);
    EXPECT_EQ(std::memcmp(doc->FontColours, before->FontColours, sizeof doc->FontColours), 0);
    EXPECT_EQ(std::memcmp(doc->Glyphs, before->Glyphs, sizeof doc->Glyphs), 0);
    EXPECT_EQ(colourAt(image, 0, 0), lum(1)); // not the working LUM
}

} // namespace
} // namespace korvex
