#include "formats/view_editor_files.h"

#include "core/screens.h"
#include "formats/range_rect.h"

#include <algorithm>

namespace korvex {

Bytes viewEditorDataBytes(const Document& doc) {
    Bytes out;
    out.reserve(kViewEditorDataBytes);
    for (int s = 0; s < kScreenCount; ++s)
        for (int y = 0; y < kScreenRows; ++y)
            for (int x = 0; x < kScreenColumns; ++x)
                out.push_back(getCell(doc, s, x, y));
    return out;
}

void loadViewEditorData(Document& doc, ByteView bytes) {
    const size_t n = std::min<size_t>(bytes.size(), kViewEditorDataBytes);
    for (size_t i = 0; i < n; ++i) {
        const int s = int(i / kScreenCells);
        const int cell = int(i % kScreenCells);
        setCell(doc, s, cell % kScreenColumns, cell / kScreenColumns, bytes[i]);
    }
}

Bytes screenDataBytes(const Document& doc) {
    Bytes out;
    out.reserve(kScreenCells);
    for (int y = 0; y < kScreenRows; ++y)
        for (int x = 0; x < kScreenColumns; ++x)
            out.push_back(getCell(doc, doc.currentScreen, x, y));
    return out;
}

void loadScreenData(Document& doc, ByteView bytes) {
    const size_t n = std::min<size_t>(bytes.size(), kScreenCells);
    for (size_t i = 0; i < n; ++i)
        setCell(doc, doc.currentScreen, int(i % kScreenColumns), int(i / kScreenColumns), bytes[i]);
}

Bytes rangeBlockBytes(const Document& doc) {
    const ClippedRange r = clippedRange(doc);
    Bytes out{uint8_t(r.width), uint8_t(r.height)};
    for (int row = 0; row < r.height; ++row)
        for (int column = 0; column < r.width; ++column)
            out.push_back(getCell(doc, doc.currentScreen, r.x + column, r.y + row));
    return out;
}

void loadRangeBlock(Document& doc, ByteView bytes) {
    size_t next = 0;
    auto readByte = [&]() -> uint8_t { return next < bytes.size() ? bytes[next++] : 0; };
    const int width = int8_t(readByte());
    const int height = int8_t(readByte());
    if (width <= 0 || height <= 0)
        return;
    for (int row = 0; row < height; ++row)
        for (int column = 0; column < width; ++column) {
            const uint8_t value = readByte();
            const int x = doc.rangeX + column;
            const int y = doc.rangeY + row;
            if (x < kScreenColumns && y < kScreenRows)
                setCell(doc, doc.currentScreen, x, y, value);
        }
}

} // namespace korvex
