#pragma once
// The Atari view: the View Editor's current screen as the machine shows it, every
// row in its own font, colours and text mode, at a whole-number zoom. It belongs
// to the View Editor, which redraws it with its canvas and closes it with itself.
// The status line says how many scanlines the screen has; past 240 the picture
// marks the scanlines a display list cannot show.

#include "core/glyph_places.h"
#include "gui/atari_view_place.h"

#include <QMainWindow>

class QAction;
class QLabel;
class QScrollArea;

namespace korvex {

class CanvasWidget;
class MainWindow;
class ViewEditorWindow;
struct Document;

class AtariViewWindow : public QMainWindow {
    Q_OBJECT
public:
    // A window of `editor`, placed and zoomed as `place` says; closing writes the
    // position and zoom back there.
    AtariViewWindow(ViewEditorWindow& editor, Document& doc, AtariViewPlace& place);

    // The whole picture, resized to the screen's height when that changed.
    void redraw();
    // Only the cells that show a changed glyph.
    void redrawGlyph(GlyphRef changed);
    // 1..4; other values are brought into that range. Fits the window to the picture.
    void setZoom(int zoom);
    int zoom() const { return zoom_; }
    bool isClosing() const { return closing_; }

    // "1x" .. "4x" (index 1..4), "Zoom In", "Zoom Out".
    QAction* zoomAction(int zoom) const;
    QAction* ZoomInAction = nullptr;
    QAction* ZoomOutAction = nullptr;
    QScrollArea* PictureArea = nullptr;
    CanvasWidget* Canvas = nullptr;
    QLabel* StatusText = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void showStatus();
    void fitToPicture();

    Document& doc_;
    AtariViewPlace& place_;
    int zoom_ = 2;
    bool closing_ = false;
    QAction* zoomActions_[5] = {};
};

// The Atari view of this View Editor, or nullptr.
AtariViewWindow* atariViewOf(ViewEditorWindow& editor);

// Opens the Atari view of `editor` (one at most: an open one is raised).
void openAtariViewCommand(ViewEditorWindow& editor, MainWindow& main);

} // namespace korvex
