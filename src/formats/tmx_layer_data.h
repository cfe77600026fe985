#pragma once
// The cells of a tile layer's <data> element, in each form Tiled writes: CSV text,
// base64 of the little-endian ids (plain, zlib or gzip), or one <tile> element a
// cell. Exactly `count` cells must come out; compressed data is inflated no further
// than the bytes those cells take.

#include <pugixml.hpp>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace korvex {

struct TmxLayerCells {
    std::optional<std::vector<uint32_t>> cells;
    std::string error;
};

TmxLayerCells readTmxLayerData(const pugi::xml_node& data, int64_t count);

} // namespace korvex
