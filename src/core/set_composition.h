#pragma once
// Editing the cells of the current set (5 x 5 glyph codes, -1 = empty) and the
// set clipboard.

#include "core/document.h"

namespace korvex {

// Kinds of setCommand.
enum SetCommandKind : int { ClearSetBits = 1, CopySet = 2, PasteSet = 3, ClearSet = 4 };

// n 0..24: cell n of CurrentSet = PickedGlyph; n 50..74: cell n - 50 emptied.
// Any other n does nothing.
void editSetCell(Document& doc, int n);

// key 49..53 (the digit keys "1".."5") picks row 0..4 of CurrentSet; the code goes
// into the row's first empty cell. A full row, another key or a code outside
// 0..255 changes nothing.
void addGlyphToSetRow(Document& doc, int64_t code, int64_t key);

// 1 clears the pixels of every glyph the set uses, 2 copies the set to
// SetClipboard, 3 pastes it back, 4 empties every cell. Other kinds do nothing.
void setCommand(Document& doc, int kind);

} // namespace korvex
