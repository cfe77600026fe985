#pragma once
// The View Editor window: the current screen as a 40 x 24 canvas of glyphs, the
// screen selector, the file and range buttons and the switches GRID, SET DRAW
// and ALWAYS ON TOP. All of its events go through one event procedure,
// viewEditorEvent, which answers 0 to have the window closed.

#include "core/document.h"
#include "core/glyph_places.h"

#include <QMainWindow>
#include <QPointer>
#include <map>

class QAction;
class QLabel;
class QPushButton;
class QScrollBar;

namespace korvex {

class CanvasWidget;
class MainWindow;
class RangeDialog;

// Menu item identifiers.
enum ViewEditorMenuId : int {
    ViewEditorMenuLoad = 5125,
    ViewEditorMenuSave = 5126,
    ViewEditorMenuClearScreen = 5136,
    ViewEditorMenuClearAllScreens = 5137,
    ViewEditorMenuFillScreen = 5138,
    ViewEditorMenuExit = 5140,
};

enum class ViewEditorControl {
    Load,
    LoadScreen,
    Save,
    SaveScreen,
    LoadRange,
    SaveExportRange,
    ExportScreen,
    ViewAllScreens,
    ScrollBars,
    Grid,
    SetDraw,
    AlwaysOnTop,
};

enum class ViewEditorEventKind { Close, KeyDown, KeyUp, Menu, Control, Canvas };

struct ViewEditorEvent {
    ViewEditorEventKind kind;
    int id = 0; // menu identifier or key code
    ViewEditorControl control = ViewEditorControl::Load;
    bool checked = false; // toggles: the new state
    bool active = false;  // keys: the View Editor is the active window
    int x = 0, y = 0;     // canvas position
    int buttons = 0;      // canvas: 1 left only, 2 right only
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
    // True once the window has answered a close; it is then only waiting to go.
    bool closing() const { return closing_; }
    QAction* menuAction(int id) const;

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
    void buildMenus();
    void buildControls();
    QPushButton* addButton(ViewEditorControl control, const QString& caption, int y, int height,
                           bool wraps = false);
    QPushButton* addToggle(ViewEditorControl control, const QString& caption, int x, int width,
                           bool checked);
    void showScreenSelector();
    void canvasEvent(const ViewEditorEvent& event);
    void runControl(const ViewEditorEvent& event);
    void openRange(RangeMode mode);
    void applyAlwaysOnTop();
    void dispatch(const ViewEditorEvent& event);
    void finishClosing();
    void endStroke();

    MainWindow& window_;
    Document& doc_;
    std::map<int, QAction*> actions_;
    QPointer<RangeDialog> rangeDialog_;
    bool closing_ = false;
    bool stroke_ = false;       // a mouse button is held on the canvas: one history step
    bool previewShown_ = false; // the canvas shows the set preview
};

// The open View Editor of the main window, or nullptr.
ViewEditorWindow* findViewEditor(MainWindow& window);

} // namespace korvex
