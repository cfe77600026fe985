// Cost of the Atari view window's drawing at its first zoom (2x): the whole picture
// with no row table and with a table of ten fonts and every mode, and the redraw
// after a change to one glyph, which draws only the cells that show it.
#include "core/glyph_places.h"
#include "core/screens.h"
#include "render/atari_view_drawing.h"
#include "render/glyph_areas.h"

#include "row_table_document.h"

#include <benchmark/benchmark.h>

#include <QImage>
#include <memory>

namespace {

using namespace korvex;

constexpr int kZoom = 2;

void drawWhole(benchmark::State& state, bool withTable) {
    const auto doc = bench::rowTableDocument(withTable);
    QImage image(atariViewSize(*doc, kZoom), QImage::Format_RGB32);
    for (auto _ : state) {
        drawAtariView(*doc, image, kZoom);
        benchmark::DoNotOptimize(image.constBits());
    }
}

void BM_AtariViewWindowNoRowTable(benchmark::State& state) {
    drawWhole(state, false);
}
void BM_AtariViewWindowTenFontsMixedModes(benchmark::State& state) {
    drawWhole(state, true);
}

void BM_AtariViewWindowGlyphChange(benchmark::State& state) {
    const auto doc = bench::rowTableDocument(true);
    QImage image(atariViewSize(*doc, kZoom), QImage::Format_RGB32);
    drawAtariView(*doc, image, kZoom);
    const GlyphRef changed(1, 65);
    for (auto _ : state) {
        for (const QRect& area : fewAreas(atariViewAreasShowing(*doc, kZoom, changed)))
            drawAtariView(*doc, image, kZoom, area);
        benchmark::DoNotOptimize(image.constBits());
    }
}

} // namespace

BENCHMARK(BM_AtariViewWindowNoRowTable);
BENCHMARK(BM_AtariViewWindowTenFontsMixedModes);
BENCHMARK(BM_AtariViewWindowGlyphChange);
