#include "render/font_picture.h"

#include "core/font_codec.h"
#include "core/image_import.h"
#include "render/import_canvas.h"
#include "render/picture_convert.h"
#include "test_document.h"

#include <cstring>
#include <gtest/gtest.h>

using namespace korvex;
using namespace korvex::test;

namespace {

void setDistinctColours(Document& doc) {
    doc.ColourLUM = 0xEEEEEE;
    doc.ColourBAK = 0x202020;
    doc.ColourPF0 = 0x0000C0;
    doc.ColourPF1 = 0x00C000;
    doc.ColourPF2 = 0xC00000;
    doc.ColourPF3 = 0xC0C000;
}

// The colour every pixel of the picture should have, worked out per pixel from
// the colour rule of the glyph codes.
int64_t expectedColour(const Document& doc, int m, int X, int Y) {
    const int c = X / (8 * m), r = Y / (8 * m);
    const int g = 32 * (r % 4) + c;
    const int code = r >= 4 ? g + 128 : g;
    const int reg = colourRegisterAt(doc, doc.CurrentFont, code, X % (8 * m) / m, Y % (8 * m) / m);
    return workingColour(doc, reg);
}

TEST(FontPicture, EveryPixelFollowsTheColourRuleAtEveryScaleAndMode) {
    auto doc = freshDocument();
    setDistinctColours(*doc);
    doc->CurrentFont = 3;
    std::memcpy(doc->FontBuffer, defaultFontBytes(), 1024);
    decodeFont(*doc, 3);
    for (int mode = 0; mode < 2; ++mode) {
        doc->FourColourMode = mode;
        for (int s = 0; s < 4; ++s) {
            const int m = s + 1;
            const RgbPicture p = fontPicture(*doc, s);
            ASSERT_EQ(p.width, 256 * m);
            ASSERT_EQ(p.height, 64 * m);
            int wrong = 0;
            for (int Y = 0; Y < p.height; ++Y)
                for (int X = 0; X < p.width; ++X)
                    wrong += p.at(X, Y) != expectedColour(*doc, m, X, Y);
            EXPECT_EQ(wrong, 0) << "mode " << mode << " scale " << m;
        }
    }
}

TEST(FontPicture, ScaleThreeBlocksAndTopLeftPixel) {
    auto doc = freshDocument();
    setDistinctColours(*doc);
    // Glyph 33: only its top-left pixel set; glyph 0: top-left pixel set.
    std::memset(doc->Glyphs[0], 0, sizeof doc->Glyphs[0]);
    doc->setPixel(1, 33, 0, 0, 1);
    doc->setPixel(1, 0, 0, 0, 1);
    const RgbPicture p = fontPicture(*doc, 2);
    EXPECT_EQ(p.width, 768);
    EXPECT_EQ(p.height, 192);
    // Glyph 33's inverse block starts at (24, 120): a 3 x 3 BAK dot, then LUM.
    EXPECT_EQ(p.at(24, 120), doc->ColourBAK);
    EXPECT_EQ(p.at(26, 122), doc->ColourBAK);
    EXPECT_EQ(p.at(27, 120), doc->ColourLUM);
    EXPECT_EQ(p.at(23, 120), doc->ColourLUM); // glyph 32's inverse, all clear
    EXPECT_EQ(p.at(24, 24), doc->ColourLUM);  // glyph 33's normal block
    // Two-colour mode: top-left is LUM, the inverse block's (0, 32m) is BAK.
    EXPECT_EQ(p.at(0, 0), doc->ColourLUM);
    EXPECT_EQ(p.at(0, 96), doc->ColourBAK);
    EXPECT_EQ(p.at(3, 0), doc->ColourBAK);
    EXPECT_EQ(p.at(3, 96), doc->ColourLUM);

    // Four-colour mode: pairs of glyph 0's top row are 3, 1, 2, 0; value 3 is PF2
    // in the normal block and PF3 in the inverse one.
    doc->FourColourMode = 1;
    doc->setPixel(1, 0, 1, 0, 1);
    doc->setPixel(1, 0, 3, 0, 1);
    doc->setPixel(1, 0, 4, 0, 1);
    const RgbPicture q = fontPicture(*doc, 0);
    const int64_t normal[8] = {doc->ColourPF2, doc->ColourPF2, doc->ColourPF0, doc->ColourPF0,
                               doc->ColourPF1, doc->ColourPF1, doc->ColourBAK, doc->ColourBAK};
    for (int x = 0; x < 8; ++x) {
        EXPECT_EQ(q.at(x, 0), normal[x]) << x;
        EXPECT_EQ(q.at(x, 32), x < 2 ? doc->ColourPF3 : normal[x]) << x;
    }
}

TEST(FontPicture, PictureImportedBackGivesTheSameFont) {
    auto doc = freshDocument();
    setDistinctColours(*doc);
    std::memcpy(doc->FontBuffer, defaultFontBytes(), 1024);
    decodeFont(*doc, 1);
    doc->importPicture = fontPicture(*doc, 0);
    std::memset(doc->Glyphs[0], 0, sizeof doc->Glyphs[0]);
    importPictureToFont(*doc, doc->ColourBAK);
    encodeFont(*doc, 1);
    EXPECT_EQ(std::memcmp(doc->FontBuffer, defaultFontBytes(), 1024), 0);
    // The inverse half, read with LUM as background, gives the same font too.
    doc->importY = 32;
    std::memset(doc->Glyphs[0], 0, sizeof doc->Glyphs[0]);
    importPictureToFont(*doc, doc->ColourLUM);
    encodeFont(*doc, 1);
    EXPECT_EQ(std::memcmp(doc->FontBuffer, defaultFontBytes(), 1024), 0);
}

TEST(ImportCanvas, DrawingMatchesTheColourPick) {
    auto doc = freshDocument();
    RgbPicture big{700, 300, std::vector<uint32_t>(700 * 300)};
    for (size_t i = 0; i < big.pixels.size(); ++i)
        big.pixels[i] = uint32_t(i * 2654435761u) & 0xFFFFFF;
    for (const RgbPicture& picture : {big, RgbPicture{}, RgbPicture{50, 400, {}}}) {
        doc->importPicture = picture;
        if (picture.width == 50)
            doc->importPicture.pixels.assign(50 * 400, 0x445566);
        for (auto [x, y] : {std::pair{0, 0}, {400, 320}, {-100, -10}, {13, 7}}) {
            doc->importX = x;
            doc->importY = y;
            for (bool frame : {true, false}) {
                QImage image(kImportCanvasWidth, kImportCanvasHeight, QImage::Format_RGB32);
                image.fill(Qt::white);
                drawImportCanvas(*doc, image, frame);
                const RgbPicture drawn = fromQImage(image);
                int wrong = 0;
                for (int py = 0; py < drawn.height; ++py)
                    for (int px = 0; px < drawn.width; ++px)
                        wrong += drawn.at(px, py) != importCanvasColourAt(*doc, px, py, frame);
                EXPECT_EQ(wrong, 0) << x << "," << y << " frame " << frame;
            }
        }
    }
}

TEST(PictureConvert, RoundTripAndAlphaDropped) {
    RgbPicture p{3, 2, {0x010203, 0xFFFFFF, 0, 0x123456, 0xABCDEF, 0x00FF00}};
    const QImage image = toQImage(p);
    ASSERT_EQ(image.size(), QSize(3, 2));
    EXPECT_EQ(image.pixel(0, 0), qRgb(3, 2, 1));
    EXPECT_EQ(fromQImage(image).pixels, p.pixels);
    QImage argb(1, 1, QImage::Format_ARGB32);
    argb.setPixel(0, 0, qRgba(10, 20, 30, 255));
    EXPECT_EQ(fromQImage(argb).pixels, (std::vector<uint32_t>{0x1E140A}));
    EXPECT_TRUE(toQImage(RgbPicture{}).isNull());
    EXPECT_TRUE(toQImage(RgbPicture{2, 2, {1}}).isNull());
    EXPECT_TRUE(fromQImage(QImage()).empty());
}

} // namespace
