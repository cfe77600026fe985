#pragma once
// Each screen's row table: the font and the display mode of every one of its 24
// rows, as a display list with interrupts between rows would show them. A row
// whose font or mode is "follow" shows the editor's current font or mode, so a
// table of nothing but follow entries shows the screen exactly as before.

#include <cstdint>

namespace korvex {

constexpr int kRowTableRows = 24;

// Font of a row: 1..10, or this value to follow the current font.
constexpr uint8_t kRowFontFollow = 0;

// Mode of a row. The numbers are the ANTIC text modes, which the project file and
// the display list use as they are.
enum class RowMode : uint8_t {
    Follow = 0,         // the editor's two- or four-colour mode
    TwoColour = 2,      // 40 columns, one colour and its background
    FourColour = 4,     // 40 columns of 4 x 8 double-wide pixels
    FourColourTall = 5, // as FourColour, every glyph row shown twice
};

// Plain bytes, so the history and recovery copies can take it as it is.
struct RowTable {
    uint8_t font[kRowTableRows] = {}; // kRowFontFollow or 1..10
    uint8_t mode[kRowTableRows] = {}; // a RowMode value
};

bool isRowMode(int value);
bool isDefaultRowTable(const RowTable& table);

// A row with follow entries replaced: font 1..10 and a mode other than Follow.
struct ResolvedRow {
    int font = 1;
    RowMode mode = RowMode::TwoColour;
};

// Row `row` of `table` with follow entries taken from `currentFont` (1..10) and
// `fourColour`. Values out of range read as follow.
ResolvedRow resolveRow(const RowTable& table, int row, int currentFont, bool fourColour);

} // namespace korvex
