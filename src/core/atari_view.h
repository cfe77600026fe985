#pragma once
// A screen as the machine shows it: every row in its own font, colours and ANTIC
// text mode (see row_table.h), one Atari pixel per picture pixel. Modes 2 and 4
// take 8 scanlines a row, mode 5 takes 16 (each glyph row shown twice); every row
// is 320 pixels wide, so a four-colour pixel is two pixels wide.
//
// Colours: a row shows its font's colour set, FontColours[font], except that the
// editor's current font (CurrentFont) shows the working colours ColourLUM ..
// ColourPF3, as every other window draws it. The palette window stores the working
// colours into the current font's set, so the two differ only until the next font
// switch after a project is opened; the picture then still equals what the editor
// shows beside it. Two-colour rows: a set bit LUM, a clear one BAK, the two swapped
// for codes 128..255. Four-colour rows: pixel pairs 00 BAK, 01 PF0, 10 PF1, and 11
// PF2, or PF3 for codes 128..255.

#include "core/document.h"
#include "core/row_table.h"

#include <array>
#include <cstdint>

namespace korvex {

constexpr int kAtariViewWidth = kScreenColumns * 8; // 320
// The most scanlines a display list can show; a screen with more is still drawn
// whole, and the views mark where this limit falls.
constexpr int kMaxDisplayScanlines = 240;

// Scanlines of one row in `mode`: 16 for FourColourTall, otherwise 8.
int rowScanlines(RowMode mode);

// Scanlines of screen 0..8 (192 to 384); 0 for a screen outside that range. Follow
// entries never make a row taller, so the current mode does not matter.
int screenScanlines(const Document& doc, int screen);

// Scanline at which row 0..24 of the screen starts (row 24: the picture's height).
int rowTopScanline(const Document& doc, int screen, int row);

// The RGB colours (index = register LUM .. PF3, 0 unused) a row of font 1..10 is
// drawn in, by the rule above. A font outside 1..10 gives the working colours.
std::array<uint32_t, 7> atariRowColours(const Document& doc, int font);

// Screen 0..8 as the machine shows it, rows resolved with resolveRow (follow
// entries take `followFont` and `followFourColour`): kAtariViewWidth wide,
// screenScanlines high. An empty picture for a screen outside 0..8.
RgbPicture drawAtariScreen(const Document& doc, int screen, int followFont, bool followFourColour);

// Code 0..255 of `font` as an 8 x 8 tile at (x, y) of `out`, pixel for pixel as
// drawAtariScreen draws that code in a row of that font and mode. Mode 5 is drawn
// as mode 4 (8 scanlines), Follow as the editor's current mode. Pixels outside
// `out` are skipped; a code outside 0..255 or a font outside 1..10 draws nothing.
void drawAtariGlyph(const Document& doc, int font, RowMode mode, int code, RgbPicture& out, int x,
                    int y);

} // namespace korvex
