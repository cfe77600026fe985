#include "core/image_import.h"

#include "core/font_codec.h"
#include "test_document.h"

#include <cstring>
#include <gtest/gtest.h>

using namespace korvex;
using namespace korvex::test;

namespace {

constexpr uint32_t kInk = 0x3366CC, kPaper = 0x102030;

// A picture of `width` x `height` in paper colour with the built-in font drawn in
// ink as a 256 x 32 block whose top-left corner is (left, top).
RgbPicture fontPictureAt(int width, int height, int left, int top) {
    RgbPicture p{width, height, std::vector<uint32_t>(size_t(width) * size_t(height), kPaper)};
    const uint8_t* font = defaultFontBytes();
    for (int g = 0; g < 128; ++g)
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) {
                const int px = left + 8 * (g % 32) + x, py = top + 8 * (g / 32) + y;
                if (px < width && py < height && (font[8 * g + y] & (0x80 >> x)))
                    p.pixels[size_t(py) * size_t(width) + size_t(px)] = kInk;
            }
    return p;
}

bool fontIsDefault(Document& doc) {
    encodeFont(doc, -1);
    return std::memcmp(doc.FontBuffer, defaultFontBytes(), 1024) == 0;
}

int setPixelCount(const Document& doc, int64_t font, int g) {
    int n = 0;
    for (int x = 0; x < 8; ++x)
        for (int y = 0; y < 8; ++y)
            n += doc.pixel(font, g, x, y) == 1;
    return n;
}

void fillFont(Document& doc, int64_t font) {
    for (int g = 0; g < 128; ++g)
        for (int x = 0; x < 8; ++x)
            for (int y = 0; y < 8; ++y)
                doc.setPixel(font, g, x, y, 1);
}

TEST(ImageImport, ReadsTheFontFromThePictureAtTheFramePosition) {
    auto doc = freshDocument();
    doc->CurrentFont = 2;
    doc->importPicture = fontPictureAt(300, 70, 20, 30);
    doc->importX = 20;
    doc->importY = 30;
    importPictureToFont(*doc, kPaper);
    EXPECT_TRUE(fontIsDefault(*doc));

    // One pixel pattern at (importX + 8, importY + 8) is glyph 33 and nothing else.
    doc->importPicture = RgbPicture{300, 100, std::vector<uint32_t>(300 * 100, kPaper)};
    doc->importPicture.pixels[size_t(38) * 300 + 28] = kInk; // glyph 33, x 0, y 0
    doc->importPicture.pixels[size_t(45) * 300 + 35] = kInk; // glyph 33, x 7, y 7
    importPictureToFont(*doc, kPaper);
    for (int g = 0; g < 128; ++g)
        EXPECT_EQ(setPixelCount(*doc, 2, g), g == 33 ? 2 : 0) << g;
    EXPECT_EQ(doc->pixel(2, 33, 0, 0), 1);
    EXPECT_EQ(doc->pixel(2, 33, 7, 7), 1);
    // Only the current font changed.
    EXPECT_EQ(setPixelCount(*doc, 1, 65), setPixelCount(*freshDocument(), 1, 65));
}

TEST(ImageImport, BlackBackgroundWithoutPictureClearsEveryGlyph) {
    auto doc = freshDocument();
    fillFont(*doc, 1);
    importPictureToFont(*doc, 0);
    for (int g = 0; g < 128; ++g)
        ASSERT_EQ(setPixelCount(*doc, 1, g), 0) << g;
    // With any other background the black canvas sets every pixel.
    importPictureToFont(*doc, 0x000001);
    for (int g = 0; g < 128; ++g)
        ASSERT_EQ(setPixelCount(*doc, 1, g), 64) << g;
}

TEST(ImageImport, BlackBeyondThePictureAndBackgroundBeyondTheCanvas) {
    auto doc = freshDocument();
    // The picture ends at x = 100 and y = 20: the canvas is black beyond, which
    // differs from the paper background, so those pixels are set.
    doc->importPicture = RgbPicture{100, 20, std::vector<uint32_t>(100 * 20, kPaper)};
    doc->importX = 64;
    importPictureToFont(*doc, kPaper);
    EXPECT_EQ(setPixelCount(*doc, 1, 0), 0);  // x 64..71, y 0..7: inside
    EXPECT_EQ(setPixelCount(*doc, 1, 4), 32); // x 96..99 inside, 100..103 beyond
    EXPECT_EQ(doc->pixel(1, 4, 3, 0), 0);
    EXPECT_EQ(doc->pixel(1, 4, 4, 0), 1);
    EXPECT_EQ(setPixelCount(*doc, 1, 64), 32); // y 16..19 inside, 20..23 beyond
    EXPECT_EQ(setPixelCount(*doc, 1, 96), 64);

    // Start X 330: columns from 576 on lie outside the canvas and count as the
    // background; glyph column c covers 330 + 8c .. 337 + 8c.
    doc->importPicture = {};
    doc->importX = 330;
    doc->importY = 0;
    importPictureToFont(*doc, 0x123456);
    EXPECT_EQ(setPixelCount(*doc, 1, 29), 64); // x 562..569
    EXPECT_EQ(setPixelCount(*doc, 1, 30), 48); // x 570..575 inside, 576, 577 outside
    EXPECT_EQ(setPixelCount(*doc, 1, 31), 0);
    // Start Y 311: rows from 342 on are outside.
    doc->importX = 0;
    doc->importY = 311;
    importPictureToFont(*doc, 0x123456);
    EXPECT_EQ(setPixelCount(*doc, 1, 96), 56); // y 335..342: the last row is outside
    // Negative and absurd starts read nothing but background, without overflow.
    for (int64_t start : {int64_t(-1000), INT64_MIN, INT64_MAX}) {
        doc->importX = start;
        importPictureToFont(*doc, 0x123456);
        EXPECT_EQ(setPixelCount(*doc, 1, 0), 0) << start;
    }
}

TEST(ImageImport, CanvasColourPickSeesPictureBlackAndFrame) {
    auto doc = freshDocument();
    doc->importPicture = RgbPicture{2, 1, {0x0000FF, 0xFF0000}};
    doc->importX = 10;
    doc->importY = 20;
    EXPECT_EQ(importCanvasColourAt(*doc, 0, 0, true), 0x0000FF); // pure red
    EXPECT_EQ(importCanvasColourAt(*doc, 1, 0, true), 0xFF0000); // pure blue
    EXPECT_EQ(importCanvasColourAt(*doc, 2, 0, true), 0);        // beyond the picture
    // The frame's four lines; the corner past both far lines is not drawn.
    for (auto [x, y] :
         {std::pair{10, 20}, {265, 20}, {10, 51}, {266, 20}, {266, 51}, {10, 52}, {265, 52}})
        EXPECT_EQ(importCanvasColourAt(*doc, x, y, true), kImportFrameColour) << x << "," << y;
    EXPECT_EQ(importCanvasColourAt(*doc, 266, 52, true), 0);
    EXPECT_EQ(importCanvasColourAt(*doc, 11, 21, true), 0);
    EXPECT_EQ(importCanvasColourAt(*doc, 10, 20, false), 0);
    // A frame over the picture hides it only while drawn.
    doc->importX = 0;
    doc->importY = 0;
    EXPECT_EQ(importCanvasColourAt(*doc, 1, 0, true), kImportFrameColour);
    EXPECT_EQ(importCanvasColourAt(*doc, 1, 0, false), 0xFF0000);
    // Outside the canvas there is no colour.
    EXPECT_EQ(importCanvasColourAt(*doc, 576, 0, true), -1);
    EXPECT_EQ(importCanvasColourAt(*doc, 0, 342, true), -1);
    EXPECT_EQ(importCanvasColourAt(*doc, -1, 5, true), -1);
}

TEST(ImageImport, InvalidCurrentFontChangesNothing) {
    auto doc = freshDocument();
    doc->CurrentFont = 11;
    const auto before = freshDocument();
    importPictureToFont(*doc, 0x123456);
    EXPECT_EQ(std::memcmp(doc->Glyphs, before->Glyphs, sizeof doc->Glyphs), 0);
}

} // namespace
