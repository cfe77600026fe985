// Cost of the document history: what recording a step adds to an action, what an
// undo and a redo cost, and the memory the steps take.
#include "core/document.h"
#include "core/glyph_edit.h"
#include "core/history.h"
#include "core/hit_areas.h"
#include "core/set_composition.h"
#include "core/view_editor.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace korvex;

constexpr int kStrokeEvents = 1000;
constexpr int kMixedSteps = 10000;

std::unique_ptr<Document> startDocument() {
    auto doc = std::make_unique<Document>();
    initDocument(*doc);
    return doc;
}

// A 1000-event stroke over the magnified editor recorded as one step, then undone.
// The time is that of the whole stroke, so it can be set against the per-event
// paint; the counters give the step's own cost.
void strokeRecordedAndUndone(benchmark::State& state) {
    auto doc = startDocument();
    for (auto _ : state) {
        doc->history.begin(*doc, "Paint");
        for (int i = 0; i < kStrokeEvents; ++i)
            paintPixel(*doc, 1 + i / 64 % 2, kEditorAreas + i % 64);
        doc->history.commit(*doc);
        doc->history.undo(*doc);
    }
    state.counters["memory_bytes"] = double(doc->history.memoryUsed());
}
BENCHMARK(strokeRecordedAndUndone)->Unit(benchmark::kMicrosecond);

// The same stroke without the history, for comparison.
void strokeAlone(benchmark::State& state) {
    auto doc = startDocument();
    for (auto _ : state)
        for (int i = 0; i < kStrokeEvents; ++i)
            paintPixel(*doc, 1 + i / 64 % 2, kEditorAreas + i % 64);
}
BENCHMARK(strokeAlone)->Unit(benchmark::kMicrosecond);

// One glyph command as a step: begin, the command, commit.
void glyphCommandStep(benchmark::State& state) {
    auto doc = startDocument();
    doc->history.setBudget(size_t(1) << 20); // the history stays at a steady size
    for (auto _ : state) {
        HistoryStep step(*doc, "Inverse");
        transformGlyph(*doc, InverseGlyph);
    }
}
BENCHMARK(glyphCommandStep)->Unit(benchmark::kMicrosecond);

// An undo and a redo of a glyph command.
void undoAndRedo(benchmark::State& state) {
    auto doc = startDocument();
    {
        HistoryStep step(*doc, "Inverse");
        transformGlyph(*doc, InverseGlyph);
    }
    for (auto _ : state) {
        doc->history.undo(*doc);
        doc->history.redo(*doc);
    }
}
BENCHMARK(undoAndRedo)->Unit(benchmark::kMicrosecond);

// Ten thousand steps of mixed kinds recorded into an empty history; the time per
// step and the memory of the full history are in the counters.
void tenThousandMixedSteps(benchmark::State& state) {
    size_t memory = 0, steps = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto doc = startDocument();
        state.ResumeTiming();
        for (int i = 0; i < kMixedSteps; ++i) {
            doc->CurrentGlyph = i % 128;
            doc->CurrentSet = 1 + i % kSetCount;
            doc->PickedGlyph = i % 256; // a new code each time, so every step changes
            HistoryStep step(*doc, "Step");
            switch (i % 4) {
            case 0:
                for (int x = 0; x < 8; ++x)
                    paintPixel(*doc, 1 + i / 128 % 2, kEditorAreas + 8 * (i % 8) + x);
                break;
            case 1:
                transformGlyph(*doc, RotateGlyph + i % 9);
                break;
            case 2:
                editSetCell(*doc, i % kSetCells);
                break;
            default:
                paintCell(*doc, i % kScreenColumns, i % kScreenRows);
                break;
            }
        }
        memory = doc->history.memoryUsed();
        steps = doc->history.undoCount();
        state.PauseTiming();
        doc.reset();
        state.ResumeTiming();
    }
    state.counters["memory_bytes"] = double(memory);
    state.counters["steps"] = double(steps);
    state.counters["per_step"] =
        benchmark::Counter(double(kMixedSteps), benchmark::Counter::kIsIterationInvariantRate |
                                                    benchmark::Counter::kInvert);
}
BENCHMARK(tenThousandMixedSteps)->Unit(benchmark::kMillisecond);

} // namespace
