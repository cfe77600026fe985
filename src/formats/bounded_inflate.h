#pragma once
// Inflating zlib and gzip streams without trusting them: the output may not grow
// past the size the caller expects, so a small stream that would expand to
// gigabytes costs no more than that size.

#include "formats/file_io.h"

#include <string>

namespace korvex {

enum class CompressedForm { Zlib, Gzip };

enum class InflateOutcome {
    Done,     // the whole stream, and it gave at most maxBytes
    TooLarge, // it would give more than maxBytes
    Damaged,  // not a stream of that form, or cut short
};

struct InflateResult {
    InflateOutcome outcome = InflateOutcome::Damaged;
    Bytes bytes; // what came out (for Done)
};

InflateResult inflateBounded(ByteView compressed, CompressedForm form, size_t maxBytes);

} // namespace korvex
