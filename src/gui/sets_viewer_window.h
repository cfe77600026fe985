#pragma once
// The Sets Viewer: ten consecutive sets side by side under a scroll bar; a left
// click on one of them makes it the current set of the main window.

#include "core/glyph_places.h"

#include <QWidget>

class QLabel;
class QScrollBar;

namespace korvex {

class CanvasWidget;
class MainWindow;
struct Document;

enum class SetsViewerEventKind { Close, Scroll, Canvas };

struct SetsViewerEvent {
    SetsViewerEventKind kind;
    int value = 0;    // scroll bar value
    int x = 0, y = 0; // strip position
    int buttons = 0;  // buttonState() of the buttons held
};

class SetsViewerWindow : public QWidget {
    Q_OBJECT
public:
    // Builds the window as a child window of the main window, so that it never
    // keeps the program running once the main window has closed.
    explicit SetsViewerWindow(MainWindow& main);

    // The event procedure: 1 keeps the window, 0 closes it.
    int setsViewerEvent(const SetsViewerEvent& event);
    void drawSetsStrip();
    // Redraws only the strip cells that show a changed glyph.
    void redrawGlyph(GlyphRef changed);
    bool isClosing() const { return closing_; }

    CanvasWidget* StripCanvas = nullptr;
    QScrollBar* SetsScrollBar = nullptr;
    QLabel* SetsViewerLabels[11] = {}; // 1..10

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void dispatch(const SetsViewerEvent& event);
    void stripClicked(const SetsViewerEvent& event);
    void updateLabels();

    MainWindow& main_;
    Document& doc_;
    bool closing_ = false;
};

// The Sets Viewer of this main window that is still open, or nullptr.
SetsViewerWindow* openSetsViewerOf(MainWindow& window);

} // namespace korvex
