// The View Editor and View All Screens draw every row of a screen in the font,
// colours and mode of its row table, pixel for pixel as the rules below say; a
// table of follow entries draws what the canvas drew before row tables existed.

#include "core/screens.h"
#include "random_document.h"
#include "render/glyph_drawing.h"
#include "render/row_strip_drawing.h"
#include "render/view_editor_drawing.h"
#include "render_test_helpers.h"
#include "test_document.h"

#include <gtest/gtest.h>

#include <random>

namespace korvex {
namespace {

using namespace korvex::test;

// A row as the rules resolve it: a follow font is the current font, a follow mode
// the main window's mode; mode 2 is two-colour, 4 and 5 four-colour.
struct Row {
    int64_t font;
    bool fourColour;
};

Row ruleRow(const Document& doc, int screen, int row) {
    const RowTable& table = doc.rowTables[screen];
    Row r{doc.CurrentFont, doc.FourColourMode != 0};
    if (table.font[row] != 0)
        r.font = table.font[row];
    if (table.mode[row] != 0)
        r.fourColour = table.mode[row] != 2;
    return r;
}

// Register `reg` of a row's font: the working colours for the current font, the
// font's own set for any other.
int64_t ruleRegister(const Document& doc, int64_t font, int reg) {
    return font == doc.CurrentFont ? workingColour(doc, reg) & 0xFFFFFF
                                   : doc.FontColours[font][reg] & 0xFFFFFF;
}

// Pixel (px, py) of a cell showing `code`, a glyph pixel being dot x dot pixels.
// Two-colour: a set bit LUM, a clear one BAK, swapped for codes 128..255.
// Four-colour: pairs 00 BAK, 01 PF0, 10 PF1, 11 PF2, or PF3 for codes 128..255.
int64_t ruleColour(const Document& doc, const Row& row, int code, int px, int py, int dot) {
    const int glyph = code & 127;
    const bool inverse = code >= 128;
    const int gx = px / dot, gy = py / dot;
    if (!row.fourColour) {
        const bool set = doc.pixel(row.font, glyph, gx, gy);
        return ruleRegister(doc, row.font, set != inverse ? LUM : BAK);
    }
    const int left = gx & ~1;
    const int value = (doc.pixel(row.font, glyph, left, gy) ? 2 : 0) +
                      (doc.pixel(row.font, glyph, left + 1, gy) ? 1 : 0);
    static const int registers[4] = {BAK, PF0, PF1, PF2};
    return ruleRegister(doc, row.font, value == 3 && inverse ? PF3 : registers[value]);
}

// A table with every font (and follow) and every mode, in an order where
// neighbouring rows differ.
void everyKindOfRow(RowTable& table) {
    static const RowMode modes[] = {RowMode::Follow, RowMode::TwoColour, RowMode::FourColour,
                                    RowMode::FourColourTall};
    for (int row = 0; row < kRowTableRows; ++row) {
        table.font[row] = uint8_t(row % (kFontCount + 1));
        table.mode[row] = uint8_t(modes[(row + row / 4) % 4]);
    }
}

std::unique_ptr<Document> screenDocument(std::mt19937& random) {
    auto doc = freshDocument();
    randomiseDocument(*doc, random);
    for (uint8_t& cell : doc->screens)
        cell = uint8_t(random());
    doc->gridShown = 0;
    doc->rangeFrameShown = 0;
    return doc;
}

TEST(ViewEditorRows, EveryModeOfEveryRowIsDrawnAsTheRulesSay) {
    std::mt19937 random(2707);
    for (int trial = 0; trial < 4; ++trial) {
        auto doc = screenDocument(random);
        doc->FourColourMode = trial % 2;
        const int screen = doc->currentScreen;
        everyKindOfRow(doc->rowTables[screen]);
        QImage image = blankImage(kViewEditorCanvasSize);
        drawViewEditor(*doc, image, -1, -1);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const int row = y / 16, column = x / 16;
                const Row r = ruleRow(*doc, screen, row);
                const int64_t expected =
                    ruleColour(*doc, r, getCell(*doc, screen, column, row), x % 16, y % 16, 2);
                ASSERT_EQ(colourAt(image, x, y), expected)
                    << "trial " << trial << " pixel " << x << "," << y << " row font "
                    << int(doc->rowTables[screen].font[row]) << " mode "
                    << int(doc->rowTables[screen].mode[row]);
            }
    }
}

TEST(ViewEditorRows, AFollowTableDrawsTheCanvasAsEveryCellInTheCurrentFont) {
    std::mt19937 random(88);
    for (int trial = 0; trial < 4; ++trial) {
        auto doc = screenDocument(random);
        doc->FourColourMode = trial % 2;
        if (trial == 3)
            doc->CurrentFont = 0; // out of range: the cells stay black
        QImage image = blankImage(kViewEditorCanvasSize);
        drawViewEditor(*doc, image, -1, -1);
        // The canvas as it was drawn before rows had a table: every cell a glyph
        // of the current font in the working colours and the main window's mode.
        QImage before = blankImage(kViewEditorCanvasSize);
        Canvas canvas(before);
        canvas.fillRect(0, 0, 640, 384, kBlack);
        for (int row = 0; row < kScreenRows; ++row)
            for (int column = 0; column < kScreenColumns; ++column)
                drawGlyph(*doc, canvas, column, row, getCell(*doc, doc->currentScreen, column, row),
                          0, 0);
        ASSERT_EQ(image, before) << "trial " << trial;
    }
}

TEST(ViewEditorRows, TheSetPreviewShowsEachCellAsTheRowUnderItWould) {
    std::mt19937 random(5);
    auto doc = screenDocument(random);
    doc->currentScreen = 2;
    for (int k = 0; k < kSetCells; ++k)
        doc->Sets[doc->CurrentSet][k] = int16_t(130 + k);
    RowTable& table = doc->rowTables[2];
    table.font[22] = uint8_t(doc->CurrentFont % kFontCount + 1);
    table.mode[22] = uint8_t(RowMode::FourColourTall);
    table.mode[23] = uint8_t(doc->FourColourMode ? RowMode::TwoColour : RowMode::FourColour);
    QImage image = blankImage(kViewEditorCanvasSize);
    drawViewEditor(*doc, image, 48, 336); // set rows 0..2 over screen rows 21..23
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 5; ++j) {
            const Row r = ruleRow(*doc, 2, 21 + i);
            for (int y = 0; y < 16; ++y)
                for (int x = 0; x < 16; ++x)
                    ASSERT_EQ(colourAt(image, 48 + 16 * j + x, 336 + 16 * i + y),
                              ruleColour(*doc, r, 130 + 5 * i + j, x, y, 2))
                        << "set cell " << i << "," << j;
        }
}

TEST(ViewEditorRows, ViewAllScreensDrawsEveryScreenByItsOwnTable) {
    std::mt19937 random(616);
    auto doc = screenDocument(random);
    randomiseRowTables(*doc, random);
    everyKindOfRow(doc->rowTables[8]);
    QImage sheet = blankImage(kViewAllScreensSize);
    drawViewAllScreens(*doc, sheet);
    for (int y = 0; y < sheet.height(); ++y)
        for (int x = 0; x < sheet.width(); ++x) {
            const int screen = 3 * (y / 192) + x / 320;
            const int row = y % 192 / 8, column = x % 320 / 8;
            const Row r = ruleRow(*doc, screen, row);
            ASSERT_EQ(colourAt(sheet, x, y),
                      ruleColour(*doc, r, getCell(*doc, screen, column, row), x % 8, y % 8, 1))
                << "pixel " << x << "," << y;
        }
}

TEST(RowStripDrawing, BandsShowTheCurrentRowAndMarkDoubleHeightRows) {
    auto doc = freshDocument();
    doc->currentScreen = 4;
    doc->rowTables[4].font[2] = 7;
    doc->rowTables[4].mode[5] = uint8_t(RowMode::FourColourTall);
    doc->rowTables[4].mode[6] = uint8_t(RowMode::FourColour);
    QImage strip = blankImage(kRowStripSize);
    drawRowStrip(*doc, strip, 2);
    auto at = [&](int x, int y) { return strip.pixel(x, y) | 0xFF000000; };
    // Corners of the cells, where no text reaches.
    EXPECT_EQ(at(1, 2 * 16 + 1), kRowStripCurrentRow);
    EXPECT_EQ(at(38, 2 * 16 + 1), kRowStripCurrentRow);
    EXPECT_EQ(at(1, 3 * 16 + 1), kRowStripBackground);
    EXPECT_EQ(at(21, 5 * 16 + 1), kRowStripTallMark);
    EXPECT_EQ(at(1, 5 * 16 + 1), kRowStripBackground);  // the mark is on the mode
    EXPECT_EQ(at(21, 6 * 16 + 1), kRowStripBackground); // mode 4 is not marked
    EXPECT_EQ(at(5, 15), kRowStripLine);                // under each band
    EXPECT_EQ(at(kRowStripColumnWidth - 1, 100), kRowStripLine);

    // A tall row that is also the current one keeps its mark inside the highlight.
    drawRowStrip(*doc, strip, 5);
    EXPECT_EQ(at(21, 5 * 16 + 1), kRowStripCurrentRow);
    EXPECT_EQ(at(24, 5 * 16 + 4), kRowStripTallMark);

    // A screen number out of range shows a table of follow entries, no row current.
    doc->currentScreen = 200;
    drawRowStrip(*doc, strip, -1);
    for (int row = 0; row < kScreenRows; ++row)
        EXPECT_EQ(at(21, row * 16 + 1), kRowStripBackground) << row;

    EXPECT_EQ(rowFontText(0), "-");
    EXPECT_EQ(rowFontText(10), "10");
    EXPECT_EQ(rowModeText(5), "5");
    EXPECT_EQ(rowModeText(3), "-");
    EXPECT_FALSE(rowStripPlaceAt(40, 0));
    EXPECT_FALSE(rowStripPlaceAt(0, 384));
    EXPECT_EQ(rowStripPlaceAt(19, 383)->row, 23);
    EXPECT_EQ(rowStripPlaceAt(19, 383)->column, RowStripColumn::Font);
    EXPECT_EQ(rowStripPlaceAt(20, 0)->column, RowStripColumn::Mode);
}

} // namespace
} // namespace korvex
