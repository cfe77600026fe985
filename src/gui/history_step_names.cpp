// The names the history gives the steps of the windows' commands and strokes,
// shown in the Undo and Redo items.

#include "gui/history_step_names.h"

namespace korvex {

// The history name of a menu item that changes the work, or nullptr for the ones
// that only show, select or save.
const char* stepNameOfMenu(int id) {
    switch (id) {
    case MenuOpenProject:
        return "Open Project";
    case MenuLoadFont:
        return "Load Font";
    case MenuDefaultFont:
        return "Default Font";
    case MenuRotate:
        return "Rotate";
    case MenuHMirror:
        return "H Mirror";
    case MenuVMirror:
        return "V Mirror";
    case MenuShiftLeft:
    case MenuShiftRight:
    case MenuShiftUp:
    case MenuShiftDown:
        return "Shift";
    case MenuInverse:
        return "Inverse";
    case MenuClear:
        return "Clear";
    case MenuPaste:
        return "Paste";
    case MenuLoadSet:
        return "Load Set";
    case MenuLoadAllSets:
        return "Load Sets";
    case MenuSetPaste:
        return "Set Paste";
    case MenuSetClear:
        return "Set Clear";
    case MenuSetClearBits:
        return "Clear Bits";
    default:
        return nullptr;
    }
}

// The same for the window's buttons.
const char* stepNameOfControl(Control control) {
    switch (control) {
    case Control::SetPaste:
        return stepNameOfMenu(MenuSetPaste);
    case Control::LoadSet:
        return stepNameOfMenu(MenuLoadSet);
    case Control::LoadAllSets:
        return stepNameOfMenu(MenuLoadAllSets);
    case Control::LoadColours:
        return "Load Colours";
    case Control::Paste:
        return stepNameOfMenu(MenuPaste);
    case Control::Clear:
        return stepNameOfMenu(MenuClear);
    case Control::Inverse:
        return stepNameOfMenu(MenuInverse);
    case Control::HMirror:
        return stepNameOfMenu(MenuHMirror);
    case Control::VMirror:
        return stepNameOfMenu(MenuVMirror);
    case Control::Rotate:
        return stepNameOfMenu(MenuRotate);
    case Control::ShiftRight:
    case Control::ShiftLeft:
    case Control::ShiftUp:
    case Control::ShiftDown:
        return stepNameOfMenu(MenuShiftLeft);
    case Control::PaletteLUM:
    case Control::PaletteBAK:
    case Control::PalettePF0:
    case Control::PalettePF1:
    case Control::PalettePF2:
    case Control::PalettePF3:
        return "Colour";
    case Control::LoadFont:
        return stepNameOfMenu(MenuLoadFont);
    case Control::DefaultFont:
        return stepNameOfMenu(MenuDefaultFont);
    default:
        return nullptr;
    }
}

// What a button held on a canvas does to the work.
const char* stepNameOfCanvas(CanvasId canvas) {
    switch (canvas) {
    case CanvasId::SetPreview:
        return "Set Cell";
    case CanvasId::Font:
        return "Set Row"; // a held digit fills a row of the set
    default:
        return "Paint";
    }
}

// The history name of a command that changes the screens, or nullptr.
const char* stepNameOfViewEditorEvent(const ViewEditorEvent& event) {
    if (event.kind == ViewEditorEventKind::Menu) {
        switch (event.id) {
        case ViewEditorMenuLoad:
            return "Load Screens";
        case ViewEditorMenuClearScreen:
            return "Clear Screen";
        case ViewEditorMenuClearAllScreens:
            return "Clear All Screens";
        case ViewEditorMenuFillScreen:
            return "Fill Screen";
        default:
            return nullptr;
        }
    }
    if (event.kind == ViewEditorEventKind::Control) {
        if (event.control == ViewEditorControl::Load)
            return "Load Screens";
        if (event.control == ViewEditorControl::LoadScreen)
            return "Load Screen";
    }
    return nullptr;
}

// What a button held on the canvas does: the right one erases, the left one paints
// or stamps the set.
const char* stepNameOfViewEditorStroke(const ViewEditorEvent& event, const Document& doc) {
    if (event.buttons == 2)
        return "Erase";
    return doc.setDrawing == 1 ? "Stamp" : "Paint Screen";
}

} // namespace korvex
