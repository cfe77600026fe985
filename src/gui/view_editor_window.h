#pragma once
// The View Editor window: the current screen as a 40 x 24 canvas of glyphs, the
// screen selector, the row strip (each row's font and mode), the file and range
// buttons and the switches GRID, SET DRAW and ALWAYS ON TOP. All of its events go
// through one event procedure, viewEditorEvent, which answers 0 to have the window
// closed.

#include "core/document.h"
#include "core/glyph_places.h"
#include "core/row_table.h"
#include "gui/canvas_stroke.h"
#include "gui/view_editor_commands.h"

#include <QMainWindow>
#include <QPointer>
#include <map>
#include <optional>

class QAbstractButton;
class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QScrollBar;

namespace korvex {

class CanvasWidget;
class MainWindow;
class RangeDialog;

enum class ViewEditorEventKind { Close, KeyDown, KeyUp, Menu, Control, Canvas, RowStrip };

// What an event of the row strip does to its row (which it also makes the current
// row). The steps and sets change the current screen's row table.
enum class RowStripAction {
    Select,
    StepFont, // `value` places on in the cycle follow, 1..10
    StepMode, // `value` places on in the cycle follow, 2, 4, 5
    SetFont,  // to `value` (kRowFontFollow or 1..10)
    SetMode,  // to `value` (a RowMode)
    OpenMenu, // the strip's menu at strip position (x, y)
};

struct ViewEditorEvent {
    ViewEditorEventKind kind;
    int id = 0; // menu identifier or key code
    ViewEditorControl control = ViewEditorControl::Load;
    bool active = false; // keys: the View Editor is the active window
    int x = 0, y = 0;    // canvas or strip position
    int buttons = 0;     // canvas: 1 left only, 2 right only
    RowStripAction strip = RowStripAction::Select;
    int row = 0;   // strip: 0..23
    int value = 0; // strip: see RowStripAction
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
    // The row strip of the current screen, the current row highlighted.
    void redrawRowStrip();
    // The row the Rows commands act on (0..23), chosen in the strip.
    int currentRow() const { return currentRow_; }
    // A row table is kept by Copy Row Table for Paste Row Table.
    bool rowTableCopied() const { return copiedRowTable_.has_value(); }
    // The strip's open menu, or nullptr.
    QMenu* rowStripMenu() const;

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
    CanvasWidget* RowStrip = nullptr;
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
    void buildRowStrip();
    void showScreenSelector();
    void showScreenPosition(int column, int row);
    void canvasEvent(const ViewEditorEvent& event);
    void rowStripEvent(const ViewEditorEvent& event);
    void openRowStripMenu(int x, int y);
    void sendRowStripEvent(RowStripAction action, int row, int value = 0, int x = 0, int y = 0);
    // Row table commands: the current screen's table changed; redraws what shows it.
    void rowTableChanged();
    void updateCommandStates();
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
    int currentRow_ = 0;
    std::optional<RowTable> copiedRowTable_;
    QPointer<QMenu> rowStripMenu_;
    struct ShownStrip {
        int screen;
        int row;
        RowTable table;
    };
    std::optional<ShownStrip> stripShown_; // what the strip shows now
};

// The open View Editor of the main window, or nullptr.
ViewEditorWindow* findViewEditor(MainWindow& window);

} // namespace korvex
