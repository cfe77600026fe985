// Cost of the font tools where they run on every redraw: the font canvas with and
// without the unused-glyph marks, the use counts, and the search for duplicates with
// every option (the duplicate window repeats it after each edit).
#include "core/document.h"
#include "core/glyph_duplicates.h"
#include "core/glyph_usage.h"
#include "render/main_canvases.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace korvex;

std::unique_ptr<Document> busyDocument() {
    auto doc = std::make_unique<Document>();
    initDocument(*doc);
    for (int s = 1; s <= kSetCount; ++s)
        for (int c = 0; c < kSetCells; ++c)
            doc->Sets[s][c] = int16_t((s * 7 + c) % 256);
    for (size_t i = 0; i < sizeof doc->screens; ++i)
        doc->screens[i] = uint8_t(i % 100);
    return doc;
}

void fontCanvas(benchmark::State& state) {
    auto doc = busyDocument();
    doc->MarkUnusedGlyphs = state.range(0);
    MainCanvasImages images = makeMainCanvasImages();
    for (auto _ : state) {
        drawFontGrid(*doc, images.font);
        benchmark::DoNotOptimize(images.font.constBits());
    }
}
BENCHMARK(fontCanvas)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void glyphUseCounts(benchmark::State& state) {
    auto doc = busyDocument();
    for (auto _ : state) {
        GlyphUses uses = countGlyphUses(*doc);
        benchmark::DoNotOptimize(uses);
    }
}
BENCHMARK(glyphUseCounts)->Unit(benchmark::kMicrosecond);

void duplicateGroups(benchmark::State& state) {
    auto doc = busyDocument();
    const bool all = state.range(0) != 0;
    for (auto _ : state) {
        auto groups = findDuplicateGroups(*doc, 1, {all, all, all, false});
        benchmark::DoNotOptimize(groups);
    }
}
BENCHMARK(duplicateGroups)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace
