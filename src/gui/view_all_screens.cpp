#include "gui/view_all_screens.h"

#include "gui/canvas_widget.h"
#include "gui/caption_fit.h"
#include "gui/main_window.h"
#include "render/canvas_sizes.h"
#include "render/view_editor_drawing.h"

#include <QKeyEvent>

namespace korvex {

ViewAllScreensWindow::ViewAllScreensWindow(const Document& doc, QWidget* parent, int width,
                                           int height)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
    setWindowTitle("View All Screens");
    setFixedSize(width, height);
    Canvas =
        new CanvasWidget(this, 0, 0, kViewAllScreensSize.width, kViewAllScreensSize.height, false);
    drawViewAllScreens(doc, Canvas->image());
    fitCaptions(this);
}

// Keys (Escape included) do not close the window; only the close box does.
void ViewAllScreensWindow::keyPressEvent(QKeyEvent* event) {
    event->accept();
}

void openViewAllScreens(MainWindow& window, int x, int y, int width, int height) {
    ViewAllScreensWindow screens(window.doc(), &window, width, height);
    screens.move(window.pos() + QPoint(x, y));
    window.setEnabled(false);
    // Disabling the main window disables its child windows too; this one stays
    // usable.
    screens.setEnabled(true);
    screens.exec();
    window.setEnabled(true);
    window.activateWindow();
}

} // namespace korvex
