#pragma once
// A text screen as the conversion from pictures handles it: every cell its glyph's
// eight row bytes and whether its code is inverse (128..255), with the colour
// registers and the mode that turn it into Atari pixels. The colour-matched picture
// and a converted screen both take this form, so they are drawn and compared alike.

#include "core/document.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace korvex {

constexpr int kScreenCellCount = kScreenCells;
constexpr int kCellSize = 8; // glyph rows and display pixels across a cell
constexpr int kGlyphsPerFont = 128;
constexpr int kTwoColourMode = 2;
constexpr int kFourColourMode = 4;

// Atari colour values of the registers, indexed by Register (LUM .. PF3); index 0
// is unused.
using ColourRegisters = std::array<int, 7>;

// Glyph rows packed: row y in bits 8y..8y+7, bit 7 of each row byte leftmost.
using GlyphBits = uint64_t;

struct ScreenCell {
    GlyphBits bits = 0;
    bool inverse = false;
    bool operator==(const ScreenCell&) const = default;
};

struct CellScreen {
    int mode = kTwoColourMode;
    ColourRegisters colours{};
    std::array<ScreenCell, kScreenCellCount> cells{};
};

// Atari pixels across a cell: 8, or 4 in four-colour mode.
constexpr int cellPixelsAcross(int mode) {
    return mode == kFourColourMode ? 4 : 8;
}

// The pixel value (0..1, or 0..3 in four-colour mode) at Atari pixel x of row y.
constexpr int pixelValue(GlyphBits bits, int mode, int x, int y) {
    const int row = int((bits >> (8 * y)) & 0xFF);
    return mode == kFourColourMode ? (row >> (6 - 2 * x)) & 3 : (row >> (7 - x)) & 1;
}

// The register that shows pixel value `value`: two-colour LUM on BAK, swapped for
// inverse codes; four-colour 00 BAK, 01 PF0, 10 PF1, 11 PF2 or PF3 for inverse codes.
constexpr int registerOfValue(int mode, int value, bool inverse) {
    if (mode == kFourColourMode) {
        constexpr int kFour[4] = {BAK, PF0, PF1, PF2};
        return value == 3 && inverse ? PF3 : kFour[value];
    }
    return (value != 0) != inverse ? LUM : BAK;
}

// The registers a mode draws with.
constexpr std::array<int, 2> kTwoColourRegisters{LUM, BAK};
constexpr std::array<int, 5> kFourColourRegisters{BAK, PF0, PF1, PF2, PF3};

} // namespace korvex
