#include "formats/font_picture.h"

#include "core/font_codec.h"

#include <algorithm>
#include <array>
#include <vector>

namespace korvex {

namespace {

constexpr int kGlyphsPerRow = 32;
constexpr int kGlyphRows = kGlyphCount / kGlyphsPerRow;
constexpr int kGlyphSide = 8;
constexpr uint32_t kRgbMask = 0xFFFFFF;

// The picture's colours of the registers (LUM = 1 .. PF3 = 6): the working
// colours without any bits above 24-bit RGB.
using RegisterColours = std::array<uint32_t, PF3 + 1>;

RegisterColours registerColours(const Document& doc) {
    RegisterColours colours{};
    for (int reg = LUM; reg <= PF3; ++reg)
        colours[size_t(reg)] = uint32_t(workingColour(doc, reg) & kRgbMask);
    return colours;
}

// The colours of the eight dots (two-colour) or four pairs (four-colour) of one
// glyph line, normal or inverse; returns how many there are.
int dotColours(const RegisterColours& registers, bool fourColour, const GlyphBytes& rows, int line,
               bool inverse, uint32_t (&colours)[kGlyphSide]) {
    if (!fourColour) {
        const uint32_t set = registers[inverse ? BAK : LUM];
        const uint32_t clear = registers[inverse ? LUM : BAK];
        for (int x = 0; x < kGlyphSide; ++x)
            colours[x] = glyphPixel(rows, x, line) ? set : clear;
        return kGlyphSide;
    }
    for (int x = 0; x < kGlyphSide; x += 2) {
        const int v = glyphPair(rows, x, line);
        colours[x / 2] = registers[size_t(fourColourRegister(v, inverse))];
    }
    return kGlyphSide / 2;
}

} // namespace

int fontPictureScale(int scaleIndex) {
    return std::clamp(scaleIndex, 0, 3) + 1;
}

RgbPicture fontPicture(const Document& doc, int scaleIndex) {
    const int m = fontPictureScale(scaleIndex);
    RgbPicture picture;
    picture.width = kGlyphsPerRow * kGlyphSide * m;
    picture.height = 2 * kGlyphRows * kGlyphSide * m;
    const size_t size = size_t(picture.width) * size_t(picture.height);
    if (doc.CurrentFont < 1 || doc.CurrentFont > kFontCount) {
        picture.pixels.assign(size, 0);
        return picture;
    }

    const GlyphBytes* glyphs = doc.fontGlyphs(doc.CurrentFont);
    const RegisterColours registers = registerColours(doc);
    const bool fourColour = doc.FourColourMode != 0;
    // Each glyph line is drawn once and appended m times.
    picture.pixels.reserve(size);
    std::vector<uint32_t> scanline(size_t(picture.width));
    for (int half = 0; half < 2; ++half) {
        const bool inverse = half == 1;
        for (int glyphRow = 0; glyphRow < kGlyphRows; ++glyphRow)
            for (int line = 0; line < kGlyphSide; ++line) {
                uint32_t* out = scanline.data();
                for (int column = 0; column < kGlyphsPerRow; ++column) {
                    uint32_t colours[kGlyphSide];
                    const int dots =
                        dotColours(registers, fourColour, glyphs[glyphRow * kGlyphsPerRow + column],
                                   line, inverse, colours);
                    const int dotWidth = kGlyphSide * m / dots;
                    for (int d = 0; d < dots; ++d)
                        out = std::fill_n(out, dotWidth, colours[d]);
                }
                for (int copy = 0; copy < m; ++copy)
                    picture.pixels.insert(picture.pixels.end(), scanline.begin(), scanline.end());
            }
    }
    return picture;
}

} // namespace korvex
