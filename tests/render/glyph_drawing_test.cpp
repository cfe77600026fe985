#include "render/glyph_drawing.h"
#include "render/main_canvases.h"
#include "render_test_helpers.h"
#include "test_document.h"

#include <gtest/gtest.h>

namespace korvex {
namespace {

using namespace korvex::test;

// Font canvas: code c's glyph pixel (x, y) in two-colour mode, sampled at the
// second pixel of the 2 x 2 dot so that grid lines never cover it.
int64_t fontGridDot(const QImage& image, int code, int x, int y) {
    const int n = code & 127;
    const int originY = 17 * (n / 32) + (code >= 128 ? 68 : 0);
    return colourAt(image, 17 * (n % 32) + 2 * x + 1, originY + 2 * y + 1);
}

TEST(FontGrid, Glyph33ShowsInBothHalvesWithTheInverseBelow) {
    auto doc = freshDocument();
    useDistinctColours(*doc);
    QImage image = blankImage(kFontCanvasSize);
    drawFontGrid(*doc, image);
    int setCount = 0;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            const bool set = doc->pixel(1, 33, x, y);
            setCount += set;
            EXPECT_EQ(fontGridDot(image, 33, x, y), set ? doc->ColourLUM : doc->ColourBAK);
            EXPECT_EQ(fontGridDot(image, 161, x, y), set ? doc->ColourBAK : doc->ColourLUM);
        }
    EXPECT_GT(setCount, 0);
    // Grid lines lie over the first dot row and column of glyph 33 (origin 17, 17).
    EXPECT_EQ(colourAt(image, 17, 20), kGrey48);
    EXPECT_EQ(colourAt(image, 20, 17), kGrey48);
}

TEST(FontGrid, FourColourUsesPf2AboveAndPf3Below) {
    auto doc = freshDocument();
    useDistinctColours(*doc);
    doc->FourColourMode = 1;
    setGlyphRows(*doc, 1, 72, kPairRows);
    QImage image = blankImage(kFontCanvasSize);
    drawFontGrid(*doc, image);
    const int x = 17 * (72 % 32) + 1, y = 17 * (72 / 32) + 1;
    const int64_t upper[4] = {doc->ColourPF2, doc->ColourPF1, doc->ColourPF0, doc->ColourBAK};
    const int64_t lower[4] = {doc->ColourPF3, doc->ColourPF1, doc->ColourPF0, doc->ColourBAK};
    for (int p = 0; p < 4; ++p) {
        EXPECT_EQ(colourAt(image, x + 4 * p, y), upper[p]) << p;
        EXPECT_EQ(colourAt(image, x + 4 * p + 2, y), upper[p]) << p; // 4 x 2 dots
        EXPECT_EQ(colourAt(image, x + 4 * p, y + 68), lower[p]) << p;
    }
}

TEST(GlyphDots, Code200IsGlyph72WithTheInverseRule) {
    auto doc = freshDocument();
    useDistinctColours(*doc);
    setGlyphRows(*doc, 1, 72, kPairRows);
    const auto colours = workingColours(*doc);
    QImage image = blankImage({80, 80});
    Canvas canvas(image);

    drawGlyphDots(*doc, canvas, 1, colours.data(), 200, 0, 0, 10);
    const bool bits[8] = {1, 1, 1, 0, 0, 1, 0, 0};
    for (int x = 0; x < 8; ++x)
        EXPECT_EQ(colourAt(image, 10 * x + 5, 5), bits[x] ? doc->ColourBAK : doc->ColourLUM);
    EXPECT_EQ(colourAt(image, 79, 79), doc->ColourLUM); // clear pixel, inverse

    doc->FourColourMode = 1;
    drawGlyphDots(*doc, canvas, 1, colours.data(), 200, 0, 0, 10);
    const int64_t pairs[4] = {doc->ColourPF3, doc->ColourPF1, doc->ColourPF0, doc->ColourBAK};
    for (int p = 0; p < 4; ++p) {
        EXPECT_EQ(colourAt(image, 20 * p + 1, 1), pairs[p]);
        EXPECT_EQ(colourAt(image, 20 * p + 19, 9), pairs[p]);
    }
    EXPECT_EQ(colourAt(image, 79, 79), doc->ColourBAK);
}

TEST(GlyphDots, AnyFontInAnyColourSetWithoutTouchingTheDocument) {
    auto doc = freshDocument();
    const uint8_t rows[8] = {0xFF, 0, 0, 0, 0, 0, 0, 0x01};
    setGlyphRows(*doc, 3, 5, rows);
    const int64_t colours[7] = {0, 0xABCDEF, 0x010101, 0, 0, 0, 0};
    QImage image = blankImage({20, 20});
    Canvas canvas(image);
    drawGlyphDots(*doc, canvas, 3, colours, 5, 2, 2, 2);
    EXPECT_EQ(colourAt(image, 1, 1), 0x030201); // outside the glyph
    EXPECT_EQ(colourAt(image, 2, 2), 0xABCDEF);
    EXPECT_EQ(colourAt(image, 17, 3), 0xABCDEF);
    EXPECT_EQ(colourAt(image, 2, 4), 0x010101);
    EXPECT_EQ(colourAt(image, 17, 17), 0xABCDEF);
    EXPECT_EQ(colourAt(image, 18, 18), 0x030201);
    EXPECT_EQ(doc->CurrentFont, 1);
}

TEST(GlyphDots, CodesOrFontsOutsideTheirRangeDrawNothing) {
    auto doc = freshDocument();
    const auto colours = workingColours(*doc);
    QImage image = blankImage({16, 16});
    const QImage before = image;
    Canvas canvas(image);
    for (int64_t code :
         {int64_t(-1), int64_t(256), int64_t(-32768), int64_t(32767), int64_t(1) << 40})
        drawGlyphDots(*doc, canvas, 1, colours.data(), code, 0, 0, 2);
    for (int64_t font : {0, 11, -1, 1000})
        drawGlyphDots(*doc, canvas, font, colours.data(), 65, 0, 0, 2);
    doc->CurrentFont = 11;
    drawGlyph(*doc, canvas, 0, 0, 65, 0, 0);
    EXPECT_EQ(image, before);
}

TEST(GlyphDots, DrawGlyphPlacesCurrentFontOnTheSixteenPixelGrid) {
    auto doc = freshDocument();
    useDistinctColours(*doc);
    const uint8_t full[8] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    setGlyphRows(*doc, 2, 9, full);
    doc->CurrentFont = 2;
    QImage image = blankImage({80, 80});
    Canvas canvas(image);
    drawGlyph(*doc, canvas, 2, 1, 9, 5, 3);
    EXPECT_EQ(colourAt(image, 37, 19), doc->ColourLUM);
    EXPECT_EQ(colourAt(image, 52, 34), doc->ColourLUM);
    EXPECT_EQ(colourAt(image, 36, 19), 0x030201);
    EXPECT_EQ(colourAt(image, 53, 35), 0x030201);
}

} // namespace
} // namespace korvex
