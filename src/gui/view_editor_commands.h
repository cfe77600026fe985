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
