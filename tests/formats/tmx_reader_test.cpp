// Reading Tiled maps: every form of layer data, external and embedded tilesets, the
// tile id ranges, and the rule that only files in the map's folder are read.

#include "formats/base64_text.h"
#include "formats/bounded_inflate.h"
#include "formats/tmx_map.h"
#include "formats/tmx_paths.h"
#include "temp_dir.h"
#include "tmx_samples.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

using namespace korvex;
using namespace korvex::test;

namespace {

// Tileset files held in memory, by the path the reader asks for; every request
// is counted.
struct MemoryFolder {
    std::map<std::string, std::string> files;
    std::map<std::string, int> requests;
    TmxFileSource source() {
        return [this](const std::string& path) {
            ++requests[path];
            TmxFileRead read;
            const auto found = files.find(path);
            if (found == files.end())
                read.error = "the tileset \"" + path + "\" is missing";
            else
                read.bytes = bytesOf(found->second);
            return read;
        };
    }
};

TmxReadResult parse(const std::string& text, MemoryFolder& folder) {
    return parseTmxMap(bytesOf(text), folder.source());
}

void writeFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

TEST(TmxReader, EveryFormOfLayerDataGivesTheSameCells) {
    // Ids of both tilesets, no tile, and ids with each flip bit, which are kept.
    const std::vector<uint32_t> cells = {1,           256,         0,           257,
                                         0x80000002u, 0x40000003u, 0x20000100u, 0x10000004u};
    const std::string tilesets =
        embedded(1, korvexTilesetXml(1, 2)) + embedded(257, korvexTilesetXml(3, 4));
    std::vector<std::string> datas = {csvData(cells), base64Data(cells, ""),
                                      base64Data(cells, "zlib"), base64Data(cells, "gzip")};
    std::string tiles = "<data>";
    for (const uint32_t cell : cells)
        tiles += cell == 0 ? "<tile/>" : "<tile gid=\"" + std::to_string(cell) + "\"/>";
    datas.push_back(tiles + "</data>");
    for (const std::string& data : datas) {
        SCOPED_TRACE(data);
        MemoryFolder folder;
        const TmxReadResult read = parse(mapXml(4, 2, tilesets, data), folder);
        ASSERT_TRUE(read.map) << read.error;
        EXPECT_EQ(read.map->cells, cells);
        EXPECT_EQ(read.map->width, 4);
        EXPECT_EQ(read.map->height, 2);
        EXPECT_EQ(read.map->layerName, "Screen 0");
    }
}

TEST(TmxReader, TheFirstTileLayerIsReadGroupsIncluded) {
    MemoryFolder folder;
    const std::string ts = embedded(1, korvexTilesetXml(1, 2));
    const std::string text = "<map width=\"1\" height=\"1\">" + ts +
                             "<objectgroup/><group><group/><group><layer name=\"inner\">" +
                             csvData({3}) + "</layer></group></group><layer name=\"outer\">" +
                             csvData({4}) + "</layer></map>";
    const TmxReadResult read = parse(text, folder);
    ASSERT_TRUE(read.map) << read.error;
    EXPECT_EQ(read.map->layerName, "inner");
    EXPECT_EQ(read.map->cells, std::vector<uint32_t>{3});
    EXPECT_EQ(read.map->tileLayers, 2);
    EXPECT_EQ(parse(mapXml(2, 1, ts, "<data encoding=\"csv\">1,\t2;</data>"), folder).error,
              "the CSV layer data holds \";\" where a comma should be");
    EXPECT_EQ(parse(mapXml(2, 1, ts, "<data encoding=\"csv\">1,\x01</data>"), folder).error,
              "the CSV layer data holds the byte 0x01 where a tile id should be");
}

TEST(TmxReader, TilesetsExternalOrEmbeddedCoverTheirIds) {
    MemoryFolder folder;
    folder.files["sub/font.tsx"] = "<?xml version=\"1.0\"?>" + korvexTilesetXml(2, 5);
    // Named twice (once in a roundabout way): read once.
    const std::string tilesets = external(1, "./sub/x/../font.tsx") +
                                 embedded(257, tilesetXml("bricks", 10)) +
                                 external(300, "sub/font.tsx");
    const TmxReadResult read = parse(mapXml(1, 1, tilesets, csvData({1})), folder);
    ASSERT_TRUE(read.map) << read.error;
    EXPECT_EQ(folder.requests, (std::map<std::string, int>{{"sub/font.tsx", 1}}));
    const TmxMap& map = *read.map;
    ASSERT_EQ(map.tilesets.size(), 3u);
    EXPECT_EQ(map.tilesets[0].name, "Korvex font 2 mode 5");
    EXPECT_EQ(map.tilesets[0].source, "./sub/x/../font.tsx");
    EXPECT_EQ(*tmxProperty(map.tilesets[0].properties, "korvex-mode"), "5");
    EXPECT_EQ(map.tilesets[1].source, "");

    const auto nameOf = [&](uint32_t gid) {
        const TmxTileset* tileset = tilesetOfGid(map, gid);
        return tileset ? tileset->name + "@" + std::to_string(tileset->firstGid) : "none";
    };
    EXPECT_EQ(nameOf(0), "none");
    EXPECT_EQ(nameOf(1), "Korvex font 2 mode 5@1");
    EXPECT_EQ(nameOf(256), "Korvex font 2 mode 5@1");
    EXPECT_EQ(nameOf(257), "bricks@257");
    EXPECT_EQ(nameOf(266), "bricks@257");
    EXPECT_EQ(nameOf(267), "none");
    EXPECT_EQ(nameOf(299), "none");
    EXPECT_EQ(nameOf(300 | 0x80000000u), "Korvex font 2 mode 5@300");
    EXPECT_EQ(nameOf(556), "none");
}

TEST(TmxReader, ATilesetWithoutACountIsCountedFromItsImageOrTiles) {
    MemoryFolder folder;
    const std::string fromImage =
        "<tileset firstgid=\"1\" name=\"a\" tilewidth=\"8\" tileheight=\"8\" spacing=\"1\" "
        "margin=\"2\"><image source=\"a.png\" width=\"39\" height=\"21\"/></tileset>";
    const std::string fromTiles = "<tileset firstgid=\"100\" name=\"b\" tilewidth=\"8\" "
                                  "tileheight=\"8\"><tile id=\"4\"/><tile id=\"9\"/></tileset>";
    const TmxReadResult read = parse(mapXml(1, 1, fromImage + fromTiles, csvData({0})), folder);
    ASSERT_TRUE(read.map) << read.error;
    EXPECT_EQ(read.map->tilesets[0].tileCount, 8u); // 4 across, 2 down
    EXPECT_EQ(read.map->tilesets[1].tileCount, 10u);
}

TEST(TmxReader, TilesetPathsStayInTheMapsFolder) {
    std::string error;
    EXPECT_EQ(tilesetPathInMapFolder("a.tsx", &error), "a.tsx");
    EXPECT_EQ(tilesetPathInMapFolder("./a//b/../c.tsx", &error), "a/c.tsx");
    for (const std::string bad :
         {"../a.tsx", "a/../../a.tsx", "./..", "/etc/a.tsx", "", "a/..", "."}) {
        SCOPED_TRACE(bad);
        error.clear();
        EXPECT_FALSE(tilesetPathInMapFolder(bad, &error));
        EXPECT_FALSE(error.empty());
    }
    tilesetPathInMapFolder("../up.tsx", &error);
    EXPECT_EQ(error, "the tileset path \"../up.tsx\" leaves the map's folder; only files in the "
                     "map's folder or below it are read");
    tilesetPathInMapFolder("/abs.tsx", &error);
    EXPECT_EQ(error, "the tileset path \"/abs.tsx\" is absolute; only files in the map's folder "
                     "or below it are read");
}

TEST(TmxReader, FromDiskTilesetsComeOnlyFromTheMapsFolder) {
    TempDir dir;
    namespace fs = std::filesystem;
    fs::create_directories(dir.filePath("maps/sets"));
    writeFile(dir.filePath("outside.tsx"), korvexTilesetXml(1, 2));
    writeFile(dir.filePath("maps/sets/font.tsx"), korvexTilesetXml(1, 2));
    fs::create_symlink("../../outside.tsx", dir.filePath("maps/sets/link.tsx"));
    fs::create_symlink("font.tsx", dir.filePath("maps/sets/inside-link.tsx"));
    const auto mapWith = [&](const std::string& source) {
        writeFile(dir.filePath("maps/m.tmx"), mapXml(1, 1, external(1, source), csvData({1})));
        return readTmxMapFile(dir.filePath("maps/m.tmx"));
    };
    EXPECT_TRUE(mapWith("sets/font.tsx").map);
    EXPECT_TRUE(mapWith("sets/inside-link.tsx").map);

    TmxReadResult read = mapWith("sets/link.tsx");
    EXPECT_FALSE(read.map);
    EXPECT_EQ(read.error, "the tileset \"sets/link.tsx\" lies outside the map's folder (through a "
                          "symbolic link); only files in the map's folder or below it are read");
    read = mapWith("../outside.tsx");
    EXPECT_FALSE(read.map);
    EXPECT_NE(read.error.find("leaves the map's folder"), std::string::npos);
    read = mapWith("sets/gone.tsx");
    EXPECT_EQ(read.error, "the tileset \"sets/gone.tsx\" is missing");
    read = mapWith("sets");
    EXPECT_EQ(read.error, "the tileset \"sets\" cannot be read");
    EXPECT_EQ(readTmxMapFile(dir.filePath("maps/none.tmx")).error, "cannot be read");
}

TEST(TmxReader, Base64TakesWhitespaceAndPaddingOnlyWhereTheyBelong) {
    const auto text = [](const std::optional<Bytes>& bytes) {
        return bytes ? std::string(bytes->begin(), bytes->end()) : std::string("(none)");
    };
    EXPECT_EQ(text(decodeBase64(" TW Fu\n", 10)), "Man");
    EXPECT_EQ(text(decodeBase64("TWE=", 10)), "Ma");
    EXPECT_EQ(text(decodeBase64("TQ==\r\n", 10)), "M");
    EXPECT_EQ(text(decodeBase64("", 10)), "");
    for (const char* bad : {"TWF", "TQ=", "T===", "TQ==TWFu", "TW=u", "TWF*", "=TWF"})
        EXPECT_EQ(text(decodeBase64(bad, 10)), "(none)") << bad;
    EXPECT_EQ(text(decodeBase64("TWFuTWFu", 5)), "(none)");
}

TEST(TmxReader, InflationStopsAtTheExpectedSize) {
    const Bytes data(1000, 7);
    for (const bool gzip : {false, true}) {
        const CompressedForm form = gzip ? CompressedForm::Gzip : CompressedForm::Zlib;
        const Bytes packed = compressed(data, gzip);
        InflateResult result = inflateBounded(packed, form, 1000);
        EXPECT_EQ(result.outcome, InflateOutcome::Done);
        EXPECT_EQ(result.bytes, data);
        EXPECT_EQ(inflateBounded(packed, form, 999).outcome, InflateOutcome::TooLarge);
        const Bytes cut(packed.begin(), packed.end() - 6);
        EXPECT_EQ(inflateBounded(cut, form, 1000).outcome, InflateOutcome::Damaged);
        // The other form's header.
        const CompressedForm other = gzip ? CompressedForm::Zlib : CompressedForm::Gzip;
        EXPECT_EQ(inflateBounded(packed, other, 1000).outcome, InflateOutcome::Damaged);
    }
}

} // namespace
