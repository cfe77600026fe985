// Cost of a whole redraw of the View Editor canvas and of the View All Screens sheet:
// a screen with no row table (every row in the current font and mode) against the
// same screen with a table of ten fonts and every mode, which should cost at most
// half as much again. The row strip beside the canvas on its own, for scale.
#include "core/screens.h"
#include "render/canvas_sizes.h"
#include "render/row_strip_drawing.h"
#include "render/view_editor_drawing.h"

#include "row_table_document.h"

#include <benchmark/benchmark.h>

#include <QImage>
#include <memory>

namespace {

using namespace korvex;

void redrawViewEditor(benchmark::State& state, bool withTables, bool fourColour) {
    const auto doc = bench::rowTableDocument(withTables, fourColour);
    QImage image(kViewEditorCanvasSize.width, kViewEditorCanvasSize.height, QImage::Format_RGB32);
    for (auto _ : state) {
        drawViewEditor(*doc, image, -1, -1);
        benchmark::DoNotOptimize(image.constBits());
    }
}

void redrawAllScreens(benchmark::State& state, bool withTables) {
    const auto doc = bench::rowTableDocument(withTables, false);
    QImage image(kViewAllScreensSize.width, kViewAllScreensSize.height, QImage::Format_RGB32);
    for (auto _ : state) {
        drawViewAllScreens(*doc, image);
        benchmark::DoNotOptimize(image.constBits());
    }
}

void BM_ViewEditorNoRowTable(benchmark::State& state) {
    redrawViewEditor(state, false, false);
}
void BM_ViewEditorNoRowTableFourColour(benchmark::State& state) {
    redrawViewEditor(state, false, true);
}
void BM_ViewEditorTenFontsMixedModes(benchmark::State& state) {
    redrawViewEditor(state, true, false);
}
void BM_ViewAllScreensNoRowTables(benchmark::State& state) {
    redrawAllScreens(state, false);
}
void BM_ViewAllScreensTenFontsMixedModes(benchmark::State& state) {
    redrawAllScreens(state, true);
}
void BM_RowStrip(benchmark::State& state) {
    const auto doc = bench::rowTableDocument(true, false);
    QImage image(kRowStripSize.width, kRowStripSize.height, QImage::Format_RGB32);
    for (auto _ : state) {
        drawRowStrip(*doc, image, 3);
        benchmark::DoNotOptimize(image.constBits());
    }
}

} // namespace

BENCHMARK(BM_ViewEditorNoRowTable)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ViewEditorNoRowTableFourColour)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ViewEditorTenFontsMixedModes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ViewAllScreensNoRowTables)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ViewAllScreensTenFontsMixedModes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RowStrip)->Unit(benchmark::kMicrosecond);
