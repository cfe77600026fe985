#pragma once
// Running a secondary window that asks for something and returns: it opens at an
// offset from the main window, the main window stays disabled while it is open and
// is enabled and activated again when it closes.

class QDialog;

namespace korvex {

class MainWindow;

// Places `dialog` at the main window's position + (x, y), disables the main window,
// runs the dialog until it closes, then enables and activates the main window.
// Returns the dialog's result code.
int runModalOverMainWindow(MainWindow& window, QDialog& dialog, int x, int y);

} // namespace korvex
