// Cost of a whole redraw of the View Editor canvas and of the View All Screens sheet:
// a screen with no row table (every row in the current font and mode) against the
// same screen with a table of ten fonts and every mode, which should cost at most
// half as much again. The row strip beside the canvas on its own, for scale.
#include "core/screens.h"
#include "render/canvas_sizes.h"
#include "render/row_strip_drawing.h"
#include "render/view_editor_drawing.h"

#include <benchmark/benchmark.h>

#include <QImage>
#include <memory>

namespace {

using namespace korvex;

std::unique_ptr<Document> screenDocument(bool withTables, bool fourColour) {
    auto doc = std::make_unique<Document>();
    initDocument(*doc);
    for (int f = 2; f <= kFontCount; ++f)
        for (int g = 0; g < kGlyphCount; ++g)
            for (int x = 0; x < 8; ++x)
                for (int y = 0; y < 8; ++y)
                    doc->setPixel(f, g, x, y, (g * 7 + f + x * y) % 3 == 0);
    for (int s = 0; s < kScreenCount; ++s)
        for (int row = 0; row < kScreenRows; ++row)
            for (int column = 0; column < kScreenColumns; ++column)
                setCell(*doc, s, column, row, uint8_t(row * 41 + column * 13 + s));
    doc->FourColourMode = fourColour ? 1 : 0;
    if (withTables) {
        const RowMode modes[] = {RowMode::TwoColour, RowMode::FourColour, RowMode::FourColourTall,
                                 RowMode::Follow};
        for (RowTable& table : doc->rowTables)
            for (int row = 0; row < kScreenRows; ++row) {
                table.font[row] = uint8_t(row % kFontCount + 1);
                table.mode[row] = uint8_t(modes[row % 4]);
            }
    }
    return doc;
}

void redrawViewEditor(benchmark::State& state, bool withTables, bool fourColour) {
    const auto doc = screenDocument(withTables, fourColour);
    QImage image(kViewEditorCanvasSize.width, kViewEditorCanvasSize.height, QImage::Format_RGB32);
    for (auto _ : state) {
        drawViewEditor(*doc, image, -1, -1);
        benchmark::DoNotOptimize(image.constBits());
    }
}

void redrawAllScreens(benchmark::State& state, bool withTables) {
    const auto doc = screenDocument(withTables, false);
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
    const auto doc = screenDocument(true, false);
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
