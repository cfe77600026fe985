#pragma once
// The View Editor's commands: their identifiers and their table (see
// command_table.h). The rows are in view_editor_commands.cpp.

#include "gui/command_table.h"

#include <vector>

namespace korvex {

class ViewEditorWindow;

// Menu item identifiers.
enum ViewEditorMenuId : int {
    ViewEditorMenuLoad = 5125,
    ViewEditorMenuSave = 5126,
    ViewEditorMenuExportToTiled = 5127,
    ViewEditorMenuImportFromTiled = 5128,
    ViewEditorMenuClearScreen = 5136,
    ViewEditorMenuClearAllScreens = 5137,
    ViewEditorMenuFillScreen = 5138,
    ViewEditorMenuExit = 5140,
    // The Rows menu: the current screen's row table (5141..5149).
    ViewEditorMenuApplyRowToAllRows = 5141,
    ViewEditorMenuCopyRowTable = 5142,
    ViewEditorMenuPasteRowTable = 5143,
    ViewEditorMenuNextRowFont = 5144,
    ViewEditorMenuNextRowMode = 5145,
    ViewEditorMenuRowAbove = 5146,
    ViewEditorMenuRowBelow = 5147,
    // The screen as the machine shows it, and its picture.
    ViewEditorMenuAtariView = 5150,
    ViewEditorMenuExportScreenImage = 5151,
    ViewEditorMenuImportPictureToScreen = 5160,
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

using ViewEditorCommand = Command<ViewEditorWindow>;

// Every command of the View Editor, menus in menu order.
const std::vector<ViewEditorCommand>& viewEditorCommands();

} // namespace korvex
