#include "formats/font_file_bytes.h"

namespace korvex {

constexpr int kGlyphBytes = 8;

Bytes fontFileBytes(const Document& doc) {
    return Bytes(doc.FontBuffer, doc.FontBuffer + kFontBytes);
}

Bytes fontRangeBytes(const Document& doc, int from, int to) {
    if (from < 0 || to >= kGlyphCount || from > to)
        return {};
    return Bytes(doc.FontBuffer + kGlyphBytes * from, doc.FontBuffer + kGlyphBytes * (to + 1));
}

} // namespace korvex
