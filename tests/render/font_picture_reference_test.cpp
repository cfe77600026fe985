// The font picture drawn without Qt against the same picture drawn dot by dot on a
// QImage canvas, as the export window used to draw it: pixels and file bytes must
// not differ for any mode, scale, font or colour.

#include "core/font_codec.h"
#include "formats/bmp_codec.h"
#include "formats/font_picture.h"
#include "formats/font_picture_file.h"
#include "formats/png_codec.h"
#include "render/canvas.h"
#include "render/font_picture.h"
#include "render/picture_convert.h"
#include "test_document.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>

namespace korvex {
namespace {

// One 8m x 8m block per glyph, one fillRect per dot, on a black QImage.
RgbPicture canvasDrawnFontPicture(const Document& doc, int scaleIndex) {
    const int m = fontPictureScale(scaleIndex);
    QImage image(256 * m, 64 * m, QImage::Format_RGB32);
    Canvas canvas(image);
    canvas.fillRect(0, 0, canvas.width(), canvas.height(), 0);
    if (doc.CurrentFont >= 1 && doc.CurrentFont <= kFontCount) {
        const int64_t lum = doc.ColourLUM, bak = doc.ColourBAK;
        for (int inverse = 0; inverse < 2; ++inverse)
            for (int g = 0; g < kGlyphCount; ++g) {
                const int left = 8 * m * (g % 32), top = 8 * m * (g / 32) + inverse * 32 * m;
                for (int y = 0; y < 8; ++y) {
                    if (doc.FourColourMode == 0) {
                        for (int x = 0; x < 8; ++x)
                            canvas.fillRect(left + x * m, top + y * m, m, m,
                                            (doc.pixel(doc.CurrentFont, g, x, y)) != (inverse == 1)
                                                ? lum
                                                : bak);
                        continue;
                    }
                    for (int x = 0; x < 8; x += 2) {
                        const int v = 2 * (doc.pixel(doc.CurrentFont, g, x, y)) +
                                      (doc.pixel(doc.CurrentFont, g, x + 1, y));
                        canvas.fillRect(left + x * m, top + y * m, 2 * m, m,
                                        workingColour(doc, fourColourRegister(v, inverse == 1)));
                    }
                }
            }
    }
    return fromQImage(image);
}

// Random glyphs and random colours with bits above 24-bit RGB.
void randomise(Document& doc, std::mt19937& random) {
    for (int font = 1; font <= kFontCount; ++font)
        for (int g = 0; g < kGlyphCount; ++g)
            for (int x = 0; x < 8; ++x)
                for (int y = 0; y < 8; ++y) {
                    const uint32_t r = random() % 16;
                    doc.setPixel(font, g, x, y, r >= 7 && r < 15);
                }
    for (int reg = LUM; reg <= PF3; ++reg)
        workingColour(doc, reg) = int64_t(uint64_t(random()) << 20 ^ random());
}

TEST(FontPictureReference, PixelsAndFilesMatchTheCanvasDrawingInEveryModeAndScale) {
    std::mt19937 random(19);
    auto doc = test::freshDocument();
    for (int round = 0; round < 2; ++round) {
        randomise(*doc, random);
        for (int64_t font : {int64_t(1), int64_t(4), int64_t(10)})
            for (int64_t mode : {0, 1, 2})
                for (int s = -1; s <= 4; ++s) {
                    doc->CurrentFont = font;
                    doc->FourColourMode = mode;
                    SCOPED_TRACE(testing::Message() << "round " << round << " font " << font
                                                    << " mode " << mode << " scale index " << s);
                    const RgbPicture reference = canvasDrawnFontPicture(*doc, s);
                    const RgbPicture drawn = fontPicture(*doc, s);
                    ASSERT_EQ(drawn.width, reference.width);
                    ASSERT_EQ(drawn.height, reference.height);
                    ASSERT_EQ(drawn.pixels, reference.pixels);
                    // The files encode that picture (once per mode and scale is enough).
                    if (round > 0 || font != 1 || s < 0 || s > 3)
                        continue;
                    EXPECT_EQ(fontPictureFileBytes(*doc, s, PictureFileKind::Png),
                              encodePng(reference));
                    EXPECT_EQ(fontPictureFileBytes(*doc, s, PictureFileKind::Bmp),
                              encodeBmp(reference));
                }
    }
}

TEST(FontPictureReference, NoFontGivesABlackPicture) {
    auto doc = test::freshDocument();
    for (int64_t font : {int64_t(0), int64_t(11), int64_t(-3)}) {
        doc->CurrentFont = font;
        const RgbPicture picture = fontPicture(*doc, 1);
        EXPECT_EQ(picture.width, 512);
        EXPECT_EQ(picture.height, 128);
        EXPECT_EQ(picture.pixels, canvasDrawnFontPicture(*doc, 1).pixels);
        EXPECT_EQ(std::count(picture.pixels.begin(), picture.pixels.end(), 0u),
                  std::ptrdiff_t(picture.pixels.size()));
    }
}

TEST(FontPictureReference, ImageOfOtherSizeIsBlackenedAndClipped) {
    auto doc = test::freshDocument();
    const RgbPicture picture = fontPicture(*doc, 0);
    QImage small(100, 40, QImage::Format_RGB32);
    small.fill(Qt::white);
    drawFontPicture(*doc, small, 0);
    QImage large(300, 70, QImage::Format_RGB32);
    large.fill(Qt::white);
    drawFontPicture(*doc, large, 0);
    for (int y = 0; y < 70; ++y)
        for (int x = 0; x < 300; ++x) {
            const bool inside = x < picture.width && y < picture.height;
            const uint32_t expected = inside ? picture.at(x, y) : 0;
            if (x < 100 && y < 40) {
                ASSERT_EQ(fromQRgb(small.pixel(x, y)), expected) << x << "," << y;
            }
            ASSERT_EQ(fromQRgb(large.pixel(x, y)), expected) << x << "," << y;
        }
}

} // namespace
} // namespace korvex
