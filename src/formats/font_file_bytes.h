#pragma once
// The bytes of a font file as the editor saves it: FontBuffer's 1024 bytes, which
// the caller fills first (encodeFont).

#include "core/document.h"
#include "formats/file_io.h"

namespace korvex {

Bytes fontFileBytes(const Document& doc);

// Glyphs from..to of FontBuffer, 8 bytes each: a range file. Empty when the range
// is not 0 <= from <= to <= 127.
Bytes fontRangeBytes(const Document& doc, int from, int to);

} // namespace korvex
