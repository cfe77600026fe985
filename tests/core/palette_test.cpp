#include "core/font_codec.h"
#include "core/palette.h"

#include <gtest/gtest.h>

using namespace korvex;

namespace {

uint32_t rgb(int r, int g, int b) {
    return uint32_t(r + 256 * g + 65536 * b);
}

TEST(AtariPalette, KnownEntries) {
    EXPECT_EQ(atariRgb(14), rgb(238, 238, 238));
    EXPECT_EQ(atariRgb(0), rgb(0, 0, 0));
    EXPECT_EQ(atariRgb(24), rgb(194, 119, 31));
    EXPECT_EQ(atariRgb(184), rgb(71, 183, 27));
    EXPECT_EQ(atariRgb(134), rgb(44, 119, 207));
    EXPECT_EQ(atariRgb(68), rgb(149, 20, 123));
    EXPECT_EQ(atariRgb(0xEE), rgb(255, 247, 101));
    EXPECT_EQ(atariRgb(0xFE), rgb(255, 226, 138));
    EXPECT_EQ(atariRgb(0xD0), rgb(1, 28, 0));
}

TEST(AtariPalette, OddLuminanceAndHue15) {
    for (int v = 0; v < 256; v += 2)
        EXPECT_EQ(atariRgb(v + 1), atariRgb(v)) << v;
    for (int lum = 0; lum < 16; ++lum)
        EXPECT_EQ(atariRgb(0xF0 + lum), atariRgb(0x10 + lum));
    for (int v = 0; v < 256; ++v)
        EXPECT_NE(atariRgb(v), kPaletteGridLine) << v;
    EXPECT_EQ(atariRgb(256 + 14), atariRgb(14)); // only the low byte counts
}

TEST(PalettePicture, SquaresGridAndBackground) {
    const RgbPicture pic = renderPalettePicture();
    ASSERT_EQ(pic.width, 161);
    ASSERT_EQ(pic.height, 289);
    ASSERT_EQ(pic.pixels.size(), size_t(161 * 289));
    for (int h = 0; h < 16; ++h)
        for (int c = 0; c < 8; ++c) {
            const uint32_t colour = uint32_t(atariRgb(16 * h + 2 * c));
            const int x0 = 17 + 16 * c, y0 = 17 + 16 * h;
            for (int dy = 0; dy < 15; ++dy)
                for (int dx = 0; dx < 15; ++dx)
                    ASSERT_EQ(pic.at(x0 + dx, y0 + dy), colour) << h << "," << c;
        }
    for (int x = 16; x <= 144; x += 16)
        for (int y = 16; y <= 272; ++y)
            ASSERT_EQ(pic.at(x, y), kPaletteGridLine) << x << "," << y;
    for (int y = 16; y <= 272; y += 16)
        for (int x = 16; x <= 144; ++x)
            ASSERT_EQ(pic.at(x, y), kPaletteGridLine) << x << "," << y;
    // Right of and below the grid there is only background.
    for (int y = 0; y < 289; ++y)
        for (int x = 145; x < 161; ++x)
            ASSERT_EQ(pic.at(x, y), kPaletteBackground);
    for (int y = 273; y < 289; ++y)
        for (int x = 0; x < 161; ++x)
            ASSERT_EQ(pic.at(x, y), kPaletteBackground);
    EXPECT_EQ(pic.at(0, 0), kPaletteBackground);
    EXPECT_EQ(pic.at(15, 15), kPaletteBackground);
}

// The label of a 16 x 16 cell is the font glyph drawn in black, centred.
void expectLabel(const RgbPicture& pic, int cx, int cy, int glyph) {
    const uint8_t* rows = defaultFontBytes() + 8 * glyph;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const bool inGlyph = x >= 4 && x < 12 && y >= 4 && y < 12;
            const bool ink = inGlyph && (rows[y - 4] & (0x80 >> (x - 4)));
            ASSERT_EQ(pic.at(cx + x, cy + y), ink ? 0u : kPaletteBackground)
                << "glyph " << glyph << " at " << x << "," << y;
        }
}

TEST(PalettePicture, LabelsAreFontDigits) {
    const RgbPicture pic = renderPalettePicture();
    const int hueGlyphs[16] = {16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 33, 34, 35, 36, 37, 38};
    for (int h = 0; h < 16; ++h)
        expectLabel(pic, 0, 16 * (h + 1), hueGlyphs[h]);
    for (int c = 0; c < 8; ++c)
        expectLabel(pic, 16 * (c + 1), 0, hueGlyphs[2 * c]);
}

TEST(PalettePointer, MapsCellsAndRefusesLabels) {
    EXPECT_EQ(palettePointerAt(16, 16).value, 0);
    EXPECT_TRUE(palettePointerAt(16, 16).inside);
    EXPECT_EQ(palettePointerAt(31, 31).value, 0);
    EXPECT_EQ(palettePointerAt(143, 16).value, 14);
    EXPECT_EQ(palettePointerAt(143, 271).value, 254);
    const PalettePointer b8 = palettePointerAt(17 + 16 * 4 + 3, 17 + 16 * 11 + 3);
    EXPECT_TRUE(b8.inside);
    EXPECT_EQ(b8.value, 184);

    for (auto [x, y] : std::array<std::pair<int, int>, 8>{
             {{0, 0}, {15, 100}, {100, 15}, {144, 50}, {50, 272}, {160, 288}, {-1, 50}, {50, -3}}})
        EXPECT_FALSE(palettePointerAt(x, y).inside) << x << "," << y;
}

TEST(PaletteTexts, ChosenValueAndPointerForms) {
    EXPECT_EQ(paletteValueText(14), "14, $E");
    EXPECT_EQ(paletteValueText(0), "0, $0");
    EXPECT_EQ(paletteValueText(58), "58, $3A");
    EXPECT_EQ(paletteValueText(184), "184, $B8");
    EXPECT_EQ(palettePointerText(14), "14, $0E");
    EXPECT_EQ(palettePointerText(0), "0, $00");
    EXPECT_EQ(palettePointerText(58), "58, $3A");
    EXPECT_EQ(palettePointerText(254), "254, $FE");
}

} // namespace

namespace {

TEST(AtariPalette, ValueOfRgbFindsTheEntryOrTheNearest) {
    for (int v = 0; v < 256; v += 2) {
        const int found = atariValueOfRgb(atariRgb(v));
        EXPECT_EQ(atariRgb(found), atariRgb(v)) << v;
        EXPECT_LE(found, v) << v; // the lowest value of a shared colour
    }
    EXPECT_EQ(atariValueOfRgb(atariRgb(0xF4)), 0x14); // hue 15 repeats hue 1
    EXPECT_EQ(atariValueOfRgb(rgb(236, 236, 236)), 14);
    EXPECT_EQ(atariValueOfRgb(rgb(1, 1, 2)), 0);
    EXPECT_EQ(atariValueOfRgb(0x7FFFFFFF), atariValueOfRgb(0xFFFFFF)); // only 24 bits count
}

} // namespace
