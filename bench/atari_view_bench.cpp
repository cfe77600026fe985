// Cost of drawing a screen as the Atari view shows it: with no row table (every row
// in the current font and mode) and with a table of ten fonts and every mode, which
// should cost at most half as much again.
#include "core/atari_view.h"
#include "core/screens.h"

#include "row_table_document.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace korvex;

void drawScreen(benchmark::State& state, bool withTable) {
    const auto doc = bench::rowTableDocument(withTable);
    for (auto _ : state) {
        RgbPicture picture = drawAtariScreen(*doc, 0, 1, false);
        benchmark::DoNotOptimize(picture.pixels.data());
    }
    state.counters["scanlines"] = screenScanlines(*doc, 0);
}

void BM_AtariViewNoRowTable(benchmark::State& state) {
    drawScreen(state, false);
}
void BM_AtariViewTenFontsMixedModes(benchmark::State& state) {
    drawScreen(state, true);
}

} // namespace

BENCHMARK(BM_AtariViewNoRowTable);
BENCHMARK(BM_AtariViewTenFontsMixedModes);
