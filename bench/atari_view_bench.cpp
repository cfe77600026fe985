// Cost of drawing a screen as the Atari view shows it: with no row table (every row
// in the current font and mode) and with a table of ten fonts and every mode, which
// should cost at most half as much again.
#include "core/atari_view.h"
#include "core/screens.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace korvex;

std::unique_ptr<Document> viewDocument(bool withTable) {
    auto doc = std::make_unique<Document>();
    initDocument(*doc);
    for (int f = 2; f <= kFontCount; ++f)
        for (int g = 0; g < kGlyphCount; ++g)
            for (int x = 0; x < 8; ++x)
                for (int y = 0; y < 8; ++y)
                    doc->setPixel(f, g, x, y, (g * 7 + f + x * y) % 3 == 0);
    for (int row = 0; row < kScreenRows; ++row)
        for (int column = 0; column < kScreenColumns; ++column)
            setCell(*doc, 0, column, row, uint8_t(row * 41 + column * 13));
    if (withTable) {
        const RowMode modes[] = {RowMode::TwoColour, RowMode::FourColour, RowMode::FourColourTall,
                                 RowMode::Follow};
        for (int row = 0; row < kScreenRows; ++row) {
            doc->rowTables[0].font[row] = uint8_t(row % kFontCount + 1);
            doc->rowTables[0].mode[row] = uint8_t(modes[row % 4]);
        }
    }
    return doc;
}

void drawScreen(benchmark::State& state, bool withTable) {
    const auto doc = viewDocument(withTable);
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
