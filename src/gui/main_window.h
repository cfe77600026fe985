#pragma once
// The editor's main window: the current set, the magnified glyph editor, the font,
// the colour registers and every command button. All of its events go through one
// event procedure, mainWindowEvent, which answers 1 to go on and 0 to end the
// program.

#include "core/document.h"
#include "core/glyph_places.h"
#include "gui/atari_view_place.h"
#include "gui/canvas_stroke.h"
#include "gui/main_window_commands.h"
#include "render/main_canvases.h"

#include <QMainWindow>
#include <QTimer>
#include <functional>
#include <map>

class QAbstractButton;
class QAction;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace korvex {

class CanvasWidget;
struct CanvasInput;

// The canvases and swatches whose mouse events the window handles itself.
enum class CanvasId { Set, Editor, SetPreview, Font, Swatch };

enum class MainEventKind { Close, Timer, KeyDown, KeyUp, Menu, Control, Canvas };

struct MainEvent {
    MainEventKind kind;
    int id = 0; // menu identifier, Control, key code or timer id
    CanvasId canvas = CanvasId::Set;
    int swatchRegister = 0;  // for CanvasId::Swatch: register 1..6
    int x = 0, y = 0;        // canvas position
    int buttons = 0;         // button state 1 / 2 / 4
    bool leftClick = false;  // a left button went down
    bool rightClick = false; // a right button went down
};

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(Document& doc);
    ~MainWindow() override;

    Document& doc() { return doc_; }

    // The one event procedure: 1 keeps the program running, 0 ends it.
    int mainWindowEvent(const MainEvent& event);

    // Draws every canvas of the window from the document, the colour boxes and
    // swatches, then the open viewers.
    void redrawMainWindow();
    // After a change to one glyph and nothing else: redraws, here and in the open
    // viewers, only the cells that show it, and has only those repainted.
    void redrawGlyphChange(GlyphRef changed);
    void drawAnimationFrame(int64_t set);
    void drawSetPreview();
    void drawSetCanvas();
    void drawGlyphEditor();
    void drawGlyphPreview();
    void drawCopyBuffer();
    // The font canvas, with the unused-glyph marks when they are switched on.
    void drawFontCanvas();
    void refreshColourBoxes();
    void updateGlyphInfoLabel();
    // Makes code 0..255 the current and picked glyph, as a click on the font does.
    void pickGlyph(int64_t code);
    void setStatusField(int field, const QString& text);
    QString statusField(int field) const;

    // Starts the 250 ms animation timer (identifier 125).
    void startTimer125();
    static constexpr int kAnimationTimerId = 125;

    // Redraw hooks of the secondary windows, set while they are open.
    std::function<void()> setsViewerRedraw;
    std::function<void()> multiFontViewRedraw;
    std::function<void()> viewEditorRedraw;
    std::function<void()> duplicateGlyphsRedraw;
    std::function<void()> textPreviewRedraw;
    // Their redraws after a change to one glyph (see redrawGlyphChange).
    std::function<void(GlyphRef)> setsViewerGlyphRedraw;
    std::function<void(GlyphRef)> multiFontViewGlyphRedraw;
    std::function<void(GlyphRef)> viewEditorGlyphRedraw;
    // Called once the work as it stands is in a project file (after a project was
    // saved or opened); set while recovery copies are kept.
    std::function<void()> workSaved;
    // Whether the work differs from what was last opened or saved in a project; set
    // while recovery copies are kept (without it, whether there is a step to undo).
    std::function<bool()> hasUnsavedWork;

    QAction* menuAction(int id) const;

    // Left clicks on the canvases wait this many more events of the window (a file
    // dialog has just closed over it).
    int clickGuard() const { return clickGuard_; }
    void setClickGuard(int events) { clickGuard_ = events; }
    // The next `count` canvas events of this window and the Sets Viewer are
    // swallowed (the clicks that closed a file dialog).
    void skipCanvasEvents(int count) { canvasEventSkip_ = count; }
    int canvasEventsToSkip() const { return canvasEventSkip_; }
    // Takes one event of the count above; false when none is to be swallowed.
    bool takeSkippedCanvasEvent();
    // The digit key held over the font ('1'..'5': fill that row of the set), or 0.
    int heldDigit() const { return heldDigit_; }
    // Which of the viewers and the View Editor are open.
    bool setsViewerOpen = false;
    bool multiFontViewOpen = false;
    bool viewEditorOpen = false;
    // The Atari view's place and zoom, from one opening to the next.
    AtariViewPlace atariViewPlace;
    // The control of a command row (see Control), or nullptr.
    QAbstractButton* commandWidget(Control control) const;

    // The menu items and controls enabled and checked as their commands say; the
    // Undo and Redo items named after the step they act on.
    void updateUndoAction();
    // After an undo or redo: the numbers, labels and canvases of the place the
    // step returned to.
    void showHistoryPlace();

    // Controls, named as in the layout tables.
    CanvasWidget* SetCanvas = nullptr;
    CanvasWidget* SetPreviewCanvas = nullptr;
    CanvasWidget* FontCanvas = nullptr;
    CanvasWidget* EditorCanvas = nullptr;
    CanvasWidget* GlyphPreviewCanvas = nullptr;
    CanvasWidget* AnimCanvas = nullptr;
    CanvasWidget* CopyBufferCanvas = nullptr;
    CanvasWidget* Swatch[7] = {}; // index = register 1..6
    QPushButton* SetNextButton = nullptr;
    QPushButton* SetPrevButton = nullptr;
    QGroupBox* ColourFrame = nullptr;
    QGroupBox* ButtonColourFrame = nullptr;
    QLabel* LeftColourBox = nullptr;
    QLabel* RightColourBox = nullptr;
    QPushButton* ModeButton = nullptr;
    QPushButton* RotateButton = nullptr;
    QPushButton* ShiftDownButton = nullptr;
    QPushButton* HMirrorButton = nullptr;
    QPushButton* VMirrorButton = nullptr;
    QPushButton* ShiftRightButton = nullptr;
    QPushButton* ShiftLeftButton = nullptr;
    QPushButton* ShiftUpButton = nullptr;
    QPushButton* CopyButton = nullptr;
    QPushButton* PasteButton = nullptr;
    QLabel* ShiftLabel = nullptr;
    QPushButton* InverseButton = nullptr;
    QPushButton* ClearButton = nullptr;
    QPushButton* SaveSetButton = nullptr;
    QPushButton* LoadSetButton = nullptr;
    QPushButton* SaveAllSetsButton = nullptr;
    QPushButton* LoadAllSetsButton = nullptr;
    QPushButton* LoadFontButton = nullptr;
    QPushButton* SaveFontButton = nullptr;
    QPushButton* DefaultFontButton = nullptr;
    QPushButton* ExportImageButton = nullptr;
    QPushButton* ExportAsButton = nullptr;
    QPushButton* SaveRangeButton = nullptr;
    QPushButton* AnimStartButton = nullptr;
    QLabel* AnimToLabel = nullptr;
    QGroupBox* AnimFrameBox = nullptr;
    QCheckBox* GridCheckBox = nullptr;
    QPushButton* FontPrevButton = nullptr;
    QPushButton* FontNextButton = nullptr;
    QLabel* FontNumberLabel = nullptr;
    QLabel* SetNumberLabel = nullptr;
    QLabel* FontsLabel = nullptr;
    QLabel* RegisterLabel[7] = {};
    QPushButton* PaletteButton[7] = {};
    QPushButton* LoadColoursButton = nullptr;
    QPushButton* SaveColoursButton = nullptr;
    QRadioButton* NormalOption = nullptr;
    QRadioButton* MaskOption = nullptr;
    QLabel* PickedCodeLabel = nullptr;
    QLabel* ModeLabel = nullptr;
    QPushButton* SetCopyButton = nullptr;
    QPushButton* SetPasteButton = nullptr;
    QCheckBox* DrawOnSetCheckBox = nullptr;
    QComboBox* AnimStopCombo = nullptr;
    QComboBox* AnimStartCombo = nullptr;
    QGroupBox* SetFrame = nullptr;
    QLabel* GlyphInfoLabel = nullptr;
    QPushButton* SetsViewerButton = nullptr;
    QPushButton* MultiFontViewerButton = nullptr;
    QLabel* CopyBufferLabel = nullptr;
    QPushButton* ViewEditorButton = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Files dropped on the window open as from the command line.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    friend struct MainWindowCommandRows;

    void buildMenus();
    void buildStatusBar();
    void buildControls();
    void buildCommandWidgets();
    void connectCanvases();

    // Event procedure pieces.
    int quitConfirmation();
    void animationTick();
    // Runs a command row: its history step, the click guard after it.
    void runCommand(const MainCommand& command);
    void keyPressed(int key);
    void keyReleased();
    void canvasEvent(const MainEvent& event);
    void setCanvasEvent(const MainEvent& event);
    void editorCanvasEvent(const MainEvent& event);
    void setPreviewEvent(const MainEvent& event);
    void fontCanvasEvent(const MainEvent& event);
    void swatchEvent(const MainEvent& event);
    void transformCommand(int command);
    void stepFontCommand(int delta);
    void stepFontWithColoursCommand(int delta);
    void stepSetCommand(int delta);
    void functionKeyCommand(int n);
    void paletteCommand(int reg);
    void afterFontStep();
    void afterSetStep();
    void switchDisplayMode();
    void showAbout();
    void runUndo();
    void runRedo();
    void dispatch(const MainEvent& event);

    Document& doc_;
    QTimer animationTimer_;
    std::map<int, QAction*> actions_;          // by menu identifier
    std::map<int, QAbstractButton*> controls_; // by Control
    QLabel* statusFields_[3] = {};
    QButtonGroup* modeGroup_ = nullptr;
    bool quitting_ = false;
    bool endRequested_ = false; // a command asked to end the program
    int clickGuard_ = 0;
    int canvasEventSkip_ = 0;
    int heldDigit_ = 0;
    CanvasStroke stroke_; // a mouse button is held on a canvas: one history step
    // Undo came while a stroke was held: the rest of the drag paints nothing.
    bool strokeUndone_ = false;
};

} // namespace korvex
