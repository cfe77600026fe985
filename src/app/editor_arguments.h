#pragma once
// The editor's command line: options, then the files to open.

#include <string>
#include <vector>

namespace korvex {

enum class EditorRequest { Open, Help, Version, WrongUsage };

struct EditorArguments {
    EditorRequest request = EditorRequest::Open;
    std::vector<std::string> files; // for Open, in the order given
    std::string error;              // for WrongUsage
};

// Reads the arguments after the program name. "--" ends the options; a lone "-" is a
// file name. -h/--help and -v/--version answer even when a wrong option comes
// before them, so that they work with any other options given too.
EditorArguments parseEditorArguments(const std::vector<std::string>& args);

// The text of --help, ending in a newline.
const char* editorHelpText();

// Exit status of a wrong command line.
constexpr int kEditorExitUsage = 2;

} // namespace korvex
