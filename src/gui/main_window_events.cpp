// The main window's event procedure: close request, animation timer, keys, canvases,
// and the commands of its menu items, shortcuts and controls through their table.

#include "core/font_codec.h"
#include "core/glyph_code.h"
#include "core/glyph_edit.h"
#include "core/history.h"
#include "core/main_commands.h"
#include "core/set_composition.h"
#include "gui/canvas_widget.h"
#include "gui/dialogs.h"
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

// The events of the window a left click waits after a file dialog.
constexpr int kClickGuardEvents = 15;

// What a button held on a canvas does to the work.
const char* strokeName(CanvasId canvas) {
    switch (canvas) {
    case CanvasId::SetPreview:
        return "Set Cell";
    case CanvasId::Font:
        return "Set Row"; // a held digit fills a row of the set
    default:
        return "Paint";
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
    if (clickGuard_ > 0)
        --clickGuard_;

    // A command ends a stroke still in progress (a shortcut pressed while drawing).
    if (e.kind == MainEventKind::Close || e.kind == MainEventKind::Menu ||
        e.kind == MainEventKind::Control) {
        // Undo while a button is still held undoes the whole stroke so far, and
        // the rest of the drag paints nothing, so no stroke is split in two steps.
        strokeUndone_ = strokeUndone_ || (stroke_.active() && e.kind == MainEventKind::Menu &&
                                          e.id == MenuUndo);
        stroke_.end();
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
    case MainEventKind::Control: {
        const auto& rows = mainWindowCommands();
        const MainCommand* command = e.kind == MainEventKind::Menu ? commandOfMenu(rows, e.id)
                                                                   : commandOfControl(rows, e.id);
        if (command)
            runCommand(*command);
        if (endRequested_) {
            endRequested_ = false;
            result = 0;
        }
        break;
    }
    case MainEventKind::Canvas:
        if (strokeUndone_) {
            strokeUndone_ = e.buttons != 0;
            if (strokeUndone_)
                break;
        }
        stroke_.before(e.buttons, strokeName(e.canvas));
        canvasEvent(e);
        stroke_.after(e.buttons);
        break;
    }
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

void MainWindow::stepFontCommand(int delta) {
    if (stepFont(doc_, delta))
        afterFontStep();
}

void MainWindow::stepFontWithColoursCommand(int delta) {
    if (stepFontWithColours(doc_, delta)) {
        afterFontStep();
        setStatusField(1, "Font: " + QString::fromStdString(doc_.FontName[doc_.CurrentFont]));
    }
}

void MainWindow::stepSetCommand(int delta) {
    if (stepSet(doc_, delta))
        afterSetStep();
}

void MainWindow::functionKeyCommand(int n) {
    functionKey(doc_, n);
    refreshColourBoxes();
}

void MainWindow::paletteCommand(int reg) {
    openAtariPaletteCommand(*this, reg);
    storeFontColours(doc_);
}

void MainWindow::showAbout() {
    dialogs().message(this, "About...", kAboutText);
}

bool MainWindow::takeSkippedCanvasEvent() {
    if (canvasEventSkip_ <= 0)
        return false;
    --canvasEventSkip_;
    return true;
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

void MainWindow::updateUndoAction() {
    for (const MainCommand& command : mainWindowCommands()) {
        if (!command.enabled && !command.checked)
            continue;
        QAction* action = menuAction(command.menu);
        QAbstractButton* widget = commandWidget(Control(command.control));
        if (command.enabled) {
            const bool enabled = command.enabled(*this);
            if (action)
                action->setEnabled(enabled);
            if (widget)
                widget->setEnabled(enabled);
        }
        if (command.checked && action)
            action->setChecked(command.checked(*this));
    }
    // "Undo Clear\tCtrl+Z": the item names the step it acts on.
    const History& history = doc_.history;
    auto name = [this](int id, bool enabled, const std::string& step) {
        QAction* action = menuAction(id);
        const MainCommand* command = commandOfMenu(mainWindowCommands(), id);
        if (!action || !command)
            return;
        const QStringList parts = QString(command->menuText).split('\t');
        QString text = parts.value(0);
        if (enabled && !step.empty())
            text += " " + QString::fromStdString(step);
        action->setText(text + "\t" + parts.value(1));
    };
    name(MenuUndo, history.canUndo(), history.undoName());
    name(MenuRedo, history.canRedo(), history.redoName());
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

void MainWindow::runCommand(const MainCommand& command) {
    if (command.enabled && !command.enabled(*this))
        return;
    // A command that changes the work is one history step.
    std::optional<HistoryStep> step;
    if (command.step)
        step.emplace(doc_, command.step);
    command.run(*this);
    if (command.guardsClicks)
        clickGuard_ = kClickGuardEvents;
}

} // namespace korvex
