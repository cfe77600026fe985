#pragma once
// Changes to the screens' row tables. Each call that changes something is one step
// of the history; a call with a screen, row, font or mode out of range, or one that
// would leave the table as it is, changes nothing and records nothing.

#include "core/document.h"
#include "core/row_table.h"

namespace korvex {

// Font of row 0..23 of screen 0..8: kRowFontFollow or 1..10.
bool setRowFont(Document& doc, int screen, int row, int font);

// Mode of row 0..23 of screen 0..8 (any RowMode, Follow included).
bool setRowMode(Document& doc, int screen, int row, RowMode mode);

// Every row of the screen takes the font and mode of row `row`.
bool applyRowToAllRows(Document& doc, int screen, int row);

// Screen `to` takes the whole row table of screen `from`.
bool copyRowTable(Document& doc, int from, int to);

// Screen 0..8 takes `table` (a table kept aside, as a pasted one). A table with a
// font or mode out of range changes nothing.
bool setRowTable(Document& doc, int screen, const RowTable& table);

// The font `delta` places after `font` in the cycle follow, 1, 2, .. 10, follow
// (negative: before). A value out of range counts as follow.
int steppedRowFont(int font, int delta);
// The same for modes: follow, 2, 4, 5, follow.
RowMode steppedRowMode(RowMode mode, int delta);

} // namespace korvex
