// screen-to-tmx and tmx-to-screen checked by Tiled's own programs: tmxrasterizer
// draws the exported map as the Atari view draws the screen, `tiled --export-map`
// reads it with the ids the screen's codes give, and maps Tiled saved again come
// back as the same screen and row table. Skipped where Tiled is not installed
// (scripts/test installs the Debian package tiled).

#include "cli/arguments.h"
#include "cli_test_tools.h"
#include "core/atari_view.h"
#include "core/screens.h"
#include "formats/png_codec.h"
#include "formats/project_file.h"
#include "formats/tmx_korvex_names.h"
#include "screen_samples.h"
#include "tmx_samples.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstring>
#include <regex>

namespace korvex {
namespace {

using test::readAll;
using test::runCli;

constexpr int kScreen = 2;
constexpr int kFollowFont = 3;

// Runs one of Tiled's programs without a display; false when it fails.
bool runTiledTool(const QString& program, const QStringList& args, const QString& folder) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(folder);
    process.start(program, args);
    return process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

#define REQUIRE_TOOL(variable, name)                                                               \
    const QString variable = QStandardPaths::findExecutable(name);                                 \
    if (variable.isEmpty())                                                                        \
    GTEST_SKIP() << name " is missing: install the Debian package tiled"

class TiledExchangeTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    std::unique_ptr<Document> source = test::busyScreenDocument();

    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        // Fonts 1, 2, 3 and 10, modes 2 and 4, rows following either or both.
        source->rowTables[kScreen] = test::mixedRowTable(false);
        ASSERT_TRUE(saveProjectFile(*source, path("p.proj2").toStdString()));
    }
    QString path(const QString& name) const { return dir.filePath(name); }

    // The project as the converter reads it.
    std::unique_ptr<Document> loaded(const QString& name) const {
        auto doc = test::freshDocument();
        EXPECT_TRUE(loadProjectFile(*doc, path(name).toStdString()));
        return doc;
    }

    void exportMap(const QStringList& extra = {"--font", "3", "--mode", "4"}) {
        const auto run = runCli(
            QStringList{"screen-to-tmx", "p.proj2", "--screen", "2", "-o", "map.tmx"} + extra,
            dir.path());
        ASSERT_EQ(run.status, 0) << run.err.toStdString();
    }

    // Screen `screen` of the project `name` has the cells and row table of the
    // exported screen.
    void expectSameScreen(const QString& name, int screen) const {
        auto doc = loaded(name);
        EXPECT_EQ(std::memcmp(doc->screens + screen * kScreenCells,
                              source->screens + kScreen * kScreenCells, kScreenCells),
                  0);
        EXPECT_EQ(
            std::memcmp(&doc->rowTables[screen], &source->rowTables[kScreen], sizeof(RowTable)), 0);
    }

    std::optional<RgbPicture> picture(const QString& name) const {
        const QByteArray bytes = readAll(path(name));
        return decodePng(
            ByteView(reinterpret_cast<const uint8_t*>(bytes.data()), size_t(bytes.size())));
    }
};

TEST_F(TiledExchangeTest, TmxrasterizerDrawsTheMapAsTheAtariViewDrawsTheScreen) {
    REQUIRE_TOOL(rasterizer, "tmxrasterizer");
    exportMap();
    ASSERT_TRUE(runTiledTool(rasterizer, {"map.tmx", "tiled.png"}, dir.path()));
    const auto drawn = picture("tiled.png");
    ASSERT_TRUE(drawn);
    // The rows that follow show font 3 in its own colours, as the converter draws them.
    auto reference = loaded("p.proj2");
    reference->CurrentFont = kFollowFont;
    loadFontColours(*reference, kFollowFont);
    const RgbPicture expected = drawAtariScreen(*reference, kScreen, kFollowFont, true);
    EXPECT_EQ(drawn->width, expected.width);
    EXPECT_EQ(drawn->height, expected.height);
    EXPECT_TRUE(drawn->pixels == expected.pixels);

    // The converter's own screen picture is the same.
    {
        const auto run = runCli({"screen-to-image", "p.proj2", "--screen", "2", "--font", "3",
                                 "--mode", "4", "-o", "korvex.png"},
                                dir.path());
        ASSERT_EQ(run.status, 0) << run.err.toStdString();
        const auto own = picture("korvex.png");
        ASSERT_TRUE(own);
        EXPECT_TRUE(own->pixels == drawn->pixels);
    }
}

TEST_F(TiledExchangeTest, TiledReadsTheMapWithTheCodesPlusEachTilesetsFirstId) {
    REQUIRE_TOOL(tiled, "tiled");
    exportMap();
    ASSERT_TRUE(runTiledTool(tiled, {"--export-map", "json", "map.tmx", "map.json"}, dir.path()));
    const QJsonObject map = QJsonDocument::fromJson(readAll(path("map.json"))).object();
    std::map<std::string, int> firstIds; // by tileset file
    for (const QJsonValue tileset : map["tilesets"].toArray())
        firstIds[tileset["source"].toString().toStdString()] = tileset["firstgid"].toInt();
    const QJsonArray layers = map["layers"].toArray();
    ASSERT_EQ(layers.size(), 1);
    EXPECT_EQ(layers[0]["name"].toString(), "Screen 2");
    const QJsonArray data = layers[0]["data"].toArray();
    ASSERT_EQ(data.size(), kScreenCells);
    for (int row = 0; row < kScreenRows; ++row) {
        const ResolvedRow resolved = resolveRow(source->rowTables[kScreen], row, kFollowFont, true);
        const std::string tileset =
            tmxTilesetFileStem("map.tmx", resolved.font, resolved.mode) + ".tsx";
        ASSERT_TRUE(firstIds.count(tileset)) << tileset;
        for (int column = 0; column < kScreenColumns; ++column)
            ASSERT_EQ(data[row * kScreenColumns + column].toInt(),
                      getCell(*source, kScreen, column, row) + firstIds[tileset])
                << row << "," << column;
    }
}

TEST_F(TiledExchangeTest, MapsTiledSavedAgainImportToTheSameScreenAndRowTable) {
    REQUIRE_TOOL(tiled, "tiled");
    exportMap();
    // JSON and back; with the tilesets embedded; the layer data zlib and gzip
    // compressed, saved again by Tiled as it found them.
    ASSERT_TRUE(runTiledTool(tiled, {"--export-map", "json", "map.tmx", "map.json"}, dir.path()));
    ASSERT_TRUE(runTiledTool(tiled, {"--export-map", "tmx", "map.json", "csv.tmx"}, dir.path()));
    ASSERT_TRUE(runTiledTool(
        tiled, {"--export-map", "--embed-tilesets", "tmx", "map.tmx", "embedded.tmx"}, dir.path()));
    const std::string text = readAll(path("map.tmx")).toStdString();
    std::smatch csv;
    ASSERT_TRUE(std::regex_search(text, csv, std::regex("<data encoding=\"csv\">([^<]*)</data>")));
    std::vector<uint32_t> ids;
    for (const auto& id : QString::fromStdString(csv[1]).split(',', Qt::SkipEmptyParts))
        ids.push_back(id.trimmed().toUInt());
    for (const std::string compression : {"zlib", "gzip"}) {
        const std::string mine =
            csv.prefix().str() + test::base64Data(ids, compression) + csv.suffix().str();
        ASSERT_TRUE(test::writeAll(path(QString::fromStdString(compression) + "-mine.tmx"),
                                   QByteArray::fromStdString(mine)));
        ASSERT_TRUE(
            runTiledTool(tiled,
                         {"--export-map", "tmx", QString::fromStdString(compression) + "-mine.tmx",
                          QString::fromStdString(compression) + ".tmx"},
                         dir.path()));
        ASSERT_TRUE(readAll(path(QString::fromStdString(compression) + ".tmx"))
                        .contains(QByteArray::fromStdString("compression=\"" + compression)));
    }
    // Into screens other than the exported one.
    int screen = kScreen;
    for (const char* map : {"csv.tmx", "embedded.tmx", "zlib.tmx", "gzip.tmx"}) {
        SCOPED_TRACE(map);
        ++screen;
        const auto run = runCli({"tmx-to-screen", map, "--into", "p.proj2", "--screen",
                                 QString::number(screen), "-o", "out.proj2"},
                                dir.path());
        ASSERT_EQ(run.status, 0) << run.err.toStdString();
        EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
        expectSameScreen("out.proj2", screen);
    }
}

TEST_F(TiledExchangeTest, ExportThenImportGivesBackTheProjectByteForByte) {
    for (const QStringList& follow : {QStringList{}, QStringList{"--font", "10", "--mode", "4"}}) {
        exportMap(follow);
        const auto run = runCli(
            {"tmx-to-screen", "map.tmx", "--into", "p.proj2", "--screen", "2", "-o", "out.proj2"},
            dir.path());
        ASSERT_EQ(run.status, 0) << run.err.toStdString();
        EXPECT_EQ(readAll(path("out.proj2")), readAll(path("p.proj2")));
    }
}

TEST_F(TiledExchangeTest, BadMapsAreRefusedWithTheirMessageAndNothingIsWritten) {
    exportMap();
    const std::string good = readAll(path("map.tmx")).toStdString();
    const auto changed = [&](const std::string& from, const std::string& to) {
        std::string text = good;
        const size_t at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return text.replace(at, from.size(), to);
    };
    // The first cell's id with the horizontal flip bit.
    const size_t first = good.find("encoding=\"csv\">\n") + 16;
    std::string flipped = good;
    flipped.replace(first, good.find(',', first) - first, "2147483649");
    QDir(dir.path()).mkdir("maps");
    const std::vector<std::pair<std::string, std::string>> cases = {
        {good.substr(0, good.size() / 2), "the map is not well-formed XML"},
        {changed("map-font3-mode4.tsx", "gone.tsx"), "the tileset \"gone.tsx\" is missing"},
        {changed("map-font3-mode4.tsx", "../map-font3-mode4.tsx"),
         "the tileset path \"../map-font3-mode4.tsx\" leaves the map's folder"},
        {changed("\n", "\n<!-- -->"), ""}, // still a good map: checks the harness
        {flipped, "the tile at row 0, column 0 is flipped or rotated; screen cells cannot be"},
        {changed("width=\"40\" height=\"24\" tilewidth", "width=\"40\" height=\"25\" tilewidth"),
         "the tile layer is 40 x 24 tiles, the map 40 x 25"},
    };
    for (const auto& [map, message] : cases) {
        SCOPED_TRACE(message);
        QFile::remove(path("out.proj2"));
        ASSERT_TRUE(test::writeAll(path("maps/bad.tmx"), QByteArray::fromStdString(map)));
        for (const QString& tileset : QDir(dir.path()).entryList({"map-*"}))
            QFile::copy(path(tileset), path("maps/" + tileset));
        const auto run = runCli({"tmx-to-screen", "maps/bad.tmx", "--into", "p.proj2", "--screen",
                                 "0", "-o", "out.proj2"},
                                dir.path());
        if (message.empty()) {
            EXPECT_EQ(run.status, 0) << run.err.toStdString();
            continue;
        }
        EXPECT_EQ(run.status, 1);
        EXPECT_TRUE(run.err.startsWith("korvex-cli: maps/bad.tmx: ")) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(QString::fromStdString(message))) << run.err.toStdString();
        EXPECT_FALSE(QFile::exists(path("out.proj2")));
    }
}

TEST_F(TiledExchangeTest, OtherSizesAreTakenWithAWarning) {
    const std::string tilesets = test::embedded(1, test::korvexTilesetXml(4, 2));
    ASSERT_TRUE(test::writeAll(
        path("big.tmx"), QByteArray::fromStdString(test::mapXml(
                             50, 30, tilesets, test::csvData(std::vector<uint32_t>(1500, 8))))));
    const auto run = runCli(
        {"tmx-to-screen", "big.tmx", "--into", "p.proj2", "--screen", "0", "-o", "out.proj2"},
        dir.path());
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(run.err, "korvex-cli: warning: big.tmx: the map is 50 x 30 tiles; its top-left 40 x "
                       "24 are taken\n");
    auto doc = loaded("out.proj2");
    EXPECT_EQ(getCell(*doc, 0, 39, 23), 7);
    EXPECT_EQ(doc->rowTables[0].font[23], 4);
    EXPECT_EQ(doc->rowTables[0].mode[23], 2);
}

TEST_F(TiledExchangeTest, OptionsAreCheckedBeforeAnythingIsWritten) {
    const std::vector<std::pair<QStringList, QString>> cases = {
        {{"screen-to-tmx", "p.proj2", "--screen", "2", "--mode", "5", "-o", "m.tmx"}, "--mode"},
        {{"screen-to-tmx", "p.proj2", "--screen", "2", "-o", "m.png"},
         "the output m.png must end in .tmx"},
        {{"screen-to-tmx", "p.proj2", "--screen", "9", "-o", "m.tmx"}, "--screen"},
        {{"screen-to-tmx", "p.proj2", "-o", "m.tmx"}, "missing option --screen"},
        {{"tmx-to-screen", "m.tmx", "--screen", "1", "-o", "o.proj2"}, "missing option --into"},
    };
    for (const auto& [args, message] : cases) {
        const auto run = runCli(args, dir.path());
        EXPECT_EQ(run.status, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(run.err.contains(message)) << run.err.toStdString();
    }
    EXPECT_EQ(QDir(dir.path()).entryList({"m*", "o*"}), QStringList{});
    // The project's name for a tileset is refused too.
    QFile::copy(path("p.proj2"), path("q-font1-mode2.tsx"));
    const auto run =
        runCli({"screen-to-tmx", "q-font1-mode2.tsx", "--screen", "0", "-o", "q.tmx"}, dir.path());
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.err.contains("is the input")) << run.err.toStdString();
}

} // namespace
} // namespace korvex
