#pragma once
// The main window's commands: their identifiers and their table (see
// command_table.h). The rows are in main_window_commands.cpp.

#include "gui/command_table.h"

#include <vector>

namespace korvex {

class MainWindow;

// Menu item identifiers; the keyboard shortcuts raise the same ones.
enum MenuId : int {
    MenuOpenProject = 1,
    MenuSaveProject = 2,
    MenuSaveProjectAs = 3,
    MenuAbout = 4,
    MenuExit = 5,
    MenuLoadFont = 6,
    MenuSaveFont = 7,
    MenuFontRange = 8,
    MenuDefaultFont = 9,
    MenuFontNext = 10,
    MenuFontPrevious = 11,
    MenuImportImage = 12,
    MenuRotate = 13,
    MenuHMirror = 14,
    MenuVMirror = 15,
    MenuShiftLeft = 16,
    MenuShiftRight = 17,
    MenuShiftUp = 18,
    MenuShiftDown = 19,
    MenuInverse = 20,
    MenuClear = 21,
    MenuCopy = 22,
    MenuPaste = 23,
    MenuGrid = 24,
    MenuSetNext = 25,
    MenuSetPrevious = 26,
    MenuLoadSet = 27,
    MenuSaveSet = 28,
    MenuLoadAllSets = 29,
    MenuSaveAllSets = 30,
    MenuSetCopy = 31,
    MenuSetPaste = 32,
    MenuSetClear = 33,
    MenuSetClearBits = 34,
    MenuExportSetBin = 35,
    MenuUndo = 36,
    MenuRedo = 37,
    MenuFindDuplicates = 38,
    MenuMarkUnusedGlyphs = 39,
    MenuTextPreview = 40,
};

// The controls (buttons, check boxes, options) that run a command.
enum class Control {
    AnimStart,
    Normal,
    Mask,
    SetCopy,
    SetPaste,
    SetsViewer,
    ViewEditor,
    ExportImage,
    SaveSet,
    SaveAllSets,
    LoadSet,
    LoadAllSets,
    ExportAs,
    SaveColours,
    LoadColours,
    Copy,
    Paste,
    Clear,
    Inverse,
    HMirror,
    VMirror,
    Rotate,
    ShiftRight,
    ShiftLeft,
    ShiftUp,
    ShiftDown,
    PaletteLUM,
    PaletteBAK,
    PalettePF0,
    PalettePF1,
    PalettePF2,
    PalettePF3,
    FontNext,
    FontPrev,
    SetNext,
    SetPrev,
    GridCheck,
    DrawOnSetCheck,
    LoadFont,
    DefaultFont,
    SaveFont,
    SaveRange,
    Mode,
    MultiFontViewer,
};

using MainCommand = Command<MainWindow>;

// Every command of the main window, menus in menu order.
const std::vector<MainCommand>& mainWindowCommands();

} // namespace korvex
