#pragma once

namespace korvex {

struct Document;
class MainWindow;

// Start-up steps that follow the opening of the main window, in their order; the
// window must have been built on a document prepared with setStartValues.
void startUp(Document& doc, MainWindow& window);

// The whole program: document, main window, main loop; returns the exit code.
int runApp(int argc, char** argv);

} // namespace korvex
