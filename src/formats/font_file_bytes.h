#pragma once
// The bytes of a font file as the editor saves it: FontBuffer's 1024 bytes, which
// the caller fills first (encodeFont).

#include "core/document.h"
#include "formats/file_io.h"

namespace korvex {

Bytes fontFileBytes(const Document& doc);

} // namespace korvex
