#include "gui/view_editor_window.h"

#include "core/glyph_code.h"
#include "core/history.h"
#include "core/row_table_edit.h"
#include "core/view_editor.h"
#include "gui/atari_view_window.h"
#include "gui/canvas_widget.h"
#include "gui/caption_fit.h"
#include "gui/main_window.h"
#include "gui/range_dialog.h"
#include "gui/single_window.h"
#include "gui/window_commands.h"
#include "render/glyph_areas.h"
#include "render/row_strip_drawing.h"
#include "render/view_editor_drawing.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <cstring>
#include <optional>
#include <utility>

namespace korvex {

namespace {

// The row strip stands right of the screen selector's vertical scroll bar, its
// bands level with the canvas rows; the window is wider by the strip.
constexpr int kCanvasTop = 14;
constexpr int kRowStripX = 796;
constexpr int kRowStripInset = 2;
constexpr int kClientWidth = kRowStripX + kRowStripSize.width + 2 * kRowStripInset + 9; // 849
constexpr int kClientHeight = 477;
const QColor kBackground(192, 192, 192);
constexpr int kCellPixels = 16;

bool validScreen(int screen) {
    return screen >= 0 && screen < kScreenCount;
}

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

// The row of a menu or control event, or nullptr.
const ViewEditorCommand* commandOf(const ViewEditorEvent& event) {
    if (event.kind == ViewEditorEventKind::Menu)
        return commandOfMenu(viewEditorCommands(), event.id);
    if (event.kind == ViewEditorEventKind::Control)
        return commandOfControl(viewEditorCommands(), int(event.control));
    return nullptr;
}

// The history step of a row strip event that changes the row table, or nullptr.
const char* rowStripStepName(const ViewEditorEvent& event) {
    if (event.kind != ViewEditorEventKind::RowStrip)
        return nullptr;
    switch (event.strip) {
    case RowStripAction::StepFont:
    case RowStripAction::SetFont:
        return "Row Font";
    case RowStripAction::StepMode:
    case RowStripAction::SetMode:
        return "Row Mode";
    case RowStripAction::Select:
    case RowStripAction::OpenMenu:
        break;
    }
    return nullptr;
}

// What a button held on the canvas does: the right one erases, the left one paints
// or stamps the set.
const char* strokeName(const ViewEditorEvent& event, const Document& doc) {
    if (event.buttons == 2)
        return "Erase";
    return doc.setDrawing == 1 ? "Stamp" : "Paint Screen";
}

} // namespace

ViewEditorWindow::ViewEditorWindow(MainWindow& window)
    : QMainWindow(&window, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                               Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                               Qt::WindowCloseButtonHint),
      window_(window), doc_(window.doc()), stroke_(window.doc()) {
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
    updateCommandStates();
    qApp->installEventFilter(this);
    fitCaptions(this);
}

ViewEditorWindow::~ViewEditorWindow() {
    qApp->removeEventFilter(this);
}

void ViewEditorWindow::buildMenus() {
    for (const ViewEditorCommand& command : viewEditorCommands()) {
        if (command.menu == 0)
            continue;
        QAction* action =
            addCommandMenuItem(menuBar(), command.menuTitle, command.menuText, command.shortcut,
                               command.separatorBefore, command.wholeApplication);
        const int id = command.menu;
        connect(action, &QAction::triggered, this, [this, id] {
            ViewEditorEvent e{ViewEditorEventKind::Menu};
            e.id = id;
            dispatch(e);
        });
        actions_[id] = action;
    }
}

RangeDialog* ViewEditorWindow::rangeDialog() const {
    return rangeDialog_.data();
}

bool ViewEditorWindow::rangeWindowOpen() const {
    return rangeDialog_ && rangeDialog_->isOpen();
}

QAction* ViewEditorWindow::menuAction(int id) const {
    auto it = actions_.find(id);
    return it == actions_.end() ? nullptr : it->second;
}

QAbstractButton* ViewEditorWindow::commandWidget(ViewEditorControl control) const {
    auto it = controls_.find(int(control));
    return it == controls_.end() ? nullptr : it->second;
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
    buildRowStrip();
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

    for (const ViewEditorCommand& command : viewEditorCommands()) {
        QAbstractButton* widget = makeCommandWidget(client, command.widget);
        if (!widget)
            continue;
        if (command.checked)
            widget->setChecked(command.checked(*this));
        const ViewEditorControl control = ViewEditorControl(command.control);
        connect(widget, &QAbstractButton::clicked, this, [this, control] {
            ViewEditorEvent e{ViewEditorEventKind::Control};
            e.control = control;
            dispatch(e);
        });
        controls_[command.control] = widget;
    }
    auto push = [this](ViewEditorControl c) { return static_cast<QPushButton*>(commandWidget(c)); };
    LoadButton = push(ViewEditorControl::Load);
    LoadScreenButton = push(ViewEditorControl::LoadScreen);
    SaveButton = push(ViewEditorControl::Save);
    SaveScreenButton = push(ViewEditorControl::SaveScreen);
    LoadRangeButton = push(ViewEditorControl::LoadRange);
    SaveExportRangeButton = push(ViewEditorControl::SaveExportRange);
    ExportScreenButton = push(ViewEditorControl::ExportScreen);
    ViewAllScreensButton = push(ViewEditorControl::ViewAllScreens);
    GridToggle = push(ViewEditorControl::Grid);
    SetDrawToggle = push(ViewEditorControl::SetDraw);
    AlwaysOnTopToggle = push(ViewEditorControl::AlwaysOnTop);
}

void ViewEditorWindow::buildRowStrip() {
    QWidget* client = centralWidget();
    RowStrip =
        new CanvasWidget(client, kRowStripX, kCanvasTop, kRowStripSize.width + 2 * kRowStripInset,
                         kRowStripSize.height + 2 * kRowStripInset, true);
    RowStrip->setObjectName("RowStrip");
    RowStrip->setToolTip("Font (F) and mode (M) of each row: click or wheel for the next value, "
                         "right click for the menu");
    RowStrip->onInput = [this](const CanvasInput& input) {
        const std::optional<RowStripPlace> place = rowStripPlaceAt(input.x, input.y);
        if (input.kind != CanvasEventKind::Press || !place)
            return;
        const bool font = place->column == RowStripColumn::Font;
        if (input.button == Qt::LeftButton)
            sendRowStripEvent(font ? RowStripAction::StepFont : RowStripAction::StepMode,
                              place->row, 1);
        else if (input.button == Qt::RightButton)
            sendRowStripEvent(RowStripAction::OpenMenu, place->row, 0, input.x, input.y);
        else
            sendRowStripEvent(RowStripAction::Select, place->row);
    };
    RowStrip->onWheel = [this](int x, int y, int notches) {
        if (const std::optional<RowStripPlace> place = rowStripPlaceAt(x, y))
            sendRowStripEvent(place->column == RowStripColumn::Font ? RowStripAction::StepFont
                                                                    : RowStripAction::StepMode,
                              place->row, notches);
    };
    const char* headings[] = {"F", "M"};
    const char* tips[] = {"Font of the row (- follows the current font)",
                          "Mode of the row: 2, 4 or 5 (- follows the current mode)"};
    for (int i = 0; i < 2; ++i) {
        auto* heading = new QLabel(headings[i], client);
        heading->setGeometry(kRowStripX + kRowStripInset + i * kRowStripColumnWidth, 0,
                             kRowStripColumnWidth, kCanvasTop);
        heading->setAlignment(Qt::AlignCenter);
        heading->setToolTip(tips[i]);
    }
}

// The selector shows the screen being edited. A screen number past the last
// screen shows the last position rather than an impossible one.
void ViewEditorWindow::showScreenSelector() {
    const QSignalBlocker blockVertical(VerticalScrollBar);
    const QSignalBlocker blockHorizontal(HorizontalScrollBar);
    HorizontalScrollBar->setValue(sheetColumnOf(doc_));
    VerticalScrollBar->setValue(sheetRowOf(doc_));
    showScreenPosition(sheetColumnOf(doc_), sheetRowOf(doc_));
}

void ViewEditorWindow::showScreenPosition(int column, int row) {
    PositionText->setText(QString("%1,%2").arg(column).arg(row));
}

void ViewEditorWindow::redrawCanvas(int previewX, int previewY) {
    drawViewEditor(doc_, Canvas->image(), previewX, previewY);
    Canvas->update();
    if (AtariViewWindow* view = atariViewOf(*this))
        view->redraw();
    redrawRowStrip();
    updateCommandStates();
    window_.updateUndoAction();
    previewShown_ = previewX >= 0;
}

void ViewEditorWindow::redrawRowStrip() {
    // The strip follows every canvas redraw, so it is drawn only when what it
    // shows has changed.
    const int screen = doc_.currentScreen;
    const RowTable table = validScreen(screen) ? doc_.rowTables[screen] : RowTable{};
    if (stripShown_ && stripShown_->screen == screen && stripShown_->row == currentRow_ &&
        std::memcmp(&stripShown_->table, &table, sizeof table) == 0)
        return;
    stripShown_ = ShownStrip{screen, currentRow_, table};
    drawRowStrip(doc_, RowStrip->image(), currentRow_);
    RowStrip->update();
}

void ViewEditorWindow::updateCommandStates() {
    for (const ViewEditorCommand& command : viewEditorCommands())
        if (command.enabled)
            if (QAction* action = menuAction(command.menu))
                action->setEnabled(command.enabled(*this));
}

void ViewEditorWindow::rowTableChanged() {
    redrawCanvas();
}

QMenu* ViewEditorWindow::rowStripMenu() const {
    return rowStripMenu_.data();
}

void ViewEditorWindow::sendRowStripEvent(RowStripAction action, int row, int value, int x, int y) {
    ViewEditorEvent e{ViewEditorEventKind::RowStrip};
    e.strip = action;
    e.row = row;
    e.value = value;
    e.x = x;
    e.y = y;
    dispatch(e);
}

void ViewEditorWindow::rowStripEvent(const ViewEditorEvent& event) {
    if (event.row < 0 || event.row >= kRowTableRows)
        return;
    currentRow_ = event.row;
    const int screen = doc_.currentScreen;
    const RowTable table = validScreen(screen) ? doc_.rowTables[screen] : RowTable{};
    bool changed = false;
    switch (event.strip) {
    case RowStripAction::Select:
        break;
    case RowStripAction::StepFont:
        changed =
            setRowFont(doc_, screen, event.row, steppedRowFont(table.font[event.row], event.value));
        break;
    case RowStripAction::StepMode:
        changed = setRowMode(doc_, screen, event.row,
                             steppedRowMode(RowMode(table.mode[event.row]), event.value));
        break;
    case RowStripAction::SetFont:
        changed = setRowFont(doc_, screen, event.row, event.value);
        break;
    case RowStripAction::SetMode:
        changed = setRowMode(doc_, screen, event.row, RowMode(event.value));
        break;
    case RowStripAction::OpenMenu:
        redrawRowStrip();
        openRowStripMenu(event.x, event.y);
        return;
    }
    if (changed)
        rowTableChanged();
    else
        redrawRowStrip();
}

// The strip's menu for the current row: its font and mode, and the Rows commands.
void ViewEditorWindow::openRowStripMenu(int x, int y) {
    if (rowStripMenu_)
        rowStripMenu_->close();
    const int row = currentRow_;
    const int screen = doc_.currentScreen;
    const RowTable table = validScreen(screen) ? doc_.rowTables[screen] : RowTable{};
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    auto choice = [this, row](QMenu* into, const QString& text, RowStripAction action, int value,
                              bool current) {
        QAction* item = into->addAction(text);
        item->setCheckable(true);
        item->setChecked(current);
        connect(item, &QAction::triggered, this,
                [this, action, row, value] { sendRowStripEvent(action, row, value); });
    };
    QMenu* fonts = menu->addMenu("Font");
    choice(fonts, "Follow", RowStripAction::SetFont, kRowFontFollow,
           rowFontText(table.font[row]) == "-");
    for (int font = 1; font <= kFontCount; ++font)
        choice(fonts, QString::number(font), RowStripAction::SetFont, font,
               table.font[row] == font);
    QMenu* modes = menu->addMenu("Mode");
    const std::pair<RowMode, const char*> modeChoices[] = {
        {RowMode::Follow, "Follow"},
        {RowMode::TwoColour, "2: two colours"},
        {RowMode::FourColour, "4: four colours"},
        {RowMode::FourColourTall, "5: four colours, double height"}};
    for (const auto& [mode, text] : modeChoices)
        choice(modes, text, RowStripAction::SetMode, int(mode),
               rowModeText(table.mode[row]) == rowModeText(int(mode)));
    menu->addSeparator();
    for (int id :
         {ViewEditorMenuApplyRowToAllRows, ViewEditorMenuCopyRowTable, ViewEditorMenuPasteRowTable})
        if (QAction* action = menuAction(id))
            menu->addAction(action);
    rowStripMenu_ = menu;
    menu->popup(RowStrip->mapToGlobal(QPoint(x + kRowStripInset, y + kRowStripInset)));
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
    if (AtariViewWindow* view = atariViewOf(*this))
        view->redrawGlyph(changed);
}

int ViewEditorWindow::viewEditorEvent(const ViewEditorEvent& event) {
    switch (event.kind) {
    case ViewEditorEventKind::Close:
        doc_.viewEditorX = pos().x();
        doc_.viewEditorY = pos().y();
        return 0;
    case ViewEditorEventKind::KeyDown:
        if (event.active && event.id == Qt::Key_Control)
            controlHeld_ = true;
        break;
    case ViewEditorEventKind::KeyUp:
        controlHeld_ = false;
        break;
    case ViewEditorEventKind::Menu:
    case ViewEditorEventKind::Control:
        if (const ViewEditorCommand* command = commandOf(event))
            command->run(*this);
        if (closeRequested_) {
            closeRequested_ = false;
            return 0;
        }
        break;
    case ViewEditorEventKind::Canvas:
        canvasEvent(event);
        break;
    case ViewEditorEventKind::RowStrip:
        rowStripEvent(event);
        break;
    }
    return 1;
}

void ViewEditorWindow::openRange(RangeMode mode) {
    if (rangeWindowOpen())
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
    const std::optional<ScreenPosition> cell = viewEditorCellAt(doc_, event.x, event.y);
    if (cell && doc_.setDrawing == 1)
        redrawCanvas(int(cell->column) * kCellPixels, int(cell->row) * kCellPixels);
    switch (viewEditorMouse(doc_, event.x, event.y, event.buttons, controlHeld_)) {
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
    // A stroke on the canvas is one history step; so is each command that changes
    // the screens. A command or a close ends a stroke in progress.
    std::optional<HistoryStep> step;
    if (event.kind == ViewEditorEventKind::Canvas) {
        stroke_.before(event.buttons, strokeName(event, doc_));
    } else if (event.kind != ViewEditorEventKind::KeyDown &&
               event.kind != ViewEditorEventKind::KeyUp) {
        stroke_.end();
        const ViewEditorCommand* command = commandOf(event);
        if (command && command->step)
            step.emplace(doc_, command->step);
        else if (const char* name = rowStripStepName(event))
            step.emplace(doc_, name);
    }
    const int result = viewEditorEvent(event);
    if (event.kind == ViewEditorEventKind::Canvas)
        stroke_.after(event.buttons);
    step.reset();
    updateCommandStates();
    window_.updateUndoAction();
    if (result == 0) {
        finishClosing();
        close();
    }
}

// What follows a 0 from the event procedure: the View Editor and its range
// dialog are gone from the document and the main window's redraw.
void ViewEditorWindow::finishClosing() {
    stroke_.end();
    closing_ = true;
    window_.viewEditorOpen = false;
    if (rangeWindowOpen())
        rangeDialog_->dismiss();
    if (AtariViewWindow* view = atariViewOf(*this))
        view->close();
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
    return singleWindowOf<ViewEditorWindow>(window);
}

void openViewEditorCommand(MainWindow& window) {
    window.viewEditorOpen = true;
    // One View Editor at most, even if the open flag was lowered behind its back.
    auto [editor, made] =
        singleWindow<ViewEditorWindow>(window, [&window] { return new ViewEditorWindow(window); });
    if (!made) {
        editor->raise();
        return;
    }
    window.viewEditorRedraw = [editor] { editor->showCurrentScreen(); };
    window.viewEditorGlyphRedraw = [editor](GlyphRef changed) { editor->redrawGlyph(changed); };
    editor->show();
    editor->redrawCanvas();
}

} // namespace korvex
