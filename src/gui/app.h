#pragma once

namespace korvex {

// Start-up of the editor: builds the document and the main window, runs the main
// loop and returns the program's exit code.
int runApp(int argc, char** argv);

} // namespace korvex
