#pragma once
// What the maps and tilesets Korvex writes for Tiled carry to be found again: the
// property names, the tileset names and the tileset files' names.

#include "core/row_table.h"

#include <optional>
#include <string>

namespace korvex {

struct TmxTileset;

// Tileset properties: the font (1..10) and mode (2, 4 or 5) of its 256 tiles.
inline const std::string kTmxFontProperty = "korvex-font";
inline const std::string kTmxModeProperty = "korvex-mode";
// Tileset property of a mode-5 tileset, and map property when rows are mode 5:
// that those rows are drawn 8 scanlines high.
inline const std::string kTmxTallRowsProperty = "korvex-mode5-rows";

// Map properties: the screen, its row table as stored (24 numbers each, 0 =
// follow) and what the follow entries were taken as.
inline const std::string kTmxScreenProperty = "korvex-screen";
inline const std::string kTmxRowFontsProperty = "korvex-row-fonts";
inline const std::string kTmxRowModesProperty = "korvex-row-modes";
inline const std::string kTmxFollowFontProperty = "korvex-follow-font";
inline const std::string kTmxFollowModeProperty = "korvex-follow-mode";

// Codes 0..255 a tileset of a font and mode holds.
constexpr int kTmxTilesetTiles = 256;
constexpr int kTmxTilesetColumns = 16;
constexpr int kTmxTileSide = 8;

// "Korvex font 3 mode 4".
std::string tmxTilesetName(int font, RowMode mode);

// "MAP-font3-mode4" for the map MAP.tmx (the folder kept): the tileset's file
// name without ".tsx" or ".png".
std::string tmxTilesetFileStem(const std::string& mapPath, int font, RowMode mode);

// The font and mode of a tileset Korvex wrote (found by its properties, or failing
// them by its name); nothing for any other tileset.
struct TmxFontMode {
    int font = 1;
    RowMode mode = RowMode::TwoColour;
    bool operator==(const TmxFontMode&) const = default;
};
std::optional<TmxFontMode> korvexTilesetFontMode(const TmxTileset& tileset);

} // namespace korvex
