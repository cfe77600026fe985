// Picture to screen on small pictures made from the input: every code within its
// font's glyphs, every row's font among the bands and in range, never worse than the
// simple reference, and exact (the Atari view equal to the colour-matched picture)
// whenever the fonts can hold every band's distinct cells.
//
// Input: width - 1, height - 1 (each taken modulo 64), flags (bit 0 four-colour,
// bit 1 dithering, bit 2 fixed colours, bit 3 transparency from the pixel bytes),
// number of fonts, first font, six colour values, then RGB bytes, repeated as
// needed.

#include "core/cell_merging.h"
#include "core/picture_colours.h"
#include "core/picture_error.h"
#include "core/picture_screen.h"
#include "fuzz_support.h"

#include <vector>

using namespace korvex;
using namespace korvex::fuzz;

namespace {

constexpr size_t kHeaderBytes = 11;
constexpr int kMaxSide = 64;

// The fewest bands of rows whose distinct cells each fit a font.
int bandsNeeded(const CellScreen& target) {
    const CellCatalogue catalogue = catalogueCells(target);
    int bands = 0;
    for (int first = 0; first < kScreenRows;) {
        ++bands;
        int end = first;
        while (end < kScreenRows &&
               bandCells(catalogue, first, end + 1).keys.size() <= size_t(kGlyphsPerFont))
            ++end;
        first = end;
    }
    return bands;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < kHeaderBytes)
        return 0;
    const int width = data[0] % kMaxSide + 1, height = data[1] % kMaxSide + 1;
    const uint8_t flags = data[2];
    PictureScreenOptions options;
    options.mode = flags & 1 ? kFourColourMode : kTwoColourMode;
    options.dither = (flags & 2) != 0;
    options.autoColours = (flags & 4) == 0;
    options.fonts = data[3] % 12;     // 0 and 11 are refused
    options.firstFont = data[4] % 12; // so are first fonts 0 and 11
    for (int r = LUM; r <= PF3; ++r)
        options.colours[size_t(r)] = data[4 + r];
    const uint8_t* pixels = data + kHeaderBytes;
    const size_t pixelBytes = size - kHeaderBytes;
    auto byteAt = [&](size_t i) { return pixelBytes ? pixels[i % pixelBytes] : uint8_t(0); };

    PictureRows rows;
    rows.width = width;
    rows.height = height;
    rows.readRow = [&](int y, uint32_t* rgb, uint8_t* opaque) {
        for (int x = 0; x < width; ++x) {
            const size_t at = (size_t(y) * size_t(width) + size_t(x)) * 3;
            rgb[x] = uint32_t(byteAt(at)) | uint32_t(byteAt(at + 1)) << 8 |
                     uint32_t(byteAt(at + 2)) << 16;
            opaque[x] = !(flags & 8) || (byteAt(at) & 1);
        }
    };

    std::string error;
    const auto screen = pictureToScreen(rows, options, &error);
    const auto refusal = pictureScreenOptionsError(options);
    require(screen.has_value() == !refusal.has_value(), "valid options convert, others do not");
    if (!screen) {
        require(error == *refusal && !error.empty(), "a refusal says why");
        return 0;
    }

    require(!screen->fonts.empty() && screen->fonts.size() <= size_t(options.fonts),
            "no more fonts than asked for");
    for (size_t b = 0; b < screen->fonts.size(); ++b) {
        const ScreenFont& font = screen->fonts[b];
        require(font.number == options.firstFont + int(b), "fonts follow the first font");
        require(font.glyphsUsed >= 1 && font.glyphsUsed <= kGlyphsPerFont, "glyphs within a font");
    }
    for (int row = 0; row < kScreenRows; ++row) {
        const int number = screen->rowFont[size_t(row)];
        require(screen->rowMode[size_t(row)] == options.mode, "every row in the mode");
        require(number >= options.firstFont &&
                    number < options.firstFont + int(screen->fonts.size()),
                "every row shows one of the fonts");
        require(row == 0 || number >= screen->rowFont[size_t(row - 1)], "bands run top down");
        const ScreenFont& font = screen->fonts[size_t(number - options.firstFont)];
        for (int column = 0; column < kScreenColumns; ++column)
            require((screen->codes[size_t(row * kScreenColumns + column)] & 0x7F) < font.glyphsUsed,
                    "every code shows a glyph of its font");
    }
    const CellScreen shown = screenCells(*screen);

    // The colour-matched picture, made again from the colours the screen uses.
    const FittedPicture fitted = fitPicture(rows, options.mode);
    const CellScreen target = matchColours(fitted, options.mode, shown.colours, options.dither);
    const ScreenError measured = screenError(shown, target);
    require(measured.differingPixels == 0 || !screen->exact, "an exact screen shows the picture");
    require(std::abs(measured.meanSquaredError - screen->meanSquaredError) <=
                1e-9 + 1e-9 * measured.meanSquaredError,
            "the error is the screen's");
    if (bandsNeeded(target) <= options.fonts)
        require(screen->exact && measured.differingPixels == 0, "exact whenever the fonts suffice");
    const PictureScreen reference = referencePictureScreen(rows, options, *screen);
    require(screen->meanSquaredError <= reference.meanSquaredError + 1e-9,
            "never worse than the simple reference");
    return 0;
}
