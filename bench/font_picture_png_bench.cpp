// The PNG of "Export to image" at scale 4 in four-colour mode (what
// `korvex-cli font-to-image --scale 4 --four-colour` writes), and the part of it no
// change to the program can remove: zlib compressing the same filtered rows with the
// same settings. The file must stay byte for byte what it is, so those settings are
// fixed; the difference between the whole encoding and the bare compression is all
// the program's own code (drawing, filter choice, libpng) can still win.
#include "core/document.h"
#include "formats/font_picture.h"
#include "formats/png_codec.h"

#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cstring>
#include <memory>
#include <vector>

namespace {

using namespace korvex;

constexpr int kScaleIndexOf4 = 3;

// The settings libpng compresses the picture data with: its default level, the
// strategy it picks for filtered rows, a full window, and output handed on in
// pieces of its default buffer size (each becomes one IDAT chunk).
constexpr int kPngLevel = Z_DEFAULT_COMPRESSION;
constexpr int kPngStrategy = Z_FILTERED;
constexpr int kPngWindowBits = 15;
constexpr int kPngMemLevel = 8;
constexpr size_t kPngBufferBytes = 8192;

RgbPicture exportedPicture() {
    auto doc = std::make_unique<Document>();
    initDocument(*doc);
    doc->FourColourMode = 1;
    return fontPicture(*doc, kScaleIndexOf4);
}

uint32_t bigEndian32(const uint8_t* p) {
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | uint32_t(p[3]);
}

// The zlib stream of a PNG: the data of its IDAT chunks, joined.
std::vector<uint8_t> pictureStream(const Bytes& png) {
    constexpr size_t kSignatureBytes = 8, kFrameBytes = 12;
    std::vector<uint8_t> stream;
    for (size_t at = kSignatureBytes; at + kFrameBytes <= png.size();) {
        const size_t length = bigEndian32(&png[at]);
        if (std::memcmp(&png[at + 4], "IDAT", 4) == 0)
            stream.insert(stream.end(), png.begin() + long(at + 8),
                          png.begin() + long(at + 8 + length));
        at += length + kFrameBytes;
    }
    return stream;
}

// The filtered rows (each with its filter byte) as the PNG holds them.
std::vector<uint8_t> inflated(const std::vector<uint8_t>& stream, size_t size) {
    std::vector<uint8_t> rows(size);
    uLongf length = uLongf(size);
    if (uncompress(rows.data(), &length, stream.data(), uLong(stream.size())) != Z_OK ||
        length != size)
        return {};
    return rows;
}

// Compresses `rows` as libpng does; the zlib stream, or nothing on a failure.
std::vector<uint8_t> deflatedAsPng(const std::vector<uint8_t>& rows) {
    z_stream z{};
    if (deflateInit2(&z, kPngLevel, Z_DEFLATED, kPngWindowBits, kPngMemLevel, kPngStrategy) != Z_OK)
        return {};
    std::vector<uint8_t> out;
    uint8_t buffer[kPngBufferBytes];
    z.next_in = const_cast<uint8_t*>(rows.data());
    z.avail_in = uInt(rows.size());
    int status = Z_OK;
    while (status == Z_OK) {
        z.next_out = buffer;
        z.avail_out = sizeof buffer;
        status = deflate(&z, Z_FINISH);
        out.insert(out.end(), buffer, buffer + (sizeof buffer - z.avail_out));
    }
    deflateEnd(&z);
    return status == Z_STREAM_END ? out : std::vector<uint8_t>{};
}

void fontPictureDrawing(benchmark::State& state) {
    auto doc = std::make_unique<Document>();
    initDocument(*doc);
    doc->FourColourMode = 1;
    for (auto _ : state)
        benchmark::DoNotOptimize(fontPicture(*doc, kScaleIndexOf4));
}
BENCHMARK(fontPictureDrawing)->Unit(benchmark::kMicrosecond);

void fontPicturePngEncoding(benchmark::State& state) {
    const RgbPicture picture = exportedPicture();
    for (auto _ : state)
        benchmark::DoNotOptimize(encodePng(picture));
}
BENCHMARK(fontPicturePngEncoding)->Unit(benchmark::kMicrosecond);

// The floor: only zlib, on the rows the PNG holds. Refuses to run unless its
// output is exactly the PNG's picture data, so it measures the same work.
void fontPictureBareDeflate(benchmark::State& state) {
    const RgbPicture picture = exportedPicture();
    const Bytes png = encodePng(picture);
    const std::vector<uint8_t> stream = pictureStream(png);
    const size_t rowsSize = size_t(picture.height) * (1 + 3 * size_t(picture.width));
    const std::vector<uint8_t> rows = inflated(stream, rowsSize);
    if (rows.empty() || deflatedAsPng(rows) != stream) {
        state.SkipWithError("zlib with libpng's settings does not give the PNG's data");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(deflatedAsPng(rows));
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(rows.size()));
}
BENCHMARK(fontPictureBareDeflate)->Unit(benchmark::kMicrosecond);

// What zlib spends on the checksum alone, which the stream must carry.
void fontPictureChecksum(benchmark::State& state) {
    const RgbPicture picture = exportedPicture();
    const std::vector<uint8_t> rows =
        inflated(pictureStream(encodePng(picture)),
                 size_t(picture.height) * (1 + 3 * size_t(picture.width)));
    for (auto _ : state)
        benchmark::DoNotOptimize(adler32(adler32(0, nullptr, 0), rows.data(), uInt(rows.size())));
}
BENCHMARK(fontPictureChecksum)->Unit(benchmark::kMicrosecond);

} // namespace
