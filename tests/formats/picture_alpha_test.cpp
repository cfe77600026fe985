// Transparency reads the same from PNG and BMP: both are composited over black, so
// one picture saved either way imports to the same font.

#include "core/font_codec.h"
#include "core/image_import.h"
#include "core/picture_fit.h"
#include "formats/bmp_codec.h"
#include "formats/picture_codec.h"
#include "formats/png_codec.h"
#include "rgba_png.h"
#include "test_document.h"

#include <cstring>
#include <gtest/gtest.h>
#include <zlib.h>

using namespace korvex;
using test::RgbaPicture;
using test::rgbaPng;

namespace {

// The built-in font's glyphs 0..127 as a 256 x 32 sheet: set pixels light and
// opaque, but partly transparent on the right; clear ones in a colour of their own
// and fully transparent.
RgbaPicture translucentSheet() {
    RgbaPicture p{256, 32, std::vector<uint8_t>(256 * 32 * 4)};
    const uint8_t* font = defaultFontBytes();
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 256; ++x) {
            const int g = y / 8 * 32 + x / 8;
            const bool set = font[8 * g + y % 8] & (0x80 >> (x % 8));
            uint8_t* px = &p.rgba[size_t(y * 256 + x) * 4];
            const uint8_t alpha = !set ? 0 : x >= 192 ? uint8_t(x - 64) : 255;
            const uint8_t pixel[4] = {uint8_t(set ? 0xF0 : 0x80 + y), uint8_t(set ? 0xE0 : x),
                                      uint8_t(set ? 0xD0 : 0x33), alpha};
            std::memcpy(px, pixel, 4);
        }
    return p;
}

void appendLe(Bytes& out, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(uint8_t(v >> (8 * i)));
}

// A 32-bit BMP with BI_BITFIELDS (3) or BI_ALPHABITFIELDS (6) and a header of
// `headerBytes` (40, 56, 108 or 124); bytes B, G, R, A in that order, the masks
// saying so. With a 40-byte header the masks follow it.
Bytes alphaBmp(const RgbaPicture& p, uint32_t headerBytes, uint32_t compression) {
    const uint32_t trailingMasks = headerBytes == 40 ? (compression == 6 ? 16 : 12) : 0;
    const uint32_t offset = 14 + headerBytes + trailingMasks;
    const uint32_t dataBytes = uint32_t(p.width * p.height * 4);
    Bytes out = {'B', 'M'};
    appendLe(out, offset + dataBytes, 4);
    appendLe(out, 0, 4);
    appendLe(out, offset, 4);
    Bytes header;
    for (const auto& [value, bytes] : {std::pair{headerBytes, 4},
                                       {uint32_t(p.width), 4},
                                       {uint32_t(-p.height), 4}, // top-down
                                       {1u, 2},
                                       {32u, 2},
                                       {compression, 4},
                                       {dataBytes, 4},
                                       {2835u, 4},
                                       {2835u, 4},
                                       {0u, 4},
                                       {0u, 4}})
        appendLe(header, value, bytes);
    for (uint32_t mask : {0x00FF0000u, 0x0000FF00u, 0x000000FFu, 0xFF000000u})
        appendLe(header, mask, 4);
    header.resize(headerBytes + trailingMasks, 0);
    out.insert(out.end(), header.begin(), header.end());
    for (size_t i = 0; i < p.rgba.size(); i += 4)
        out.insert(out.end(), {p.rgba[i + 2], p.rgba[i + 1], p.rgba[i], p.rgba[i + 3]});
    return out;
}

RgbPicture overBlack(const RgbaPicture& p) {
    RgbPicture out{p.width, p.height, std::vector<uint32_t>(size_t(p.width) * size_t(p.height))};
    for (size_t i = 0; i < out.pixels.size(); ++i) {
        const unsigned a = p.rgba[4 * i + 3];
        auto over = [a](unsigned c) { return (c * a + 127) / 255; };
        out.pixels[i] =
            over(p.rgba[4 * i]) | over(p.rgba[4 * i + 1]) << 8 | over(p.rgba[4 * i + 2]) << 16;
    }
    return out;
}

std::unique_ptr<Document> importedFont(const Bytes& file) {
    auto doc = test::freshDocument();
    auto picture = decodePicture(file);
    EXPECT_TRUE(picture);
    if (picture)
        doc->importPicture = std::move(*picture);
    doc->CurrentFont = 2;
    importPictureToFont(*doc, 0x000000);
    encodeFont(*doc, 2);
    return doc;
}

TEST(PictureAlpha, OnePictureImportsToTheSameFontFromPngAndBmp) {
    const RgbaPicture sheet = translucentSheet();
    const RgbPicture expected = overBlack(sheet);
    const auto fromPng = importedFont(rgbaPng(sheet));
    ASSERT_EQ(fromPng->importPicture.pixels, expected.pixels);
    for (const auto& [headerBytes, compression] :
         {std::pair{108u, 3u}, {124u, 3u}, {56u, 3u}, {40u, 6u}, {124u, 6u}}) {
        SCOPED_TRACE(std::to_string(headerBytes) + " / " + std::to_string(compression));
        const auto fromBmp = importedFont(alphaBmp(sheet, headerBytes, compression));
        EXPECT_EQ(fromBmp->importPicture.pixels, expected.pixels);
        EXPECT_EQ(std::memcmp(fromBmp->FontBuffer, fromPng->FontBuffer, kFontBytes), 0);
    }
    // Transparent paper reads as black: glyphs 0..127 are the built-in ones.
    EXPECT_EQ(std::memcmp(fromPng->FontBuffer, defaultFontBytes(), kFontBytes), 0);
}

TEST(PictureAlpha, WithoutAnAlphaMaskTheFourthByteIsIgnored) {
    RgbaPicture p{2, 1, {0x10, 0x20, 0x30, 0x00, 0x40, 0x50, 0x60, 0x80}};
    // A 40-byte header with BI_BITFIELDS holds three masks only.
    const auto plain = decodeBmp(alphaBmp(p, 40, 3));
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->pixels, (std::vector<uint32_t>{0x302010, 0x605040}));
    const auto weighted = decodeBmp(alphaBmp(p, 124, 3));
    ASSERT_TRUE(weighted);
    EXPECT_EQ(weighted->pixels, overBlack(p).pixels);
}

// The conversion to a screen asks for the alpha itself: the same straight colours
// and alphas from PNG and from every BMP with an alpha mask, while the other
// callers' pictures stay as they were.
TEST(PictureAlpha, KeptAlphaReadsTheSameFromPngAndBmp) {
    const RgbaPicture sheet = translucentSheet();
    std::vector<uint32_t> expected(sheet.rgba.size() / 4);
    for (size_t i = 0; i < expected.size(); ++i)
        expected[i] = sheet.rgba[4 * i] | uint32_t(sheet.rgba[4 * i + 1]) << 8 |
                      uint32_t(sheet.rgba[4 * i + 2]) << 16 | uint32_t(sheet.rgba[4 * i + 3]) << 24;
    const auto fromPng = decodePicture(rgbaPng(sheet), nullptr, PictureAlpha::Kept);
    ASSERT_TRUE(fromPng);
    EXPECT_EQ(fromPng->pixels, expected);
    EXPECT_EQ(decodePicture(rgbaPng(sheet))->pixels, overBlack(sheet).pixels);
    for (const auto& [headerBytes, compression] : {std::pair{124u, 3u}, {40u, 6u}}) {
        const auto fromBmp =
            decodePicture(alphaBmp(sheet, headerBytes, compression), nullptr, PictureAlpha::Kept);
        ASSERT_TRUE(fromBmp);
        EXPECT_EQ(fromBmp->pixels, expected);
    }
    // Without an alpha mask every pixel is opaque.
    RgbaPicture p{2, 1, {0x10, 0x20, 0x30, 0x00, 0x40, 0x50, 0x60, 0x80}};
    const auto plain = decodeBmp(alphaBmp(p, 40, 3), nullptr, PictureAlpha::Kept);
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->pixels, (std::vector<uint32_t>{0xFF302010, 0xFF605040}));
}

TEST(PictureAlpha, RowsWithAlphaAreOpaqueFromHalfTheAlphaOn) {
    const RgbPicture picture{4, 1, {0x00123456, 0x7F123456, 0x80123456, 0xFF123456}};
    const PictureRows rows = pictureRowsWithAlpha(picture);
    ASSERT_EQ(rows.width, 4);
    uint32_t rgb[4];
    uint8_t opaque[4];
    rows.readRow(0, rgb, opaque);
    EXPECT_EQ(std::vector<uint8_t>(opaque, opaque + 4), (std::vector<uint8_t>{0, 0, 1, 1}));
    EXPECT_EQ(std::vector<uint32_t>(rgb, rgb + 4), std::vector<uint32_t>(4, 0x123456));
}

} // namespace
