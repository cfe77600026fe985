// The parts of picture to screen: fitting, colour matching, the cost of merging two
// cells against the screen error, the choice of row bands, and conversions that must
// come out exact.
#include "core/cell_merging.h"
#include "core/palette.h"
#include "core/picture_colours.h"
#include "core/picture_error.h"
#include "core/picture_fit.h"
#include "core/picture_screen.h"
#include "core/row_bands.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <random>
#include <set>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace korvex {
namespace {

constexpr uint32_t kRed = 0x0000FF, kWhite = 0xFFFFFF, kBlack = 0;

RgbPicture plainPicture(int width, int height, uint32_t colour) {
    RgbPicture p;
    p.width = width;
    p.height = height;
    p.pixels.assign(size_t(width) * size_t(height), colour);
    return p;
}

// A screen of random glyphs and codes (inverse ones included) in the given colours.
CellScreen randomScreen(int mode, const ColourRegisters& colours, unsigned seed) {
    std::mt19937_64 random(seed);
    std::array<GlyphBits, kGlyphsPerFont> font{};
    for (GlyphBits& g : font)
        g = random();
    CellScreen screen;
    screen.mode = mode;
    screen.colours = colours;
    for (ScreenCell& c : screen.cells) {
        const unsigned code = unsigned(random() % 256);
        c = {font[code % kGlyphsPerFont], code >= 128};
    }
    return screen;
}

RgbPicture viewPicture(const CellScreen& screen) {
    RgbPicture p;
    p.width = kViewWidth;
    p.height = kViewHeight;
    p.pixels = drawCellScreen(screen);
    return p;
}

// The converted screen as cells, every code checked against its font.
CellScreen cellsOf(const PictureScreen& s) {
    for (int i = 0; i < kScreenCellCount; ++i) {
        const int number = s.rowFont[size_t(i / kScreenColumns)];
        EXPECT_GE(number, s.fonts.at(0).number);
        EXPECT_LT(size_t(number - s.fonts.at(0).number), s.fonts.size());
        const ScreenFont& font = s.fonts.at(size_t(number - s.fonts.at(0).number));
        EXPECT_EQ(font.number, number);
        EXPECT_LT(s.codes[size_t(i)] & 0x7F, font.glyphsUsed);
    }
    return screenCells(s);
}

const ColourRegisters kDistinctColours{0, 14, 148, 52, 202, 24, 118};

TEST(PictureFit, KeepsTheAspectAndCentresOnTheBackground) {
    // 100 x 100 fills 192 x 192 in the middle: 64 display pixels free each side.
    const FittedPicture two = fitPicture(pictureRows(plainPicture(100, 100, kRed)), 2);
    ASSERT_EQ(two.width, 320);
    EXPECT_TRUE(two.background[two.index(63, 0)]);
    EXPECT_FALSE(two.background[two.index(64, 0)]);
    EXPECT_FALSE(two.background[two.index(255, 191)]);
    EXPECT_TRUE(two.background[two.index(256, 191)]);
    EXPECT_FLOAT_EQ(two.red[two.index(100, 100)], 255);
    // A wide picture: full width, 96 rows in the middle.
    const FittedPicture wide = fitPicture(pictureRows(plainPicture(640, 192, kRed)), 4);
    ASSERT_EQ(wide.width, 160);
    EXPECT_TRUE(wide.background[wide.index(0, 47)]);
    EXPECT_FALSE(wide.background[wide.index(0, 48)]);
    EXPECT_FALSE(wide.background[wide.index(159, 143)]);
    EXPECT_TRUE(wide.background[wide.index(159, 144)]);
}

TEST(PictureFit, TakesAFullSizePictureAsItIsAndAveragesPairsInFourColourMode) {
    RgbPicture stripes = plainPicture(320, 192, kBlack);
    for (int y = 0; y < 192; ++y)
        for (int x = 1; x < 320; x += 2)
            stripes.pixels[size_t(y) * 320 + size_t(x)] = kWhite;
    const FittedPicture two = fitPicture(pictureRows(stripes), 2);
    EXPECT_FLOAT_EQ(two.green[two.index(10, 5)], 0);
    EXPECT_FLOAT_EQ(two.green[two.index(11, 5)], 255);
    const FittedPicture four = fitPicture(pictureRows(stripes), 4);
    EXPECT_FLOAT_EQ(four.green[four.index(10, 5)], 127.5f);
    for (uint8_t b : four.background)
        ASSERT_EQ(b, 0);
}

TEST(PictureFit, TransparentPixelsAreBackground) {
    PictureRows rows;
    rows.width = 320;
    rows.height = 192;
    rows.readRow = [](int y, uint32_t* rgb, uint8_t* opaque) {
        for (int x = 0; x < 320; ++x) {
            rgb[x] = kRed;
            opaque[x] = y >= 96;
        }
    };
    const FittedPicture f = fitPicture(rows, 2);
    EXPECT_TRUE(f.background[f.index(5, 95)]);
    EXPECT_FALSE(f.background[f.index(5, 96)]);
}

TEST(PictureColours, DitheringMixesTheColoursOfAMiddleGrey) {
    const FittedPicture grey = fitPicture(pictureRows(plainPicture(320, 192, 0x808080)), 2);
    ColourRegisters colours = kDistinctColours;
    colours[BAK] = 0;  // black
    colours[LUM] = 14; // white
    auto lumShare = [](const CellScreen& s) {
        int lum = 0;
        for (const ScreenCell& c : s.cells)
            lum += std::popcount(c.inverse ? ~c.bits : c.bits);
        return double(lum) / (kScreenCellCount * 64);
    };
    EXPECT_EQ(lumShare(matchColours(grey, 2, colours, false)), 1.0); // nearer white
    EXPECT_NEAR(lumShare(matchColours(grey, 2, colours, true)), 0.5, 0.05);
}

TEST(PictureColours, AutoColoursFindTheTwoColoursOfATwoColourPicture) {
    const CellScreen drawn = randomScreen(2, kDistinctColours, 7);
    const FittedPicture f = fitPicture(pictureRows(viewPicture(drawn)), 2);
    const ColourRegisters chosen = chooseColours(f, 2, {});
    EXPECT_EQ(atariRgb(chosen[LUM]) == atariRgb(14), atariRgb(chosen[BAK]) == atariRgb(148));
    const std::set<int64_t> used{atariRgb(chosen[LUM]), atariRgb(chosen[BAK])};
    EXPECT_EQ(used, (std::set<int64_t>{atariRgb(14), atariRgb(148)}));
}

TEST(MergeCosts, AgreeWithTheScreenErrorAndPreferScatteredDifferences) {
    for (int mode : {2, 4}) {
        SCOPED_TRACE(mode);
        CellScreen target;
        target.mode = mode;
        target.colours = kDistinctColours;
        const GlyphBits base = 0x0123456789ABCDEFULL;
        target.cells.fill({0, false});
        target.cells[size_t(5 * kScreenColumns + 7)] = {base, false};
        // Four pixels set far apart, and a 2 x 2 block of them.
        const GlyphBits scattered = mode == 2 ? 0x0100800001000080ULL : 0x0300C000030000C0ULL;
        const GlyphBits block = mode == 2 ? 0x0000000018180000ULL : 0x000000000F0F0000ULL;
        for (GlyphBits other : {scattered ^ base, block ^ base}) {
            CellScreen both = target;
            both.cells[size_t(6 * kScreenColumns + 20)] = {other, false};
            const CellCatalogue catalogue = catalogueCells(both);
            const MergeCosts costs(catalogue, both.colours);
            const int item = catalogue.cellItem[size_t(5 * kScreenColumns + 7)];
            const int key =
                catalogue.itemKey[size_t(catalogue.cellItem[size_t(6 * kScreenColumns + 20)])];
            CellScreen shown = target;
            shown.cells[size_t(5 * kScreenColumns + 7)] = {catalogue.keys[size_t(key)],
                                                           costs.inverse(item, key)};
            const ScreenError e = screenError(shown, target);
            EXPECT_NEAR(costs.cost(item, key) / (kViewWidth * kViewHeight * 3.0),
                        e.meanSquaredError, 1e-3 * e.meanSquaredError);
        }
        // Against a blank cell every pixel differs the same way; a block's differences
        // add up under the blur where scattered ones spread.
        auto costOf = [&](GlyphBits other) {
            CellScreen both = target;
            both.cells[size_t(5 * kScreenColumns + 7)] = {0, false};
            both.cells[size_t(6 * kScreenColumns + 20)] = {other, false};
            const CellCatalogue catalogue = catalogueCells(both);
            const MergeCosts costs(catalogue, both.colours);
            return costs.cost(
                catalogue.cellItem[size_t(5 * kScreenColumns + 7)],
                catalogue.itemKey[size_t(catalogue.cellItem[size_t(6 * kScreenColumns + 20)])]);
        };
        EXPECT_LT(costOf(scattered), costOf(block));
    }
}

TEST(RowBands, FindTheCheapestDivisionForEveryBandCount) {
    std::mt19937 random(3);
    constexpr int rows = 9;
    double cost[rows + 1][rows + 1];
    for (auto& row : cost)
        for (double& c : row)
            c = double(random() % 100);
    const auto divisions =
        bestRowDivisions(rows, 4, [&](int first, int end) { return cost[first][end]; });
    ASSERT_EQ(divisions.size(), 4u);
    // Every division into k bands, tried one by one.
    for (int k = 1; k <= 4; ++k) {
        double best = 1e18;
        for (unsigned mask = 0; mask < (1u << (rows - 1)); ++mask) {
            if (std::popcount(mask) != k - 1)
                continue;
            double sum = 0;
            for (int first = 0, end = 1; end <= rows; ++end)
                if (end == rows || (mask >> (end - 1) & 1)) {
                    sum += cost[first][end];
                    first = end;
                }
            best = std::min(best, sum);
        }
        const RowDivision& d = divisions[size_t(k - 1)];
        EXPECT_EQ(d.cost, best);
        ASSERT_EQ(d.starts.size(), size_t(k));
        EXPECT_EQ(d.starts[0], 0);
        double sum = 0;
        for (size_t b = 0; b < d.starts.size(); ++b)
            sum += cost[d.starts[b]][d.bandEnd(b, rows)];
        EXPECT_EQ(sum, best);
    }
}

TEST(PictureScreen, AScreenDrawnFromOneFontConvertsBackExactly) {
    for (int mode : {2, 4}) {
        SCOPED_TRACE(mode);
        const CellScreen drawn = randomScreen(mode, kDistinctColours, 11);
        PictureScreenOptions options;
        options.mode = mode;
        options.autoColours = false;
        options.colours = kDistinctColours;
        const auto screen = pictureToScreen(viewPicture(drawn), options);
        ASSERT_TRUE(screen);
        EXPECT_TRUE(screen->exact);
        EXPECT_TRUE(std::isinf(screen->psnr));
        EXPECT_EQ(screen->mergedCells, 0);
        ASSERT_EQ(screen->fonts.size(), 1u);
        EXPECT_LE(screen->fonts[0].glyphsUsed, kGlyphsPerFont);
        EXPECT_EQ(drawCellScreen(cellsOf(*screen)), drawCellScreen(drawn));
    }
}

TEST(PictureScreen, NoiseFitsExactlyWithEnoughFontsAndTheRowTableIsInRange) {
    for (int mode : {2, 4}) {
        SCOPED_TRACE(mode);
        std::mt19937 random(5);
        RgbPicture noise = plainPicture(320, 192, 0);
        for (uint32_t& p : noise.pixels)
            p = random() & 0xFFFFFF;
        for (int fonts : {1, 3, 8}) {
            PictureScreenOptions options;
            options.mode = mode;
            options.fonts = fonts;
            options.firstFont = 11 - fonts;
            const auto screen = pictureToScreen(noise, options);
            ASSERT_TRUE(screen);
            for (int row = 0; row < kScreenRows; ++row) {
                EXPECT_GE(screen->rowFont[size_t(row)], options.firstFont);
                EXPECT_LE(screen->rowFont[size_t(row)], 10);
                EXPECT_EQ(screen->rowMode[size_t(row)], mode);
            }
            EXPECT_LE(screen->fonts.size(), size_t(fonts));
            cellsOf(*screen); // every code within its font's glyphs
            if (fonts == 8)   // noise has 40 distinct cells a row: 3 rows a font
                EXPECT_TRUE(screen->exact);
            else
                EXPECT_GT(screen->mergedCells, 0);
        }
    }
}

TEST(PictureScreen, TheSmallestPictureConvertsToOneGlyph) {
    const auto screen = pictureToScreen(plainPicture(1, 1, kRed), {});
    ASSERT_TRUE(screen);
    EXPECT_TRUE(screen->exact);
    EXPECT_LE(screen->fonts[0].glyphsUsed, 2); // the picture and its margins
}

// Peak memory of a child process that converts a 16384 x 16384 picture, made row by
// row so that the test holds no gigabyte; the child exits 0 when within the bounds.
TEST(PictureScreen, TheLargestPictureConvertsInBoundedMemory) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        PictureRows rows;
        rows.width = 16384;
        rows.height = 16384;
        rows.readRow = [](int y, uint32_t* rgb, uint8_t* opaque) {
            for (int x = 0; x < 16384; ++x) {
                rgb[x] = uint32_t((x * 7 + y * 13) ^ (x * y)) & 0xFFFFFF;
                opaque[x] = 1;
            }
        };
        rusage before{};
        getrusage(RUSAGE_SELF, &before);
        PictureScreenOptions options;
        options.mode = 4;
        options.fonts = 2;
        const auto screen = pictureToScreen(rows, options);
        rusage after{};
        getrusage(RUSAGE_SELF, &after);
        constexpr long kLimitKb = 64 * 1024;
        _exit(screen && after.ru_maxrss - before.ru_maxrss < kLimitKb ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST(PictureScreen, RefusesOptionsOutOfRangeWithAMessage) {
    auto refusal = [](auto change) {
        PictureScreenOptions o;
        change(o);
        std::string error;
        EXPECT_FALSE(pictureToScreen(plainPicture(4, 4, kRed), o, &error));
        return error;
    };
    EXPECT_EQ(refusal([](auto& o) { o.fonts = 0; }), "The number of fonts must be 1 to 10.");
    EXPECT_EQ(refusal([](auto& o) { o.fonts = 11; }), "The number of fonts must be 1 to 10.");
    EXPECT_EQ(refusal([](auto& o) { o.mode = 5; }),
              "The mode must be 2 (two colours) or 4 (four colours).");
    EXPECT_EQ(refusal([](auto& o) { o.firstFont = 0; }), "The first font must be 1 to 10.");
    EXPECT_EQ(refusal([](auto& o) {
                  o.firstFont = 8;
                  o.fonts = 4;
              }),
              "Font 8 has too few fonts after it for 4 fonts: the first font can be at most 7.");
    EXPECT_EQ(refusal([](auto& o) {
                  o.autoColours = false;
                  o.colours[PF1] = 256;
              }),
              "Colour values must be 0 to 255.");
    PictureRows huge;
    huge.width = 16385;
    huge.height = 1;
    huge.readRow = [](int, uint32_t*, uint8_t*) { FAIL() << "a refused picture is not read"; };
    std::string error;
    EXPECT_FALSE(pictureToScreen(huge, {}, &error));
    EXPECT_EQ(error, "The picture is larger than 16384 pixels on a side.");
    PictureScreenOptions last;
    last.firstFont = 7;
    last.fonts = 4;
    EXPECT_TRUE(pictureToScreen(plainPicture(4, 4, kRed), last));
}

} // namespace
} // namespace korvex
