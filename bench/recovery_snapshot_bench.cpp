// Cost of one recovery snapshot, the work the window's thread does at each tick of
// the recovery timer (the copy itself is written on another thread).
#include "core/document.h"
#include "formats/recovery_copy.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace korvex;

void recoverySnapshot(benchmark::State& state) {
    auto doc = std::make_unique<Document>();
    initDocument(*doc);
    // Every font, set and screen holds something, so no number is a short one.
    for (int f = 1; f <= kFontCount; ++f)
        for (int g = 0; g < kGlyphCount; ++g)
            for (int x = 0; x < 8; ++x)
                for (int y = 0; y < 8; ++y)
                    doc->setPixel(f, g, x, y, uint8_t((f + g + x * y) % 2));
    for (int s = 1; s <= kSetCount; ++s)
        for (int c = 0; c < kSetCells; ++c)
            doc->Sets[s][c] = int16_t(100 + c);
    for (uint8_t& cell : doc->screens)
        cell = 200;
    for (auto _ : state) {
        RecoverySnapshot snapshot = takeRecoverySnapshot(*doc);
        benchmark::DoNotOptimize(snapshot);
    }
}
BENCHMARK(recoverySnapshot)->Unit(benchmark::kMicrosecond);

} // namespace
