#pragma once
// Font files (.fnt): the 1024 bytes of FontBuffer, no header. Range files hold
// whole glyphs FROM..TO in the same form and load like a short font file.

#include "core/document.h"
#include "formats/file_io.h"

#include <string>
#include <vector>

namespace korvex {

// Reads up to 1024 bytes of the file into a zeroed FontBuffer, names the current
// font after the file and decodes it into the current font. Returns false, with
// nothing changed, when the file cannot be read or CurrentFont is not 1..10.
bool loadFontFile(Document& doc, const std::string& path);

// The same into `font` (1..10), which need not be the current font; false, with
// nothing changed, when the file cannot be read or the font number is out of range.
bool loadFontFileInto(Document& doc, const std::string& path, int64_t font);

// The same with the file's contents already read: the first 1024 bytes count, and
// `path` is only recorded as the font's path and (its last part) name.
bool loadFontBytes(Document& doc, ByteView bytes, const std::string& path);
bool loadFontBytesInto(Document& doc, ByteView bytes, const std::string& path, int64_t font);

// Writes FontBuffer's 1024 bytes (the caller encodes the font first). On failure
// `error` (when given) receives the reason.
bool saveFontFile(const Document& doc, const std::string& path, std::string* error = nullptr);

// Writes glyphs from..to of FontBuffer, 8 bytes each. False when the range is not
// 0 <= from <= to <= 127 or the file cannot be written.
bool saveFontRangeFile(const Document& doc, const std::string& path, int from, int to,
                       std::string* error = nullptr);

// The 128 labels "$0 (0)" .. "$7F (127)" of the font-range lists.
std::vector<std::string> glyphCodeLabels();

} // namespace korvex
