#pragma once
// Opening files named on the command line or dropped on the main window: each as
// its load command would open it, without the command's dialog, in the order of
// planOpening. One message names every file that was not opened.

#include <QStringList>

class QMimeData;

namespace korvex {

class MainWindow;

void openFiles(MainWindow& window, const QStringList& paths);

// After the work of a run that ended abnormally was restored, the files named on the
// command line are not opened: one message names them.
void reportFilesNotOpenedAfterRestore(MainWindow& window, const QStringList& paths);

// The local files of a drag's data, in order; empty when it carries none.
QStringList localFiles(const QMimeData* data);

} // namespace korvex
