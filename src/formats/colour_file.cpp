#include "formats/colour_file.h"

#include "formats/binary_reader.h"

namespace korvex {

Bytes colourFileBytes(const Document& doc) {
    Bytes out{'K', 'V', 'X', 'C'};
    for (int r = LUM; r <= PF3; ++r)
        out.push_back(uint8_t(uint64_t(doc.AtariColour[r]) & 0xFF));
    for (int r = LUM; r <= PF3; ++r)
        appendLe32(out, uint32_t(uint64_t(workingColour(doc, r)) & 0xFFFFFFFF));
    return out;
}

bool loadColourBytes(Document& doc, ByteView bytes) {
    ByteReader in(bytes);
    if (!in.magic("KVXC"))
        return false;
    for (int r = LUM; r <= PF3; ++r)
        doc.AtariColour[r] = in.u8();
    for (int r = LUM; r <= PF3; ++r)
        workingColour(doc, r) = in.le32() & 0xFFFFFF;
    storeFontColours(doc);
    return true;
}

const char* wrongColourMagicMessage() {
    return "This file is not KVX color data!";
}

} // namespace korvex
