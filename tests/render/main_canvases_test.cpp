#include "render/main_canvases.h"
#include "render_test_helpers.h"
#include "test_document.h"

#include <gtest/gtest.h>

namespace korvex {
namespace {

using namespace korvex::test;

void fillSet(Document& doc, int64_t set, int16_t code) {
    for (int k = 0; k < kSetCells; ++k)
        doc.Sets[set][k] = code;
}

TEST(GlyphEditor, NoCurrentGlyphShowsBlackWithCornerDots) {
    auto doc = freshDocument();
    for (int64_t glyph : {int64_t(-1), int64_t(256), int64_t(-7)}) {
        doc->CurrentGlyph = glyph;
        QImage image = blankImage(kEditorCanvasSize);
        drawGlyphEditor(*doc, image);
        int corners = 0;
        for (int y = 0; y < 240; ++y)
            for (int x = 0; x < 240; ++x) {
                const bool corner = x % 30 == 0 && y % 30 == 0 && y > 0;
                corners += corner;
                ASSERT_EQ(colourAt(image, x, y), corner ? kGrey64 : kBlack) << x << "," << y;
            }
        EXPECT_EQ(corners, 56);
    }
}

TEST(GlyphEditor, DrawsThirtyPixelDotsInBothModes) {
    auto doc = freshDocument();
    useDistinctColours(*doc);
    setGlyphRows(*doc, 1, 72, kPairRows);
    doc->CurrentGlyph = 200;
    QImage image = blankImage(kEditorCanvasSize);
    drawGlyphEditor(*doc, image);
    EXPECT_EQ(colourAt(image, 5, 5), doc->ColourBAK); // set pixel, inverse code
    EXPECT_EQ(colourAt(image, 95, 5), doc->ColourLUM);
    EXPECT_EQ(colourAt(image, 239, 239), doc->ColourLUM);

    doc->FourColourMode = 1;
    drawGlyphEditor(*doc, image);
    EXPECT_EQ(colourAt(image, 59, 29), doc->ColourPF3);
    EXPECT_EQ(colourAt(image, 60, 1), doc->ColourPF1);
    EXPECT_EQ(colourAt(image, 150, 1), doc->ColourPF0);
    EXPECT_EQ(colourAt(image, 30, 30), kGrey64); // corner dots stay
}

TEST(MaskView, ChangesNothingInTwoColourMode) {
    auto doc = freshDocument();
    doc->Sets[1][0] = 33;
    doc->Sets[1][7] = 161;
    doc->CurrentGlyph = 33;
    doc->setPixel(2, 33, 3, 3, 1);
    QImage editorNormal = blankImage(kEditorCanvasSize), setNormal = blankImage(kSetCanvasSize);
    drawGlyphEditor(*doc, editorNormal);
    drawSetCanvas(*doc, setNormal);
    doc->SetViewMode = SetView::Mask;
    QImage editorMask = blankImage(kEditorCanvasSize), setMask = blankImage(kSetCanvasSize);
    drawGlyphEditor(*doc, editorMask);
    drawSetCanvas(*doc, setMask);
    EXPECT_EQ(editorNormal, editorMask);
    EXPECT_EQ(setNormal, setMask);
}

// Font 1 glyph 10 row 0: pairs 0, 1, 0, 3; font 2 glyph 10 row 0: pairs 1, 0, 3, 2.
struct MaskFixture : ::testing::Test {
    std::unique_ptr<Document> doc = freshDocument();
    void SetUp() override {
        useDistinctColours(*doc);
        doc->FourColourMode = 1;
        doc->SetViewMode = SetView::Mask;
        const uint8_t current[8] = {0x13, 0, 0, 0, 0, 0, 0, 0};
        const uint8_t next[8] = {0x4E, 0, 0, 0, 0, 0, 0, 0};
        setGlyphRows(*doc, 1, 10, current);
        setGlyphRows(*doc, 2, 10, next);
        doc->CurrentGlyph = 10;
    }
    int64_t layer(int64_t colour) const { return blend(colour, kBlack, 170); }
    int64_t background(int64_t below) const { return blend(doc->ColourBAK, below, 17); }
};

TEST_F(MaskFixture, EditorShowsTheNextFontThroughTheBackground) {
    QImage image = blankImage(kEditorCanvasSize);
    drawGlyphEditor(*doc, image);
    // Dot 0: current background over next-font PF0 (crossed).
    EXPECT_EQ(colourAt(image, 30, 5), background(layer(doc->ColourPF0)));
    EXPECT_EQ(colourAt(image, 10, 5), background(kGrey170)); // on the diagonal
    EXPECT_EQ(colourAt(image, 50, 5), background(kGrey170)); // the other diagonal
    // Dot 1: current PF0 covers next-font background.
    EXPECT_EQ(colourAt(image, 90, 5), doc->ColourPF0);
    // Dot 2: current background over next-font PF2 (value 3, normal code).
    EXPECT_EQ(colourAt(image, 150, 5), background(layer(doc->ColourPF2)));
    // Dot 3: current PF2 covers next-font PF1, diagonals included.
    EXPECT_EQ(colourAt(image, 190, 5), doc->ColourPF2);
    EXPECT_EQ(colourAt(image, 210, 15), doc->ColourPF2);
    // Row 1 is background over background: no cross.
    EXPECT_EQ(colourAt(image, 10, 35), background(layer(doc->ColourBAK)));
}

TEST_F(MaskFixture, InverseCodeUsesPf3ForTheLayerToo) {
    doc->Sets[1][0] = 138;
    QImage image = blankImage(kSetCanvasSize);
    drawSetCanvas(*doc, image);
    // Large glyph dots are 20 x 10; dot 2 has next-font value 3 -> PF3.
    EXPECT_EQ(colourAt(image, 50, 1), background(layer(doc->ColourPF3)));
    EXPECT_EQ(colourAt(image, 44, 2), background(kGrey170)); // diagonal from (40, 0)
    EXPECT_EQ(colourAt(image, 65, 5), doc->ColourPF3);       // current value 3
}

TEST_F(MaskFixture, Fonts9And10HaveNoLayer) {
    doc->ColourBAK = 0xFFFFFF;
    for (int64_t font : {9, 10}) {
        doc->CurrentFont = font;
        const uint8_t full[8] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
        setGlyphRows(*doc, 10, 10, full); // would show if font 10 were layered under 9
        setGlyphRows(*doc, font, 10, kPairRows);
        QImage image = blankImage(kEditorCanvasSize);
        drawGlyphEditor(*doc, image);
        EXPECT_EQ(colourAt(image, 200, 10), 0x111111) << font; // alpha 17 over black
        EXPECT_EQ(colourAt(image, 200, 100), 0x111111) << font;
        EXPECT_EQ(colourAt(image, 10, 10), doc->ColourPF2) << font;
    }
}

TEST(SetCanvas, EmptyAndInvalidCellsAreGreyAndGridIsOptional) {
    auto doc = freshDocument();
    useDistinctColours(*doc);
    const uint8_t full[8] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    setGlyphRows(*doc, 1, 7, full);
    fillSet(*doc, 1, -1);
    doc->Sets[1][1] = 7;
    doc->Sets[1][2] = 256;
    doc->Sets[1][3] = -2;
    doc->Sets[1][4] = 32767;
    QImage image = blankImage(kSetCanvasSize);
    drawSetCanvas(*doc, image);
    for (int column : {0, 2, 3, 4})
        EXPECT_EQ(colourAt(image, 80 * column + 5, 5), kGrey48) << column;
    EXPECT_EQ(colourAt(image, 85, 5), doc->ColourLUM);
    EXPECT_EQ(colourAt(image, 10, 10), kGrey112); // grid dot
    EXPECT_EQ(colourAt(image, 10, 0), kGrey48);   // no dots on the top row
    EXPECT_EQ(colourAt(image, 80, 5), kGrey64);   // cell line
    EXPECT_EQ(colourAt(image, 90, 80), kGrey64);  // cell line over a grid dot
    EXPECT_EQ(colourAt(image, 90, 10), kGrey112); // grid dot over a glyph

    doc->SetEditorGridOn = 0;
    drawSetCanvas(*doc, image);
    EXPECT_EQ(colourAt(image, 10, 10), kGrey48);
    EXPECT_EQ(colourAt(image, 80, 5), doc->ColourLUM); // glyphs edge to edge
    EXPECT_EQ(colourAt(image, 90, 10), doc->ColourLUM);
    EXPECT_EQ(colourAt(image, 399, 399), kGrey48);
}

TEST(SetPreview, EmptyAndInvalidCellsAreGreyAndGridIsOptional) {
    auto doc = freshDocument();
    useDistinctColours(*doc);
    const uint8_t full[8] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    setGlyphRows(*doc, 1, 7, full);
    fillSet(*doc, 1, -1);
    doc->Sets[1][1] = 7;
    doc->Sets[1][6] = 135; // inverse of a full glyph: BAK
    doc->Sets[1][2] = 300;
    QImage image = blankImage(kSetPreviewCanvasSize);
    drawSetPreview(*doc, image);
    EXPECT_EQ(colourAt(image, 5, 5), kGrey64);
    EXPECT_EQ(colourAt(image, 37, 5), kGrey64);
    EXPECT_EQ(colourAt(image, 20, 5), doc->ColourLUM);
    EXPECT_EQ(colourAt(image, 20, 20), doc->ColourBAK);
    EXPECT_EQ(colourAt(image, 16, 5), kGrey80);
    EXPECT_EQ(colourAt(image, 5, 16), kGrey80);

    doc->SetPreviewGridOn = 0;
    drawSetPreview(*doc, image);
    EXPECT_EQ(colourAt(image, 16, 5), doc->ColourLUM);
    EXPECT_EQ(colourAt(image, 5, 16), kGrey64);
}

TEST(SetCanvas, CurrentSetOutsideTheTableShowsEmptyCells) {
    auto doc = freshDocument();
    for (int64_t set : {101, -1, 100000}) {
        doc->CurrentSet = set;
        QImage set400 = blankImage(kSetCanvasSize), set80 = blankImage(kSetPreviewCanvasSize);
        drawSetCanvas(*doc, set400);
        drawSetPreview(*doc, set80);
        EXPECT_EQ(colourAt(set400, 5, 5), kGrey48);
        EXPECT_EQ(colourAt(set80, 5, 5), kGrey64);
    }
}

TEST(GlyphPreview, ShowsPickedGlyphAtEightPixelDots) {
    auto doc = freshDocument();
    useDistinctColours(*doc);
    setGlyphRows(*doc, 1, 72, kPairRows);
    doc->PickedGlyph = 72;
    QImage image = blankImage(kGlyphPreviewCanvasSize);
    drawGlyphPreview(*doc, image);
    EXPECT_EQ(colourAt(image, 23, 7), doc->ColourLUM);
    EXPECT_EQ(colourAt(image, 24, 0), doc->ColourBAK);
    EXPECT_EQ(colourAt(image, 40, 0), doc->ColourLUM);
    doc->PickedGlyph = 999;
    drawGlyphPreview(*doc, image);
    EXPECT_EQ(colourAt(image, 23, 7), kBlack);
}

TEST(CopyBuffer, AlwaysUsesTheNormalRule) {
    auto doc = freshDocument();
    useDistinctColours(*doc);
    setGlyphPixel(doc->GlyphClipboard, 0, 0, true);
    setGlyphPixel(doc->GlyphClipboard, 1, 0, true);
    setGlyphPixel(doc->GlyphClipboard, 3, 0, true);
    QImage image = blankImage(kCopyBufferCanvasSize);
    drawCopyBuffer(*doc, image);
    EXPECT_EQ(colourAt(image, 0, 0), doc->ColourLUM);
    EXPECT_EQ(colourAt(image, 5, 1), doc->ColourBAK);
    EXPECT_EQ(colourAt(image, 7, 1), doc->ColourLUM);
    EXPECT_EQ(colourAt(image, 15, 15), doc->ColourBAK);

    doc->FourColourMode = 1;
    drawCopyBuffer(*doc, image);
    EXPECT_EQ(colourAt(image, 3, 1), doc->ColourPF2); // value 3: PF2, never PF3
    EXPECT_EQ(colourAt(image, 4, 0), doc->ColourPF0);
    EXPECT_EQ(colourAt(image, 15, 15), doc->ColourBAK);
}

TEST(AnimationFrame, DrawsTheGivenSetWithEmptyCellsBlack) {
    auto doc = freshDocument();
    useDistinctColours(*doc);
    const uint8_t full[8] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    setGlyphRows(*doc, 1, 7, full);
    fillSet(*doc, 4, -1);
    doc->Sets[4][6] = 7;
    doc->Sets[4][7] = 2000;
    QImage image = blankImage(kAnimCanvasSize);
    drawAnimationFrame(*doc, image, 4);
    EXPECT_EQ(colourAt(image, 16, 16), doc->ColourLUM);
    EXPECT_EQ(colourAt(image, 31, 31), doc->ColourLUM);
    EXPECT_EQ(colourAt(image, 40, 20), kBlack);
    EXPECT_EQ(colourAt(image, 5, 5), kBlack);
    drawAnimationFrame(*doc, image, 500);
    EXPECT_EQ(colourAt(image, 16, 16), kBlack);
}

TEST(SetsStrip, TenSetsFromTheFirstWithSeparators) {
    auto doc = freshDocument();
    useDistinctColours(*doc);
    const uint8_t full[8] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    setGlyphRows(*doc, 1, 7, full);
    doc->Sets[12][24] = 7;
    doc->Sets[13][0] = -300;
    doc->Sets[13][1] = 7;
    doc->SetsViewerFirst = 10;
    QImage image = blankImage(kSetsStripSize);
    drawSetsStrip(*doc, image);
    EXPECT_EQ(colourAt(image, 160 + 64, 64), doc->ColourLUM); // set 12, cell 24
    EXPECT_EQ(colourAt(image, 245, 5), kGrey64);              // set 13, bad cell 0
    EXPECT_EQ(colourAt(image, 256, 5), doc->ColourLUM);       // set 13, cell 1
    EXPECT_EQ(colourAt(image, 80, 40), kGrey170);
    EXPECT_EQ(colourAt(image, 720, 79), kGrey170);
    EXPECT_EQ(colourAt(image, 0, 40), kGrey64);

    doc->SetsViewerFirst = 95; // blocks 6 to 9 would be sets 101 to 104
    fillSet(*doc, 100, 7);
    drawSetsStrip(*doc, image);
    EXPECT_EQ(colourAt(image, 405, 5), doc->ColourLUM);
    EXPECT_EQ(colourAt(image, 485, 5), kGrey64);
}

TEST(MainCanvases, RenderAllFillsEveryCanvasAndSwatch) {
    auto doc = freshDocument();
    useDistinctColours(*doc);
    doc->Sets[1][0] = 33;
    MainCanvasImages images = makeMainCanvasImages();
    EXPECT_EQ(images.font.size(), QSize(543, 135));
    EXPECT_EQ(images.set.size(), QSize(400, 400));
    EXPECT_EQ(images.swatch[PF3].size(), QSize(26, 16));
    renderMainCanvases(*doc, images);
    for (int r = LUM; r <= PF3; ++r) {
        EXPECT_EQ(colourAt(images.swatch[r], 0, 0), workingColour(*doc, r)) << r;
        EXPECT_EQ(colourAt(images.swatch[r], 25, 15), workingColour(*doc, r)) << r;
    }
    QImage expected = blankImage(kSetCanvasSize);
    drawSetCanvas(*doc, expected);
    EXPECT_EQ(images.set, expected);
    expected = blankImage(kEditorCanvasSize);
    drawGlyphEditor(*doc, expected);
    EXPECT_EQ(images.editor, expected);
    EXPECT_EQ(colourAt(images.copyBuffer, 8, 8), doc->ColourBAK);
}

} // namespace
} // namespace korvex
