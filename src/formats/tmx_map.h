#pragma once
// Tiled's map files (.tmx) and their tileset files (.tsx), as far as a screen of
// cells needs them: the size, the map's properties, the tilesets with the range of
// tile ids each covers, and the cells of the first tile layer.
//
// A map is untrusted input. Reading checks every size before it allocates, stops
// compressed data at the size the map declares, and reads tileset files only from
// the map's folder or below it; whatever is wrong gives a message and no map.

#include "formats/file_io.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace korvex {

// The most cells a map may declare (256 x 256, some 68 screens): levels built
// around a screen fit, and their tile ids take at most 256 KB.
constexpr int64_t kMaxTmxCells = int64_t(256) * 256;
// The most bytes read of a map file, the most tilesets a map may name and the
// most bytes of tileset files read for one map. Parsing builds a tree of up to
// sixteen times the bytes it reads, so these keep the cost of a hostile map near
// 30 MB and a few tens of milliseconds; the largest map in CSV takes a third of
// the file size.
constexpr size_t kMaxTmxFileBytes = size_t(1) << 20;
constexpr int kMaxTmxTilesets = 64;
constexpr size_t kMaxTmxTilesetBytesInAll = size_t(512) << 10;

// A cell's tile: the global tile id in the low bits, flips in the top four.
constexpr uint32_t kTmxFlipBits = 0xF0000000u;
constexpr uint32_t kTmxGidBits = 0x0FFFFFFFu;

using TmxProperties = std::vector<std::pair<std::string, std::string>>;

// The value of property `name`, or nothing.
std::optional<std::string> tmxProperty(const TmxProperties& properties, const std::string& name);

struct TmxTileset {
    uint32_t firstGid = 1;
    uint32_t tileCount = 0;
    std::string source; // the .tsx file as the map names it; empty for an embedded one
    std::string name;
    int tileWidth = 0;
    int tileHeight = 0;
    TmxProperties properties;
};

struct TmxMap {
    int width = 0;
    int height = 0;
    int tileWidth = 0;
    int tileHeight = 0;
    TmxProperties properties;
    std::vector<TmxTileset> tilesets; // in the order of their first ids
    std::string layerName;
    int tileLayers = 0;          // tile layers of the map; the first one is read
    std::vector<uint32_t> cells; // width * height, row by row, flips kept
};

// The tileset holding global id `gid` (flips taken off), or null for id 0 and ids
// beyond every tileset.
const TmxTileset* tilesetOfGid(const TmxMap& map, uint32_t gid);

// Reads a tileset file named as the map names it (relative to the map's folder,
// already checked to stay in it): its bytes, or a message why it cannot be read.
struct TmxFileRead {
    std::optional<Bytes> bytes;
    std::string error;
};
using TmxFileSource = std::function<TmxFileRead(const std::string& path)>;

struct TmxReadResult {
    std::optional<TmxMap> map;
    std::string error; // when there is no map
};

// The map in `bytes`; its external tilesets come through `source`.
TmxReadResult parseTmxMap(ByteView bytes, const TmxFileSource& source);

// The map file at `path`, with its tilesets from its folder.
TmxReadResult readTmxMapFile(const std::string& path);

} // namespace korvex
