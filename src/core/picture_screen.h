#pragma once
// Picture to screen: any RGB picture turned into a 40 x 24 text screen, the fonts it
// uses (128 glyphs each, with their colour registers) and the row table saying
// which font each row shows. The picture is fitted to the Atari pixels of the
// chosen mode, matched to the chosen colours (optionally dithered), cut into cells;
// equal cells share a glyph, and where a band of rows holds more distinct cells
// than a font's 128 glyphs, similar ones are merged for the least visible error.
//
// The error is measured on the Atari view (320 x 192 RGB) against the colour-matched
// picture, both blurred with a 3 x 3 box (edges repeated): see picture_error.h.

#include "core/document.h"
#include "core/picture_cells.h"
#include "core/picture_fit.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace korvex {

struct PictureScreenOptions {
    int mode = kTwoColourMode; // 2 or 4
    int fonts = 1;             // 1..10 fonts (row bands) at most
    int firstFont = 1;         // font number of the first band; the others follow it
    bool dither = false;       // error diffusion within the chosen colours
    bool autoColours = true;   // pick the used registers from the palette
    ColourRegisters colours{0, 14, 0, 24, 184, 134, 68}; // fixed, or the unused ones
};

// Why the options cannot be used, or nothing when they can.
std::optional<std::string> pictureScreenOptionsError(const PictureScreenOptions& options);

using GlyphRows = std::array<uint8_t, 8>; // row bytes, top row first, bit 7 leftmost

struct ScreenFont {
    int number = 1; // 1..10
    std::array<GlyphRows, kGlyphsPerFont> glyphs{};
    ColourRegisters colours{};
    int glyphsUsed = 0;
};

struct PictureScreen {
    int mode = kTwoColourMode;
    std::array<uint8_t, kScreenCellCount> codes{}; // row by row
    std::vector<ScreenFont> fonts;                 // in band order, top band first
    std::array<uint8_t, kScreenRows> rowFont{};    // font number of each row
    std::array<uint8_t, kScreenRows> rowMode{};    // mode of each row
    // Figures.
    bool exact = false; // every Atari pixel equals the colour-matched picture
    double psnr = 0;    // dB; infinity when exact
    double meanSquaredError = 0;
    double differingShare = 0; // share of Atari pixels that differ, 0..1
    int mergedCells = 0;       // cells drawn with a glyph other than their own
};

// The conversion, or nothing (with `error` set) when the options are refused.
std::optional<PictureScreen> pictureToScreen(const PictureRows& picture,
                                             const PictureScreenOptions& options,
                                             std::string* error = nullptr);
std::optional<PictureScreen> pictureToScreen(const RgbPicture& picture,
                                             const PictureScreenOptions& options,
                                             std::string* error = nullptr);

// The converted screen as cells again (every code's glyph from its row's font), to
// draw or compare. Every font of a conversion has the same colours.
CellScreen screenCells(const PictureScreen& screen);

// The same colours and row bands as `converted`, drawn the simple way: per band the
// 128 most frequent cells kept (a cell and its free transformation counted as one),
// every other cell shown with the kept glyph that differs from it in the fewest
// Atari pixels. The yardstick the conversion is measured against.
PictureScreen referencePictureScreen(const PictureRows& picture,
                                     const PictureScreenOptions& options,
                                     const PictureScreen& converted);

} // namespace korvex
