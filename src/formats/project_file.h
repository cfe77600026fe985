#pragma once
// The project file (.proj2): the whole working state the user builds, as lines of
// text. A file written here has 153 lines in four sections:
//   the version line, [GLOBAL], MULTI_V_F=, VE_GRID= .. VE_H=,
//   [FONTS & COLOR], FONT_NAME_i= / FONT_COLOR_i= / FONT_DATA_i= for fonts 1..10,
//   [SETS], SET_1= .. SET_100=, [VIEW EDITOR SCREENS], SCREEN_0= .. SCREEN_8=.
// After them, for each screen s whose row table is not all follow entries, two
// more: VE_ROW_FONTS_s= and VE_ROW_MODES_s=, each 24 comma-separated decimals.
// Every number is decimal. A project does not hold the font paths, the Atari
// register values, the current font, set and glyph, or the working colours.

#include "core/document.h"
#include "formats/file_io.h"
#include "formats/project_lines.h"

#include <string>
#include <vector>

namespace korvex {

// The first line of every project written: the version of the project format, which
// stays the same whatever the program's own version is.
constexpr const char* kProjectVersionLine = "VER$=0.52";

// Lines a project file is made of, without line ends: 153 of them, as a font
// name's control characters are written as spaces, and two for each screen with a
// row table. Every font is encoded
// through FontBuffer on the way, so afterwards FontBuffer holds font 10.
std::vector<std::string> writeProjectLines(Document& doc);

// Applies the lines of a project file (the file's first line first). Only the first
// 1023 lines count. Each key is looked up on its own; a missing key or an empty
// value leaves its target as it is, a value with too few fields sets the rest to 0.
// Any text is accepted: a file that is no project changes only what it happens to
// match, and no value can reach memory outside the document's arrays. A screen the
// lines hold gets its row table from them (all follow entries without one); a row
// table value that is no plain decimal or out of range reads as 0 for its row.
void readProjectLines(Document& doc, const std::vector<std::string>& lines);

// Sets projectPath to `path`, then writes the project there atomically (UTF-8, no
// byte-order mark, CR LF after every line). On failure returns false with a reason
// in `error`; the old file, if any, is left untouched (projectPath keeps the name).
bool saveProjectFile(Document& doc, const std::string& path, std::string* error = nullptr);

// Reads the project at `path` and applies it; projectPath becomes `path`. False,
// with nothing changed, when the file cannot be read or is no regular file. Only
// the lines that count are read (see project_lines.h).
bool loadProjectFile(Document& doc, const std::string& path);

// Applies a project file's contents as loadProjectFile does, leaving projectPath.
void loadProjectBytes(Document& doc, ByteView bytes);

} // namespace korvex
