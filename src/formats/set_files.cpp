#include "formats/set_files.h"

#include "core/font_codec.h"
#include "core/glyph_code.h"
#include "formats/binary_reader.h"

#include <algorithm>

namespace korvex {

namespace {

// CurrentSet is 1..100 in practice; a stray value is kept inside the table.
int64_t currentSetIndex(const Document& doc) {
    return std::clamp<int64_t>(doc.CurrentSet, 1, kSetCount);
}

void appendCells(Bytes& out, const int16_t* cells) {
    for (int c = 0; c < kSetCells; ++c)
        appendLe16(out, uint16_t(cells[c]));
}

void readCells(ByteReader& in, int16_t* cells) {
    for (int c = 0; c < kSetCells; ++c)
        cells[c] = int16_t(in.le16());
}

} // namespace

Bytes setFileBytes(const Document& doc) {
    Bytes out{'K', 'V', 'X', 'S'};
    appendCells(out, doc.Sets[currentSetIndex(doc)]);
    return out;
}

Bytes setsFileBytes(const Document& doc) {
    Bytes out{'L', 'V', 'X', 'S'};
    for (int s = 1; s <= kSetCount; ++s)
        appendCells(out, doc.Sets[s]);
    return out;
}

SetLoadResult loadSetBytes(Document& doc, SetFileKind kind, ByteView bytes) {
    ByteReader in(bytes);
    if (kind == SetFileKind::Set && in.magic("KVXS")) {
        readCells(in, doc.Sets[currentSetIndex(doc)]);
        return SetLoadResult::Loaded;
    }
    if (kind == SetFileKind::Sets && in.magic("LVXS")) {
        for (int s = 1; s <= kSetCount; ++s)
            readCells(in, doc.Sets[s]);
        return SetLoadResult::Loaded;
    }
    return SetLoadResult::WrongMagic;
}

const char* wrongSetMagicMessage(SetFileKind kind) {
    return kind == SetFileKind::Sets ? "This file is not KVX sets data!"
                                     : "This file is not KVX set data!";
}

Bytes setBinBytes(Document& doc) {
    encodeFont(doc, -1);
    Bytes out;
    for (int c = 0; c < kSetCells; ++c) {
        // FontBuffer holds glyphs 0..127 only. An inverse code 128..255 writes the
        // bytes of its glyph (code - 128) as stored: the Atari program shows it
        // inverted by the code it puts on screen. Empty cells and codes outside
        // 0..255 contribute nothing.
        const int glyph = glyphOfCode(doc.Sets[currentSetIndex(doc)][c]);
        if (glyph < 0)
            continue;
        const uint8_t* rows = doc.FontBuffer + 8 * glyph;
        out.insert(out.end(), rows, rows + 8);
    }
    return out;
}

} // namespace korvex
