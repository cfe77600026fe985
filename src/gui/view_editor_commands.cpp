// The View Editor's command table: its menu items, buttons and switches.

#include "gui/view_editor_commands.h"

#include "core/document.h"
#include "core/row_table_edit.h"
#include "core/view_editor.h"
#include "formats/tmx_screen_import.h"
#include "gui/atari_view_window.h"
#include "gui/main_window.h"
#include "gui/picture_screen_window.h"
#include "gui/screen_picture_commands.h"
#include "gui/view_all_screens.h"
#include "gui/view_editor_file_commands.h"
#include "gui/view_editor_tiled_commands.h"
#include "gui/view_editor_window.h"
#include "gui/window_commands.h"

#include <QPushButton>
#include <QScrollBar>
#include <algorithm>

namespace korvex {

namespace {

constexpr int id(ViewEditorControl control) {
    return int(control);
}

// The buttons stand in a column at the left edge.
CommandWidget button(const char* caption, int y, int height) {
    return {WidgetKind::Button, caption, 9, y, 99, height};
}
// The switches stand in a row under the canvas.
CommandWidget toggle(const char* caption, int x, int width) {
    return {WidgetKind::Toggle, caption, x, 432, width, 18};
}

// A strip event on the current row, one place on.
ViewEditorEvent rowStripStep(RowStripAction action, const ViewEditorWindow& w) {
    ViewEditorEvent event{ViewEditorEventKind::RowStrip};
    event.strip = action;
    event.row = w.currentRow();
    event.value = 1;
    return event;
}

} // namespace

// A friend of ViewEditorWindow: the rows' functions use its private steps.
struct ViewEditorCommandRows {
    static std::vector<ViewEditorCommand> make();
};

std::vector<ViewEditorCommand> ViewEditorCommandRows::make() {
    using W = ViewEditorWindow;
    return {
        // File
        {.menu = ViewEditorMenuLoad,
         .control = id(ViewEditorControl::Load),
         .menuTitle = "File",
         .menuText = "Load ...",
         .widget = button("Load", 18, 27),
         .step = "Load Screens",
         .run =
             [](W& w) {
                 if (loadViewEditorDataCommand(&w, w.doc_))
                     w.redrawCanvas();
             }},
        {.menu = ViewEditorMenuSave,
         .control = id(ViewEditorControl::Save),
         .menuTitle = "File",
         .menuText = "Save ...",
         .widget = button("Save", 99, 27),
         .run = [](W& w) { saveViewEditorDataCommand(&w, w.doc_); }},
        {.menu = ViewEditorMenuExportToTiled,
         .menuTitle = "File",
         .menuText = "Export to Tiled...",
         .run = [](W& w) { exportScreenToTiledCommand(&w, w.doc_); }},
        {.menu = ViewEditorMenuImportFromTiled,
         .menuTitle = "File",
         .menuText = "Import from Tiled...",
         .step = kTiledImportStepName.c_str(),
         .run =
             [](W& w) {
                 if (importScreenFromTiledCommand(&w, w.doc_))
                     w.redrawCanvas();
             }},
        {.menu = ViewEditorMenuExportScreenImage,
         .menuTitle = "File",
         .menuText = "Export screen as image...",
         .run = [](W& w) { exportScreenPictureCommand(&w, w.doc_); }},
        {.menu = ViewEditorMenuImportPictureToScreen,
         .menuTitle = "File",
         .menuText = "Import picture to screen...\tCtrl+Shift+I",
         .shortcut = "Ctrl+Shift+I",
         .step = kPictureScreenStepName,
         .run =
             [](W& w) {
                 // Fonts, their colours, the screen and its row table change.
                 if (importPictureToScreen(&w, w.doc_))
                     w.window_.redrawMainWindow();
             }},
        {.menu = ViewEditorMenuExit,
         .menuTitle = "File",
         .menuText = "Exit",
         // Exit closes the View Editor as its close box does.
         .run =
             [](W& w) {
                 w.closeRequested_ = w.viewEditorEvent({ViewEditorEventKind::Close}) == 0;
             }},

        // Other
        {.menu = ViewEditorMenuClearScreen,
         .menuTitle = "Other",
         .menuText = "Clear Screen",
         .step = "Clear Screen",
         .run =
             [](W& w) {
                 clearScreen(w.doc_);
                 w.redrawCanvas();
             }},
        {.menu = ViewEditorMenuClearAllScreens,
         .menuTitle = "Other",
         .menuText = "Crear All Screens",
         .step = "Clear All Screens",
         .run =
             [](W& w) {
                 clearAllScreens(w.doc_);
                 w.redrawCanvas();
             }},
        {.menu = ViewEditorMenuFillScreen,
         .menuTitle = "Other",
         .menuText = "Fill Screen",
         .step = "Fill Screen",
         .run =
             [](W& w) {
                 fillScreen(w.doc_);
                 w.redrawCanvas();
             }},

        // Rows: the row table of the current screen; the strip beside the canvas
        // chooses the current row.
        {.menu = ViewEditorMenuApplyRowToAllRows,
         .menuTitle = "Rows",
         .menuText = "Apply Row to All Rows\tCtrl+Shift+A",
         .shortcut = "Ctrl+Shift+A",
         .step = "Apply Row to All Rows",
         .run =
             [](W& w) {
                 if (applyRowToAllRows(w.doc_, w.doc_.currentScreen, w.currentRow_))
                     w.rowTableChanged();
             }},
        {.menu = ViewEditorMenuCopyRowTable,
         .menuTitle = "Rows",
         .menuText = "Copy Row Table\tCtrl+Shift+C",
         .shortcut = "Ctrl+Shift+C",
         .run =
             [](W& w) {
                 if (w.doc_.currentScreen < kScreenCount)
                     w.copiedRowTable_ = w.doc_.rowTables[w.doc_.currentScreen];
             }},
        {.menu = ViewEditorMenuPasteRowTable,
         .menuTitle = "Rows",
         .menuText = "Paste Row Table\tCtrl+Shift+V",
         .shortcut = "Ctrl+Shift+V",
         .step = "Paste Row Table",
         .enabled = [](const W& w) { return w.copiedRowTable_.has_value(); },
         .run =
             [](W& w) {
                 if (w.copiedRowTable_ &&
                     setRowTable(w.doc_, w.doc_.currentScreen, *w.copiedRowTable_))
                     w.rowTableChanged();
             }},
        // The strip's click, from the keyboard: the current row's next font or mode,
        // and the row above or below made current.
        {.menu = ViewEditorMenuNextRowFont,
         .menuTitle = "Rows",
         .menuText = "Next Font for Row\tCtrl+Shift+F",
         .shortcut = "Ctrl+Shift+F",
         .separatorBefore = true,
         .step = "Row Font",
         .run = [](W& w) { w.rowStripEvent(rowStripStep(RowStripAction::StepFont, w)); }},
        {.menu = ViewEditorMenuNextRowMode,
         .menuTitle = "Rows",
         .menuText = "Next Mode for Row\tCtrl+Shift+M",
         .shortcut = "Ctrl+Shift+M",
         .step = "Row Mode",
         .run = [](W& w) { w.rowStripEvent(rowStripStep(RowStripAction::StepMode, w)); }},
        {.menu = ViewEditorMenuRowAbove,
         .menuTitle = "Rows",
         .menuText = "Row Above\tCtrl+Shift+Up",
         .shortcut = "Ctrl+Shift+Up",
         .separatorBefore = true,
         .run =
             [](W& w) {
                 ViewEditorEvent select = rowStripStep(RowStripAction::Select, w);
                 select.row = std::max(0, w.currentRow_ - 1);
                 w.rowStripEvent(select);
             }},
        {.menu = ViewEditorMenuRowBelow,
         .menuTitle = "Rows",
         .menuText = "Row Below\tCtrl+Shift+Down",
         .shortcut = "Ctrl+Shift+Down",
         .run =
             [](W& w) {
                 ViewEditorEvent select = rowStripStep(RowStripAction::Select, w);
                 select.row = std::min(kRowTableRows - 1, w.currentRow_ + 1);
                 w.rowStripEvent(select);
             }},
        // View
        {.menu = ViewEditorMenuAtariView,
         .menuTitle = "View",
         .menuText = "Atari View\tCtrl+T",
         .shortcut = "Ctrl+T",
         .run = [](W& w) { openAtariViewCommand(w, w.window_); }},

        // The buttons
        {.control = id(ViewEditorControl::LoadScreen),
         .widget = button("Load Screen", 54, 27),
         .step = "Load Screen",
         .run =
             [](W& w) {
                 if (loadViewEditorScreenCommand(&w, w.doc_))
                     w.redrawCanvas();
             }},
        {.control = id(ViewEditorControl::SaveScreen),
         .widget = button("Save Screen", 135, 27),
         .run = [](W& w) { saveViewEditorScreenCommand(&w, w.doc_); }},
        {.control = id(ViewEditorControl::LoadRange),
         .widget = button("Load Range", 180, 27),
         .run = [](W& w) { w.openRange(RangeMode::Load); }},
        {.control = id(ViewEditorControl::SaveExportRange),
         .widget = {WidgetKind::WrappingButton, "Save/Export Range", 9, 216, 99, 35},
         .run = [](W& w) { w.openRange(RangeMode::Save); }},
        {.control = id(ViewEditorControl::ExportScreen),
         .widget = button("Export Screen", 300, 27),
         .run =
             [](W& w) {
                 w.doc_.exportKind = "screen";
                 openExportWindowCommand(w.window_, 0, 0, 460, 580);
             }},
        {.control = id(ViewEditorControl::ViewAllScreens),
         .widget = button("View all screens", 418, 32),
         .run = [](W& w) { openViewAllScreens(w.window_, 0, 0, 970, 580); }},
        // The screen selector's two scroll bars.
        {.control = id(ViewEditorControl::ScrollBars),
         .run =
             [](W& w) {
                 const int column = w.HorizontalScrollBar->value();
                 const int row = w.VerticalScrollBar->value();
                 selectScreen(w.doc_, column, row);
                 w.showScreenPosition(column, row);
                 w.redrawCanvas();
             }},

        // The switches
        {.control = id(ViewEditorControl::Grid),
         .widget = toggle("GRID", 126, 72),
         .checked = [](const W& w) { return w.doc_.gridShown == 1; },
         .run =
             [](W& w) {
                 w.doc_.gridShown = w.GridToggle->isChecked() ? 1 : 0;
                 w.redrawCanvas();
             }},
        {.control = id(ViewEditorControl::SetDraw),
         .widget = toggle("SET DRAW", 216, 81),
         .checked = [](const W& w) { return w.doc_.setDrawing == 1; },
         .run = [](W& w) { w.doc_.setDrawing = w.SetDrawToggle->isChecked() ? 1 : 0; }},
        {.control = id(ViewEditorControl::AlwaysOnTop),
         .widget = toggle("ALWAYS ON TOP", 315, 108),
         .checked = [](const W& w) { return w.doc_.alwaysOnTop == 1; },
         .run =
             [](W& w) {
                 w.doc_.alwaysOnTop = w.AlwaysOnTopToggle->isChecked() ? 1 : 0;
                 w.applyAlwaysOnTop();
             }},
    };
}

const std::vector<ViewEditorCommand>& viewEditorCommands() {
    static const std::vector<ViewEditorCommand> rows = ViewEditorCommandRows::make();
    return rows;
}

} // namespace korvex
