#include "app/editor_arguments.h"

namespace korvex {

EditorArguments parseEditorArguments(const std::vector<std::string>& args) {
    EditorArguments parsed;
    bool help = false;
    bool version = false;
    bool optionsEnded = false;
    for (const std::string& arg : args) {
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            parsed.files.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "-h" || arg == "--help") {
            help = true;
        } else if (arg == "-v" || arg == "--version") {
            version = true;
        } else if (parsed.error.empty()) {
            parsed.error = "unknown option '" + arg + "'";
        }
    }
    if (help)
        parsed.request = EditorRequest::Help;
    else if (version)
        parsed.request = EditorRequest::Version;
    else if (!parsed.error.empty())
        parsed.request = EditorRequest::WrongUsage;
    if (parsed.request != EditorRequest::Open)
        parsed.files.clear();
    return parsed;
}

const char* editorHelpText() {
    return "Usage: korvex [OPTION]... [FILE]...\n"
           "Edit character-set fonts for the Atari 8-bit computers.\n"
           "\n"
           "Each FILE is opened by its kind: .proj2 (project), .fnt (font, into the\n"
           "current font and then the following ones), .set and .sets (sets), .col\n"
           "(colours), .ved2 and .sved2 (View Editor screens), .png and .bmp (picture\n"
           "import).\n"
           "\n"
           "  -h, --help     show this help and exit\n"
           "  -v, --version  show the version and exit\n";
}

} // namespace korvex
