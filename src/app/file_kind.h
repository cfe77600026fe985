#pragma once
// The kinds of file the editor opens from the command line or a drop, told by the
// name's extension (any letter case), as the file dialogs of the commands filter them.

#include <string>

namespace korvex {

enum class FileKind {
    Unknown,
    Project,          // .proj2
    Font,             // .fnt
    Set,              // .set
    Sets,             // .sets
    Colours,          // .col
    ViewEditorData,   // .ved2
    ViewEditorScreen, // .sved2
    Picture,          // .png, .bmp
};

FileKind fileKindOf(const std::string& path);

} // namespace korvex
