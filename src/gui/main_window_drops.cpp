// Files dragged onto the main window: accepted when the drag carries local files,
// opened once the drop is over.

#include "gui/file_opening.h"
#include "gui/main_window.h"

#include <QDropEvent>
#include <QTimer>

namespace korvex {

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (!localFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    const QStringList files = localFiles(event->mimeData());
    if (files.isEmpty())
        return;
    event->acceptProposedAction();
    // Opened from the event loop: a picture opens the import window, which must not
    // run its own loop while the drag source waits for the drop to finish.
    QTimer::singleShot(0, this, [this, files] { openFiles(*this, files); });
}

} // namespace korvex
