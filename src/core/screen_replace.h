#pragma once
// A whole screen put in place at once, as an import does it.

#include "core/document.h"

#include <array>
#include <string>

namespace korvex {

// Screen 0..8 takes `cells` (row by row) and `rows` as its row table, as one undo
// step named `stepName`. A screen outside 0..8 changes nothing.
void replaceScreen(Document& doc, int screen, const std::array<uint8_t, kScreenCells>& cells,
                   const RowTable& rows, const std::string& stepName);

} // namespace korvex
