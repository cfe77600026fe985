// Reading a Tiled map and the tilesets it names (see tmx_map.h).

#include "formats/tmx_layer_data.h"
#include "formats/tmx_map.h"
#include "formats/tmx_paths.h"

#include <pugixml.hpp>

#include <algorithm>
#include <charconv>
#include <map>

namespace korvex {

namespace {

// Tiled counts tile ids in 28 bits; the four above them are flips.
constexpr uint64_t kGidLimit = uint64_t(kTmxGidBits) + 1;
// A tileset of one image never has more tiles than this many pixels.
constexpr int64_t kMaxTilesetSide = 1 << 16;

struct Failure {
    std::string message;
};

[[noreturn]] void fail(std::string message) {
    throw Failure{std::move(message)};
}

// A whole decimal number from an attribute: nothing when it is missing, and a
// failure naming the attribute when it is no number within lo..hi.
std::optional<int64_t> numberAttribute(const pugi::xml_node& node, const char* name, int64_t lo,
                                       int64_t hi) {
    const pugi::xml_attribute attribute = node.attribute(name);
    if (!attribute)
        return std::nullopt;
    const std::string_view text = attribute.value();
    int64_t value = 0;
    const auto [end, status] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (status != std::errc() || end != text.data() + text.size() || value < lo || value > hi)
        fail(std::string("<") + node.name() + "> has " + name + "=\"" + std::string(text) +
             "\"; a whole number " + std::to_string(lo) + ".." + std::to_string(hi) +
             " is expected");
    return value;
}

TmxProperties readProperties(const pugi::xml_node& owner) {
    TmxProperties properties;
    for (const pugi::xml_node property : owner.child("properties").children("property")) {
        // Text of several lines is kept as the element's text instead of a value.
        const pugi::xml_attribute value = property.attribute("value");
        properties.emplace_back(property.attribute("name").value(),
                                value ? value.value() : property.text().get());
    }
    return properties;
}

pugi::xml_document parseXml(ByteView bytes, const std::string& what) {
    pugi::xml_document doc;
    const pugi::xml_parse_result parsed = doc.load_buffer(bytes.data(), bytes.size());
    if (!parsed)
        fail(what + " is not well-formed XML: " + parsed.description() + " at byte " +
             std::to_string(parsed.offset));
    return doc;
}

// The tile count of a tileset that does not state it: what its image holds, or the
// highest id of its tiles plus one.
uint32_t countedTiles(const pugi::xml_node& tileset, int64_t tileWidth, int64_t tileHeight) {
    const pugi::xml_node image = tileset.child("image");
    if (image && tileWidth > 0 && tileHeight > 0) {
        const int64_t spacing = numberAttribute(tileset, "spacing", 0, kMaxTilesetSide).value_or(0);
        const int64_t margin = numberAttribute(tileset, "margin", 0, kMaxTilesetSide).value_or(0);
        const int64_t width = numberAttribute(image, "width", 0, kMaxTilesetSide).value_or(0);
        const int64_t height = numberAttribute(image, "height", 0, kMaxTilesetSide).value_or(0);
        const int64_t across =
            std::max<int64_t>(0, (width - 2 * margin + spacing) / (tileWidth + spacing));
        const int64_t down =
            std::max<int64_t>(0, (height - 2 * margin + spacing) / (tileHeight + spacing));
        return uint32_t(across * down);
    }
    uint32_t count = 0;
    for (const pugi::xml_node tile : tileset.children("tile")) {
        const auto id = numberAttribute(tile, "id", 0, int64_t(kTmxGidBits) - 1);
        if (id)
            count = std::max(count, uint32_t(*id + 1));
    }
    return count;
}

// Fills the tileset's own parts from its <tileset> element (the map's, or the root
// of its .tsx file).
void readTilesetElement(const pugi::xml_node& element, TmxTileset& tileset) {
    tileset.name = element.attribute("name").value();
    tileset.tileWidth = int(numberAttribute(element, "tilewidth", 0, kMaxTilesetSide).value_or(0));
    tileset.tileHeight =
        int(numberAttribute(element, "tileheight", 0, kMaxTilesetSide).value_or(0));
    const auto count = numberAttribute(element, "tilecount", 0, int64_t(kTmxGidBits));
    tileset.tileCount =
        count ? uint32_t(*count) : countedTiles(element, tileset.tileWidth, tileset.tileHeight);
    tileset.properties = readProperties(element);
}

class MapReader {
public:
    explicit MapReader(const TmxFileSource& source) : source_(source) {}

    TmxMap read(ByteView bytes) {
        if (bytes.size() > kMaxTmxFileBytes)
            fail("the map file is larger than " + std::to_string(kMaxTmxFileBytes >> 10) +
                 " KB; a map of the largest size read is smaller");
        const pugi::xml_document doc = parseXml(bytes, "the map");
        const pugi::xml_node root = doc.document_element();
        if (std::string(root.name()) != "map")
            fail(std::string("this is no Tiled map: its first element is <") + root.name() +
                 ">, not <map>");
        if (std::string(root.attribute("infinite").value()) == "1")
            fail("this is an infinite map; save it with a fixed size (Map > Map Properties, "
                 "Infinite off)");

        TmxMap map;
        map.width = int(requiredSize(root, "width"));
        map.height = int(requiredSize(root, "height"));
        checkArea(map.width, map.height, "map");
        map.tileWidth = int(numberAttribute(root, "tilewidth", 0, kMaxTilesetSide).value_or(0));
        map.tileHeight = int(numberAttribute(root, "tileheight", 0, kMaxTilesetSide).value_or(0));
        map.properties = readProperties(root);
        readTilesets(root, map);
        readLayer(root, map);
        checkGids(map);
        return map;
    }

private:
    static int64_t requiredSize(const pugi::xml_node& node, const char* name) {
        const auto value = numberAttribute(node, name, 1, kMaxTmxCells);
        if (!value)
            fail(std::string("<") + node.name() + "> has no " + name);
        return *value;
    }

    static void checkArea(int64_t width, int64_t height, const char* what) {
        if (width * height > kMaxTmxCells)
            fail(std::string("the ") + what + " is " + std::to_string(width) + " x " +
                 std::to_string(height) + " tiles; at most " + std::to_string(kMaxTmxCells) +
                 " tiles (256 x 256) are read");
    }

    void readTilesets(const pugi::xml_node& root, TmxMap& map) {
        for (const pugi::xml_node element : root.children("tileset")) {
            if (map.tilesets.size() == size_t(kMaxTmxTilesets))
                fail("the map names more than " + std::to_string(kMaxTmxTilesets) + " tilesets");
            TmxTileset tileset;
            const auto first = numberAttribute(element, "firstgid", 1, int64_t(kTmxGidBits));
            if (!first)
                fail("a <tileset> of the map has no firstgid");
            tileset.firstGid = uint32_t(*first);
            tileset.source = element.attribute("source").value();
            if (tileset.source.empty())
                readTilesetElement(element, tileset);
            else
                readExternalTileset(tileset);
            if (uint64_t(tileset.firstGid) + tileset.tileCount > kGidLimit)
                fail("the tileset \"" + tileset.name + "\" reaches beyond the highest tile id");
            map.tilesets.push_back(std::move(tileset));
        }
        std::stable_sort(
            map.tilesets.begin(), map.tilesets.end(),
            [](const TmxTileset& a, const TmxTileset& b) { return a.firstGid < b.firstGid; });
        for (size_t i = 1; i < map.tilesets.size(); ++i) {
            const TmxTileset& before = map.tilesets[i - 1];
            if (uint64_t(before.firstGid) + before.tileCount > map.tilesets[i].firstGid)
                fail("the tilesets \"" + before.name + "\" and \"" + map.tilesets[i].name +
                     "\" share tile ids (firstgid " + std::to_string(map.tilesets[i].firstGid) +
                     ")");
        }
    }

    void readExternalTileset(TmxTileset& tileset) {
        std::string error;
        const auto path = tilesetPathInMapFolder(tileset.source, &error);
        if (!path)
            fail(error);
        auto known = parsed_.find(*path);
        if (known == parsed_.end()) {
            const TmxFileRead read = source_(*path);
            if (!read.bytes)
                fail(read.error.empty() ? "the tileset \"" + *path + "\" cannot be read"
                                        : read.error);
            if (read.bytes->size() > kMaxTmxTilesetBytesInAll)
                fail("the tileset \"" + *path + "\" is larger than " +
                     std::to_string(kMaxTmxTilesetBytesInAll >> 10) + " KB");
            tilesetBytes_ += read.bytes->size();
            if (tilesetBytes_ > kMaxTmxTilesetBytesInAll)
                fail("the map's tilesets take more than " +
                     std::to_string(kMaxTmxTilesetBytesInAll >> 10) + " KB in all");
            const pugi::xml_document doc = parseXml(*read.bytes, "the tileset \"" + *path + "\"");
            const pugi::xml_node root = doc.document_element();
            if (std::string(root.name()) != "tileset")
                fail("\"" + *path + "\" is no tileset: its first element is <" + root.name() + ">");
            TmxTileset own;
            readTilesetElement(root, own);
            known = parsed_.emplace(*path, std::move(own)).first;
        }
        const std::string source = tileset.source;
        const uint32_t firstGid = tileset.firstGid;
        tileset = known->second;
        tileset.source = source;
        tileset.firstGid = firstGid;
    }

    // The first tile layer, in the order Tiled draws them, with those inside groups;
    // `layers` counts them all. Groups may nest as deep as the file allows, so the
    // tree is walked without recursion.
    static pugi::xml_node firstTileLayer(const pugi::xml_node& root, int& layers) {
        pugi::xml_node first;
        pugi::xml_node node = root.first_child();
        while (node) {
            const std::string_view name = node.name();
            if (name == "layer") {
                ++layers;
                if (!first)
                    first = node;
            }
            if (name == "group" && node.first_child()) {
                node = node.first_child();
                continue;
            }
            while (node != root && !node.next_sibling())
                node = node.parent();
            if (node == root)
                break;
            node = node.next_sibling();
        }
        return first;
    }

    static void readLayer(const pugi::xml_node& root, TmxMap& map) {
        const pugi::xml_node layer = firstTileLayer(root, map.tileLayers);
        if (!layer)
            fail("the map has no tile layer");
        map.layerName = layer.attribute("name").value();
        const int64_t width = numberAttribute(layer, "width", 1, kMaxTmxCells).value_or(map.width);
        const int64_t height =
            numberAttribute(layer, "height", 1, kMaxTmxCells).value_or(map.height);
        checkArea(width, height, "tile layer");
        if (width != map.width || height != map.height)
            fail("the tile layer is " + std::to_string(width) + " x " + std::to_string(height) +
                 " tiles, the map " + std::to_string(map.width) + " x " +
                 std::to_string(map.height));
        const pugi::xml_node data = layer.child("data");
        if (!data)
            fail("the tile layer \"" + map.layerName + "\" has no data");
        TmxLayerCells cells = readTmxLayerData(data, width * height);
        if (!cells.cells)
            fail(cells.error);
        map.cells = std::move(*cells.cells);
    }

    static void checkGids(const TmxMap& map) {
        for (size_t i = 0; i < map.cells.size(); ++i) {
            const uint32_t gid = map.cells[i] & kTmxGidBits;
            if (gid != 0 && !tilesetOfGid(map, gid))
                fail("the tile at row " + std::to_string(i / size_t(map.width)) + ", column " +
                     std::to_string(i % size_t(map.width)) + " has the id " + std::to_string(gid) +
                     ", which no tileset of the map holds");
        }
    }

    const TmxFileSource& source_;
    std::map<std::string, TmxTileset> parsed_; // each file read once
    size_t tilesetBytes_ = 0;
};

} // namespace

std::optional<std::string> tmxProperty(const TmxProperties& properties, const std::string& name) {
    for (const auto& [key, value] : properties)
        if (key == name)
            return value;
    return std::nullopt;
}

const TmxTileset* tilesetOfGid(const TmxMap& map, uint32_t gid) {
    gid &= kTmxGidBits;
    if (gid == 0)
        return nullptr;
    // The last tileset starting at or before the id.
    const auto after = std::upper_bound(
        map.tilesets.begin(), map.tilesets.end(), gid,
        [](uint32_t id, const TmxTileset& tileset) { return id < tileset.firstGid; });
    if (after == map.tilesets.begin())
        return nullptr;
    const TmxTileset& tileset = *(after - 1);
    return gid - tileset.firstGid < tileset.tileCount ? &tileset : nullptr;
}

TmxReadResult parseTmxMap(ByteView bytes, const TmxFileSource& source) {
    TmxReadResult result;
    try {
        MapReader reader(source);
        result.map = reader.read(bytes);
    } catch (const Failure& failure) {
        result.error = failure.message;
    } catch (const std::bad_alloc&) {
        result.error = "the map needs more memory than there is";
    }
    return result;
}

TmxReadResult readTmxMapFile(const std::string& path) {
    const auto bytes = readFileBytes(path, kMaxTmxFileBytes + 1);
    if (!bytes) {
        TmxReadResult result;
        result.error = "cannot be read";
        return result;
    }
    return parseTmxMap(*bytes, folderFileSource(folderOfPath(path), kMaxTmxTilesetBytesInAll));
}

} // namespace korvex
