// The main window's event procedure: close request, animation timer, menu items and
// shortcuts, and the commands of its buttons, check boxes and options.

#include "core/font_codec.h"
#include "core/glyph_code.h"
#include "core/glyph_edit.h"
#include "core/history.h"
#include "core/main_commands.h"
#include "core/set_composition.h"
#include "gui/canvas_widget.h"
#include "gui/dialogs.h"
#include "gui/history_step_names.h"
#include "gui/main_window.h"
#include "gui/window_commands.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <optional>

namespace korvex {

namespace {

// Char menu items and glyph buttons -> glyph command numbers.
int glyphCommandOfMenu(int id) {
    switch (id) {
    case MenuRotate:
        return RotateGlyph;
    case MenuHMirror:
        return MirrorGlyphHorizontally;
    case MenuVMirror:
        return MirrorGlyphVertically;
    case MenuShiftLeft:
        return ShiftGlyphLeft;
    case MenuShiftRight:
        return ShiftGlyphRight;
    case MenuShiftUp:
        return ShiftGlyphUp;
    case MenuShiftDown:
        return ShiftGlyphDown;
    case MenuInverse:
        return InverseGlyph;
    case MenuClear:
        return ClearGlyph;
    case MenuCopy:
        return CopyGlyph;
    case MenuPaste:
        return PasteGlyph;
    default:
        return 0;
    }
}

const QString kAboutText = QString(29, ' ') +
                           "Korvex 2  (" KORVEX_VERSION ")\r"
                           "\r"
                           "An editor for the character-set fonts of the Atari 8-bit computers:\r"
                           "glyphs in two- and four-colour mode, ten fonts, sets, screens,\r"
                           "and exports for assembler, Action!, Atari Basic, MadPascal and "
                           "FastBasic.\r"
                           "\r"
                           "Free software under the MIT licence.";

} // namespace

int MainWindow::mainWindowEvent(const MainEvent& e) {
    // Every event of this window counts as one step of ClickGuard: the close request,
    // timer ticks, menu items and shortcuts, control commands, key presses and
    // releases that reach the window, and mouse events on its canvases and swatches.
    if (doc_.ClickGuard > 0)
        --doc_.ClickGuard;

    // A command ends a stroke still in progress (a shortcut pressed while drawing);
    // a command that changes the work is one history step.
    std::optional<HistoryStep> step;
    if (e.kind == MainEventKind::Close || e.kind == MainEventKind::Menu ||
        e.kind == MainEventKind::Control) {
        // Undo while a button is still held undoes the whole stroke so far, and
        // the rest of the drag paints nothing, so no stroke is split in two steps.
        strokeUndone_ =
            strokeUndone_ || (stroke_ && e.kind == MainEventKind::Menu && e.id == MenuUndo);
        endStroke();
        const char* name = e.kind == MainEventKind::Menu      ? stepNameOfMenu(e.id)
                           : e.kind == MainEventKind::Control ? stepNameOfControl(Control(e.id))
                                                              : nullptr;
        if (name)
            step.emplace(doc_, name);
    }

    int result = 1;
    switch (e.kind) {
    case MainEventKind::Close:
        result = quitConfirmation();
        break;
    case MainEventKind::Timer:
        if (e.id == kAnimationTimerId)
            animationTick();
        break;
    case MainEventKind::KeyDown:
        keyPressed(e.id);
        break;
    case MainEventKind::KeyUp:
        keyReleased();
        break;
    case MainEventKind::Menu:
        if (e.id == MenuExit)
            result = quitConfirmation();
        else
            runMenuCommand(e.id);
        break;
    case MainEventKind::Control:
        result = runControlCommand(Control(e.id));
        break;
    case MainEventKind::Canvas:
        if (strokeUndone_) {
            strokeUndone_ = e.buttons != 0;
            if (strokeUndone_)
                break;
        }
        // From a button going down until every button is up is one stroke.
        if (e.buttons != 0 && !stroke_) {
            doc_.history.begin(doc_, stepNameOfCanvas(e.canvas));
            stroke_ = true;
        }
        canvasEvent(e);
        if (e.buttons == 0)
            endStroke();
        break;
    }
    step.reset();
    updateUndoAction();
    if (result == 0 && !quitting_) {
        // The main loop ends: the window closes and the program ends, whatever else
        // is open.
        quitting_ = true;
        close();
        QApplication::quit();
    }
    return result;
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (quitting_) {
        event->accept();
        return;
    }
    MainEvent e{MainEventKind::Close};
    if (mainWindowEvent(e) == 0)
        event->accept();
    else
        event->ignore();
}

int MainWindow::quitConfirmation() {
    const bool unsaved = hasUnsavedWork ? hasUnsavedWork() : doc_.history.canUndo();
    if (!unsaved)
        return 0;
    return dialogs().question(this, "Exit...", "Exit? Unsaved changes will be lost!",
                              QuestionDefault::No)
               ? 0
               : 1;
}

void MainWindow::startTimer125() {
    animationTimer_.start();
}

void MainWindow::animationTick() {
    const int64_t set = korvex::animationTick(doc_);
    if (set >= 0)
        drawAnimationFrame(set);
}

void MainWindow::transformCommand(int command) {
    switch (transformGlyph(doc_, command)) {
    case GlyphRedraw::MainWindow:
        redrawMainWindow();
        break;
    case GlyphRedraw::CopyBuffer:
        drawCopyBuffer();
        break;
    case GlyphRedraw::Nothing:
        break;
    }
}

void MainWindow::afterFontStep() {
    FontNumberLabel->setText(QString::number(doc_.CurrentFont));
    redrawMainWindow();
}

void MainWindow::afterSetStep() {
    SetNumberLabel->setText(QString::number(doc_.CurrentSet));
    redrawMainWindow();
}

void MainWindow::showAbout() {
    dialogs().message(this, "About...", kAboutText);
}

void MainWindow::endStroke() {
    if (!stroke_)
        return;
    stroke_ = false;
    doc_.history.commit(doc_);
}

void MainWindow::runUndo() {
    if (doc_.history.undo(doc_))
        showHistoryPlace();
}

void MainWindow::runRedo() {
    if (doc_.history.redo(doc_))
        showHistoryPlace();
}

void MainWindow::showHistoryPlace() {
    FontNumberLabel->setText(QString::number(doc_.CurrentFont));
    SetNumberLabel->setText(QString::number(doc_.CurrentSet));
    updateGlyphInfoLabel();
    if (doc_.CurrentFont >= 1 && doc_.CurrentFont <= kFontCount)
        setStatusField(1, "Font: " + QString::fromStdString(doc_.FontName[doc_.CurrentFont]));
    // Also the open viewers and the View Editor, with its screen selector.
    redrawMainWindow();
}

void MainWindow::toggleUnusedGlyphMarks() {
    doc_.MarkUnusedGlyphs = doc_.MarkUnusedGlyphs == 1 ? 0 : 1;
    if (QAction* a = menuAction(MenuMarkUnusedGlyphs))
        a->setChecked(doc_.MarkUnusedGlyphs == 1);
    drawFontCanvas();
}

void MainWindow::updateUndoAction() {
    const History& history = doc_.history;
    auto show = [](QAction* action, const char* verb, bool enabled, const std::string& name,
                   const char* key) {
        if (!action)
            return;
        action->setEnabled(enabled);
        QString text = verb;
        if (enabled && !name.empty())
            text += " " + QString::fromStdString(name);
        action->setText(text + "\t" + key);
    };
    show(menuAction(MenuUndo), "Undo", history.canUndo(), history.undoName(), "Ctrl+Z");
    show(menuAction(MenuRedo), "Redo", history.canRedo(), history.redoName(), "Ctrl+Y");
}

void MainWindow::runMenuCommand(int id) {
    if (const int command = glyphCommandOfMenu(id)) {
        transformCommand(command);
        return;
    }
    switch (id) {
    case MenuOpenProject:
        openProjectCommand(*this);
        redrawMainWindow();
        doc_.ClickGuard = 15;
        break;
    case MenuSaveProject:
        saveProjectCommand(*this, SaveMode::Save);
        doc_.ClickGuard = 15;
        break;
    case MenuSaveProjectAs:
        saveProjectCommand(*this, SaveMode::SaveAs);
        doc_.ClickGuard = 15;
        break;
    case MenuAbout:
        showAbout();
        break;
    case MenuLoadFont:
        loadFontCommand(*this);
        redrawMainWindow();
        doc_.ClickGuard = 15;
        break;
    case MenuSaveFont:
        encodeFont(doc_, -1);
        saveFontCommand(*this);
        doc_.ClickGuard = 15;
        break;
    case MenuFontRange:
        saveFontRangeCommand(*this);
        doc_.ClickGuard = 15;
        break;
    case MenuDefaultFont:
        if (dialogs().question(this, "Default font...", "Load Atari Default Font ?")) {
            loadDefaultFont(doc_);
            decodeFont(doc_, doc_.CurrentFont);
            redrawMainWindow();
        }
        break;
    case MenuFontNext:
        if (stepFont(doc_, +1))
            afterFontStep();
        break;
    case MenuFontPrevious:
        if (stepFont(doc_, -1))
            afterFontStep();
        break;
    case MenuImportImage:
        importImageCommand(*this);
        break;
    case MenuGrid:
        doc_.SetPreviewGridOn = doc_.SetPreviewGridOn == 1 ? 0 : 1;
        drawSetPreview();
        break;
    case MenuSetNext:
        if (stepSet(doc_, +1))
            afterSetStep();
        break;
    case MenuSetPrevious:
        if (stepSet(doc_, -1))
            afterSetStep();
        break;
    case MenuLoadSet:
        loadSetFileCommand(*this, SetFileKind::Set);
        break;
    case MenuSaveSet:
        saveSetFileCommand(*this, SetFileKind::Set);
        break;
    case MenuLoadAllSets:
        loadSetFileCommand(*this, SetFileKind::Sets);
        break;
    case MenuSaveAllSets:
        saveSetFileCommand(*this, SetFileKind::Sets);
        break;
    case MenuSetCopy:
        setCommand(doc_, CopySet);
        break;
    case MenuSetPaste:
        setCommand(doc_, PasteSet);
        redrawMainWindow();
        break;
    case MenuSetClear:
        setCommand(doc_, ClearSet);
        redrawMainWindow();
        break;
    case MenuSetClearBits:
        setCommand(doc_, ClearSetBits);
        redrawMainWindow();
        break;
    case MenuExportSetBin:
        saveSetFileCommand(*this, SetFileKind::Bin);
        break;
    case MenuUndo:
        runUndo();
        break;
    case MenuFindDuplicates:
        openDuplicateGlyphsCommand(*this);
        break;
    case MenuMarkUnusedGlyphs:
        toggleUnusedGlyphMarks();
        break;
    case MenuTextPreview:
        openTextPreviewCommand(*this);
        break;
    case MenuRedo:
        runRedo();
        break;
    default:
        break;
    }
}

void MainWindow::switchDisplayMode() {
    if (ModeButton->text() == "GFX Mode") {
        ModeButton->setText("FONT Mode");
        switchToFourColour(doc_);
    } else {
        ModeButton->setText("GFX Mode");
        switchToTwoColour(doc_);
    }
    refreshColourBoxes();
    redrawMainWindow();
}

int MainWindow::runControlCommand(Control control) {
    switch (control) {
    case Control::AnimStart:
        if (!startAnimation(doc_, AnimStartCombo->currentIndex(), AnimStopCombo->currentIndex()))
            dialogs().message(this, "Error anim!",
                              "Start frame must not be less than the stop frame!");
        break;
    case Control::Normal:
        doc_.SetViewMode = SetView::Normal;
        redrawMainWindow();
        break;
    case Control::Mask:
        doc_.SetViewMode = SetView::Mask;
        redrawMainWindow();
        break;
    case Control::SetCopy:
        setCommand(doc_, CopySet);
        break;
    case Control::SetPaste:
        setCommand(doc_, PasteSet);
        redrawMainWindow();
        break;
    case Control::SetsViewer:
        if (doc_.SetsViewerOpen == 0)
            openSetsViewerCommand(*this);
        break;
    case Control::ViewEditor:
        if (doc_.viewEditorOpen == 0)
            openViewEditorCommand(*this);
        break;
    case Control::ExportImage:
        exportImageCommand(*this);
        doc_.ClickGuard = 15;
        break;
    case Control::SaveSet:
        saveSetFileCommand(*this, SetFileKind::Set);
        doc_.ClickGuard = 15;
        break;
    case Control::SaveAllSets:
        saveSetFileCommand(*this, SetFileKind::Sets);
        doc_.ClickGuard = 15;
        break;
    case Control::LoadSet:
        loadSetFileCommand(*this, SetFileKind::Set);
        doc_.ClickGuard = 15;
        break;
    case Control::LoadAllSets:
        loadSetFileCommand(*this, SetFileKind::Sets);
        doc_.ClickGuard = 15;
        break;
    case Control::ExportAs:
        openExportWindowCommand(*this, 200, 10, 460, 580);
        break;
    case Control::SaveColours:
        saveColourFileCommand(*this);
        break;
    case Control::LoadColours:
        loadColourFileCommand(*this);
        break;
    case Control::Copy:
        transformCommand(CopyGlyph);
        break;
    case Control::Paste:
        transformCommand(PasteGlyph);
        break;
    case Control::Clear:
        transformCommand(ClearGlyph);
        break;
    case Control::Inverse:
        transformCommand(InverseGlyph);
        break;
    case Control::HMirror:
        transformCommand(MirrorGlyphHorizontally);
        break;
    case Control::VMirror:
        transformCommand(MirrorGlyphVertically);
        break;
    case Control::Rotate:
        transformCommand(RotateGlyph);
        break;
    case Control::ShiftRight:
        transformCommand(ShiftGlyphRight);
        break;
    case Control::ShiftLeft:
        transformCommand(ShiftGlyphLeft);
        break;
    case Control::ShiftUp:
        transformCommand(ShiftGlyphUp);
        break;
    case Control::ShiftDown:
        transformCommand(ShiftGlyphDown);
        break;
    case Control::PaletteLUM:
    case Control::PaletteBAK:
    case Control::PalettePF0:
    case Control::PalettePF1:
    case Control::PalettePF2:
    case Control::PalettePF3:
        openAtariPaletteCommand(*this, int(control) - int(Control::PaletteLUM) + 1);
        storeFontColours(doc_);
        break;
    case Control::FontNext:
    case Control::FontPrev:
        if (stepFontWithColours(doc_, control == Control::FontNext ? +1 : -1)) {
            afterFontStep();
            setStatusField(1, "Font: " + QString::fromStdString(doc_.FontName[doc_.CurrentFont]));
        }
        break;
    case Control::SetNext:
        runMenuCommand(MenuSetNext);
        break;
    case Control::SetPrev:
        runMenuCommand(MenuSetPrevious);
        break;
    case Control::GridCheck:
        doc_.SetEditorGridOn = GridCheckBox->isChecked() ? 1 : 0;
        drawSetCanvas();
        break;
    case Control::DrawOnSetCheck:
        doc_.DrawOnSet = DrawOnSetCheckBox->isChecked() ? 1 : 0;
        break;
    case Control::LoadFont:
        runMenuCommand(MenuLoadFont);
        break;
    case Control::DefaultFont:
        runMenuCommand(MenuDefaultFont);
        break;
    case Control::SaveFont:
        runMenuCommand(MenuSaveFont);
        break;
    case Control::SaveRange:
        runMenuCommand(MenuFontRange);
        break;
    case Control::Mode:
        switchDisplayMode();
        break;
    case Control::MultiFontViewer:
        openMultiFontViewCommand(*this);
        break;
    }
    return 1;
}

} // namespace korvex
