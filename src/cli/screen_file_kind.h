#pragma once
// Telling the two headerless screen files apart: View Editor data (.ved2, nine
// screens) and View Editor screen data (.sved2, one screen).

#include <string>

namespace korvex::cli {

enum class ScreenFileKind { AllScreens, OneScreen };

// By extension first (.sved2 one screen, .ved2 all screens, either case); any
// other name by length: up to 960 bytes one screen, more all nine.
ScreenFileKind screenFileKind(const std::string& path);

// Why the file counts as its kind, for messages: "extension .sved2" or
// "960 bytes, no .ved2/.sved2 extension".
std::string describeScreenFileKind(const std::string& path);

} // namespace korvex::cli
