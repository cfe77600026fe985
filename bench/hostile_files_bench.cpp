// Cost of loading files made to cost too much: pictures declaring 16384 x 16384
// pixels in about a hundred bytes (tests/data/hostile/); made once per run in a
// temporary folder, a project followed by millions of short lines, a project of
// one 50 MB line, and the costliest project the reader can be handed, 1023 lines
// of 16 KiB each ("1=1=1=..."). Each load should take well under 50 ms and under
// 64 MB of memory beyond what the program holds already.
//
// Time per load is the benchmark's own figure; "peak_MB" is how far the largest
// resident size grew during one load, measured in a fresh run of this program
// that does nothing else. The big project's size can be changed with
// KORVEX_BENCH_PROJECT_MB (default 300).
#include "core/document.h"
#include "formats/file_io.h"
#include "formats/picture_codec.h"
#include "formats/project_file.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
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
        // The most a project can make its reader hold and look through: every line
        // that counts at the longest kept length, full of "=".
        std::string fullLine;
        while (fullLine.size() < kMaxProjectLineBytes)
            fullLine += "1=";
        fullLine += '\n';
        std::string fullLines;
        for (size_t i = 0; i < kMaxProjectLines; ++i)
            fullLines += fullLine;
        writeFile(longestLines(), fullLines, "\n", fullLines.size());
    }
    ~GeneratedFiles() {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }
    std::string endlessLines() const { return folder_ + "/endless-lines.proj2"; }
    std::string oneLine() const { return folder_ + "/one-line.proj2"; }
    std::string longestLines() const { return folder_ + "/longest-lines.proj2"; }

private:
    std::string folder_;
};

const GeneratedFiles& generated() {
    static const GeneratedFiles files;
    return files;
}

enum class LoadKind { Picture, Project };

void loadPicture(const std::string& path) {
    const auto bytes = readFileBytes(path, kPictureReadLimit);
    auto picture = bytes ? decodePicture(*bytes) : std::nullopt;
    benchmark::DoNotOptimize(picture);
}

void loadProject(Document& doc, const std::string& path) {
    const bool loaded = loadProjectFile(doc, path);
    benchmark::DoNotOptimize(loaded);
}

std::unique_ptr<Document> startUpDocument() {
    auto doc = std::make_unique<Document>();
    initDocument(*doc);
    return doc;
}

// The measuring run: this program started again with these set loads one file
// once, before the benchmarks' own main runs, and writes how far its largest
// resident size went beyond the resident size before the load, in KiB, to
// standard output. A fresh process holds only its start-up memory, so the growth
// is the load's alone.
constexpr const char* kMeasureKindVariable = "KORVEX_BENCH_MEASURE_KIND";
constexpr const char* kMeasurePathVariable = "KORVEX_BENCH_MEASURE_PATH";

// A size of /proc/self/status in KiB: "VmRSS:" now, "VmHWM:" at its largest.
long statusKib(const char* field) {
    FILE* status = std::fopen("/proc/self/status", "r");
    if (!status)
        return -1;
    char line[256];
    long kib = -1;
    while (kib < 0 && std::fgets(line, sizeof line, status))
        if (std::strncmp(line, field, std::strlen(field)) == 0)
            kib = std::atol(line + std::strlen(field));
    std::fclose(status);
    return kib;
}

const bool measuringRun = [] {
    const char* kind = std::getenv(kMeasureKindVariable);
    const char* path = std::getenv(kMeasurePathVariable);
    if (!kind || !path)
        return false;
    auto doc = startUpDocument();
    const long before = statusKib("VmRSS:");
    if (std::string(kind) == "picture")
        loadPicture(path);
    else
        loadProject(*doc, path);
    std::printf("%ld\n", statusKib("VmHWM:") - before);
    std::fflush(stdout);
    ::_exit(0);
}();

// Growth of the largest resident size while one load runs, in megabytes (-1 when
// it cannot be measured).
double peakGrowthMegabytes(LoadKind kind, const std::string& path) {
    int channel[2];
    if (::pipe(channel) != 0)
        return -1;
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(channel[1], STDOUT_FILENO);
        ::close(channel[0]);
        ::setenv(kMeasureKindVariable, kind == LoadKind::Picture ? "picture" : "project", 1);
        ::setenv(kMeasurePathVariable, path.c_str(), 1);
        ::execl("/proc/self/exe", "korvex_bench", static_cast<char*>(nullptr));
        ::_exit(1);
    }
    ::close(channel[1]);
    char text[32] = {};
    const ssize_t got = ::read(channel[0], text, sizeof text - 1);
    ::close(channel[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (got <= 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return -1;
    return double(std::atol(text)) / 1024.0;
}

void pictureLoads(benchmark::State& state, const char* name) {
    const std::string path = hostileFile(name);
    state.counters["peak_MB"] = peakGrowthMegabytes(LoadKind::Picture, path);
    for (auto _ : state)
        loadPicture(path);
}

void projectLoads(benchmark::State& state, const std::string& path) {
    auto doc = startUpDocument();
    state.counters["peak_MB"] = peakGrowthMegabytes(LoadKind::Project, path);
    for (auto _ : state)
        loadProject(*doc, path);
}

void hugeSizePng(benchmark::State& state) {
    pictureLoads(state, "huge_size.png");
}
void hugeSizeBmp(benchmark::State& state) {
    pictureLoads(state, "huge_size.bmp");
}
void hugeSizeRunLengthBmp(benchmark::State& state) {
    pictureLoads(state, "huge_size_rle.bmp");
}
void projectOfEndlessLines(benchmark::State& state) {
    projectLoads(state, generated().endlessLines());
}
void projectOfOneLongLine(benchmark::State& state) {
    projectLoads(state, generated().oneLine());
}
void projectOfLongestLines(benchmark::State& state) {
    projectLoads(state, generated().longestLines());
}

constexpr int kRepetitions = 5;

BENCHMARK(hugeSizePng)->Unit(benchmark::kMillisecond)->Repetitions(kRepetitions);
BENCHMARK(hugeSizeBmp)->Unit(benchmark::kMillisecond)->Repetitions(kRepetitions);
BENCHMARK(hugeSizeRunLengthBmp)->Unit(benchmark::kMillisecond)->Repetitions(kRepetitions);
BENCHMARK(projectOfEndlessLines)->Unit(benchmark::kMillisecond)->Repetitions(kRepetitions);
BENCHMARK(projectOfOneLongLine)->Unit(benchmark::kMillisecond)->Repetitions(kRepetitions);
BENCHMARK(projectOfLongestLines)->Unit(benchmark::kMillisecond)->Repetitions(kRepetitions);

} // namespace
