// The main window's command table: every menu item, button, check box, option and
// key the window answers, with what it does. Menus appear in the order of the rows.

#include "gui/main_window_commands.h"

#include "core/font_codec.h"
#include "core/glyph_edit.h"
#include "core/main_commands.h"
#include "core/set_composition.h"
#include "gui/dialogs.h"
#include "gui/main_window.h"
#include "gui/window_commands.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>

namespace korvex {

namespace {

constexpr int id(Control control) {
    return int(control);
}

CommandWidget button(const char* caption, int x, int y, int w, int h, const char* name) {
    return {WidgetKind::Button, caption, x, y, w, h, name};
}
CommandWidget wrapping(const char* caption, int x, int y, int w, int h, const char* name) {
    return {WidgetKind::WrappingButton, caption, x, y, w, h, name};
}
CommandWidget paletteButton(int x, int y, const char* name, const char* toolTip) {
    return {WidgetKind::Button, "<", x, y, 20, 20, name, false, toolTip};
}

} // namespace

// A friend of MainWindow: the rows' functions use its private steps.
struct MainWindowCommandRows {
    static std::vector<MainCommand> make();
};

std::vector<MainCommand> MainWindowCommandRows::make() {
    using W = MainWindow;
    return {
        // Project
        {.menu = MenuOpenProject,
         .menuTitle = "Project",
         .menuText = "Open...",
         .step = "Open Project",
         .guardsClicks = true,
         .run =
             [](W& w) {
                 openProjectCommand(w);
                 w.redrawMainWindow();
             }},
        {.menu = MenuSaveProject,
         .menuTitle = "Project",
         .menuText = "Save",
         .guardsClicks = true,
         .run = [](W& w) { saveProjectCommand(w, SaveMode::Save); }},
        {.menu = MenuSaveProjectAs,
         .menuTitle = "Project",
         .menuText = "Save As...",
         .guardsClicks = true,
         .run = [](W& w) { saveProjectCommand(w, SaveMode::SaveAs); }},
        {.menu = MenuAbout,
         .menuTitle = "Project",
         .menuText = "About",
         .separatorBefore = true,
         .run = [](W& w) { w.showAbout(); }},
        {.menu = MenuExit,
         .menuTitle = "Project",
         .menuText = "Exit",
         .run = [](W& w) { w.endRequested_ = w.quitConfirmation() == 0; }},

        // Font
        {.menu = MenuLoadFont,
         .control = id(Control::LoadFont),
         .menuTitle = "Font",
         .menuText = "Load Font",
         .widget = button("Load FNT", 666, 450, 99, 20, "LoadFontButton"),
         .step = "Load Font",
         .guardsClicks = true,
         .run =
             [](W& w) {
                 loadFontCommand(w);
                 w.redrawMainWindow();
             }},
        {.menu = MenuSaveFont,
         .control = id(Control::SaveFont),
         .menuTitle = "Font",
         .menuText = "Save Font",
         .widget = button("Save FNT", 666, 480, 99, 20, "SaveFontButton"),
         .guardsClicks = true,
         .run =
             [](W& w) {
                 encodeFont(w.doc(), -1);
                 saveFontCommand(w);
             }},
        {.menu = MenuFontRange,
         .control = id(Control::SaveRange),
         .menuTitle = "Font",
         .menuText = "Save/Load range Font",
         .widget = button("Save range FNT", 666, 510, 99, 20, "SaveRangeButton"),
         .guardsClicks = true,
         .run = [](W& w) { saveFontRangeCommand(w); }},
        {.menu = MenuDefaultFont,
         .control = id(Control::DefaultFont),
         .menuTitle = "Font",
         .menuText = "Default Atari Font",
         .separatorBefore = true,
         .widget = wrapping("Set Default ATARI FONT", 666, 550, 99, 40, "DefaultFontButton"),
         .step = "Default Font",
         .run =
             [](W& w) {
                 if (dialogs().question(&w, "Default font...", "Load Atari Default Font ?")) {
                     loadDefaultFont(w.doc());
                     decodeFont(w.doc(), w.doc().CurrentFont);
                     w.redrawMainWindow();
                 }
             }},
        {.menu = MenuFontNext,
         .menuTitle = "Font",
         .menuText = "Next",
         .separatorBefore = true,
         .run = [](W& w) { w.stepFontCommand(+1); }},
        {.menu = MenuFontPrevious,
         .menuTitle = "Font",
         .menuText = "Previous",
         .run = [](W& w) { w.stepFontCommand(-1); }},
        {.menu = MenuImportImage,
         .menuTitle = "Font",
         .menuText = "Import image to font...",
         .separatorBefore = true,
         .run = [](W& w) { importImageCommand(w); }},

        // Char: the glyph commands
        {.menu = MenuRotate,
         .control = id(Control::Rotate),
         .menuTitle = "Char",
         .menuText = "Rotate\tR",
         .shortcut = "R",
         .widget = button("ROTATE", 820, 50, 110, 20, "RotateButton"),
         .step = "Rotate",
         .run = [](W& w) { w.transformCommand(RotateGlyph); }},
        {.menu = MenuHMirror,
         .control = id(Control::HMirror),
         .menuTitle = "Char",
         .menuText = "H Mirror\tH",
         .shortcut = "H",
         .widget = button("H MIR", 820, 80, 50, 20, "HMirrorButton"),
         .step = "H Mirror",
         .run = [](W& w) { w.transformCommand(MirrorGlyphHorizontally); }},
        {.menu = MenuVMirror,
         .control = id(Control::VMirror),
         .menuTitle = "Char",
         .menuText = "V Mirror\tV",
         .shortcut = "V",
         .widget = button("V MIR", 880, 80, 50, 20, "VMirrorButton"),
         .step = "V Mirror",
         .run = [](W& w) { w.transformCommand(MirrorGlyphVertically); }},
        {.menu = MenuShiftLeft,
         .control = id(Control::ShiftLeft),
         .menuTitle = "Char",
         .menuText = "Shift left\tShift+Left",
         .shortcut = "Shift+Left",
         .widget = button("L", 820, 130, 20, 20, "ShiftLeftButton"),
         .step = "Shift",
         .run = [](W& w) { w.transformCommand(ShiftGlyphLeft); }},
        {.menu = MenuShiftRight,
         .control = id(Control::ShiftRight),
         .menuTitle = "Char",
         .menuText = "Shift Right\tShift+Right",
         .shortcut = "Shift+Right",
         .widget = button("R", 850, 130, 20, 20, "ShiftRightButton"),
         .step = "Shift",
         .run = [](W& w) { w.transformCommand(ShiftGlyphRight); }},
        {.menu = MenuShiftUp,
         .control = id(Control::ShiftUp),
         .menuTitle = "Char",
         .menuText = "Shift Up\tShift+Up",
         .shortcut = "Shift+Up",
         .widget = button("U", 880, 130, 20, 20, "ShiftUpButton"),
         .step = "Shift",
         .run = [](W& w) { w.transformCommand(ShiftGlyphUp); }},
        {.menu = MenuShiftDown,
         .control = id(Control::ShiftDown),
         .menuTitle = "Char",
         .menuText = "Shift Down\tShift+Down",
         .shortcut = "Shift+Down",
         .widget = button("D", 910, 130, 20, 20, "ShiftDownButton"),
         .step = "Shift",
         .run = [](W& w) { w.transformCommand(ShiftGlyphDown); }},
        {.menu = MenuInverse,
         .control = id(Control::Inverse),
         .menuTitle = "Char",
         .menuText = "Inverse\tI",
         .shortcut = "I",
         .widget = button("INVERSE", 820, 165, 55, 25, "InverseButton"),
         .step = "Inverse",
         .run = [](W& w) { w.transformCommand(InverseGlyph); }},
        {.menu = MenuClear,
         .control = id(Control::Clear),
         .menuTitle = "Char",
         .menuText = "Clear\tDelete",
         .shortcut = "Delete",
         .widget = button("CLEAR", 880, 165, 55, 25, "ClearButton"),
         .step = "Clear",
         .run = [](W& w) { w.transformCommand(ClearGlyph); }},
        {.menu = MenuCopy,
         .control = id(Control::Copy),
         .menuTitle = "Char",
         .menuText = "Copy\tCtrl+C",
         .shortcut = "Ctrl+C",
         .widget = button("COPY", 820, 200, 55, 25, "CopyButton"),
         .run = [](W& w) { w.transformCommand(CopyGlyph); }},
        {.menu = MenuPaste,
         .control = id(Control::Paste),
         .menuTitle = "Char",
         .menuText = "Paste\tCtrl+V",
         .shortcut = "Ctrl+V",
         .widget = button("PASTE", 880, 200, 55, 25, "PasteButton"),
         .step = "Paste",
         .run = [](W& w) { w.transformCommand(PasteGlyph); }},
        {.menu = MenuUndo,
         .menuTitle = "Char",
         .menuText = "Undo\tCtrl+Z",
         .shortcut = "Ctrl+Z",
         .wholeApplication = true,
         .enabled = [](const W& w) { return w.doc_.history.canUndo(); },
         .run = [](W& w) { w.runUndo(); }},
        {.menu = MenuRedo,
         .menuTitle = "Char",
         .menuText = "Redo\tCtrl+Y",
         .shortcut = "Ctrl+Y; Ctrl+Shift+Z",
         .wholeApplication = true,
         .enabled = [](const W& w) { return w.doc_.history.canRedo(); },
         .run = [](W& w) { w.runRedo(); }},

        // Set
        {.menu = MenuGrid,
         .menuTitle = "Set",
         .menuText = "Grid ON/OFF",
         .run =
             [](W& w) {
                 w.doc().SetPreviewGridOn = !w.doc().SetPreviewGridOn;
                 w.drawSetPreview();
             }},
        {.menu = MenuSetNext,
         .control = id(Control::SetNext),
         .menuTitle = "Set",
         .menuText = "Next\tPageDown",
         .shortcut = "PgDown",
         .separatorBefore = true,
         .widget = button(">", 115, 30, 25, 20, "SetNextButton"),
         .run = [](W& w) { w.stepSetCommand(+1); }},
        {.menu = MenuSetPrevious,
         .control = id(Control::SetPrev),
         .menuTitle = "Set",
         .menuText = "Previous\tPageUp",
         .shortcut = "PgUp",
         .widget = button("<", 115, 90, 25, 20, "SetPrevButton"),
         .run = [](W& w) { w.stepSetCommand(-1); }},
        {.menu = MenuLoadSet,
         .menuTitle = "Set",
         .menuText = "Load Set",
         .separatorBefore = true,
         .step = "Load Set",
         .run = [](W& w) { loadSetFileCommand(w, SetFileKind::Set); }},
        {.menu = MenuSaveSet,
         .menuTitle = "Set",
         .menuText = "Save Set",
         .run = [](W& w) { saveSetFileCommand(w, SetFileKind::Set); }},
        {.menu = MenuLoadAllSets,
         .menuTitle = "Set",
         .menuText = "Load all Set",
         .step = "Load Sets",
         .run = [](W& w) { loadSetFileCommand(w, SetFileKind::Sets); }},
        {.menu = MenuSaveAllSets,
         .menuTitle = "Set",
         .menuText = "Save all Set",
         .run = [](W& w) { saveSetFileCommand(w, SetFileKind::Sets); }},
        {.menu = MenuSetCopy,
         .control = id(Control::SetCopy),
         .menuTitle = "Set",
         .menuText = "Copy",
         .separatorBefore = true,
         .widget = button("Copy", 10, 120, 35, 20, "SetCopyButton"),
         .run = [](W& w) { setCommand(w.doc(), CopySet); }},
        {.menu = MenuSetPaste,
         .control = id(Control::SetPaste),
         .menuTitle = "Set",
         .menuText = "Paste",
         .widget = button("Paste", 52, 120, 35, 20, "SetPasteButton"),
         .step = "Set Paste",
         .run =
             [](W& w) {
                 setCommand(w.doc(), PasteSet);
                 w.redrawMainWindow();
             }},
        {.menu = MenuSetClear,
         .menuTitle = "Set",
         .menuText = "Clear",
         .step = "Set Clear",
         .run =
             [](W& w) {
                 setCommand(w.doc(), ClearSet);
                 w.redrawMainWindow();
             }},
        {.menu = MenuSetClearBits,
         .menuTitle = "Set",
         .menuText = "Clear bits",
         .step = "Clear Bits",
         .run =
             [](W& w) {
                 setCommand(w.doc(), ClearSetBits);
                 w.redrawMainWindow();
             }},
        {.menu = MenuExportSetBin,
         .menuTitle = "Set",
         .menuText = "Export Set to bin...",
         .separatorBefore = true,
         .run = [](W& w) { saveSetFileCommand(w, SetFileKind::Bin); }},

        // Tools
        {.menu = MenuFindDuplicates,
         .menuTitle = "Tools",
         .menuText = "Find duplicate glyphs...",
         .run = [](W& w) { openDuplicateGlyphsCommand(w); }},
        {.menu = MenuMarkUnusedGlyphs,
         .menuTitle = "Tools",
         .menuText = "Mark unused glyphs",
         .checked = [](const W& w) { return w.doc_.MarkUnusedGlyphs; },
         .run =
             [](W& w) {
                 w.doc().MarkUnusedGlyphs = !w.doc().MarkUnusedGlyphs;
                 w.drawFontCanvas();
             }},
        {.menu = MenuTextPreview,
         .menuTitle = "Tools",
         .menuText = "Text preview...",
         .separatorBefore = true,
         .run = [](W& w) { openTextPreviewCommand(w); }},

        // Set panel buttons
        {.control = id(Control::SaveSet),
         .widget = button("Save SET", 10, 160, 60, 20, "SaveSetButton"),
         .guardsClicks = true,
         .run = [](W& w) { saveSetFileCommand(w, SetFileKind::Set); }},
        {.control = id(Control::LoadSet),
         .widget = button("Load SET", 80, 160, 60, 20, "LoadSetButton"),
         .step = "Load Set",
         .guardsClicks = true,
         .run = [](W& w) { loadSetFileCommand(w, SetFileKind::Set); }},
        {.control = id(Control::SaveAllSets),
         .widget = button("Save all SET", 20, 190, 110, 20, "SaveAllSetsButton"),
         .guardsClicks = true,
         .run = [](W& w) { saveSetFileCommand(w, SetFileKind::Sets); }},
        {.control = id(Control::LoadAllSets),
         .widget = button("Load all SET", 20, 220, 110, 20, "LoadAllSetsButton"),
         .step = "Load Sets",
         .guardsClicks = true,
         .run = [](W& w) { loadSetFileCommand(w, SetFileKind::Sets); }},
        {.control = id(Control::SetsViewer),
         .widget = wrapping("Sets Viewer", 100, 120, 40, 30, "SetsViewerButton"),
         .run =
             [](W& w) {
                 if (!w.setsViewerOpen)
                     openSetsViewerCommand(w);
             }},
        {.control = id(Control::AnimStart),
         .widget = button("Start", 30, 300, 80, 20, "AnimStartButton"),
         .run =
             [](W& w) {
                 if (!startAnimation(w.doc(), w.AnimStartCombo->currentIndex(),
                                     w.AnimStopCombo->currentIndex()))
                     dialogs().message(&w, "Error anim!",
                                       "Start frame must not be less than the stop frame!");
             }},
        {.control = id(Control::Normal),
         .widget = {WidgetKind::Option, "Normal", 140, 420, 70, 20, "NormalOption", true},
         .run =
             [](W& w) {
                 w.doc().SetViewMode = SetView::Normal;
                 w.redrawMainWindow();
             }},
        {.control = id(Control::Mask),
         .widget = {WidgetKind::Option, "Mask", 210, 420, 60, 20, "MaskOption"},
         .run =
             [](W& w) {
                 w.doc().SetViewMode = SetView::Mask;
                 w.redrawMainWindow();
             }},
        {.control = id(Control::DrawOnSetCheck),
         .widget = {WidgetKind::CheckBox, "Draw on SET", 565, 380, 90, 20, "DrawOnSetCheckBox",
                    true},
         .run = [](W& w) { w.doc().DrawOnSet = w.DrawOnSetCheckBox->isChecked(); }},
        {.control = id(Control::GridCheck),
         .widget = {WidgetKind::CheckBox, "Grid ON/OFF", 565, 405, 100, 20, "GridCheckBox", true},
         .run =
             [](W& w) {
                 w.doc().SetEditorGridOn = w.GridCheckBox->isChecked();
                 w.drawSetCanvas();
             }},

        // Editor panel
        {.control = id(Control::Mode),
         .widget = wrapping("GFX Mode", 820, 10, 110, 30, "ModeButton"),
         .run = [](W& w) { w.switchDisplayMode(); }},

        // Colours: the palette button of each register, then the colour files
        {.control = id(Control::PaletteLUM),
         .widget = paletteButton(780, 310, "PaletteButtonLUM", "Set color - LUM"),
         .step = "Colour",
         .run = [](W& w) { w.paletteCommand(LUM); }},
        {.control = id(Control::PalettePF0),
         .widget = paletteButton(780, 340, "PaletteButtonPF0", "Set color - PF0"),
         .step = "Colour",
         .run = [](W& w) { w.paletteCommand(PF0); }},
        {.control = id(Control::PalettePF2),
         .widget = paletteButton(780, 370, "PaletteButtonPF2", "Set color - PF2"),
         .step = "Colour",
         .run = [](W& w) { w.paletteCommand(PF2); }},
        {.control = id(Control::PaletteBAK),
         .widget = paletteButton(900, 310, "PaletteButtonBAK", "Set color - BAK"),
         .step = "Colour",
         .run = [](W& w) { w.paletteCommand(BAK); }},
        {.control = id(Control::PalettePF1),
         .widget = paletteButton(900, 340, "PaletteButtonPF1", "Set color - FP1"),
         .step = "Colour",
         .run = [](W& w) { w.paletteCommand(PF1); }},
        {.control = id(Control::PalettePF3),
         .widget = paletteButton(900, 370, "PaletteButtonPF3", "Set color - PF3"),
         .step = "Colour",
         .run = [](W& w) { w.paletteCommand(PF3); }},
        {.control = id(Control::LoadColours),
         .widget = button("Load Colors", 740, 410, 80, 20, "LoadColoursButton"),
         .step = "Load Colours",
         .run = [](W& w) { loadColourFileCommand(w); }},
        {.control = id(Control::SaveColours),
         .widget = button("Save Colors", 840, 410, 80, 20, "SaveColoursButton"),
         .run = [](W& w) { saveColourFileCommand(w); }},

        // Font panel
        {.control = id(Control::FontPrev),
         .widget = button("<", 10, 570, 20, 20, "FontPrevButton"),
         // The working colours go into the old font's row of colours.
         .step = "Font Colours",
         .run = [](W& w) { w.stepFontWithColoursCommand(-1); }},
        {.control = id(Control::FontNext),
         .widget = button(">", 60, 570, 20, 20, "FontNextButton"),
         // The working colours go into the old font's row of colours.
         .step = "Font Colours",
         .run = [](W& w) { w.stepFontWithColoursCommand(+1); }},
        {.control = id(Control::ExportImage),
         .widget = wrapping("Export to image", 785, 450, 90, 20, "ExportImageButton"),
         .guardsClicks = true,
         .run = [](W& w) { exportImageCommand(w); }},
        {.control = id(Control::ExportAs),
         .widget = button("Export As...", 785, 480, 90, 20, "ExportAsButton"),
         .run = [](W& w) { openExportWindowCommand(w, 200, 10, 460, 580); }},
        {.control = id(Control::MultiFontViewer),
         .widget = button("Multi Font Viewer", 810, 520, 120, 30, "MultiFontViewerButton"),
         .run = [](W& w) { openMultiFontViewCommand(w); }},
        {.control = id(Control::ViewEditor),
         .widget = button("View Editor", 810, 558, 120, 36, "ViewEditorButton"),
         .run =
             [](W& w) {
                 if (!w.viewEditorOpen)
                     openViewEditorCommand(w);
             }},

        // Keys the window reads itself: F1..F6 choose the left button's register,
        // D switches drawing on the set, Left and Right step the font.
        {.key = Qt::Key_F1, .run = [](W& w) { w.functionKeyCommand(1); }},
        {.key = Qt::Key_F2, .run = [](W& w) { w.functionKeyCommand(2); }},
        {.key = Qt::Key_F3, .run = [](W& w) { w.functionKeyCommand(3); }},
        {.key = Qt::Key_F4, .run = [](W& w) { w.functionKeyCommand(4); }},
        {.key = Qt::Key_F5, .run = [](W& w) { w.functionKeyCommand(5); }},
        {.key = Qt::Key_F6, .run = [](W& w) { w.functionKeyCommand(6); }},
        {.key = Qt::Key_D,
         .run =
             [](W& w) {
                 toggleDrawOnSet(w.doc());
                 w.DrawOnSetCheckBox->setChecked(w.doc().DrawOnSet);
             }},
        {.key = Qt::Key_Left, .run = [](W& w) { w.stepFontCommand(-1); }},
        {.key = Qt::Key_Right, .run = [](W& w) { w.stepFontCommand(+1); }},
    };
}

const std::vector<MainCommand>& mainWindowCommands() {
    static const std::vector<MainCommand> rows = MainWindowCommandRows::make();
    return rows;
}

} // namespace korvex
