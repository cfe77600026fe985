#pragma once

namespace korvex {

struct Document;
class MainWindow;

// Start-up steps that follow the opening of the main window, in their order; the
// window must have been built on a document prepared with setStartValues.
void startUp(Document& doc, MainWindow& window);

// The main loop, with recovery copies kept while it runs: first the copies of runs
// that did not end normally are offered, and a normal end removes this run's copy.
int runKeepingRecoveryCopies(MainWindow& window);

// The editor inside a running QApplication: document, main window, start-up, main
// loop; returns the exit code.
int runEditor();

// The whole program: the application, then the editor.
int runApp(int argc, char** argv);

} // namespace korvex
