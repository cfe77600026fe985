#pragma once
// How far a converted screen is from the colour-matched picture, as the eye sees it
// from a normal distance: both drawn as the Atari view (320 x 192 RGB), blurred with
// a 3 x 3 box (edges repeated), the mean squared difference over the three channels
// and the peak signal-to-noise ratio in dB.

#include "core/picture_cells.h"

#include <cstdint>
#include <vector>

namespace korvex {

constexpr int kViewWidth = 320;
constexpr int kViewHeight = 192;

// The Atari view of the cells: 320 x 192 packed RGB (red + 256 green + 65536 blue).
std::vector<uint32_t> drawCellScreen(const CellScreen& screen);

struct ScreenError {
    double meanSquaredError = 0; // of the blurred pictures, per channel value
    double psnr = 0;             // dB; infinity when there is no error
    int differingPixels = 0;     // Atari pixels (160 across in four-colour mode)
    double differingShare = 0;   // of all Atari pixels
};

ScreenError screenError(const CellScreen& shown, const CellScreen& target);

} // namespace korvex
