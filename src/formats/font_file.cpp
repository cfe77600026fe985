#include "formats/font_file.h"

#include "core/font_codec.h"
#include "core/glyph_code.h"
#include "formats/file_io.h"
#include "formats/font_file_bytes.h"

#include <algorithm>
#include <cstring>

namespace korvex {

static bool validFont(int64_t font) {
    return font >= 1 && font <= kFontCount;
}

bool loadFontFile(Document& doc, const std::string& path) {
    return loadFontFileInto(doc, path, doc.CurrentFont);
}

bool loadFontFileInto(Document& doc, const std::string& path, int64_t font) {
    if (!validFont(font))
        return false;
    const auto bytes = readFileBytes(path, kFontBytes);
    return bytes && loadFontBytesInto(doc, *bytes, path, font);
}

bool loadFontBytes(Document& doc, ByteView bytes, const std::string& path) {
    return loadFontBytesInto(doc, bytes, path, doc.CurrentFont);
}

bool loadFontBytesInto(Document& doc, ByteView bytes, const std::string& path, int64_t font) {
    if (!validFont(font))
        return false;
    std::memset(doc.FontBuffer, 0, kFontBytes);
    doc.FontName[font] = fileNamePart(path);
    doc.FontPath[font] = path;
    std::copy_n(bytes.begin(), std::min<size_t>(bytes.size(), kFontBytes), doc.FontBuffer);
    decodeFont(doc, font);
    return true;
}

bool saveFontFile(const Document& doc, const std::string& path, std::string* error) {
    return writeFileAtomic(path, Bytes(doc.FontBuffer, doc.FontBuffer + kFontBytes), error);
}

bool saveFontRangeFile(const Document& doc, const std::string& path, int from, int to,
                       std::string* error) {
    const Bytes range = fontRangeBytes(doc, from, to);
    return !range.empty() && writeFileAtomic(path, range, error);
}

std::vector<std::string> glyphCodeLabels() {
    std::vector<std::string> labels;
    labels.reserve(kGlyphCount);
    for (int n = 0; n < kGlyphCount; ++n)
        labels.push_back(codeForm(n));
    return labels;
}

} // namespace korvex
