// Cost of loading files made to cost too much: pictures declaring 16384 x 16384
// pixels in about a hundred bytes (tests/data/hostile/), a project followed by
// millions of short lines and a project of one 50 MB line (both made once per run
// in a temporary folder). Each load should take well under 50 ms and under 64 MB
// of memory beyond what the program holds already.
//
// Time per load is the benchmark's own figure; "peak_MB" is how far the largest
// resident size grew during one load, measured in a child process started for
// that one load (a child starts with its resident size as its peak, so what it
// reports is the load's growth alone). The big project's size can be changed with
// KORVEX_BENCH_PROJECT_MB (default 300).
#include "core/document.h"
#include "formats/file_io.h"
#include "formats/picture_codec.h"
#include "formats/project_file.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using namespace korvex;
namespace fs = std::filesystem;

constexpr size_t kMegabyte = size_t(1) << 20;
constexpr size_t kDefaultProjectMegabytes = 300;
constexpr size_t kOneLineMegabytes = 50;
// As the editor reads pictures: the most a picture file of the largest size holds.
constexpr size_t kPictureReadLimit = (size_t(1) << 30) + kMegabyte;

std::string hostileFile(const char* name) {
    return std::string(KORVEX_SOURCE_DIR) + "/tests/data/hostile/" + name;
}

size_t bigProjectMegabytes() {
    const char* value = std::getenv("KORVEX_BENCH_PROJECT_MB");
    const long megabytes = value ? std::atol(value) : 0;
    return megabytes > 0 ? size_t(megabytes) : kDefaultProjectMegabytes;
}

// Writes `repeated` over and over after `head` until the file has `bytes` bytes.
void writeFile(const std::string& path, const std::string& head, const std::string& repeated,
               size_t bytes) {
    std::string block;
    while (block.size() < kMegabyte)
        block += repeated;
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        std::abort();
    std::fwrite(head.data(), 1, head.size(), f);
    for (size_t written = head.size(); written < bytes; written += block.size())
        std::fwrite(block.data(), 1, std::min(block.size(), bytes - written), f);
    std::fclose(f);
}

// The generated files, made on first use and removed when the run ends.
class GeneratedFiles {
public:
    GeneratedFiles() {
        char pattern[] = "/tmp/korvex-hostile-XXXXXX";
        if (!::mkdtemp(pattern))
            std::abort();
        folder_ = pattern;
        auto doc = std::make_unique<Document>();
        initDocument(*doc);
        const std::string project = joinCrLf(writeProjectLines(*doc));
        writeFile(endlessLines(), project, "SET_1=1\n", bigProjectMegabytes() * kMegabyte);
        writeFile(oneLine(), "", "VE_GRID=1 ", kOneLineMegabytes * kMegabyte);
    }
    ~GeneratedFiles() {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }
    std::string endlessLines() const { return folder_ + "/endless-lines.proj2"; }
    std::string oneLine() const { return folder_ + "/one-line.proj2"; }

private:
    std::string folder_;
};

const GeneratedFiles& generated() {
    static const GeneratedFiles files;
    return files;
}

// Growth of the largest resident size while `load` runs once, in megabytes.
double peakGrowthMegabytes(const std::function<void()>& load) {
    int channel[2];
    if (::pipe(channel) != 0)
        return -1;
    const pid_t child = ::fork();
    if (child == 0) {
        rusage before{}, after{};
        ::getrusage(RUSAGE_SELF, &before);
        load();
        ::getrusage(RUSAGE_SELF, &after);
        const long grownKib = after.ru_maxrss - before.ru_maxrss;
        ssize_t sent = ::write(channel[1], &grownKib, sizeof grownKib);
        ::_exit(sent == sizeof grownKib ? 0 : 1);
    }
    ::close(channel[1]);
    long grownKib = -1;
    if (::read(channel[0], &grownKib, sizeof grownKib) != sizeof grownKib)
        grownKib = -1;
    ::close(channel[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return grownKib < 0 ? -1 : double(grownKib) / 1024.0;
}

void runLoads(benchmark::State& state, const std::function<void()>& load) {
    state.counters["peak_MB"] = peakGrowthMegabytes(load);
    for (auto _ : state)
        load();
}

void loadPicture(benchmark::State& state, const char* name) {
    const std::string path = hostileFile(name);
    runLoads(state, [&] {
        const auto bytes = readFileBytes(path, kPictureReadLimit);
        auto picture = bytes ? decodePicture(*bytes) : std::nullopt;
        benchmark::DoNotOptimize(picture);
    });
}

void loadProject(benchmark::State& state, const std::string& path) {
    auto doc = std::make_unique<Document>();
    initDocument(*doc);
    runLoads(state, [&] {
        const bool loaded = loadProjectFile(*doc, path);
        benchmark::DoNotOptimize(loaded);
    });
}

void hugeSizePng(benchmark::State& state) {
    loadPicture(state, "huge_size.png");
}
void hugeSizeBmp(benchmark::State& state) {
    loadPicture(state, "huge_size.bmp");
}
void hugeSizeRunLengthBmp(benchmark::State& state) {
    loadPicture(state, "huge_size_rle.bmp");
}
void projectOfEndlessLines(benchmark::State& state) {
    loadProject(state, generated().endlessLines());
}
void projectOfOneLongLine(benchmark::State& state) {
    loadProject(state, generated().oneLine());
}

constexpr int kRepetitions = 5;

BENCHMARK(hugeSizePng)->Unit(benchmark::kMillisecond)->Repetitions(kRepetitions);
BENCHMARK(hugeSizeBmp)->Unit(benchmark::kMillisecond)->Repetitions(kRepetitions);
BENCHMARK(hugeSizeRunLengthBmp)->Unit(benchmark::kMillisecond)->Repetitions(kRepetitions);
BENCHMARK(projectOfEndlessLines)->Unit(benchmark::kMillisecond)->Repetitions(kRepetitions);
BENCHMARK(projectOfOneLongLine)->Unit(benchmark::kMillisecond)->Repetitions(kRepetitions);

} // namespace
