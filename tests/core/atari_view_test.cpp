// The Atari view against a reference worked out pixel by pixel from the display
// rules, with fonts given as the bytes the machine reads.
#include "core/atari_view.h"

#include "core/font_codec.h"
#include "core/screens.h"
#include "test_document.h"

#include <gtest/gtest.h>
#include <random>

using namespace korvex;

namespace {

struct Fixture {
    std::unique_ptr<Document> doc = test::freshDocument();
    uint8_t fontBytes[kFontCount + 1][kFontBytes] = {};

    explicit Fixture(unsigned seed) {
        std::mt19937 random(seed);
        for (int f = 1; f <= kFontCount; ++f) {
            for (int b = 0; b < kFontBytes; ++b)
                fontBytes[f][b] = uint8_t(random());
            std::copy(fontBytes[f], fontBytes[f] + kFontBytes, doc->FontBuffer);
            decodeFont(*doc, f);
            for (int r = LUM; r <= PF3; ++r)
                doc->FontColours[f][r] = int64_t(random() & 0xFFFFFF);
        }
        for (int r = LUM; r <= PF3; ++r)
            workingColour(*doc, r) = int64_t(random() & 0xFFFFFF);
        for (int s = 0; s < kScreenCount; ++s)
            for (int row = 0; row < kScreenRows; ++row)
                for (int column = 0; column < kScreenColumns; ++column)
                    setCell(*doc, s, column, row, uint8_t(random()));
    }

    // Pixel (x, y) of the screen from the rules alone.
    uint32_t expected(int screen, int followFont, bool followFour, int x, int y) const {
        const RowTable& table = doc->rowTables[screen];
        int top = 0;
        for (int row = 0; row < kScreenRows; ++row) {
            int mode = table.mode[row];
            if (mode != 2 && mode != 4 && mode != 5)
                mode = followFour ? 4 : 2;
            const int height = mode == 5 ? 16 : 8;
            if (y >= top + height) {
                top += height;
                continue;
            }
            int font = table.font[row];
            if (font < 1 || font > 10)
                font = followFont;
            const int line = mode == 5 ? (y - top) / 2 : y - top;
            const int code = getCell(*doc, screen, x / 8, row);
            const bool inverse = code >= 128;
            const uint8_t bits = fontBytes[font][(code % 128) * 8 + line];
            int reg;
            if (mode == 2) {
                const bool set = (bits >> (7 - x % 8)) & 1;
                reg = set != inverse ? LUM : BAK;
            } else {
                const int value = (bits >> (6 - 2 * ((x % 8) / 2))) & 3;
                const int regs[4] = {BAK, PF0, PF1, inverse ? PF3 : PF2};
                reg = regs[value];
            }
            const int64_t colour =
                font == doc->CurrentFont ? workingColour(*doc, reg) : doc->FontColours[font][reg];
            return uint32_t(colour);
        }
        ADD_FAILURE() << "scanline " << y << " below the last row";
        return 0;
    }

    void expectScreen(int screen, int followFont, bool followFour) const {
        const RgbPicture picture = drawAtariScreen(*doc, screen, followFont, followFour);
        ASSERT_EQ(picture.width, 320);
        ASSERT_EQ(picture.height, screenScanlines(*doc, screen));
        int wrong = 0;
        for (int y = 0; y < picture.height; ++y)
            for (int x = 0; x < picture.width; ++x)
                if (picture.at(x, y) != expected(screen, followFont, followFour, x, y) &&
                    ++wrong < 5)
                    ADD_FAILURE() << "pixel " << x << "," << y;
    }
};

TEST(AtariView, EveryModeAndFontPixelExact) {
    Fixture f(27);
    Document& doc = *f.doc;
    doc.CurrentFont = 3;
    const uint8_t modes[] = {0, 2, 4, 5};
    RowTable& table = doc.rowTables[4];
    for (int row = 0; row < kScreenRows; ++row) {
        table.font[row] = uint8_t(row % 11); // follow, then every font
        table.mode[row] = modes[(row / 2) % 4];
    }
    for (int followFont : {1, 3, 10})
        for (bool followFour : {false, true}) {
            SCOPED_TRACE(testing::Message() << followFont << " " << followFour);
            f.expectScreen(4, followFont, followFour);
        }
    // A screen without a table is every row in the follow font and mode.
    f.expectScreen(0, 3, false);
    f.expectScreen(0, 7, true);
    EXPECT_EQ(screenScanlines(doc, 0), 192);
    EXPECT_EQ(screenScanlines(doc, 4), 192 + 6 * 8);
    EXPECT_EQ(rowTopScanline(doc, 4, 7), 6 * 8 + 16); // row 6 is mode 5
}

TEST(AtariView, BadTableValuesFollowAndATallScreenIsDrawnWhole) {
    Fixture f(5);
    Document& doc = *f.doc;
    RowTable& table = doc.rowTables[8];
    for (int row = 0; row < kScreenRows; ++row) {
        table.font[row] = row < 20 ? uint8_t(11 + row * 12) : uint8_t(2);
        table.mode[row] = row < 20 ? uint8_t(5) : uint8_t(row == 20 ? 3 : 200);
    }
    EXPECT_EQ(screenScanlines(doc, 8), 20 * 16 + 4 * 8);
    EXPECT_GT(screenScanlines(doc, 8), kMaxDisplayScanlines);
    f.expectScreen(8, 1, false);
    EXPECT_TRUE(drawAtariScreen(doc, 9, 1, false).empty());
    EXPECT_TRUE(drawAtariScreen(doc, -1, 1, false).empty());
    EXPECT_EQ(screenScanlines(doc, 9), 0);
}

TEST(AtariView, GlyphTileMatchesTheScreenAndIsClipped) {
    Fixture f(99);
    Document& doc = *f.doc;
    doc.CurrentFont = 2;
    RowTable& table = doc.rowTables[1];
    table.font[0] = 6;
    table.mode[0] = 2;
    table.font[1] = 2;
    table.mode[1] = 4;
    table.font[2] = 9;
    table.mode[2] = 5;
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < kScreenColumns; ++column)
            setCell(doc, 1, column, row, uint8_t(column * 6 + row)); // normal and inverse
    const RgbPicture screen = drawAtariScreen(doc, 1, 1, false);
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < kScreenColumns; ++column) {
            SCOPED_TRACE(testing::Message() << row << " " << column);
            RgbPicture tile{8, 8, std::vector<uint32_t>(64, 0x123456)};
            drawAtariGlyph(doc, table.font[row], RowMode(table.mode[row]),
                           getCell(doc, 1, column, row), tile, 0, 0);
            for (int y = 0; y < 8; ++y)
                for (int x = 0; x < 8; ++x) {
                    // Mode 5 is drawn as 4: tile line y is the row's scanline 2y.
                    const int line = row == 2 ? 16 + 2 * y : 8 * row + y;
                    ASSERT_EQ(tile.at(x, y), screen.at(8 * column + x, line)) << x << "," << y;
                }
        }

    // Clipped at every edge; nothing drawn for a bad code or font.
    RgbPicture small{5, 3, std::vector<uint32_t>(15, 7)};
    drawAtariGlyph(doc, 1, RowMode::TwoColour, 65, small, -4, -6);
    drawAtariGlyph(doc, 1, RowMode::TwoColour, 65, small, 3, 1);
    RgbPicture whole{8, 8, std::vector<uint32_t>(64, 7)};
    drawAtariGlyph(doc, 1, RowMode::TwoColour, 65, whole, 0, 0);
    EXPECT_EQ(small.at(0, 0), whole.at(4, 6));
    EXPECT_EQ(small.at(4, 2), whole.at(1, 1));
    EXPECT_EQ(small.at(4, 0), 7u);
    RgbPicture untouched{5, 3, std::vector<uint32_t>(15, 7)};
    drawAtariGlyph(doc, 1, RowMode::TwoColour, 256, untouched, 0, 0);
    drawAtariGlyph(doc, 11, RowMode::TwoColour, 1, untouched, 0, 0);
    drawAtariGlyph(doc, 0, RowMode::TwoColour, 1, untouched, 0, 0);
    EXPECT_EQ(untouched.pixels, std::vector<uint32_t>(15, 7));
}

} // namespace
