// Screens as Tiled maps: the files written, what they record, and the way back.

#include "core/screens.h"
#include "formats/png_codec.h"
#include "formats/tmx_map.h"
#include "formats/tmx_screen_import.h"
#include "formats/tmx_writer.h"
#include "screen_samples.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

using namespace korvex;
using namespace korvex::test;

namespace {

std::vector<std::string> pathsOf(const std::vector<TmxExportFile>& files) {
    std::vector<std::string> paths;
    for (const TmxExportFile& file : files)
        paths.push_back(file.path);
    return paths;
}

TEST(TmxExport, RoundTripGivesBackTheScreenAndRowTableByteForByte) {
    TempDir dir;
    auto doc = busyScreenDocument();
    doc->rowTables[3] = mixedRowTable(true);
    for (const auto& [followFont, fourColour] : {std::pair{1, false}, std::pair{3, true}}) {
        SCOPED_TRACE(followFont);
        const std::string mapPath = dir.filePath("level.tmx");
        ASSERT_TRUE(writeTmxExportFiles(tmxExportFiles(*doc, 3, followFont, fourColour, mapPath)));
        const TmxReadResult read = readTmxMapFile(mapPath);
        ASSERT_TRUE(read.map) << read.error;
        const ScreenFromMapResult back = screenFromTmxMap(*read.map);
        ASSERT_TRUE(back.screen) << back.error;
        EXPECT_TRUE(back.screen->notes.empty());
        EXPECT_EQ(
            std::memcmp(back.screen->cells.data(), doc->screens + 3 * kScreenCells, kScreenCells),
            0);
        EXPECT_EQ(std::memcmp(&back.screen->rows, &doc->rowTables[3], sizeof(RowTable)), 0);
    }
}

TEST(TmxExport, OneTilesetForEachFontAndModeTheRowsUse) {
    auto doc = busyScreenDocument();
    doc->rowTables[0] = mixedRowTable(true);
    const auto files = tmxExportFiles(*doc, 0, 3, false, "out/Level.TMX");
    // Tilesets in the order rows first use them (follow entries as font 3 mode 2).
    EXPECT_EQ(
        pathsOf(files),
        (std::vector<std::string>{
            "out/Level-font3-mode2.png", "out/Level-font3-mode2.tsx", "out/Level-font2-mode2.png",
            "out/Level-font2-mode2.tsx", "out/Level-font10-mode2.png", "out/Level-font10-mode2.tsx",
            "out/Level-font2-mode5.png", "out/Level-font2-mode5.tsx", "out/Level-font3-mode5.png",
            "out/Level-font3-mode5.tsx", "out/Level-font3-mode4.png", "out/Level-font3-mode4.tsx",
            "out/Level-font2-mode4.png", "out/Level-font2-mode4.tsx", "out/Level-font1-mode2.png",
            "out/Level-font1-mode2.tsx", "out/Level-font10-mode4.png", "out/Level-font10-mode4.tsx",
            "out/Level.TMX"}));
    const auto picture = decodePng(files[0].bytes);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->width, 128);
    EXPECT_EQ(picture->height, 128);

    const std::string map(files.back().bytes.begin(), files.back().bytes.end());
    EXPECT_NE(map.find("<tileset firstgid=\"1\" source=\"Level-font3-mode2.tsx\" />"),
              std::string::npos);
    EXPECT_NE(map.find("<tileset firstgid=\"2049\" source=\"Level-font10-mode4.tsx\" />"),
              std::string::npos);
    EXPECT_NE(map.find("<layer id=\"1\" name=\"Screen 0\" width=\"40\" height=\"24\">"),
              std::string::npos);
    EXPECT_NE(map.find("<property name=\"korvex-mode5-rows\" value=\"rows 5, 6: mode 5 is drawn "
                       "here as mode 4, 8 scanlines a row"),
              std::string::npos);
    const std::string tall(files[7].bytes.begin(), files[7].bytes.end());
    EXPECT_NE(tall.find("name=\"Korvex font 2 mode 5\""), std::string::npos);
    EXPECT_NE(tall.find("<property name=\"korvex-mode5-rows\""), std::string::npos);

    // Without mode-5 rows no property mentions them.
    doc->rowTables[0] = mixedRowTable(false);
    const auto plain = tmxExportFiles(*doc, 0, 1, false, "p.tmx");
    const std::string plainMap(plain.back().bytes.begin(), plain.back().bytes.end());
    EXPECT_EQ(plainMap.find("mode5"), std::string::npos);
    EXPECT_TRUE(tmxExportFiles(*doc, 9, 1, false, "p.tmx").empty());
}

TEST(TmxExport, AFailedWriteLeavesNoMapBehind) {
    TempDir dir;
    auto doc = busyScreenDocument();
    const auto files = tmxExportFiles(*doc, 0, 1, false, dir.filePath("m.tmx"));
    // The tileset picture cannot be written: nothing is.
    std::filesystem::create_directory(dir.filePath("m-font1-mode2.png"));
    std::string error;
    EXPECT_FALSE(writeTmxExportFiles(files, &error));
    EXPECT_EQ(error.rfind(dir.filePath("m-font1-mode2.png") + ": ", 0), 0u) << error;
    EXPECT_FALSE(std::filesystem::exists(dir.filePath("m.tmx")));
    EXPECT_FALSE(std::filesystem::exists(dir.filePath("m-font1-mode2.tsx")));
}

} // namespace
