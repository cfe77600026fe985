#pragma once
// A Tiled map as one View Editor screen: the cells and the row table it gives. Only
// tiles of the tilesets Korvex writes can be taken back (a tile's id in its tileset
// is the cell's code, the tileset's font and mode are the row's); a flipped tile, a
// tile of another tileset or a row of tiles of two fonts or modes is refused, naming
// the first such cell.

#include "core/document.h"
#include "formats/tmx_map.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace korvex {

// The name of the undo step an import makes.
inline const std::string kTiledImportStepName = "Import from Tiled";

struct ScreenFromMap {
    std::array<uint8_t, kScreenCells> cells{}; // row by row
    RowTable rows;
    // What the user should know: a larger map cut to its top-left 40 x 24, a smaller
    // one leaving cells empty, tile layers beyond the first.
    std::vector<std::string> notes;
};

struct ScreenFromMapResult {
    std::optional<ScreenFromMap> screen;
    std::string error;
};

// Cells outside the map, and cells without a tile, get code 0. A row whose tiles
// agree with the row table the map's properties record (its follow entries
// resolved as they were on export) keeps that entry; any other row with tiles
// takes their tileset's font and mode, and a row without tiles the recorded entry
// (follow when there is none).
ScreenFromMapResult screenFromTmxMap(const TmxMap& map);

} // namespace korvex
