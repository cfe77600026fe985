#include "formats/png_codec.h"

#include "picture_samples.h"
#include "picture_tools.h"
#include "temp_dir.h"

#include <gtest/gtest.h>
#include <random>
#include <zlib.h>

using namespace korvex;
using namespace korvex::test;

namespace {

RgbPicture greyPicture() {
    RgbPicture p = colourfulPicture();
    for (uint32_t& v : p.pixels)
        v = (v & 0xFF) * 0x010101;
    return p;
}

// Recomputes the CRC of every chunk, so a changed file reaches the decoder's
// inner steps instead of stopping at the first CRC check.
void repairChunkCrcs(Bytes& png) {
    size_t pos = 8;
    while (pos + 12 <= png.size()) {
        const size_t length =
            size_t(png[pos]) << 24 | png[pos + 1] << 16 | png[pos + 2] << 8 | png[pos + 3];
        if (length > png.size() - pos - 12)
            return;
        const uLong crc = crc32(0, png.data() + pos + 4, uInt(length + 4));
        for (int i = 0; i < 4; ++i)
            png[pos + 8 + length + size_t(i)] = uint8_t(crc >> (24 - 8 * i));
        pos += length + 12;
    }
}

void setHeaderSize(Bytes& png, uint32_t width, uint32_t height) {
    for (int i = 0; i < 4; ++i) {
        png[16 + size_t(i)] = uint8_t(width >> (24 - 8 * i));
        png[20 + size_t(i)] = uint8_t(height >> (24 - 8 * i));
    }
    repairChunkCrcs(png);
}

TEST(PngCodec, EncodedPicturesDecodeToTheSamePixels) {
    for (const RgbPicture& original :
         {colourfulPicture(), glyphSheet(0xFFFFFF, 0x000000), colourfulPicture(1, 1)}) {
        const Bytes png = encodePng(original);
        ASSERT_TRUE(looksLikePng(png));
        EXPECT_EQ(png[25], 2) << "8-bit RGB colour type";
        std::string error;
        auto back = decodePng(png, &error);
        ASSERT_TRUE(back) << error;
        EXPECT_EQ(back->width, original.width);
        EXPECT_EQ(back->height, original.height);
        EXPECT_EQ(back->pixels, original.pixels);
    }
    EXPECT_TRUE(encodePng(RgbPicture{}).empty());
    EXPECT_TRUE(encodePng(RgbPicture{4, 4, std::vector<uint32_t>(3)}).empty());
}

struct PngVariant {
    const char* name;
    const char* options; // separated by spaces
    const char* format;
    RgbPicture (*picture)();
    int bitDepth, colourType, interlace;
};

RgbPicture twoColourSheet() {
    return glyphSheet(0xFFFFFF, 0x000000);
}
RgbPicture colourfulDefault() {
    return colourfulPicture();
}

// clang-format off
const PngVariant kPngVariants[] = {
    {"RGB 8-bit",          "-quiet",                           "PNG24:", colourfulDefault, 8, 2, 0},
    {"RGB 16-bit",         "-define png:bit-depth=16",         "PNG48:", colourfulDefault, 16, 2, 0},
    {"RGBA 8-bit",         "-quiet",                           "PNG32:", colourfulDefault, 8, 6, 0},
    {"RGB interlaced",     "-interlace PNG",                   "PNG24:", colourfulDefault, 8, 2, 1},
    {"palette",            "-quiet",                           "PNG8:",  fourColourSheet,  8, 3, 0},
    {"palette interlaced", "-interlace PNG",                   "PNG8:",  fourColourSheet,  8, 3, 1},
    {"grey 8-bit",   "-define png:color-type=0 -define png:bit-depth=8",  "PNG:", greyPicture, 8, 0, 0},
    {"grey 16-bit",  "-define png:color-type=0 -define png:bit-depth=16", "PNG:", greyPicture, 16, 0, 0},
    {"grey 1-bit",   "-define png:color-type=0 -define png:bit-depth=1",  "PNG:", twoColourSheet, 1, 0, 0},
    {"grey and alpha", "-define png:color-type=4",             "PNG:",   greyPicture,      8, 4, 0},
};
// clang-format on

TEST(PngCodec, ReadsEveryKindOfPngImageMagickWrites) {
    if (convertProgram().empty())
        GTEST_SKIP() << "ImageMagick's convert is not installed";
    test::TempDir dir;
    const std::string source = dir.filePath("source.ppm");
    for (const PngVariant& v : kPngVariants) {
        SCOPED_TRACE(v.name);
        const RgbPicture original = v.picture();
        ASSERT_TRUE(writeFileAtomic(source, toPpm(original)));
        const std::string target = dir.filePath("variant.png");
        std::filesystem::remove(target);
        ASSERT_TRUE(runConvert(convertArguments(source, v.options, v.format + target)));
        const Bytes png = *readFileBytes(target);
        ASSERT_GT(png.size(), 29u);
        EXPECT_EQ(png[24], v.bitDepth);
        EXPECT_EQ(png[25], v.colourType);
        EXPECT_EQ(png[28], v.interlace);
        std::string error;
        auto decoded = decodePng(png, &error);
        ASSERT_TRUE(decoded) << error;
        EXPECT_EQ(decoded->width, original.width);
        EXPECT_EQ(decoded->height, original.height);
        EXPECT_EQ(decoded->pixels, original.pixels);
    }
}

TEST(PngCodec, TransparencyIsCompositedOverBlack) {
    if (convertProgram().empty())
        GTEST_SKIP() << "ImageMagick's convert is not installed";
    // A PAM with an alpha channel: colour (200, 100, 50) at four opacities.
    const uint8_t alphas[4] = {255, 128, 51, 0};
    std::string pam = "P7\nWIDTH 4\nHEIGHT 1\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n";
    for (uint8_t a : alphas)
        pam += {char(200), char(100), char(50), char(a)};
    test::TempDir dir;
    const std::string source = dir.filePath("alpha.pam");
    ASSERT_TRUE(writeFileAtomic(source, pam));
    for (const std::string format : {"PNG32:", "PNG64:"}) {
        SCOPED_TRACE(format);
        const std::string target = dir.filePath("alpha.png");
        ASSERT_TRUE(runConvert({source, format + target}));
        auto decoded = decodePng(*readFileBytes(target));
        ASSERT_TRUE(decoded);
        ASSERT_EQ(decoded->pixels.size(), 4u);
        for (int i = 0; i < 4; ++i) {
            auto over = [&](int c) { return uint32_t((c * alphas[i] + 127) / 255); };
            EXPECT_EQ(decoded->pixels[size_t(i)], over(200) | over(100) << 8 | over(50) << 16)
                << "pixel " << i;
        }
    }
    // A palette with a fully transparent entry (tRNS) reads black there.
    std::string binary = "P7\nWIDTH 2\nHEIGHT 1\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n";
    binary += {char(10), char(20), char(30), char(255), char(90), char(90), char(90), char(0)};
    ASSERT_TRUE(writeFileAtomic(source, binary));
    const std::string target = dir.filePath("trns.png");
    ASSERT_TRUE(runConvert({source, "PNG8:" + target}));
    auto decoded = decodePng(*readFileBytes(target));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->pixels, (std::vector<uint32_t>{0x1E140A, 0}));
}

TEST(PngCodec, ImageMagickReadsTheWrittenFilePixelForPixel) {
    if (convertProgram().empty())
        GTEST_SKIP() << "ImageMagick's convert is not installed";
    test::TempDir dir;
    for (const RgbPicture& original : {colourfulPicture(), fourColourSheet()}) {
        const std::string png = dir.filePath("out.png"), ppm = dir.filePath("out.ppm");
        ASSERT_TRUE(writeFileAtomic(png, encodePng(original)));
        ASSERT_TRUE(runConvert({png, "PPM:" + ppm}));
        auto back = fromPpm(*readFileBytes(ppm));
        ASSERT_TRUE(back);
        EXPECT_EQ(back->width, original.width);
        EXPECT_EQ(back->pixels, original.pixels);
    }
}

TEST(PngCodec, DamagedFilesGiveNoPicture) {
    const Bytes good = encodePng(colourfulPicture());
    ASSERT_TRUE(decodePng(good));
    // Every cut-short form of the file fails.
    for (size_t length = 0; length < good.size(); ++length) {
        std::string error;
        EXPECT_FALSE(decodePng(Bytes(good.begin(), good.begin() + long(length)), &error)) << length;
        EXPECT_FALSE(error.empty());
    }
    // A changed byte without its CRC fixed fails the chunk check.
    Bytes bad = good;
    bad[40] ^= 0x55;
    EXPECT_FALSE(decodePng(bad));
    // Not a PNG at all.
    EXPECT_FALSE(decodePng(Bytes{'B', 'M', 0, 0}));
    EXPECT_FALSE(decodePng(Bytes{}));
}

TEST(PngCodec, HugeDeclaredSizesAreRefusedBeforeReadingRows) {
    const Bytes good = encodePng(colourfulPicture(4, 4));
    for (auto [w, h] : {std::pair{100000u, 100000u},
                        {16385u, 1u},
                        {1u, 16385u},
                        {0x7FFFFFFFu, 0x7FFFFFFFu},
                        {0u, 4u}}) {
        Bytes huge = good;
        setHeaderSize(huge, w, h);
        std::string error;
        EXPECT_FALSE(decodePng(huge, &error)) << w << " x " << h;
        EXPECT_EQ(error.find("memory"), std::string::npos) << error;
    }
    // The largest side allowed still decodes.
    auto wide = decodePng(encodePng(colourfulPicture(kMaxPictureSide, 1)));
    ASSERT_TRUE(wide);
    EXPECT_EQ(wide->width, kMaxPictureSide);
}

TEST(PngCodec, ChangedBytesWithValidChecksumsNeverBreakTheDecoder) {
    std::vector<Bytes> seeds = {encodePng(colourfulPicture())};
    test::TempDir dir;
    if (!convertProgram().empty()) {
        const std::string source = dir.filePath("s.ppm");
        writeFileAtomic(source, toPpm(fourColourSheet()));
        for (const std::string out : {"PNG8:", "PNG48:"})
            if (runConvert({source, "-interlace", "PNG", out + dir.filePath("s.png")}))
                seeds.push_back(*readFileBytes(dir.filePath("s.png")));
    }
    std::mt19937 random(1234);
    for (const Bytes& seed : seeds)
        for (int round = 0; round < 400; ++round) {
            Bytes changed = seed;
            const int edits = 1 + int(random() % 4);
            for (int e = 0; e < edits; ++e)
                changed[8 + random() % (changed.size() - 8)] = uint8_t(random());
            repairChunkCrcs(changed);
            if (auto p = decodePng(changed)) {
                EXPECT_EQ(p->pixels.size(), size_t(p->width) * size_t(p->height));
                EXPECT_LE(p->width, kMaxPictureSide);
            }
        }
}

} // namespace
