#pragma once
// Sample pictures for the codec tests.

#include "core/document.h"
#include "core/font_codec.h"

namespace korvex::test {

// The built-in font as a 256 x 64 sheet: glyphs in four rows of 32 above their
// inverse forms, set pixels in `ink` and clear ones in `paper`.
inline RgbPicture glyphSheet(uint32_t ink, uint32_t paper) {
    RgbPicture p{256, 64, std::vector<uint32_t>(256 * 64)};
    const uint8_t* font = defaultFontBytes();
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 256; ++x) {
            const int g = (y % 32) / 8 * 32 + x / 8;
            const bool set = font[8 * g + y % 8] & (0x80 >> (x % 8));
            p.pixels[size_t(y) * 256 + size_t(x)] = (set != (y >= 32)) ? ink : paper;
        }
    return p;
}

// A sheet in five colours, like a font in four-colour mode: pixel pairs pick one
// of four colours, the inverse half uses a fifth for the value 3.
inline RgbPicture fourColourSheet() {
    const uint32_t colours[5] = {0x000000, 0x2040FF, 0x10C040, 0xF0F0F0, 0xFF00AA};
    RgbPicture p{256, 64, std::vector<uint32_t>(256 * 64)};
    const uint8_t* font = defaultFontBytes();
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 256; ++x) {
            const int g = (y % 32) / 8 * 32 + x / 8;
            const int shift = 6 - (x % 8) / 2 * 2;
            const int v = (font[8 * g + y % 8] >> shift) & 3;
            p.pixels[size_t(y) * 256 + size_t(x)] = colours[v == 3 && y >= 32 ? 4 : v];
        }
    return p;
}

// Many distinct colours, with an odd width so rows need padding in BMP files.
inline RgbPicture colourfulPicture(int width = 37, int height = 23) {
    RgbPicture p{width, height, std::vector<uint32_t>(size_t(width) * size_t(height))};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            p.pixels[size_t(y) * size_t(width) + size_t(x)] = uint32_t((x * 7) & 255) |
                                                              uint32_t((y * 11) & 255) << 8 |
                                                              uint32_t((x * y + 5) & 255) << 16;
    return p;
}

} // namespace korvex::test
