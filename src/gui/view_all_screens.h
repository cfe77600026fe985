#pragma once
// The modal "View All Screens" window: the nine screens side by side, three by
// three, at one pixel per glyph pixel. It only shows; every event other than the
// close request is discarded.

#include <QDialog>

namespace korvex {

struct Document;
class CanvasWidget;
class MainWindow;

class ViewAllScreensWindow : public QDialog {
    Q_OBJECT
public:
    ViewAllScreensWindow(const Document& doc, QWidget* parent, int width, int height);

    CanvasWidget* Canvas = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// Opens the window at the main window's position + (x, y) with the given client
// size, the main window disabled until it closes, then enabled and activated.
void openViewAllScreens(MainWindow& window, int x, int y, int width, int height);

} // namespace korvex
