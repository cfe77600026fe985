#include "formats/bounded_inflate.h"

#include <zlib.h>

#include <climits>

namespace korvex {

namespace {

constexpr int kWindowBits = 15;
constexpr int kGzipHeaderBits = 16; // added to the window bits: a gzip header and trailer

// zlib counts in unsigned ints; a span beyond that is read in parts.
uInt chunkOf(size_t left) {
    return left > UINT_MAX ? UINT_MAX : uInt(left);
}

} // namespace

InflateResult inflateBounded(ByteView compressed, CompressedForm form, size_t maxBytes) {
    InflateResult result;
    z_stream stream{};
    const int windowBits = kWindowBits + (form == CompressedForm::Gzip ? kGzipHeaderBits : 0);
    if (inflateInit2(&stream, windowBits) != Z_OK)
        return result;
    // One byte more than allowed: output that fills it proves the stream too large.
    result.bytes.resize(maxBytes + 1);
    size_t inputLeft = compressed.size();
    size_t outputLeft = result.bytes.size();
    stream.next_in = const_cast<Bytef*>(compressed.data());
    stream.next_out = result.bytes.data();
    int status = Z_OK;
    while (status == Z_OK) {
        const uInt inChunk = chunkOf(inputLeft);
        const uInt outChunk = chunkOf(outputLeft);
        stream.avail_in = inChunk;
        stream.avail_out = outChunk;
        status = inflate(&stream, Z_NO_FLUSH);
        inputLeft -= inChunk - stream.avail_in;
        outputLeft -= outChunk - stream.avail_out;
        if (outputLeft == 0 && status != Z_STREAM_END) {
            status = Z_BUF_ERROR;
            break;
        }
        // No input left and no progress: the stream is cut short.
        if (status == Z_BUF_ERROR ||
            (status == Z_OK && inputLeft == 0 && stream.avail_in == 0 && stream.avail_out != 0))
            break;
    }
    const size_t produced = result.bytes.size() - outputLeft;
    inflateEnd(&stream);
    if (status == Z_STREAM_END && produced <= maxBytes) {
        result.bytes.resize(produced);
        result.outcome = InflateOutcome::Done;
        return result;
    }
    result.bytes.clear();
    result.outcome = produced > maxBytes ? InflateOutcome::TooLarge : InflateOutcome::Damaged;
    return result;
}

} // namespace korvex
