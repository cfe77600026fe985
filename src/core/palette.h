#pragma once
// The Atari palette (16 hues x 8 luminances), the picture the palette window
// shows, and the mapping from a pointer position on that picture to a colour value.

#include "core/document.h"

#include <string>

namespace korvex {

constexpr int kPalettePictureWidth = 161;
constexpr int kPalettePictureHeight = 289;
constexpr uint32_t kPaletteBackground = 240 + 256 * 240 + 65536 * 240;
constexpr uint32_t kPaletteGridLine = 1 + 256 * 1 + 65536 * 1; // no palette colour equals it

// RGB (red + 256 * green + 65536 * blue) of Atari colour value 0..255: hue in the
// high nibble, luminance column = low nibble / 2 (odd luminances show as the even
// one below). Only the low byte of `value` counts.
int64_t atariRgb(int value);

// The even Atari colour value 0..254 whose RGB is `rgb`, the lowest one when two
// share it; for a colour outside the palette the nearest one (least sum of squared
// channel differences, the lowest value on a tie).
int atariValueOfRgb(int64_t rgb);

// The palette picture: labels in row 0 and column 0, a grid, and the colour of hue
// h, luminance column c in the 15 x 15 square at (17 + 16c, 17 + 16h).
RgbPicture renderPalettePicture();

struct PalettePointer {
    bool inside = false; // over a colour square's cell (not the label row or column)
    int value = 0;       // Atari colour value 16 * hue + 2 * column
};

// Colour cell under pointer position (mx, my) of the palette picture.
PalettePointer palettePointerAt(int mx, int my);

// Chosen-value text: "14, $E" (hexadecimal without leading zeros).
std::string paletteValueText(int value);

// Pointer-value text: hue digit and luminance digit, always two: "14, $0E", "58, $3A".
std::string palettePointerText(int value);

} // namespace korvex
