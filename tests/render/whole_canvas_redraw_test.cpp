// A whole-canvas redraw, which writes a scanline at a time, gives exactly the pixels
// of drawing the canvas step by step over its whole area, whatever the document.

#include "random_document.h"
#include "render/main_canvases.h"
#include "render_test_helpers.h"
#include "test_document.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

namespace korvex {
namespace {

using namespace korvex::test;

struct WholeCanvas {
    const char* name;
    CanvasSize size;
    std::function<void(const Document&, QImage&)> drawWhole;
    std::function<void(const Document&, QImage&, const QRect&)> drawArea;
};

std::vector<WholeCanvas> wholeCanvases() {
    return {
        {"font grid", kFontCanvasSize, [](const Document& d, QImage& i) { drawFontGrid(d, i); },
         [](const Document& d, QImage& i, const QRect& a) { drawFontGrid(d, i, a); }},
        {"set canvas", kSetCanvasSize, [](const Document& d, QImage& i) { drawSetCanvas(d, i); },
         [](const Document& d, QImage& i, const QRect& a) { drawSetCanvas(d, i, a); }},
        {"glyph editor", kEditorCanvasSize,
         [](const Document& d, QImage& i) { drawGlyphEditor(d, i); },
         [](const Document& d, QImage& i, const QRect& a) { drawGlyphEditor(d, i, a); }},
    };
}

// Besides random documents: unused-glyph marks, and sets and fonts outside their
// tables.
void addOddities(Document& doc, std::mt19937& random, int trial) {
    doc.MarkUnusedGlyphs = trial % 3 == 0 ? 1 : 0;
    const int64_t glyphs[] = {0, 5, 133, 255, -1, 300};
    doc.CurrentGlyph = glyphs[random() % 6];
    if (trial % 7 == 3)
        doc.CurrentSet = trial % 2 ? 0 : kSetCount + 1;
    if (trial % 11 == 5)
        doc.CurrentFont = trial % 2 ? 0 : kFontCount + 1;
}

TEST(WholeCanvasRedraw, EqualsTheStepByStepDrawingOfTheWholeArea) {
    std::mt19937 random(2024);
    for (int trial = 0; trial < 120; ++trial) {
        auto doc = freshDocument();
        randomiseDocument(*doc, random);
        addOddities(*doc, random, trial);
        for (const WholeCanvas& canvas : wholeCanvases()) {
            // Different old contents, so a pixel either way leaves unwritten shows.
            QImage whole = blankImage(canvas.size, qRgb(9, 8, 7));
            QImage stepwise = blankImage(canvas.size, qRgb(1, 2, 3));
            canvas.drawWhole(*doc, whole);
            canvas.drawArea(*doc, stepwise, stepwise.rect());
            ASSERT_EQ(whole, stepwise)
                << canvas.name << " trial " << trial << " font " << doc->CurrentFont << " mode "
                << doc->FourColourMode << " view " << int(doc->SetViewMode);
        }
    }
}

} // namespace
} // namespace korvex
