// Redrawing of the main window's canvases, colour boxes and swatches from the
// document, and of the open viewer windows.

#include "core/document.h"
#include "gui/canvas_widget.h"
#include "gui/main_window.h"
#include "render/canvas.h"
#include "render/glyph_areas.h"
#include "render/main_canvases.h"

#include <QLabel>

namespace korvex {

void MainWindow::drawSetPreview() {
    korvex::drawSetPreview(doc_, SetPreviewCanvas->image());
    SetPreviewCanvas->update();
}

void MainWindow::drawSetCanvas() {
    korvex::drawSetCanvas(doc_, SetCanvas->image());
    SetCanvas->update();
}

void MainWindow::drawGlyphEditor() {
    korvex::drawGlyphEditor(doc_, EditorCanvas->image());
    EditorCanvas->update();
}

void MainWindow::drawGlyphPreview() {
    korvex::drawGlyphPreview(doc_, GlyphPreviewCanvas->image());
    GlyphPreviewCanvas->update();
}

void MainWindow::drawCopyBuffer() {
    korvex::drawCopyBuffer(doc_, CopyBufferCanvas->image());
    CopyBufferCanvas->update();
}

void MainWindow::drawAnimationFrame(int64_t set) {
    korvex::drawAnimationFrame(doc_, AnimCanvas->image(), set);
    AnimCanvas->update();
}

void MainWindow::refreshColourBoxes() {
    auto paint = [](QLabel* box, int64_t colour) {
        QPalette p = box->palette();
        p.setColor(QPalette::Window, QColor::fromRgb(toQRgb(colour)));
        box->setPalette(p);
    };
    paint(LeftColourBox, workingColour(doc_, doc_.LeftColour));
    paint(RightColourBox, workingColour(doc_, doc_.RightColour));
    for (int r = LUM; r <= PF3; ++r) {
        fillColourSwatch(Swatch[r]->image(), workingColour(doc_, r));
        Swatch[r]->update();
    }
}

void MainWindow::drawFontCanvas() {
    korvex::drawFontGrid(doc_, FontCanvas->image());
    FontCanvas->update();
}

void MainWindow::redrawMainWindow() {
    drawFontCanvas();
    drawSetPreview();
    drawSetCanvas();
    drawGlyphEditor();
    drawGlyphPreview();
    refreshColourBoxes();
    drawCopyBuffer();
    if (setsViewerOpen && setsViewerRedraw)
        setsViewerRedraw();
    if (multiFontViewOpen && multiFontViewRedraw)
        multiFontViewRedraw();
    if (viewEditorOpen && viewEditorRedraw)
        viewEditorRedraw();
    if (duplicateGlyphsRedraw)
        duplicateGlyphsRedraw();
    if (textPreviewRedraw)
        textPreviewRedraw();
    updateUndoAction();
}

void MainWindow::redrawGlyphChange(GlyphRef changed) {
    if (!changed.valid())
        return;
    FontCanvas->redrawAreas(
        fontGridAreasShowing(doc_, changed),
        [this](QImage& image, const QRect& area) { korvex::drawFontGrid(doc_, image, area); });
    SetPreviewCanvas->redrawAreas(
        setPreviewAreasShowing(doc_, changed),
        [this](QImage& image, const QRect& area) { korvex::drawSetPreview(doc_, image, area); });
    SetCanvas->redrawAreas(
        setCanvasAreasShowing(doc_, changed),
        [this](QImage& image, const QRect& area) { korvex::drawSetCanvas(doc_, image, area); });
    EditorCanvas->redrawAreas(
        glyphEditorAreasShowing(doc_, changed),
        [this](QImage& image, const QRect& area) { korvex::drawGlyphEditor(doc_, image, area); });
    if (glyphPreviewShows(doc_, changed))
        drawGlyphPreview();
    if (setsViewerOpen && setsViewerGlyphRedraw)
        setsViewerGlyphRedraw(changed);
    if (multiFontViewOpen && multiFontViewGlyphRedraw)
        multiFontViewGlyphRedraw(changed);
    if (viewEditorOpen && viewEditorGlyphRedraw)
        viewEditorGlyphRedraw(changed);
    // The font tools windows are small and follow every edit whole.
    if (duplicateGlyphsRedraw)
        duplicateGlyphsRedraw();
    if (textPreviewRedraw)
        textPreviewRedraw();
}

} // namespace korvex
