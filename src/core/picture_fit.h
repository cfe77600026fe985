#pragma once
// Fitting a picture of any size to the Atari pixels of a text screen: 320 x 192 in
// two-colour mode, 160 x 192 (each pixel two wide) in four-colour mode. The picture
// is scaled to fit 320 x 192 with its aspect kept and centred; every Atari pixel is
// the mean of the picture area it covers. Where the picture does not reach, or is
// transparent over half a pixel or more, the pixel is background.
//
// The picture is read one row at a time and nothing of its size is kept, so a
// picture of 16384 x 16384 fits in bounded memory.

#include "core/document.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace korvex {

constexpr int kFitWidth = 320; // display pixels
constexpr int kFitHeight = 192;
// The widest and tallest picture converted: the picture loaders' own limit.
constexpr int kMaxFitSide = 16384;

// A picture read row by row: `readRow(y, rgb, opaque)` fills `width` packed RGB
// values (red + 256 green + 65536 blue) and `width` opacity flags (0: transparent).
struct PictureRows {
    int width = 0;
    int height = 0;
    std::function<void(int y, uint32_t* rgb, uint8_t* opaque)> readRow;
};

// A whole picture, every pixel opaque; the rows read `picture`, which must outlive them.
PictureRows pictureRows(const RgbPicture& picture);

// A whole picture whose pixels carry an alpha 0..255 in bits 24..31 beside their
// colour, as the picture loaders keep it on request: a pixel half opaque or more
// (alpha 128..255) is opaque, the others transparent. The rows read `picture`.
PictureRows pictureRowsWithAlpha(const RgbPicture& picture);

struct FittedPicture {
    int width = 0; // Atari pixels: 320 or 160
    int height = kFitHeight;
    int pixelWidth = 1; // display pixels per Atari pixel: 1 or 2
    // Per Atari pixel, row by row: colour channels 0..255 and the background flag.
    std::vector<float> red, green, blue;
    std::vector<uint8_t> background;
    size_t index(int x, int y) const { return size_t(y) * size_t(width) + size_t(x); }
};

// The picture fitted for `mode` (2 or 4). An empty picture is all background.
FittedPicture fitPicture(const PictureRows& picture, int mode);

} // namespace korvex
