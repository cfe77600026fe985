#include "formats/bmp_codec.h"
#include "formats/picture_codec.h"
#include "formats/png_codec.h"

#include "picture_samples.h"
#include "picture_tools.h"
#include "temp_dir.h"

#include <gtest/gtest.h>
#include <random>

using namespace korvex;
using namespace korvex::test;

namespace {

void put32(Bytes& d, size_t o, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        d[o + size_t(i)] = uint8_t(v >> (8 * i));
}

// A BMP with a 40-byte header, a colour table and the given pixel bytes.
Bytes indexedBmp(int width, int height, int bits, uint32_t compression,
                 const std::vector<uint32_t>& palette, const Bytes& pixels) {
    const size_t offset = 54 + 4 * palette.size();
    Bytes d(offset, 0);
    d[0] = 'B';
    d[1] = 'M';
    put32(d, 10, uint32_t(offset));
    put32(d, 14, 40);
    put32(d, 18, uint32_t(width));
    put32(d, 22, uint32_t(height));
    d[26] = 1;
    d[28] = uint8_t(bits);
    put32(d, 30, compression);
    put32(d, 34, uint32_t(pixels.size()));
    put32(d, 46, uint32_t(palette.size()));
    for (size_t i = 0; i < palette.size(); ++i) {
        d[54 + 4 * i] = uint8_t(palette[i] >> 16);
        d[55 + 4 * i] = uint8_t(palette[i] >> 8);
        d[56 + 4 * i] = uint8_t(palette[i]);
    }
    d.insert(d.end(), pixels.begin(), pixels.end());
    put32(d, 2, uint32_t(d.size()));
    return d;
}

const std::vector<uint32_t> kFour = {0x000000, 0x0000FF, 0x00FF00, 0xFF0000};

TEST(BmpCodec, WrittenFilesAre24BitBottomUpAndReadBack) {
    for (const RgbPicture& original :
         {colourfulPicture(), colourfulPicture(1, 1), colourfulPicture(2, 3), fourColourSheet()}) {
        const Bytes bmp = encodeBmp(original);
        ASSERT_TRUE(looksLikeBmp(bmp));
        EXPECT_EQ(le16(bmp, 28), 24u);
        EXPECT_EQ(int32_t(le32(bmp, 22)), original.height);
        const size_t stride = (size_t(original.width) * 3 + 3) / 4 * 4;
        EXPECT_EQ(bmp.size(), 54 + stride * size_t(original.height));
        EXPECT_EQ(le32(bmp, 2), bmp.size());
        // The last row of the file is the top row of the picture.
        const size_t top = 54 + stride * size_t(original.height - 1);
        EXPECT_EQ(uint32_t(bmp[top + 2] | bmp[top + 1] << 8 | bmp[top] << 16), original.at(0, 0));
        auto back = decodeBmp(bmp);
        ASSERT_TRUE(back);
        EXPECT_EQ(back->width, original.width);
        EXPECT_EQ(back->pixels, original.pixels);
    }
    EXPECT_TRUE(encodeBmp(RgbPicture{}).empty());
}

struct BmpVariant {
    const char* name;
    const char* options; // separated by spaces
    const char* format;
    RgbPicture (*picture)();
    uint32_t headerBytes, bits, compression;
};

RgbPicture twoColourSheet() {
    return glyphSheet(0xFFFFFF, 0x000000);
}
RgbPicture tintedSheet() {
    return glyphSheet(0x3366CC, 0x102030);
}
RgbPicture colourfulDefault() {
    return colourfulPicture();
}
// 192 colours: few enough for a 256-entry colour table.
RgbPicture tableColours() {
    RgbPicture p = colourfulPicture();
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x)
            p.pixels[size_t(y * p.width + x)] =
                uint32_t(x % 16 * 16) | uint32_t(y % 12 * 20) << 8 | 0x400000;
    return p;
}
// Colours whose channels survive 5- and 6-bit storage exactly.
RgbPicture extremesSheet() {
    return glyphSheet(0xFFFFFF, 0xFF00FF);
}

// clang-format off
const BmpVariant kBmpVariants[] = {
    {"24-bit",              "-type TrueColor",                "BMP3:", colourfulDefault, 40, 24, 0},
    {"8-bit palette",       "-type Palette -compress None",   "BMP3:", tableColours,     40, 8,  0},
    {"8-bit RLE",           "-type Palette -compress RLE",    "BMP3:", tableColours,     40, 8,  1},
    {"8-bit RLE sheet",     "-type Palette -compress RLE",    "BMP3:", fourColourSheet,  40, 8,  1},
    {"4-bit palette",       "-type Palette -compress None",   "BMP3:", fourColourSheet,  40, 4,  0},
    {"1-bit palette",       "-type Palette -compress None",   "BMP3:", tintedSheet,      40, 1,  0},
    {"1-bit monochrome",    "-monochrome -compress None",     "BMP3:", twoColourSheet,   40, 1,  0},
    {"32-bit bit fields",   "-type TrueColorAlpha",           "BMP:",  colourfulDefault, 124, 32, 3},
    {"16-bit 565",          "-define bmp:subtype=RGB565",     "BMP:",  extremesSheet,    124, 16, 3},
    {"16-bit 555",          "-define bmp:subtype=RGB555",     "BMP:",  extremesSheet,    124, 16, 3},
    {"core header 24-bit",  "-type TrueColor",                "BMP2:", colourfulDefault, 12, 24, 0},
    {"core header palette", "-type Palette",                  "BMP2:", fourColourSheet,  12, 4,  0},
};
// clang-format on

TEST(BmpCodec, ReadsEveryKindOfBmpImageMagickWrites) {
    if (convertProgram().empty())
        GTEST_SKIP() << "ImageMagick's convert is not installed";
    test::TempDir dir;
    const std::string source = dir.filePath("source.ppm");
    for (const BmpVariant& v : kBmpVariants) {
        SCOPED_TRACE(v.name);
        const RgbPicture original = v.picture();
        ASSERT_TRUE(writeFileAtomic(source, toPpm(original)));
        const std::string target = dir.filePath("variant.bmp");
        std::filesystem::remove(target);
        ASSERT_TRUE(runConvert(convertArguments(source, v.options, v.format + target)));
        const Bytes bmp = *readFileBytes(target);
        ASSERT_GT(bmp.size(), 30u);
        EXPECT_EQ(le32(bmp, 14), v.headerBytes);
        if (v.headerBytes == 12) {
            EXPECT_EQ(le16(bmp, 24), v.bits);
        } else {
            EXPECT_EQ(le16(bmp, 28), v.bits);
            EXPECT_EQ(le32(bmp, 30), v.compression);
        }
        std::string error;
        auto decoded = decodePicture(bmp, &error);
        ASSERT_TRUE(decoded) << error;
        EXPECT_EQ(decoded->width, original.width);
        EXPECT_EQ(decoded->height, original.height);
        EXPECT_EQ(decoded->pixels, original.pixels);
    }
}

TEST(BmpCodec, ImageMagickReadsTheWrittenFilePixelForPixel) {
    if (convertProgram().empty())
        GTEST_SKIP() << "ImageMagick's convert is not installed";
    test::TempDir dir;
    for (const RgbPicture& original : {colourfulPicture(), fourColourSheet()}) {
        const std::string bmp = dir.filePath("out.bmp"), ppm = dir.filePath("out.ppm");
        ASSERT_TRUE(writeFileAtomic(bmp, encodeBmp(original)));
        ASSERT_TRUE(runConvert({bmp, "PPM:" + ppm}));
        auto back = fromPpm(*readFileBytes(ppm));
        ASSERT_TRUE(back);
        EXPECT_EQ(back->width, original.width);
        EXPECT_EQ(back->pixels, original.pixels);
    }
}

TEST(BmpCodec, TopDownRowsAndBitFieldMasks) {
    // A bottom-up file turned top-down: rows reversed, height negative.
    const RgbPicture original = colourfulPicture(5, 3);
    const Bytes bottomUp = encodeBmp(original);
    Bytes topDown(bottomUp.begin(), bottomUp.begin() + 54);
    const size_t stride = 16;
    for (int r = 2; r >= 0; --r)
        topDown.insert(topDown.end(), bottomUp.begin() + 54 + long(r * stride),
                       bottomUp.begin() + 54 + long((r + 1) * stride));
    put32(topDown, 22, uint32_t(-3));
    auto decoded = decodeBmp(topDown);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->pixels, original.pixels);

    // 16-bit 5-6-5 through BI_BITFIELDS: 2 x 1 pixels, red 31 and green 32 of 63.
    Bytes d = indexedBmp(2, 1, 16, 3, {}, Bytes{0x00, 0xF8, 0x00, 0x04});
    d.insert(d.begin() + 54, 12, 0);
    put32(d, 54, 0xF800);
    put32(d, 58, 0x07E0);
    put32(d, 62, 0x001F);
    put32(d, 10, 66);
    decoded = decodeBmp(d);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->pixels, (std::vector<uint32_t>{0x0000FF, 0x008200}));

    // 16-bit without masks is 5-5-5; 32-bit without masks ignores the top byte.
    decoded = decodeBmp(indexedBmp(2, 1, 16, 0, {}, Bytes{0x1F, 0x00, 0x00, 0x7C}));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->pixels, (std::vector<uint32_t>{0xFF0000, 0x0000FF}));
    decoded = decodeBmp(indexedBmp(1, 1, 32, 0, {}, Bytes{0x30, 0x20, 0x10, 0x00}));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->pixels, (std::vector<uint32_t>{0x302010}));
}

TEST(BmpCodec, RunLengthStreams) {
    // RLE8, 4 x 2: bottom row a run of 4 x index 1; top row literal 2,3,0 then a
    // run of 1 x index 1.
    Bytes rle8 = {4, 1, 0, 0, 0, 3, 2, 3, 0, 0, 1, 1, 0, 1};
    auto decoded = decodeBmp(indexedBmp(4, 2, 8, 1, kFour, rle8));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->pixels, (std::vector<uint32_t>{0x00FF00, 0xFF0000, 0x000000, 0x0000FF,
                                                      0x0000FF, 0x0000FF, 0x0000FF, 0x0000FF}));
    // RLE4, 6 x 1: a run of 3 alternating 1,2 then the literal 3,0,2.
    Bytes rle4 = {3, 0x12, 0, 3, 0x30, 0x20, 0, 1};
    decoded = decodeBmp(indexedBmp(6, 1, 4, 2, kFour, rle4));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->pixels,
              (std::vector<uint32_t>{0x0000FF, 0x00FF00, 0x0000FF, 0xFF0000, 0x000000, 0x00FF00}));
    // A run into the row padding is cut at the edge.
    decoded = decodeBmp(indexedBmp(3, 1, 8, 1, kFour, Bytes{4, 2, 0, 1}));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->pixels, (std::vector<uint32_t>(3, 0x00FF00)));
    // A delta skips pixels, which stay black.
    Bytes delta = {0, 2, 2, 0, 1, 3, 0, 1};
    std::string error;
    decoded = decodeBmp(indexedBmp(4, 1, 8, 1, kFour, delta), &error);
    ASSERT_TRUE(decoded) << error;
    EXPECT_EQ(decoded->pixels, (std::vector<uint32_t>{0, 0, 0xFF0000, 0}));
}

TEST(BmpCodec, HostileFilesGiveNoPicture) {
    auto refused = [](const Bytes& d) {
        std::string error;
        const bool none = !decodeBmp(d, &error);
        return none && !error.empty();
    };
    const Bytes good = encodeBmp(colourfulPicture());
    for (size_t length = 0; length < good.size(); length += 7)
        EXPECT_TRUE(refused(Bytes(good.begin(), good.begin() + long(length)))) << length;

    Bytes huge = good;
    put32(huge, 18, 100000);
    put32(huge, 22, 100000);
    EXPECT_TRUE(refused(huge));
    put32(huge, 18, 4);
    put32(huge, 22, 0x80000000u); // the most negative height
    EXPECT_TRUE(refused(huge));
    put32(huge, 22, 0);
    EXPECT_TRUE(refused(huge));
    Bytes farOffset = good;
    put32(farOffset, 10, 0xFFFFFFF0u);
    EXPECT_TRUE(refused(farOffset));
    Bytes oddHeader = good;
    put32(oddHeader, 14, 64);
    EXPECT_TRUE(refused(oddHeader));
    Bytes jpeg = good;
    put32(jpeg, 30, 4);
    EXPECT_TRUE(refused(jpeg));

    // Index 5 with a four-entry table, uncompressed and in runs.
    EXPECT_TRUE(refused(indexedBmp(1, 1, 8, 0, kFour, Bytes{5, 0, 0, 0})));
    EXPECT_TRUE(refused(indexedBmp(2, 1, 8, 1, kFour, Bytes{2, 5, 0, 1})));
    EXPECT_TRUE(refused(indexedBmp(3, 1, 8, 1, kFour, Bytes{0, 3, 1, 1, 5, 0, 0, 1})));
    // A colour table that runs past the end of the file.
    Bytes shortTable = indexedBmp(1, 1, 8, 0, kFour, Bytes{0, 0, 0, 0});
    put32(shortTable, 46, 200);
    EXPECT_TRUE(refused(shortTable));
    // Runs past the last row, a delta off the bitmap, and a stream without its end.
    EXPECT_TRUE(refused(indexedBmp(4, 1, 8, 1, kFour, Bytes{0, 0, 4, 1, 0, 1})));
    EXPECT_TRUE(refused(indexedBmp(4, 1, 8, 1, kFour, Bytes{0, 0, 0, 3, 1, 1, 1, 0, 0, 1})));
    EXPECT_TRUE(refused(indexedBmp(4, 1, 8, 1, kFour, Bytes{0, 2, 9, 0, 1, 1, 0, 1})));
    EXPECT_TRUE(refused(indexedBmp(4, 2, 8, 1, kFour, Bytes{0, 2, 0, 3, 0, 1})));
    EXPECT_TRUE(refused(indexedBmp(4, 2, 8, 1, kFour, Bytes{0, 4, 1, 2, 3, 0})));
    EXPECT_TRUE(refused(indexedBmp(4, 1, 4, 2, kFour, Bytes{4, 0x12, 0, 0, 6, 0x12, 0, 1})));
    // Run-length coding with the wrong depth, or top-down.
    EXPECT_TRUE(refused(indexedBmp(4, 1, 4, 1, kFour, Bytes{4, 1, 0, 1})));
    EXPECT_TRUE(refused(indexedBmp(4, -1, 8, 1, kFour, Bytes{4, 1, 0, 1})));
}

TEST(BmpCodec, ChangedBytesNeverBreakTheDecoder) {
    std::vector<Bytes> seeds = {
        encodeBmp(colourfulPicture()),
        indexedBmp(4, 2, 8, 1, kFour, Bytes{4, 1, 0, 0, 0, 3, 2, 3, 0, 0, 1, 1, 0, 1}),
        indexedBmp(5, 1, 4, 2, kFour, Bytes{3, 0x12, 0, 2, 0x30, 0, 0, 1}),
        indexedBmp(9, 2, 1, 0, kFour, Bytes(8, 0xA5))};
    std::mt19937 random(99);
    for (const Bytes& seed : seeds)
        for (int round = 0; round < 2000; ++round) {
            Bytes changed = seed;
            const int edits = 1 + int(random() % 3);
            for (int e = 0; e < edits; ++e)
                changed[random() % changed.size()] = uint8_t(random());
            if (random() % 4 == 0)
                changed.resize(random() % changed.size());
            if (auto p = decodeBmp(changed)) {
                EXPECT_EQ(p->pixels.size(), size_t(p->width) * size_t(p->height));
                EXPECT_LE(p->height, kMaxPictureSide);
            }
        }
}

TEST(PictureCodec, ChoosesTheDecoderByTheFirstBytes) {
    const RgbPicture original = colourfulPicture(3, 2);
    EXPECT_EQ(decodePicture(encodePng(original))->pixels, original.pixels);
    EXPECT_EQ(decodePicture(encodeBmp(original))->pixels, original.pixels);
    std::string error;
    EXPECT_FALSE(decodePicture(Bytes{'G', 'I', 'F', '8', '9', 'a'}, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(decodePicture(Bytes{}));
}

} // namespace
