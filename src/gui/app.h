#pragma once

#include <QStringList>

namespace korvex {

struct Document;
class MainWindow;

// Start-up steps that follow the opening of the main window, in their order; the
// window must have been built on a document prepared with setStartValues.
void startUp(Document& doc, MainWindow& window);

// The main loop, with recovery copies kept while it runs: first the copies of runs
// that did not end normally are offered, then `files` are opened once the loop
// runs (after a restore they are not opened, and one message names them), and a
// normal end removes this run's copy.
int runKeepingRecoveryCopies(MainWindow& window, const QStringList& files = {});

// The editor inside a running QApplication: document, main window, start-up, main
// loop, with `files` opened once the loop runs; returns the exit code.
int runEditor(const QStringList& files = {});

// The whole program: the command line, the application, then the editor. --help
// and --version answer on standard output before any window system is used.
int runApp(int argc, char** argv);

} // namespace korvex
