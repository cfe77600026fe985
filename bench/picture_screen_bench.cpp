// Picture to screen on the 320 x 192 photographs of the test set, in both modes with
// 1, 2, 4 and 8 fonts: the time of a conversion, its PSNR and the PSNR of the simple
// reference with the same colours and bands (counters psnr_db and reference_db; an
// exact result counts as 99 dB). The reference's own time is measured apart.
#include "core/picture_screen.h"
#include "test_pictures.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

using namespace korvex;

constexpr double kExactDb = 99;

const RgbPicture& photograph(int index) {
    static const std::vector<RgbPicture> pictures = [] {
        std::vector<RgbPicture> out;
        for (const std::string& name : testPhotographs())
            out.push_back(loadTestPicture(name).value_or(RgbPicture{}));
        return out;
    }();
    return pictures[size_t(index)];
}

double shownDb(double psnr) {
    return std::isfinite(psnr) ? psnr : kExactDb;
}

PictureScreenOptions options(const benchmark::State& state) {
    PictureScreenOptions o;
    o.mode = int(state.range(0));
    o.fonts = int(state.range(1));
    return o;
}

void pictureToScreenPhoto(benchmark::State& state) {
    const RgbPicture& picture = photograph(int(state.range(2)));
    const PictureScreenOptions o = options(state);
    std::optional<PictureScreen> screen;
    for (auto _ : state) {
        screen = pictureToScreen(picture, o);
        benchmark::DoNotOptimize(screen);
    }
    state.SetLabel(testPhotographs()[size_t(state.range(2))]);
    if (!screen)
        return;
    const PictureScreen reference = referencePictureScreen(pictureRows(picture), o, *screen);
    state.counters["psnr_db"] = shownDb(screen->psnr);
    state.counters["reference_db"] = shownDb(reference.psnr);
    state.counters["fonts_used"] = double(screen->fonts.size());
}

void referencePhoto(benchmark::State& state) {
    const RgbPicture& picture = photograph(int(state.range(2)));
    const PictureScreenOptions o = options(state);
    const auto screen = pictureToScreen(picture, o);
    if (!screen)
        return;
    for (auto _ : state) {
        PictureScreen reference = referencePictureScreen(pictureRows(picture), o, *screen);
        benchmark::DoNotOptimize(reference);
    }
    state.SetLabel(testPhotographs()[size_t(state.range(2))]);
}

void photoArguments(benchmark::internal::Benchmark* b, std::initializer_list<int64_t> fonts) {
    for (int64_t mode : {2, 4})
        for (int64_t f : fonts)
            for (int64_t p = 0; p < 4; ++p)
                b->Args({mode, f, p});
}

BENCHMARK(pictureToScreenPhoto)
    ->Apply([](benchmark::internal::Benchmark* b) {
        photoArguments(b, {1, 2, 4, 8});
    })
    ->ArgNames({"mode", "fonts", "photo"})
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime();
BENCHMARK(referencePhoto)
    ->Apply([](benchmark::internal::Benchmark* b) { photoArguments(b, {1}); })
    ->ArgNames({"mode", "fonts", "photo"})
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime();

} // namespace
