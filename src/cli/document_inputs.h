#pragma once
// Input files read into a document through the same functions the editor's
// windows use, so the converter sees exactly what the editor would. Each throws a
// CliFailure (status 1) naming the file when it cannot be used.

#include "cli/document_memory.h"
#include "core/document.h"
#include "formats/set_files.h"

#include <string>

namespace korvex::cli {

// A document as the editor has it right after start-up.
DocumentPtr startUpDocument();

// A font file into CurrentFont, as "Load Font" reads it.
void loadFontInput(Document& doc, const std::string& path);

// A colour file into the registers and working colours, as "Load Colors" reads it.
void loadColourInput(Document& doc, const std::string& path);

// A .set (SetFileKind::Set) into CurrentSet or a .sets (SetFileKind::Sets) into all
// sets, as "Load Set" / "Load all Set" read them.
void loadSetInput(Document& doc, const std::string& path, SetFileKind kind);

// A PNG or BMP picture as the import window's picture.
void loadImportPicture(Document& doc, const std::string& path);

} // namespace korvex::cli
