#include "formats/tmx_screen_import.h"

#include "formats/tmx_korvex_names.h"

#include <algorithm>
#include <charconv>

namespace korvex {

namespace {

std::string cellName(int row, int column) {
    return "row " + std::to_string(row) + ", column " + std::to_string(column);
}

std::string fontModeName(const TmxFontMode& fontMode) {
    return "font " + std::to_string(fontMode.font) + " mode " + std::to_string(int(fontMode.mode));
}

std::optional<int> wholeNumber(const std::optional<std::string>& text) {
    int value = 0;
    if (!text)
        return std::nullopt;
    const auto [end, status] = std::from_chars(text->data(), text->data() + text->size(), value);
    if (status != std::errc() || end != text->data() + text->size())
        return std::nullopt;
    return value;
}

// 24 whole numbers joined by ","; nothing for any other text.
std::optional<std::array<int, kRowTableRows>> rowNumbers(const std::optional<std::string>& text) {
    if (!text)
        return std::nullopt;
    std::array<int, kRowTableRows> numbers{};
    const char* at = text->data();
    const char* end = text->data() + text->size();
    for (int row = 0; row < kRowTableRows; ++row) {
        if (row > 0) {
            if (at == end || *at != ',')
                return std::nullopt;
            ++at;
        }
        const auto [next, status] = std::from_chars(at, end, numbers[size_t(row)]);
        if (status != std::errc())
            return std::nullopt;
        at = next;
    }
    if (at != end)
        return std::nullopt;
    return numbers;
}

// The row table and follow values the map's properties record, when they are all
// there and in range.
struct RecordedRows {
    RowTable table;
    int followFont = 1;
    bool followFourColour = false;
};

std::optional<RecordedRows> recordedRows(const TmxProperties& properties) {
    const auto fonts = rowNumbers(tmxProperty(properties, kTmxRowFontsProperty));
    const auto modes = rowNumbers(tmxProperty(properties, kTmxRowModesProperty));
    const auto followFont = tmxProperty(properties, kTmxFollowFontProperty);
    const auto followMode = tmxProperty(properties, kTmxFollowModeProperty);
    if (!fonts || !modes || !followFont || !followMode)
        return std::nullopt;
    RecordedRows recorded;
    for (int row = 0; row < kRowTableRows; ++row) {
        const int font = (*fonts)[size_t(row)];
        const int mode = (*modes)[size_t(row)];
        if (font < 0 || font > kFontCount || !isRowMode(mode))
            return std::nullopt;
        recorded.table.font[row] = uint8_t(font);
        recorded.table.mode[row] = uint8_t(mode);
    }
    const auto font = wholeNumber(followFont);
    const auto mode = wholeNumber(followMode);
    if (!font || *font < 1 || *font > kFontCount || !mode ||
        (*mode != int(RowMode::TwoColour) && *mode != int(RowMode::FourColour)))
        return std::nullopt;
    recorded.followFont = *font;
    recorded.followFourColour = *mode == int(RowMode::FourColour);
    return recorded;
}

} // namespace

ScreenFromMapResult screenFromTmxMap(const TmxMap& map) {
    ScreenFromMapResult result;
    ScreenFromMap screen;
    const int rows = std::min(map.height, kScreenRows);
    const int columns = std::min(map.width, kScreenColumns);
    const std::optional<RecordedRows> recorded = recordedRows(map.properties);
    if (recorded)
        screen.rows = recorded->table;

    for (int row = 0; row < rows; ++row) {
        std::optional<TmxFontMode> rowFontMode;
        for (int column = 0; column < columns; ++column) {
            const uint32_t cell = map.cells[size_t(row) * size_t(map.width) + size_t(column)];
            if (cell & kTmxFlipBits) {
                result.error = "the tile at " + cellName(row, column) +
                               " is flipped or rotated; screen cells cannot be";
                return result;
            }
            const TmxTileset* tileset = tilesetOfGid(map, cell);
            if (!tileset)
                continue; // no tile: code 0
            const auto fontMode = korvexTilesetFontMode(*tileset);
            if (!fontMode) {
                result.error = "the tile at " + cellName(row, column) + " is of the tileset \"" +
                               tileset->name +
                               "\", which Korvex did not write; only tiles of the tilesets "
                               "Korvex exports can become screen cells";
                return result;
            }
            if (rowFontMode && *rowFontMode != *fontMode) {
                result.error = "the tile at " + cellName(row, column) + " is of " +
                               fontModeName(*fontMode) + ", the tiles before it in its row of " +
                               fontModeName(*rowFontMode) +
                               "; a screen row shows one font in one mode";
                return result;
            }
            rowFontMode = fontMode;
            screen.cells[size_t(row * kScreenColumns + column)] = uint8_t(cell - tileset->firstGid);
        }
        if (!rowFontMode)
            continue;
        if (recorded) {
            const ResolvedRow resolved =
                resolveRow(recorded->table, row, recorded->followFont, recorded->followFourColour);
            if (resolved.font == rowFontMode->font && resolved.mode == rowFontMode->mode)
                continue;
        }
        screen.rows.font[row] = uint8_t(rowFontMode->font);
        screen.rows.mode[row] = uint8_t(rowFontMode->mode);
    }

    const std::string size = std::to_string(map.width) + " x " + std::to_string(map.height);
    if (map.width > kScreenColumns || map.height > kScreenRows)
        screen.notes.push_back("the map is " + size + " tiles; its top-left 40 x 24 are taken" +
                               (map.width < kScreenColumns || map.height < kScreenRows
                                    ? " (cells beyond it are left empty)"
                                    : ""));
    else if (map.width < kScreenColumns || map.height < kScreenRows)
        screen.notes.push_back("the map is " + size +
                               " tiles; the rest of the 40 x 24 screen is left empty");
    if (map.tileLayers > 1)
        screen.notes.push_back("the map has " + std::to_string(map.tileLayers) +
                               " tile layers; the first, \"" + map.layerName + "\", is taken");
    result.screen = std::move(screen);
    return result;
}

} // namespace korvex
