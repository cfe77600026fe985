#pragma once
// The colours of a picture conversion: the registers picked from the Atari palette
// for the least squared RGB error, and the picture matched to them (every Atari
// pixel in the nearest of the colours its cell can show, or dithered with error
// diffusion within them).

#include "core/picture_cells.h"
#include "core/picture_fit.h"

namespace korvex {

// RGB channels (0..255) of Atari colour value `value`.
struct ColourRgb {
    float r = 0, g = 0, b = 0;
};
ColourRgb atariColourRgb(int value);

// The registers the mode draws with, picked for `fitted`; the others as in `base`.
// Two-colour: BAK and LUM; four-colour: BAK, PF0, PF1, PF2 and PF3 (PF3 only in
// cells whose code is 128..255, so a cell shows PF2 or PF3, not both).
ColourRegisters chooseColours(const FittedPicture& fitted, int mode, const ColourRegisters& base);

// The colour-matched picture as cells. Background pixels are BAK. In four-colour
// mode each cell takes the better of the colours with PF2 and with PF3 (an inverse
// cell when it shows PF3). With `dither` the error of each pixel is spread to its
// neighbours (Floyd-Steinberg) within the colours of their cells.
CellScreen matchColours(const FittedPicture& fitted, int mode, const ColourRegisters& colours,
                        bool dither);

} // namespace korvex
