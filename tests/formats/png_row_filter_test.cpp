// The PNG writer picks each row's filter itself; its files must stay byte for byte
// those of libpng choosing the filters on its own, for every kind of row.

#include "formats/png_codec.h"

#include "picture_samples.h"

#include <gtest/gtest.h>
#include <png.h>
#include <random>

namespace korvex {
namespace {

void appendBytes(png_structp png, png_bytep data, size_t length) {
    auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void noFlush(png_structp) {}

// An 8-bit RGB PNG written by libpng with every setting left at its default.
Bytes libpngDefaultFile(const RgbPicture& picture) {
    std::vector<uint8_t> rgb;
    for (uint32_t pixel : picture.pixels)
        for (int shift : {0, 8, 16})
            rgb.push_back(uint8_t(pixel >> shift));
    std::vector<png_bytep> rows;
    for (int y = 0; y < picture.height; ++y)
        rows.push_back(rgb.data() + size_t(y) * size_t(picture.width) * 3);
    Bytes out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return {};
    }
    png_set_write_fn(png, &out, appendBytes, noFlush);
    png_set_IHDR(png, info, png_uint_32(picture.width), png_uint_32(picture.height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

RgbPicture randomPicture(int width, int height, std::mt19937& random, uint32_t colours) {
    RgbPicture p{width, height, std::vector<uint32_t>(size_t(width) * size_t(height))};
    std::vector<uint32_t> palette(colours);
    for (uint32_t& c : palette)
        c = random() & 0xFFFFFF;
    for (uint32_t& pixel : p.pixels)
        pixel = palette[random() % colours];
    return p;
}

// Rows repeated, rows of zeros, rows equal to the one above and smooth ramps: the
// cases where one filter sums to 0 or two filters tie.
RgbPicture rowKinds(int width) {
    RgbPicture p{width, 12, std::vector<uint32_t>(size_t(width) * 12)};
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < width; ++x) {
            uint32_t& pixel = p.pixels[size_t(y) * size_t(width) + size_t(x)];
            switch (y) {
            case 0:
            case 1:
            case 5:
                pixel = 0; // zeros, also under zeros and under a non-zero row
                break;
            case 2:
            case 3:
                pixel = 0x102030; // one colour, then the same row again
                break;
            case 4:
                pixel = uint32_t(x) * 0x010101; // a ramp: Sub sums small
                break;
            case 6:
                pixel = 0x808080; // magnitudes of 128, the largest
                break;
            default:
                pixel = uint32_t(x * 3 + y * 5) & 0xFF; // ramps in two directions
            }
        }
    return p;
}

TEST(PngRowFilter, FilesMatchLibpngsOwnChoiceForEveryKindOfRow) {
    std::mt19937 random(7);
    std::vector<std::pair<const char*, RgbPicture>> pictures = {
        {"glyph sheet", test::glyphSheet(0xFFFFFF, 0x000000)},
        {"four-colour sheet", test::fourColourSheet()},
        {"colourful", test::colourfulPicture()},
        {"one pixel", test::colourfulPicture(1, 1)},
        {"one column", test::colourfulPicture(1, 40)},
        {"one row", test::colourfulPicture(300, 1)},
        {"row kinds", rowKinds(64)},
        {"narrow row kinds", rowKinds(1)},
        {"noise", randomPicture(201, 67, random, 1u << 24)},
        {"few colours", randomPicture(96, 50, random, 3)},
    };
    for (const auto& [name, picture] : pictures)
        EXPECT_EQ(encodePng(picture), libpngDefaultFile(picture)) << name;
}

TEST(PngRowFilter, ScaledGlyphSheetsMatch) {
    // The font picture at scales 2 and 4: every row repeated, as the converter writes it.
    const RgbPicture sheet = test::fourColourSheet();
    for (int m : {2, 4}) {
        RgbPicture scaled{sheet.width * m, sheet.height * m, {}};
        scaled.pixels.resize(size_t(scaled.width) * size_t(scaled.height));
        for (int y = 0; y < scaled.height; ++y)
            for (int x = 0; x < scaled.width; ++x)
                scaled.pixels[size_t(y) * size_t(scaled.width) + size_t(x)] =
                    sheet.at(x / m, y / m);
        EXPECT_EQ(encodePng(scaled), libpngDefaultFile(scaled)) << "scale " << m;
    }
}

} // namespace
} // namespace korvex
