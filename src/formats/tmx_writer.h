#pragma once
// A View Editor screen as a Tiled map: MAP.tmx (orthogonal, 40 x 24 tiles of 8 x 8,
// one tile layer "Screen N" of CSV data) and, beside it, one tileset for each font
// and mode the screen's rows use, MAP-fontF-modeM.tsx with its picture
// MAP-fontF-modeM.png: codes 0..255 drawn as the Atari view draws them, 16 tiles a
// row. A cell of code c is the tile with id c of its row's tileset. Mode-5 rows get
// tilesets of their own, drawn 8 scanlines high as a map has one tile height; the
// map and those tilesets say so in a property.

#include "core/document.h"
#include "formats/file_io.h"

#include <string>
#include <vector>

namespace korvex {

struct TmxExportFile {
    std::string path;
    Bytes bytes;
};

// The files for screen 0..8, the map (at `mapPath`) last; follow entries of the
// row table take `followFont` (1..10) and `followFourColour`. Empty when a picture
// cannot be encoded or the screen is outside 0..8.
std::vector<TmxExportFile> tmxExportFiles(const Document& doc, int screen, int followFont,
                                          bool followFourColour, const std::string& mapPath);

// Writes the files in their order, each atomically, so the map comes only after
// every tileset it names is in place. False, with the file and the reason in
// `error`, at the first that fails.
bool writeTmxExportFiles(const std::vector<TmxExportFile>& files, std::string* error = nullptr);

} // namespace korvex
