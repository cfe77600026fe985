#include "core/screens.h"
#include "render/view_editor_drawing.h"
#include "render_test_helpers.h"
#include "test_document.h"

#include <gtest/gtest.h>

namespace korvex {
namespace {

using namespace korvex::test;

constexpr uint8_t kFull[8] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};

struct ViewEditorDrawing : ::testing::Test {
    std::unique_ptr<Document> doc = freshDocument();
    QImage image = blankImage(kViewEditorCanvasSize);
    void SetUp() override {
        useDistinctColours(*doc);
        for (int glyph = 0; glyph < 128; ++glyph)
            setGlyphRows(*doc, 1, glyph, {});
        setGlyphRows(*doc, 1, 7, kFull);
        setGlyphRows(*doc, 1, 72, kPairRows);
    }
};

TEST_F(ViewEditorDrawing, CellsOfTheCurrentScreenInTheDisplayMode) {
    doc->currentScreen = 4;
    setCell(*doc, 4, 2, 1, 200);
    setCell(*doc, 3, 0, 0, 7); // another screen: not shown
    drawViewEditor(*doc, image, -1, -1);
    EXPECT_EQ(colourAt(image, 32, 16), doc->ColourBAK); // inverse of a set pixel
    EXPECT_EQ(colourAt(image, 39, 17), doc->ColourLUM); // inverse of a clear pixel
    EXPECT_EQ(colourAt(image, 0, 0), doc->ColourBAK);   // code 0 is blank
    EXPECT_EQ(colourAt(image, 639, 383), doc->ColourBAK);

    doc->FourColourMode = 1;
    drawViewEditor(*doc, image, -1, -1);
    EXPECT_EQ(colourAt(image, 35, 17), doc->ColourPF3);
    EXPECT_EQ(colourAt(image, 36, 16), doc->ColourPF1);
}

TEST_F(ViewEditorDrawing, GridLinesOnlyWhenShown) {
    drawViewEditor(*doc, image, -1, -1);
    EXPECT_EQ(colourAt(image, 16, 5), doc->ColourBAK);
    doc->gridShown = 1;
    drawViewEditor(*doc, image, -1, -1);
    EXPECT_EQ(colourAt(image, 16, 5), kGrey48);
    EXPECT_EQ(colourAt(image, 624, 383), kGrey48);
    EXPECT_EQ(colourAt(image, 5, 368), kGrey48);
    EXPECT_EQ(colourAt(image, 5, 383), doc->ColourBAK); // y = 384 is off the canvas
    EXPECT_EQ(colourAt(image, 17, 17), doc->ColourBAK);
}

TEST_F(ViewEditorDrawing, RangeFrameIsOneCellInLoadMode) {
    doc->rangeFrameShown = 1;
    doc->rangeX = 2;
    doc->rangeY = 3;
    doc->rangeMode = RangeMode::Load;
    drawViewEditor(*doc, image, -1, -1);
    EXPECT_EQ(colourAt(image, 32, 48), kWhite);
    EXPECT_EQ(colourAt(image, 47, 48), kWhite);
    EXPECT_EQ(colourAt(image, 48, 63), kWhite);
    EXPECT_EQ(colourAt(image, 32, 64), kWhite);
    EXPECT_EQ(colourAt(image, 48, 64), doc->ColourBAK); // corner left open
    EXPECT_EQ(colourAt(image, 49, 48), doc->ColourBAK);

    doc->rangeMode = RangeMode::Save;
    doc->rangeWidth = 3;
    doc->rangeHeight = 2;
    drawViewEditor(*doc, image, -1, -1);
    EXPECT_EQ(colourAt(image, 80, 50), kWhite);
    EXPECT_EQ(colourAt(image, 60, 80), kWhite);
    EXPECT_EQ(colourAt(image, 48, 63), doc->ColourBAK);

    doc->rangeFrameShown = 0;
    drawViewEditor(*doc, image, -1, -1);
    EXPECT_EQ(colourAt(image, 32, 48), doc->ColourBAK);
}

TEST_F(ViewEditorDrawing, RangeFramePastTheEdgeIsClipped) {
    doc->rangeFrameShown = 1;
    doc->rangeMode = RangeMode::Save;
    doc->rangeX = 255;
    doc->rangeY = 22;
    doc->rangeWidth = 255;
    doc->rangeHeight = 255;
    drawViewEditor(*doc, image, -1, -1);
    doc->rangeX = 38;
    drawViewEditor(*doc, image, -1, -1);
    EXPECT_EQ(colourAt(image, 620, 352), kWhite);
    EXPECT_EQ(colourAt(image, 608, 383), kWhite);
}

TEST_F(ViewEditorDrawing, SetPreviewIsDrawnOverTheScreenAndClipped) {
    for (int k = 0; k < kSetCells; ++k)
        doc->Sets[1][k] = 7;
    doc->Sets[1][1] = -1;  // leaves the screen visible
    doc->Sets[1][2] = 999; // bad code: nothing drawn
    setCell(*doc, 0, 1, 0, 200);
    drawViewEditor(*doc, image, 0, 0);
    EXPECT_EQ(colourAt(image, 5, 5), doc->ColourLUM);
    EXPECT_EQ(colourAt(image, 16, 0), doc->ColourBAK); // screen cell 1: code 200
    EXPECT_EQ(colourAt(image, 23, 1), doc->ColourLUM);
    EXPECT_EQ(colourAt(image, 37, 5), doc->ColourBAK);
    EXPECT_EQ(colourAt(image, 70, 70), doc->ColourLUM);
    EXPECT_EQ(colourAt(image, 85, 5), doc->ColourBAK);

    drawViewEditor(*doc, image, 608, 368); // only set column 0..1, row 0 fit
    EXPECT_EQ(colourAt(image, 610, 370), doc->ColourLUM);
    EXPECT_EQ(colourAt(image, 630, 370), doc->ColourBAK);
    EXPECT_EQ(colourAt(image, 600, 370), doc->ColourBAK);

    doc->CurrentSet = 101;
    drawViewEditor(*doc, image, 0, 0);
    EXPECT_EQ(colourAt(image, 5, 5), doc->ColourBAK);
}

TEST_F(ViewEditorDrawing, AllScreensAtOnePixelPerGlyphPixel) {
    QImage sheet = blankImage(kViewAllScreensSize);
    setCell(*doc, 5, 1, 2, 7);    // sheet row 1, column 2
    setCell(*doc, 8, 39, 23, 72); // last cell of the last screen
    drawViewAllScreens(*doc, sheet);
    EXPECT_EQ(colourAt(sheet, 640 + 8, 192 + 16), doc->ColourLUM);
    EXPECT_EQ(colourAt(sheet, 640 + 15, 192 + 23), doc->ColourLUM);
    EXPECT_EQ(colourAt(sheet, 640 + 16, 192 + 16), doc->ColourBAK);
    EXPECT_EQ(colourAt(sheet, 952, 568), doc->ColourLUM);
    EXPECT_EQ(colourAt(sheet, 955, 568), doc->ColourBAK);

    doc->FourColourMode = 1;
    drawViewAllScreens(*doc, sheet);
    EXPECT_EQ(colourAt(sheet, 953, 568), doc->ColourPF2);
    EXPECT_EQ(colourAt(sheet, 954, 568), doc->ColourPF1);
    EXPECT_EQ(colourAt(sheet, 959, 575), doc->ColourBAK);
}

} // namespace
} // namespace korvex
