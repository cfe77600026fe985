#include "formats/tmx_korvex_names.h"

#include "formats/tmx_map.h"

#include <cctype>
#include <charconv>

namespace korvex {

namespace {

constexpr int kFirstFont = 1;
constexpr int kLastFont = 10;
const std::string kMapExtension = ".tmx";

std::optional<int> wholeNumber(const std::string& text) {
    int value = 0;
    const auto [end, status] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (status != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::optional<TmxFontMode> checkedFontMode(std::optional<int> font, std::optional<int> mode) {
    if (!font || !mode || *font < kFirstFont || *font > kLastFont || !isRowMode(*mode) ||
        *mode == int(RowMode::Follow))
        return std::nullopt;
    return TmxFontMode{*font, RowMode(*mode)};
}

} // namespace

std::string tmxTilesetName(int font, RowMode mode) {
    return "Korvex font " + std::to_string(font) + " mode " + std::to_string(int(mode));
}

std::string tmxTilesetFileStem(const std::string& mapPath, int font, RowMode mode) {
    std::string stem = mapPath;
    if (stem.size() >= kMapExtension.size()) {
        std::string end = stem.substr(stem.size() - kMapExtension.size());
        for (char& c : end)
            c = char(std::tolower(static_cast<unsigned char>(c)));
        if (end == kMapExtension)
            stem.resize(stem.size() - kMapExtension.size());
    }
    return stem + "-font" + std::to_string(font) + "-mode" + std::to_string(int(mode));
}

std::optional<TmxFontMode> korvexTilesetFontMode(const TmxTileset& tileset) {
    if (tileset.tileCount != uint32_t(kTmxTilesetTiles))
        return std::nullopt;
    const auto font = tmxProperty(tileset.properties, kTmxFontProperty);
    const auto mode = tmxProperty(tileset.properties, kTmxModeProperty);
    if (font || mode)
        return checkedFontMode(font ? wholeNumber(*font) : std::nullopt,
                               mode ? wholeNumber(*mode) : std::nullopt);
    // "Korvex font F mode M"
    const std::string prefix = "Korvex font ";
    const std::string middle = " mode ";
    if (tileset.name.rfind(prefix, 0) != 0)
        return std::nullopt;
    const size_t split = tileset.name.find(middle, prefix.size());
    if (split == std::string::npos)
        return std::nullopt;
    return checkedFontMode(wholeNumber(tileset.name.substr(prefix.size(), split - prefix.size())),
                           wholeNumber(tileset.name.substr(split + middle.size())));
}

} // namespace korvex
