#pragma once
// The View Editor window: the current screen as a 40 x 24 canvas of glyphs, the
// screen selector, the file and range buttons and the switches GRID, SET DRAW
// and ALWAYS ON TOP. All of its events go through one event procedure,
// viewEditorEvent, which answers 0 to have the window closed.

#include "core/document.h"
#include "core/glyph_places.h"
#include "gui/canvas_stroke.h"
#include "gui/view_editor_commands.h"

#include <QMainWindow>
#include <QPointer>
#include <map>

class QAbstractButton;
class QAction;
class QLabel;
class QPushButton;
class QScrollBar;

namespace korvex {

class CanvasWidget;
class MainWindow;
class RangeDialog;

enum class ViewEditorEventKind { Close, KeyDown, KeyUp, Menu, Control, Canvas };

struct ViewEditorEvent {
    ViewEditorEventKind kind;
    int id = 0; // menu identifier or key code
    ViewEditorControl control = ViewEditorControl::Load;
    bool active = false; // keys: the View Editor is the active window
    int x = 0, y = 0;    // canvas position
    int buttons = 0;     // canvas: 1 left only, 2 right only
};

class ViewEditorWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit ViewEditorWindow(MainWindow& window);
    ~ViewEditorWindow() override;

    int viewEditorEvent(const ViewEditorEvent& event);

    // Draws the current screen, with the current set as a preview at
    // (previewX, previewY) when previewX >= 0.
    void redrawCanvas(int previewX = -1, int previewY = -1);
    // The screen selector set to currentScreen, then the canvas redrawn.
    void showCurrentScreen();
    // Redraws only the screen cells that show a changed glyph.
    void redrawGlyph(GlyphRef changed);

    RangeDialog* rangeDialog() const;
    // The range dialog is open.
    bool rangeWindowOpen() const;
    // Control is held down in the View Editor: a left click picks the cell's glyph.
    bool controlHeld() const { return controlHeld_; }
    // True once the window has answered a close; it is then only waiting to go.
    bool isClosing() const { return closing_; }
    QAction* menuAction(int id) const;
    // The control of a command row, or nullptr.
    QAbstractButton* commandWidget(ViewEditorControl control) const;

    CanvasWidget* Canvas = nullptr;
    QScrollBar* VerticalScrollBar = nullptr;
    QScrollBar* HorizontalScrollBar = nullptr;
    QLabel* ScreenLabel = nullptr;
    QLabel* PositionText = nullptr;
    QPushButton* LoadButton = nullptr;
    QPushButton* LoadScreenButton = nullptr;
    QPushButton* SaveButton = nullptr;
    QPushButton* SaveScreenButton = nullptr;
    QPushButton* LoadRangeButton = nullptr;
    QPushButton* SaveExportRangeButton = nullptr;
    QPushButton* ExportScreenButton = nullptr;
    QPushButton* ViewAllScreensButton = nullptr;
    QPushButton* GridToggle = nullptr;
    QPushButton* SetDrawToggle = nullptr;
    QPushButton* AlwaysOnTopToggle = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend struct ViewEditorCommandRows;

    void buildMenus();
    void buildControls();
    void showScreenSelector();
    void showScreenPosition(int column, int row);
    void canvasEvent(const ViewEditorEvent& event);
    void openRange(RangeMode mode);
    void applyAlwaysOnTop();
    void dispatch(const ViewEditorEvent& event);
    void finishClosing();

    MainWindow& window_;
    Document& doc_;
    std::map<int, QAction*> actions_;          // by menu identifier
    std::map<int, QAbstractButton*> controls_; // by ViewEditorControl
    QPointer<RangeDialog> rangeDialog_;
    bool closing_ = false;
    bool closeRequested_ = false; // a command asked to close the window
    bool controlHeld_ = false;
    CanvasStroke stroke_;       // a mouse button is held on the canvas: one history step
    bool previewShown_ = false; // the canvas shows the set preview
};

// The open View Editor of the main window, or nullptr.
ViewEditorWindow* findViewEditor(MainWindow& window);

} // namespace korvex
