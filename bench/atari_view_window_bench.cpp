// Cost of the Atari view window's drawing at its first zoom (2x): the whole picture
// with no row table and with a table of ten fonts and every mode, and the redraw
// after a change to one glyph, which draws only the cells that show it.
#include "core/glyph_places.h"
#include "core/screens.h"
#include "render/atari_view_drawing.h"
#include "render/glyph_areas.h"

#include <benchmark/benchmark.h>

#include <QImage>
#include <memory>

namespace {

using namespace korvex;

constexpr int kZoom = 2;

std::unique_ptr<Document> windowDocument(bool withTable) {
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

void drawWhole(benchmark::State& state, bool withTable) {
    const auto doc = windowDocument(withTable);
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
    const auto doc = windowDocument(true);
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
