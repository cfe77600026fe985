#include "gui/modal_window.h"

#include "gui/main_window.h"

#include <QDialog>

namespace korvex {

int runModalOverMainWindow(MainWindow& window, QDialog& dialog, int x, int y) {
    dialog.move(window.pos() + QPoint(x, y));
    window.setEnabled(false);
    const int result = dialog.exec();
    window.setEnabled(true);
    window.activateWindow();
    return result;
}

} // namespace korvex
