#include "gui/view_editor_window.h"

#include "core/glyph_code.h"
#include "core/history.h"
#include "core/view_editor.h"
#include "gui/canvas_widget.h"
#include "gui/caption_fit.h"
#include "gui/history_step_names.h"
#include "gui/main_window.h"
#include "gui/range_dialog.h"
#include "gui/view_all_screens.h"
#include "gui/view_editor_file_commands.h"
#include "gui/window_commands.h"
#include "gui/wrapping_button.h"
#include "render/glyph_areas.h"
#include "render/view_editor_drawing.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <optional>

namespace korvex {

namespace {

constexpr int kClientWidth = 801;
constexpr int kClientHeight = 477;
const QColor kBackground(192, 192, 192);
constexpr int kCellPixels = 16;

void fillBackground(QWidget* widget) {
    widget->setAutoFillBackground(true);
    QPalette p = widget->palette();
    p.setColor(QPalette::Window, kBackground);
    widget->setPalette(p);
}

QScrollBar* makeScrollBar(QWidget* parent, Qt::Orientation orientation, int x, int y, int w,
                          int h) {
    auto* bar = new QScrollBar(orientation, parent);
    bar->setGeometry(x, y, w, h);
    bar->setRange(0, 2);
    bar->setPageStep(1);
    return bar;
}

} // namespace

ViewEditorWindow::ViewEditorWindow(MainWindow& window)
    : QMainWindow(&window, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                               Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                               Qt::WindowCloseButtonHint),
      window_(window), doc_(window.doc()) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName("ViewEditorWindow");
    setWindowTitle("View Editor");
    QFont small = font();
    small.setPixelSize(11);
    setFont(small);
    auto* client = new QWidget(this);
    client->setFixedSize(kClientWidth, kClientHeight);
    fillBackground(client);
    setCentralWidget(client);
    buildMenus();
    buildControls();
    adjustSize();
    setFixedSize(sizeHint());
    if (doc_.alwaysOnTop == 1)
        setWindowFlag(Qt::WindowStaysOnTopHint, true);
    move(doc_.viewEditorX, doc_.viewEditorY);
    qApp->installEventFilter(this);
    fitCaptions(this);
}

ViewEditorWindow::~ViewEditorWindow() {
    qApp->removeEventFilter(this);
}

void ViewEditorWindow::buildMenus() {
    struct Item {
        int id;
        const char* text;
    };
    const Item fileItems[] = {{ViewEditorMenuLoad, "Load ..."},
                              {ViewEditorMenuSave, "Save ..."},
                              {ViewEditorMenuExit, "Exit"}};
    const Item otherItems[] = {{ViewEditorMenuClearScreen, "Clear Screen"},
                               {ViewEditorMenuClearAllScreens, "Crear All Screens"},
                               {ViewEditorMenuFillScreen, "Fill Screen"}};
    auto addItems = [this](QMenu* menu, const auto& items) {
        for (const Item& item : items) {
            QAction* action = menu->addAction(item.text);
            const int id = item.id;
            connect(action, &QAction::triggered, this, [this, id] {
                ViewEditorEvent e{ViewEditorEventKind::Menu};
                e.id = id;
                dispatch(e);
            });
            actions_[id] = action;
        }
    };
    addItems(menuBar()->addMenu("File"), fileItems);
    addItems(menuBar()->addMenu("Other"), otherItems);
}

RangeDialog* ViewEditorWindow::rangeDialog() const {
    return rangeDialog_.data();
}

QAction* ViewEditorWindow::menuAction(int id) const {
    auto it = actions_.find(id);
    return it == actions_.end() ? nullptr : it->second;
}

QPushButton* ViewEditorWindow::addButton(ViewEditorControl control, const QString& caption, int y,
                                         int height, bool wraps) {
    QWidget* client = centralWidget();
    QPushButton* button =
        wraps ? new WrappingButton(caption, client) : new QPushButton(caption, client);
    button->setGeometry(9, y, 99, height);
    connect(button, &QPushButton::clicked, this, [this, control] {
        ViewEditorEvent e{ViewEditorEventKind::Control};
        e.control = control;
        dispatch(e);
    });
    return button;
}

QPushButton* ViewEditorWindow::addToggle(ViewEditorControl control, const QString& caption, int x,
                                         int width, bool checked) {
    auto* toggle = new QPushButton(caption, centralWidget());
    toggle->setGeometry(x, 432, width, 18);
    toggle->setCheckable(true);
    toggle->setChecked(checked);
    connect(toggle, &QPushButton::clicked, this, [this, control](bool state) {
        ViewEditorEvent e{ViewEditorEventKind::Control};
        e.control = control;
        e.checked = state;
        dispatch(e);
    });
    return toggle;
}

void ViewEditorWindow::buildControls() {
    QWidget* client = centralWidget();
    Canvas = new CanvasWidget(client, 126, 14, 644, 388, true);
    Canvas->onInput = [this](const CanvasInput& input) {
        ViewEditorEvent e{ViewEditorEventKind::Canvas};
        e.x = input.x;
        e.y = input.y;
        e.buttons = input.buttons;
        dispatch(e);
    };

    VerticalScrollBar = makeScrollBar(client, Qt::Vertical, 774, 14, 18, 388);
    HorizontalScrollBar = makeScrollBar(client, Qt::Horizontal, 126, 405, 644, 18);
    ScreenLabel = new QLabel("SCREEN:", client);
    ScreenLabel->setGeometry(648, 432, 54, 18);
    fillBackground(ScreenLabel);
    PositionText = new QLabel(client);
    PositionText->setGeometry(711, 432, 54, 18);
    PositionText->setAlignment(Qt::AlignCenter);
    PositionText->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    PositionText->setLineWidth(1);
    showScreenSelector();
    for (QScrollBar* bar : {VerticalScrollBar, HorizontalScrollBar})
        connect(bar, &QScrollBar::valueChanged, this, [this] {
            ViewEditorEvent e{ViewEditorEventKind::Control};
            e.control = ViewEditorControl::ScrollBars;
            dispatch(e);
        });

    LoadButton = addButton(ViewEditorControl::Load, "Load", 18, 27);
    LoadScreenButton = addButton(ViewEditorControl::LoadScreen, "Load Screen", 54, 27);
    SaveButton = addButton(ViewEditorControl::Save, "Save", 99, 27);
    SaveScreenButton = addButton(ViewEditorControl::SaveScreen, "Save Screen", 135, 27);
    LoadRangeButton = addButton(ViewEditorControl::LoadRange, "Load Range", 180, 27);
    SaveExportRangeButton =
        addButton(ViewEditorControl::SaveExportRange, "Save/Export Range", 216, 35, true);
    ExportScreenButton = addButton(ViewEditorControl::ExportScreen, "Export Screen", 300, 27);
    ViewAllScreensButton =
        addButton(ViewEditorControl::ViewAllScreens, "View all screens", 418, 32);

    GridToggle = addToggle(ViewEditorControl::Grid, "GRID", 126, 72, doc_.gridShown == 1);
    SetDrawToggle =
        addToggle(ViewEditorControl::SetDraw, "SET DRAW", 216, 81, doc_.setDrawing == 1);
    AlwaysOnTopToggle =
        addToggle(ViewEditorControl::AlwaysOnTop, "ALWAYS ON TOP", 315, 108, doc_.alwaysOnTop == 1);
}

// The selector shows the screen being edited. A screen number past the last
// screen shows the last position rather than an impossible one.
void ViewEditorWindow::showScreenSelector() {
    const QSignalBlocker blockVertical(VerticalScrollBar);
    const QSignalBlocker blockHorizontal(HorizontalScrollBar);
    HorizontalScrollBar->setValue(sheetColumnOf(doc_));
    VerticalScrollBar->setValue(sheetRowOf(doc_));
    PositionText->setText(QString("%1,%2").arg(sheetColumnOf(doc_)).arg(sheetRowOf(doc_)));
}

void ViewEditorWindow::redrawCanvas(int previewX, int previewY) {
    drawViewEditor(doc_, Canvas->image(), previewX, previewY);
    Canvas->update();
    window_.updateUndoAction();
    previewShown_ = previewX >= 0;
}

void ViewEditorWindow::showCurrentScreen() {
    showScreenSelector();
    redrawCanvas();
}

void ViewEditorWindow::redrawGlyph(GlyphRef changed) {
    // A redraw takes the set preview away, which only a whole redraw does.
    if (previewShown_) {
        redrawCanvas();
        return;
    }
    Canvas->redrawAreas(
        fewAreas(viewEditorAreasShowing(doc_, changed)),
        [this](QImage& image, const QRect& area) { drawViewEditor(doc_, image, -1, -1, area); });
}

int ViewEditorWindow::viewEditorEvent(const ViewEditorEvent& event) {
    switch (event.kind) {
    case ViewEditorEventKind::Close:
        doc_.viewEditorX = pos().x();
        doc_.viewEditorY = pos().y();
        return 0;
    case ViewEditorEventKind::KeyDown:
        if (event.active && event.id == Qt::Key_Control)
            doc_.controlHeld = 17;
        break;
    case ViewEditorEventKind::KeyUp:
        doc_.controlHeld = 0;
        break;
    case ViewEditorEventKind::Menu:
        switch (event.id) {
        case ViewEditorMenuLoad:
            if (loadViewEditorDataCommand(this, doc_))
                redrawCanvas();
            break;
        case ViewEditorMenuSave:
            saveViewEditorDataCommand(this, doc_);
            break;
        case ViewEditorMenuExit:
            // Exit closes the View Editor as its close box does.
            return viewEditorEvent({ViewEditorEventKind::Close});
        case ViewEditorMenuClearScreen:
            clearScreen(doc_);
            redrawCanvas();
            break;
        case ViewEditorMenuClearAllScreens:
            clearAllScreens(doc_);
            redrawCanvas();
            break;
        case ViewEditorMenuFillScreen:
            fillScreen(doc_);
            redrawCanvas();
            break;
        }
        break;
    case ViewEditorEventKind::Control:
        runControl(event);
        break;
    case ViewEditorEventKind::Canvas:
        canvasEvent(event);
        break;
    }
    return 1;
}

void ViewEditorWindow::runControl(const ViewEditorEvent& event) {
    switch (event.control) {
    case ViewEditorControl::Load:
        if (loadViewEditorDataCommand(this, doc_))
            redrawCanvas();
        break;
    case ViewEditorControl::Save:
        saveViewEditorDataCommand(this, doc_);
        break;
    case ViewEditorControl::LoadScreen:
        if (loadViewEditorScreenCommand(this, doc_))
            redrawCanvas();
        break;
    case ViewEditorControl::SaveScreen:
        saveViewEditorScreenCommand(this, doc_);
        break;
    case ViewEditorControl::LoadRange:
        openRange(RangeMode::Load);
        break;
    case ViewEditorControl::SaveExportRange:
        openRange(RangeMode::Save);
        break;
    case ViewEditorControl::ExportScreen:
        doc_.exportKind = "screen";
        openExportWindowCommand(window_, 0, 0, 460, 580);
        break;
    case ViewEditorControl::ViewAllScreens:
        openViewAllScreens(window_, 0, 0, 970, 580);
        break;
    case ViewEditorControl::ScrollBars: {
        const int column = HorizontalScrollBar->value();
        const int row = VerticalScrollBar->value();
        selectScreen(doc_, column, row);
        PositionText->setText(QString("%1,%2").arg(column).arg(row));
        redrawCanvas();
        break;
    }
    case ViewEditorControl::Grid:
        doc_.gridShown = event.checked ? 1 : 0;
        redrawCanvas();
        break;
    case ViewEditorControl::SetDraw:
        doc_.setDrawing = event.checked ? 1 : 0;
        break;
    case ViewEditorControl::AlwaysOnTop:
        doc_.alwaysOnTop = event.checked ? 1 : 0;
        applyAlwaysOnTop();
        break;
    }
}

void ViewEditorWindow::openRange(RangeMode mode) {
    if (doc_.rangeWindow != 0)
        return;
    rangeDialog_ = openRangeDialog(window_, this, mode, [this] { redrawCanvas(); });
    redrawCanvas();
}

void ViewEditorWindow::applyAlwaysOnTop() {
    // Changing a window flag hides the window; show it again where it was.
    const QPoint where = pos();
    setWindowFlag(Qt::WindowStaysOnTopHint, doc_.alwaysOnTop == 1);
    move(where);
    show();
}

void ViewEditorWindow::canvasEvent(const ViewEditorEvent& event) {
    const std::optional<ScreenCell> cell = viewEditorCellAt(doc_, event.x, event.y);
    if (cell && doc_.setDrawing == 1)
        redrawCanvas(int(cell->column) * kCellPixels, int(cell->row) * kCellPixels);
    switch (viewEditorMouse(doc_, event.x, event.y, event.buttons)) {
    case ViewEditorMouseResult::Picked: {
        // The main window's glyph labels follow the picked code.
        const QString code = QString::fromStdString(codeForm(doc_.PickedGlyph));
        window_.PickedCodeLabel->setText(code);
        window_.updateGlyphInfoLabel();
        window_.redrawMainWindow();
        break;
    }
    case ViewEditorMouseResult::Painted:
    case ViewEditorMouseResult::Erased:
        redrawCanvas();
        // The screens' glyph uses changed.
        if (doc_.MarkUnusedGlyphs == 1)
            window_.drawFontCanvas();
        break;
    case ViewEditorMouseResult::None:
        break;
    }
}

bool ViewEditorWindow::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if ((type == QEvent::KeyPress || type == QEvent::KeyRelease) && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == this) {
        auto* key = static_cast<QKeyEvent*>(event);
        ViewEditorEvent e{type == QEvent::KeyPress ? ViewEditorEventKind::KeyDown
                                                   : ViewEditorEventKind::KeyUp};
        e.id = key->key();
        e.active = isActiveWindow();
        if (!key->isAutoRepeat())
            dispatch(e);
    }
    return QMainWindow::eventFilter(watched, event);
}

void ViewEditorWindow::dispatch(const ViewEditorEvent& event) {
    if (closing_)
        return;
    // From a button going down on the canvas until every button is up is one
    // history step; so is each command that changes the screens.
    std::optional<HistoryStep> step;
    if (event.kind == ViewEditorEventKind::Canvas) {
        if (event.buttons != 0 && !stroke_) {
            doc_.history.begin(doc_, stepNameOfViewEditorStroke(event, doc_));
            stroke_ = true;
        }
    } else if (event.kind != ViewEditorEventKind::KeyDown &&
               event.kind != ViewEditorEventKind::KeyUp) {
        endStroke();
        if (const char* name = stepNameOfViewEditorEvent(event))
            step.emplace(doc_, name);
    }
    const int result = viewEditorEvent(event);
    if (event.kind == ViewEditorEventKind::Canvas && event.buttons == 0)
        endStroke();
    step.reset();
    window_.updateUndoAction();
    if (result == 0) {
        finishClosing();
        close();
    }
}

void ViewEditorWindow::endStroke() {
    if (!stroke_)
        return;
    stroke_ = false;
    doc_.history.commit(doc_);
}

// What follows a 0 from the event procedure: the View Editor and its range
// dialog are gone from the document and the main window's redraw.
void ViewEditorWindow::finishClosing() {
    endStroke();
    closing_ = true;
    doc_.viewEditorOpen = 0;
    if (doc_.rangeWindow != 0 && rangeDialog_)
        rangeDialog_->dismiss();
    doc_.rangeWindow = 0;
    doc_.rangeFrameShown = 0;
    window_.viewEditorRedraw = nullptr;
    window_.viewEditorGlyphRedraw = nullptr;
}

void ViewEditorWindow::closeEvent(QCloseEvent* event) {
    if (closing_) {
        event->accept();
        return;
    }
    if (viewEditorEvent({ViewEditorEventKind::Close}) == 0) {
        finishClosing();
        event->accept();
    } else {
        event->ignore();
    }
}

ViewEditorWindow* findViewEditor(MainWindow& window) {
    for (auto* editor :
         window.findChildren<ViewEditorWindow*>(QString(), Qt::FindDirectChildrenOnly))
        if (!editor->closing())
            return editor;
    return nullptr;
}

void openViewEditorCommand(MainWindow& window) {
    Document& doc = window.doc();
    doc.viewEditorOpen = 1;
    // One View Editor at most, even if the open flag was lowered behind its back.
    if (ViewEditorWindow* open = findViewEditor(window)) {
        open->raise();
        return;
    }
    auto* editor = new ViewEditorWindow(window);
    window.viewEditorRedraw = [editor] { editor->showCurrentScreen(); };
    window.viewEditorGlyphRedraw = [editor](GlyphRef changed) { editor->redrawGlyph(changed); };
    editor->show();
    editor->redrawCanvas();
}

} // namespace korvex
