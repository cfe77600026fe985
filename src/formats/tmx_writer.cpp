#include "formats/tmx_writer.h"

#include "core/atari_view.h"
#include "core/screens.h"
#include "formats/png_codec.h"
#include "formats/tmx_korvex_names.h"

#include <pugixml.hpp>

#include <algorithm>
#include <sstream>

namespace korvex {

namespace {

// The format version of the files written; Tiled 1.8 and later read them as they are.
const char* const kTmxVersion = "1.8";
const char* const kIndent = " ";
constexpr int kTilesetPictureSide = kTmxTilesetColumns * kTmxTileSide;

std::string screenLayerName(int screen) {
    return "Screen " + std::to_string(screen);
}

std::string numbersJoined(const uint8_t (&values)[kRowTableRows]) {
    std::string text;
    for (int row = 0; row < kRowTableRows; ++row)
        text += (row > 0 ? "," : "") + std::to_string(values[row]);
    return text;
}

pugi::xml_document xmlDocument() {
    pugi::xml_document doc;
    pugi::xml_node declaration = doc.append_child(pugi::node_declaration);
    declaration.append_attribute("version") = "1.0";
    declaration.append_attribute("encoding") = "UTF-8";
    return doc;
}

Bytes xmlBytes(const pugi::xml_document& doc) {
    std::ostringstream out;
    doc.save(out, kIndent, pugi::format_indent, pugi::encoding_utf8);
    const std::string text = out.str();
    return Bytes(text.begin(), text.end());
}

void addProperty(pugi::xml_node properties, const std::string& name, const std::string& value,
                 bool whole) {
    pugi::xml_node property = properties.append_child("property");
    property.append_attribute("name") = name.c_str();
    if (whole)
        property.append_attribute("type") = "int";
    property.append_attribute("value") = value.c_str();
}

const std::string kTallRowsNote = "mode 5 is drawn here as mode 4, 8 scanlines a row (a map has "
                                  "one tile height); the machine shows every glyph row twice";

Bytes tilesetFileBytes(const TmxFontMode& fontMode, const std::string& pictureName) {
    pugi::xml_document doc = xmlDocument();
    pugi::xml_node tileset = doc.append_child("tileset");
    tileset.append_attribute("version") = kTmxVersion;
    tileset.append_attribute("name") = tmxTilesetName(fontMode.font, fontMode.mode).c_str();
    tileset.append_attribute("tilewidth") = kTmxTileSide;
    tileset.append_attribute("tileheight") = kTmxTileSide;
    tileset.append_attribute("tilecount") = kTmxTilesetTiles;
    tileset.append_attribute("columns") = kTmxTilesetColumns;
    pugi::xml_node properties = tileset.append_child("properties");
    addProperty(properties, kTmxFontProperty, std::to_string(fontMode.font), true);
    addProperty(properties, kTmxModeProperty, std::to_string(int(fontMode.mode)), true);
    if (fontMode.mode == RowMode::FourColourTall)
        addProperty(properties, kTmxTallRowsProperty, kTallRowsNote, false);
    pugi::xml_node image = tileset.append_child("image");
    image.append_attribute("source") = pictureName.c_str();
    image.append_attribute("width") = kTilesetPictureSide;
    image.append_attribute("height") = kTilesetPictureSide;
    return xmlBytes(doc);
}

Bytes tilesetPictureBytes(const Document& doc, const TmxFontMode& fontMode) {
    RgbPicture picture;
    picture.width = kTilesetPictureSide;
    picture.height = kTilesetPictureSide;
    picture.pixels.assign(size_t(picture.width) * size_t(picture.height), 0);
    for (int code = 0; code < kTmxTilesetTiles; ++code)
        drawAtariGlyph(doc, fontMode.font, fontMode.mode, code, picture,
                       code % kTmxTilesetColumns * kTmxTileSide,
                       code / kTmxTilesetColumns * kTmxTileSide);
    return encodePng(picture);
}

// The rows of mode 5, as "3, 7"; empty when there are none.
std::string tallRows(const std::vector<TmxFontMode>& rows) {
    std::string text;
    for (int row = 0; row < kScreenRows; ++row)
        if (rows[size_t(row)].mode == RowMode::FourColourTall)
            text += (text.empty() ? "" : ", ") + std::to_string(row);
    return text;
}

} // namespace

std::vector<TmxExportFile> tmxExportFiles(const Document& doc, int screen, int followFont,
                                          bool followFourColour, const std::string& mapPath) {
    if (screen < 0 || screen >= kScreenCount)
        return {};
    const RowTable& table = doc.rowTables[screen];
    std::vector<TmxFontMode> rows;     // each row's font and mode
    std::vector<TmxFontMode> tilesets; // in the order rows first use them
    for (int row = 0; row < kScreenRows; ++row) {
        const ResolvedRow resolved = resolveRow(table, row, followFont, followFourColour);
        rows.push_back({resolved.font, resolved.mode});
        if (std::find(tilesets.begin(), tilesets.end(), rows.back()) == tilesets.end())
            tilesets.push_back(rows.back());
    }

    std::vector<TmxExportFile> files;
    pugi::xml_document mapDoc = xmlDocument();
    pugi::xml_node map = mapDoc.append_child("map");
    map.append_attribute("version") = kTmxVersion;
    map.append_attribute("orientation") = "orthogonal";
    map.append_attribute("renderorder") = "right-down";
    map.append_attribute("width") = kScreenColumns;
    map.append_attribute("height") = kScreenRows;
    map.append_attribute("tilewidth") = kTmxTileSide;
    map.append_attribute("tileheight") = kTmxTileSide;
    map.append_attribute("infinite") = 0;
    map.append_attribute("nextlayerid") = 2;
    map.append_attribute("nextobjectid") = 1;
    pugi::xml_node properties = map.append_child("properties");
    addProperty(properties, kTmxScreenProperty, std::to_string(screen), true);
    addProperty(properties, kTmxRowFontsProperty, numbersJoined(table.font), false);
    addProperty(properties, kTmxRowModesProperty, numbersJoined(table.mode), false);
    addProperty(properties, kTmxFollowFontProperty, std::to_string(followFont), true);
    addProperty(properties, kTmxFollowModeProperty,
                std::to_string(int(followFourColour ? RowMode::FourColour : RowMode::TwoColour)),
                true);
    const std::string tall = tallRows(rows);
    if (!tall.empty())
        addProperty(properties, kTmxTallRowsProperty, "rows " + tall + ": " + kTallRowsNote, false);

    for (size_t i = 0; i < tilesets.size(); ++i) {
        const std::string stem = tmxTilesetFileStem(mapPath, tilesets[i].font, tilesets[i].mode);
        const Bytes picture = tilesetPictureBytes(doc, tilesets[i]);
        if (picture.empty())
            return {};
        files.push_back({stem + ".png", picture});
        files.push_back(
            {stem + ".tsx", tilesetFileBytes(tilesets[i], fileNamePart(stem + ".png"))});
        pugi::xml_node tileset = map.append_child("tileset");
        tileset.append_attribute("firstgid") = unsigned(1 + i * kTmxTilesetTiles);
        tileset.append_attribute("source") = fileNamePart(stem + ".tsx").c_str();
    }

    pugi::xml_node layer = map.append_child("layer");
    layer.append_attribute("id") = 1;
    layer.append_attribute("name") = screenLayerName(screen).c_str();
    layer.append_attribute("width") = kScreenColumns;
    layer.append_attribute("height") = kScreenRows;
    pugi::xml_node data = layer.append_child("data");
    data.append_attribute("encoding") = "csv";
    std::string csv = "\n";
    for (int row = 0; row < kScreenRows; ++row) {
        const size_t tileset = size_t(
            std::find(tilesets.begin(), tilesets.end(), rows[size_t(row)]) - tilesets.begin());
        const unsigned firstGid = unsigned(1 + tileset * kTmxTilesetTiles);
        for (int column = 0; column < kScreenColumns; ++column) {
            csv += std::to_string(firstGid + getCell(doc, screen, column, row));
            if (row < kScreenRows - 1 || column < kScreenColumns - 1)
                csv += ",";
        }
        csv += "\n";
    }
    data.append_child(pugi::node_pcdata).set_value(csv.c_str());
    files.push_back({mapPath, xmlBytes(mapDoc)});
    return files;
}

bool writeTmxExportFiles(const std::vector<TmxExportFile>& files, std::string* error) {
    for (const TmxExportFile& file : files) {
        std::string reason;
        if (!writeFileAtomic(file.path, file.bytes, &reason)) {
            if (error)
                *error = file.path + ": " + reason;
            return false;
        }
    }
    return true;
}

} // namespace korvex
