// Tiled maps: any bytes give a map or a message, within bounded time and memory. The
// input is the map, then the files of its external tilesets, each after a zero
// byte (which XML text never holds), handed out in the order the reader asks for
// them. A map read has the cells its size says and only ids of its tilesets; taken
// as a screen it gives cells and a row table in range, or a message.

#include "core/screen_replace.h"
#include "core/screens.h"
#include "formats/tmx_map.h"
#include "formats/tmx_screen_import.h"
#include "fuzz_support.h"

#include <cstring>

using namespace korvex;
using namespace korvex::fuzz;

namespace {

std::vector<ByteView> partsOf(const uint8_t* data, size_t size) {
    std::vector<ByteView> parts;
    size_t start = 0;
    for (size_t i = 0; i <= size; ++i)
        if (i == size || data[i] == 0) {
            parts.emplace_back(data + start, i - start);
            start = i + 1;
        }
    return parts;
}

void checkScreen(const TmxMap& map) {
    const ScreenFromMapResult imported = screenFromTmxMap(map);
    require(imported.screen.has_value() != !imported.error.empty(),
            "taken as a screen, a map gives a screen or a message");
    if (!imported.screen)
        return;
    const RowTable& rows = imported.screen->rows;
    for (int row = 0; row < kRowTableRows; ++row)
        require(rows.font[row] <= kFontCount && isRowMode(rows.mode[row]),
                "every row's font and mode are in range");
    Document& doc = slotDocument(Slot::First);
    replaceScreen(doc, 0, imported.screen->cells, rows, kTiledImportStepName);
    require(std::memcmp(doc.screens, imported.screen->cells.data(), kScreenCells) == 0 &&
                std::memcmp(&doc.rowTables[0], &rows, sizeof rows) == 0,
            "the screen takes the cells and row table");
    doc.history.undo(doc);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<ByteView> parts = partsOf(data, size);
    size_t next = 1;
    const TmxFileSource source = [&](const std::string&) {
        TmxFileRead read;
        if (next < parts.size())
            read.bytes = Bytes(parts[next].begin(), parts[next].end());
        else
            read.error = "no such tileset";
        ++next;
        return read;
    };
    const TmxReadResult read = parseTmxMap(parts[0], source);
    require(read.map.has_value() != !read.error.empty(), "a map or a message, never both");
    if (!read.map)
        return 0;
    const TmxMap& map = *read.map;
    require(map.width > 0 && map.height > 0 && int64_t(map.width) * map.height <= kMaxTmxCells &&
                map.cells.size() == size_t(map.width) * size_t(map.height),
            "a map read has the cells its size says, within the limit");
    require(map.tilesets.size() <= size_t(kMaxTmxTilesets), "at most the tilesets allowed");
    for (const uint32_t cell : map.cells)
        require((cell & kTmxGidBits) == 0 || tilesetOfGid(map, cell),
                "every tile id belongs to a tileset");
    checkScreen(map);
    return 0;
}
