// Writing a conversion into the work: its fonts, colour sets, one screen and its row
// table, nothing else; and one undo step takes the fonts, colours, screen and row
// table back.
#include "core/glyph_bytes.h"
#include "core/palette.h"
#include "core/picture_screen_apply.h"
#include "core/screens.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>

namespace korvex {
namespace {

PictureScreen twoFontConversion() {
    RgbPicture noise;
    noise.width = 320;
    noise.height = 192;
    std::mt19937 random(9);
    for (int i = 0; i < 320 * 192; ++i)
        noise.pixels.push_back(random() & 0xFFFFFF);
    PictureScreenOptions options;
    options.fonts = 2;
    options.firstFont = 3;
    auto screen = pictureToScreen(noise, options);
    EXPECT_TRUE(screen);
    EXPECT_EQ(screen->fonts.size(), 2u);
    return *screen;
}

TEST(PictureScreenApply, WritesTheFontsColoursScreenAndRowTableOnly) {
    const PictureScreen converted = twoFontConversion();
    auto doc = std::make_unique<Document>();
    initDocument(*doc);
    auto before = std::make_unique<Document>(*doc);
    applyPictureScreen(*doc, converted, 4);

    for (const ScreenFont& font : converted.fonts) {
        for (int g = 0; g < kGlyphsPerFont; ++g) {
            const GlyphBytes bytes = glyphBytes(*doc, font.number, g);
            EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), font.glyphs[size_t(g)].begin()));
        }
        for (int r = LUM; r <= PF3; ++r)
            EXPECT_EQ(doc->FontColours[font.number][r], atariRgb(font.colours[size_t(r)]));
    }
    for (int i = 0; i < kScreenCellCount; ++i)
        ASSERT_EQ(getCell(*doc, 4, i % kScreenColumns, i / kScreenColumns),
                  converted.codes[size_t(i)]);
    for (int row = 0; row < kScreenRows; ++row) {
        EXPECT_EQ(doc->rowTables[4].font[row], converted.rowFont[size_t(row)]);
        EXPECT_EQ(doc->rowTables[4].mode[row], kTwoColourMode);
    }
    // Untouched: the other fonts, screens and row tables, and the current font's bytes.
    for (int font : {1, 2, 5, 10})
        EXPECT_EQ(
            std::memcmp(doc->fontGlyphs(font), before->fontGlyphs(font), sizeof doc->Glyphs[0]), 0);
    for (int s = 0; s < kScreenCount; ++s) {
        if (s == 4)
            continue;
        EXPECT_EQ(std::memcmp(doc->screens + s * kScreenCells, before->screens + s * kScreenCells,
                              kScreenCells),
                  0);
        EXPECT_TRUE(isDefaultRowTable(doc->rowTables[s]));
    }
    EXPECT_EQ(std::memcmp(doc->FontBuffer, before->FontBuffer, sizeof doc->FontBuffer), 0);
    // A screen number outside the nine changes nothing.
    auto again = std::make_unique<Document>(*before);
    applyPictureScreen(*again, converted, 9);
    EXPECT_EQ(std::memcmp(again->screens, before->screens, sizeof again->screens), 0);
}

TEST(PictureScreenApply, OneUndoStepRestoresTheFontsColoursScreenAndRowTable) {
    const PictureScreen converted = twoFontConversion();
    auto doc = std::make_unique<Document>();
    initDocument(*doc);
    doc->CurrentFont = 3; // its colours become the working colours
    // A row table already on the screen, which the conversion replaces.
    for (int row = 0; row < kScreenRows; ++row) {
        doc->rowTables[0].font[row] = uint8_t(row % 11);
        doc->rowTables[0].mode[row] = uint8_t(row % 3 == 0 ? 5 : 0);
    }
    auto before = std::make_unique<Document>(*doc);
    doc->history.begin(*doc, "Import picture to screen");
    applyPictureScreen(*doc, converted, 0);
    ASSERT_TRUE(doc->history.commit(*doc));
    EXPECT_EQ(doc->ColourBAK, atariRgb(converted.fonts[0].colours[BAK]));
    EXPECT_EQ(doc->AtariColour[LUM], converted.fonts[0].colours[LUM]);
    EXPECT_EQ(doc->rowTables[0].font[0], converted.rowFont[0]);
    ASSERT_TRUE(doc->history.undo(*doc));
    EXPECT_EQ(std::memcmp(doc->rowTables, before->rowTables, sizeof doc->rowTables), 0);
    EXPECT_EQ(doc->CurrentFont, before->CurrentFont);
    EXPECT_EQ(doc->ColourPF0, before->ColourPF0);
    EXPECT_EQ(doc->ColourPF3, before->ColourPF3);
    EXPECT_EQ(std::memcmp(doc->Glyphs, before->Glyphs, sizeof doc->Glyphs), 0);
    EXPECT_EQ(std::memcmp(doc->FontColours, before->FontColours, sizeof doc->FontColours), 0);
    EXPECT_EQ(std::memcmp(doc->screens, before->screens, sizeof doc->screens), 0);
    EXPECT_EQ(doc->ColourBAK, before->ColourBAK);
    EXPECT_EQ(doc->ColourLUM, before->ColourLUM);
    EXPECT_EQ(std::memcmp(doc->AtariColour, before->AtariColour, sizeof doc->AtariColour), 0);
}

// The colours a conversion keeps are those the current font is drawn in: a stored
// register value that gives its working colour (odd luminances included) stays; one
// left behind by a font switch gives way to the palette value of the colour shown.
TEST(PictureScreenApply, CurrentColourRegistersAreTheColoursShown) {
    auto doc = std::make_unique<Document>();
    initDocument(*doc);
    const int stored[7] = {0, 15, 0x94, 0x2A, 0x3C, 0x77, 0xF0};
    for (int r = LUM; r <= PF3; ++r) {
        doc->AtariColour[r] = stored[r];
        workingColour(*doc, r) = atariRgb(stored[r]);
    }
    workingColour(*doc, PF1) = atariRgb(0x46); // switched to a font of other colours
    doc->AtariColour[PF2] = 300;               // out of range: never passed on
    workingColour(*doc, PF2) = atariRgb(0x12);

    const ColourRegisters registers = currentColourRegisters(*doc);
    EXPECT_EQ(registers[LUM], 15);
    EXPECT_EQ(registers[BAK], 0x94);
    EXPECT_EQ(registers[PF0], 0x2A);
    EXPECT_EQ(registers[PF1], 0x46);
    EXPECT_EQ(registers[PF2], 0x12);
    EXPECT_EQ(registers[PF3], 0xF0);
}

} // namespace
} // namespace korvex
