#pragma once
// Source text of the current font, screen or range for seven Atari languages.
// Each function returns the lines of the text (no line ends); the export window
// shows them and saves them with CR LF after every line.
//
// Language index: 0 assembler decimal, 1 assembler hexadecimal, 2 Action!
// decimal, 3 Action! hexadecimal, 4 Atari Basic, 5 MadPascal, 6 FastBasic.
// An index outside 0..6 gives no lines.
//
// A range with no cells (zero width or height, or a start outside the screen)
// gives only the first and last lines of its language; the MadPascal header then
// declares the bounds 0..0 rather than the impossible 0..-1, and FastBasic, which
// has neither, gives no lines.

#include "core/document.h"

#include <string>
#include <vector>

namespace korvex {

constexpr int kExportLanguageCount = 7;

// The seven entries of the language list, in index order.
const std::vector<std::string>& exportLanguageNames();

// "0".."6" or asm-dec, asm-hex, action-dec, action-hex, basic, madpascal,
// fastbasic; -1 for anything else.
int exportLanguageFromName(const std::string& name);

// Encodes the current font into FontBuffer, then writes its 128 glyphs.
std::vector<std::string> generateFontExport(Document& doc, int language);

// The current range when exportKind is "range", else the whole current screen.
std::vector<std::string> generateScreenExport(const Document& doc, int language);

// The font when exportKind is empty, otherwise the screen or range.
std::vector<std::string> generateExport(Document& doc, int language);

} // namespace korvex
