#include "formats/font_file_bytes.h"

namespace korvex {

Bytes fontFileBytes(const Document& doc) {
    return Bytes(doc.FontBuffer, doc.FontBuffer + kFontBytes);
}

} // namespace korvex
