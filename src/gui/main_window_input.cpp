// Direct manipulation in the main window: key presses, the colour swatches and the
// mouse on the set canvas, the magnified editor, the set preview and the font canvas.

#include "core/glyph_code.h"
#include "core/glyph_edit.h"
#include "core/hit_areas.h"
#include "core/main_commands.h"
#include "core/set_composition.h"
#include "gui/canvas_widget.h"
#include "gui/main_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>

namespace korvex {

namespace {
QString codeText(int64_t code) {
    return QString::fromStdString(codeForm(code));
}

// The glyph code stored in a cell of the current set (set numbers are kept in range
// by the commands that change them; a bad one reads as an empty cell).
int64_t currentSetCell(const Document& doc, int64_t cell) {
    if (doc.CurrentSet < 1 || doc.CurrentSet > kSetCount || cell < 0 || cell >= kSetCells)
        return -1;
    return doc.Sets[doc.CurrentSet][cell];
}
} // namespace

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if ((type != QEvent::KeyPress && type != QEvent::KeyRelease) || !watched->isWidgetType() ||
        static_cast<QWidget*>(watched)->window() != this)
        return QMainWindow::eventFilter(watched, event);
    // A key pressed in an open menu or list is that popup's own: Left and Right move
    // between the menus there, and must not step the font behind them.
    if (type == QEvent::KeyPress && QApplication::activePopupWidget())
        return QMainWindow::eventFilter(watched, event);

    auto* key = static_cast<QKeyEvent*>(event);
    if (type == QEvent::KeyRelease) {
        // A release nobody takes travels up to the parents; read it once.
        static const QEvent* lastRelease = nullptr;
        static quint64 lastStamp = 0;
        if (key->isAutoRepeat() || (event == lastRelease && key->timestamp() == lastStamp))
            return false;
        lastRelease = event;
        lastStamp = key->timestamp();
        MainEvent e{MainEventKind::KeyUp};
        e.id = key->key();
        mainWindowEvent(e);
        return false;
    }
    // Keys read directly by the window (the digits held over the font, and the keys
    // of the command table: function keys with any modifier, the others alone);
    // everything else goes on to the controls and the shortcuts.
    const int k = key->key();
    const bool plain = (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    const bool isFunctionKey = k >= Qt::Key_F1 && k <= Qt::Key_F35;
    const bool ours = (plain && k >= Qt::Key_1 && k <= Qt::Key_5) ||
                      ((plain || isFunctionKey) && commandOfKey(mainWindowCommands(), k));
    if (!ours)
        return QMainWindow::eventFilter(watched, event);
    MainEvent e{MainEventKind::KeyDown};
    e.id = k;
    mainWindowEvent(e);
    return true;
}

void MainWindow::keyPressed(int key) {
    if (const MainCommand* command = commandOfKey(mainWindowCommands(), key))
        runCommand(*command);
    else if (key >= Qt::Key_1 && key <= Qt::Key_5)
        heldDigit_ = '1' + (key - Qt::Key_1);
}

void MainWindow::keyReleased() {
    heldDigit_ = 0;
}

void MainWindow::updateGlyphInfoLabel() {
    GlyphInfoLabel->setText("Char: " + codeText(doc_.CurrentGlyph));
}

void MainWindow::canvasEvent(const MainEvent& e) {
    // A file dialog that just closed swallows the next canvas events.
    if (takeSkippedCanvasEvent())
        return;
    switch (e.canvas) {
    case CanvasId::Set:
        setCanvasEvent(e);
        break;
    case CanvasId::Editor:
        editorCanvasEvent(e);
        break;
    case CanvasId::SetPreview:
        setPreviewEvent(e);
        break;
    case CanvasId::Font:
        fontCanvasEvent(e);
        break;
    case CanvasId::Swatch:
        swatchEvent(e);
        break;
    }
}

void MainWindow::swatchEvent(const MainEvent& e) {
    if (e.leftClick) {
        swatchClick(doc_, e.swatchRegister, 1);
        refreshColourBoxes();
    } else if (e.rightClick) {
        swatchClick(doc_, e.swatchRegister, 2);
        refreshColourBoxes();
    }
}

void MainWindow::setCanvasEvent(const MainEvent& e) {
    const int64_t pixelArea = findHitArea(doc_, kSetPixelAreas, kSetPixelAreasLookedUpTo, e.x, e.y);
    const int64_t cellArea = findHitArea(doc_, kSetCellAreas, kSetCellAreasLast, e.x, e.y);
    const int button = e.buttons == 1 ? 1 : (e.buttons == 2 ? 2 : 0);
    if (button == 2 || (button == 1 && clickGuard_ == 0)) {
        if (cellArea != -1) {
            doc_.CurrentSetCell = cellArea - kSetCellAreas;
            doc_.CurrentGlyph = currentSetCell(doc_, doc_.CurrentSetCell);
            drawGlyphEditor();
            updateGlyphInfoLabel();
        }
        if (doc_.DrawOnSet == 1 && pixelArea != -1 && doc_.CurrentGlyph != -1) {
            const HitArea& a = doc_.HitAreas[pixelArea];
            if (paintSetPixel(doc_, doc_.CurrentGlyph, int(a.column), int(a.row), button))
                redrawGlyphChange(
                    pixelOfCurrentFont(doc_, doc_.CurrentGlyph, int(a.column), int(a.row)));
        }
    }
    setStatusField(0, "Char Set: NONE");
    if (cellArea != -1) {
        const int64_t code = currentSetCell(doc_, cellArea - kSetCellAreas);
        if (code != -1)
            setStatusField(0, "Char Set: " + codeText(code));
    }
}

void MainWindow::editorCanvasEvent(const MainEvent& e) {
    const int button = e.buttons == 1 ? 1 : (e.buttons == 2 ? 2 : 0);
    if (button == 0 || (button == 1 && clickGuard_ != 0))
        return;
    const int64_t area = findHitArea(doc_, kEditorAreas, kEditorAreasLast, e.x, e.y);
    if (area != -1 && glyphOfCode(doc_.CurrentGlyph) >= 0) {
        if (paintPixel(doc_, button, area)) {
            const HitArea& painted = doc_.HitAreas[area];
            redrawGlyphChange(
                pixelOfCurrentFont(doc_, doc_.CurrentGlyph, int(painted.column), int(painted.row)));
        }
    }
}

void MainWindow::setPreviewEvent(const MainEvent& e) {
    const int64_t area = findHitArea(doc_, kSetPreviewAreas, kSetPreviewAreasLast, e.x, e.y);
    const int cell = area == -1 ? -1 : int(area - kSetPreviewAreas);
    if (e.buttons == 4) {
        if (area != -1) {
            doc_.CurrentGlyph = currentSetCell(doc_, cell);
            updateGlyphInfoLabel();
            drawGlyphEditor();
        }
    } else if (e.buttons == 1) {
        if (clickGuard_ == 0 && area != -1) {
            editSetCell(doc_, cell);
            redrawMainWindow();
        }
    } else if (e.buttons == 2) {
        if (area != -1) {
            editSetCell(doc_, cell + 50);
            drawSetPreview();
            drawSetCanvas();
            drawGlyphEditor();
            if (doc_.MarkUnusedGlyphs == 1)
                drawFontCanvas();
        }
    }
    setStatusField(0, "Char Set: NONE");
    if (area != -1) {
        const int64_t code = currentSetCell(doc_, cell);
        if (code != -1)
            setStatusField(0, "Char Set: " + codeText(code));
    }
}

void MainWindow::pickGlyph(int64_t code) {
    doc_.PickedGlyph = code;
    doc_.CurrentGlyph = code;
    PickedCodeLabel->setText(codeText(code));
    updateGlyphInfoLabel();
    drawGlyphPreview();
    drawGlyphEditor();
}

void MainWindow::fontCanvasEvent(const MainEvent& e) {
    const int64_t area = findHitArea(doc_, kFontAreas, kFontAreasLast, e.x, e.y);
    if (area == -1)
        return;
    if (e.leftClick) {
        if (heldDigit_ != 0) {
            addGlyphToSetRow(doc_, area, heldDigit_);
            redrawMainWindow();
        } else {
            pickGlyph(area);
        }
        PickedCodeLabel->setText(codeText(area));
    }
    setStatusField(0, "Char Font: " + codeText(area));
}

} // namespace korvex
