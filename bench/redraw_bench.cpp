// Cost of redrawing the main window's canvases: a full redraw, the redraw after one
// paint event, and as the floor for both, filling the same canvases' pixels with
// memset.
#include "core/document.h"
#include "core/glyph_edit.h"
#include "core/glyph_places.h"
#include "render/glyph_areas.h"
#include "render/main_canvases.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>

namespace {

using namespace korvex;

enum class Mode { TwoColour, FourColour, FourColourMask };

std::unique_ptr<Document> benchDocument(Mode mode) {
    auto doc = std::make_unique<Document>();
    initDocument(*doc);
    for (int k = 0; k < kSetCells; ++k)
        doc->Sets[1][k] = int16_t(33 + k + (k % 2) * 128);
    // Font 2 gets the glyphs of font 1 shifted, so the mask layer has content.
    for (int g = 0; g < kGlyphCount; ++g)
        for (int x = 0; x < 8; ++x)
            for (int y = 0; y < 8; ++y)
                doc->setPixel(2, g, x, y, doc->pixel(1, g, (x + 1) % 8, y));
    for (int x = 0; x < 8; ++x)
        for (int y = 0; y < 8; ++y)
            setGlyphPixel(doc->GlyphClipboard, x, y, (x + y) % 2 != 0);
    doc->CurrentGlyph = 33;
    doc->PickedGlyph = 200;
    doc->FourColourMode = mode == Mode::TwoColour ? 0 : 1;
    doc->SetViewMode = mode == Mode::FourColourMask ? SetView::Mask : SetView::Normal;
    return doc;
}

void redraw(benchmark::State& state, Mode mode) {
    const auto doc = benchDocument(mode);
    MainCanvasImages images = makeMainCanvasImages();
    for (auto _ : state) {
        renderMainCanvases(*doc, images);
        benchmark::DoNotOptimize(images.set.constBits());
    }
}

void BM_RedrawTwoColour(benchmark::State& state) {
    redraw(state, Mode::TwoColour);
}
void BM_RedrawFourColour(benchmark::State& state) {
    redraw(state, Mode::FourColour);
}
void BM_RedrawFourColourMask(benchmark::State& state) {
    redraw(state, Mode::FourColourMask);
}

// The two largest canvases on their own, to see where a redraw's time goes.
void BM_FontGridTwoColour(benchmark::State& state) {
    const auto doc = benchDocument(Mode::TwoColour);
    MainCanvasImages images = makeMainCanvasImages();
    for (auto _ : state)
        drawFontGrid(*doc, images.font);
}
void BM_SetCanvasMask(benchmark::State& state) {
    const auto doc = benchDocument(Mode::FourColourMask);
    MainCanvasImages images = makeMainCanvasImages();
    for (auto _ : state)
        drawSetCanvas(*doc, images.set);
}
BENCHMARK(BM_FontGridTwoColour)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SetCanvasMask)->Unit(benchmark::kMicrosecond);

BENCHMARK(BM_RedrawTwoColour)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RedrawFourColour)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RedrawFourColourMask)->Unit(benchmark::kMicrosecond);

// The physical floor of a full redraw: every pixel of the canvases a full redraw
// writes, written once with memset.
void BM_MemsetBaseline(benchmark::State& state) {
    MainCanvasImages images = makeMainCanvasImages();
    QImage* canvases[] = {&images.font,        &images.setPreview,   &images.set,
                          &images.editor,      &images.glyphPreview, &images.copyBuffer,
                          &images.swatch[LUM], &images.swatch[BAK],  &images.swatch[PF0],
                          &images.swatch[PF1], &images.swatch[PF2],  &images.swatch[PF3]};
    int value = 0;
    for (auto _ : state) {
        for (QImage* image : canvases)
            std::memset(image->bits(), value, size_t(image->sizeInBytes()));
        value ^= 0x10;
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_MemsetBaseline)->Unit(benchmark::kMicrosecond);

// What the main window redraws after a paint event: the dots that show the painted
// pixel, and the glyph preview whole.
void redrawGlyphChange(const Document& doc, MainCanvasImages& images, GlyphRef changed) {
    for (const QRect& area : fontGridAreasShowing(doc, changed))
        drawFontGrid(doc, images.font, area);
    for (const QRect& area : setPreviewAreasShowing(doc, changed))
        drawSetPreview(doc, images.setPreview, area);
    for (const QRect& area : setCanvasAreasShowing(doc, changed))
        drawSetCanvas(doc, images.set, area);
    for (const QRect& area : glyphEditorAreasShowing(doc, changed))
        drawGlyphEditor(doc, images.editor, area);
    if (glyphPreviewShows(doc, changed))
        drawGlyphPreview(doc, images.glyphPreview);
}

// One paint event in the magnified editor and the redraw it causes. The glyph is
// one a set cell holds, and every event flips the pixel, so each one changes it.
void paintEvent(benchmark::State& state, Mode mode) {
    const auto doc = benchDocument(mode);
    doc->CurrentGlyph = doc->Sets[1][0];
    if (mode != Mode::TwoColour) {
        doc->LeftColour = PF0;
        doc->RightColour = BAK;
    }
    MainCanvasImages images = makeMainCanvasImages();
    renderMainCanvases(*doc, images);
    int button = 1;
    for (auto _ : state) {
        paintSetPixel(*doc, doc->CurrentGlyph, 3, 4, button);
        button = 3 - button;
        redrawGlyphChange(*doc, images, pixelOfCurrentFont(*doc, doc->CurrentGlyph, 3, 4));
        benchmark::DoNotOptimize(images.set.constBits());
    }
}
void BM_PaintEventTwoColour(benchmark::State& state) {
    paintEvent(state, Mode::TwoColour);
}
void BM_PaintEventFourColourMask(benchmark::State& state) {
    paintEvent(state, Mode::FourColourMask);
}
BENCHMARK(BM_PaintEventTwoColour)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PaintEventFourColourMask)->Unit(benchmark::kMicrosecond);

} // namespace
