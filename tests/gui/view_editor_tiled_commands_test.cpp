// The View Editor's Tiled commands through the dialog seam: the map written and
// taken back, refused maps, and the import's one history step.

#include "core/history.h"
#include "core/screens.h"
#include "formats/tmx_map.h"
#include "formats/tmx_screen_import.h"
#include "modal_test_tools.h"
#include "view_editor_test_fixture.h"
#include "work_bytes.h"

#include <QAction>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cstring>

using namespace korvex;

namespace {

const QString kMapFilters = "Tiled map (*.tmx)|*.tmx";
constexpr int kScreen = 4;

class ViewEditorTiled : public test::ViewEditorTest {
protected:
    ViewEditorTiled() {
        editor = open();
        doc->currentScreen = kScreen;
        // Every code, rows of several fonts and modes, and rows that follow.
        for (int row = 0; row < kScreenRows; ++row)
            for (int column = 0; column < kScreenColumns; ++column)
                setCell(*doc, kScreen, column, row, uint8_t((row * 53 + column * 7) % 256));
        RowTable& rows = doc->rowTables[kScreen];
        const uint8_t fonts[] = {kRowFontFollow, 1, 2, 7};
        const RowMode modes[] = {RowMode::Follow, RowMode::TwoColour, RowMode::FourColour,
                                 RowMode::FourColourTall};
        for (int row = 0; row < kScreenRows; ++row) {
            rows.font[row] = fonts[row % 4];
            rows.mode[row] = uint8_t(modes[(row / 4) % 4]);
        }
        doc->CurrentFont = 3;
        doc->FourColourMode = 1;
    }

    std::string screenBytes() const {
        std::string bytes;
        for (int row = 0; row < kScreenRows; ++row)
            for (int column = 0; column < kScreenColumns; ++column)
                bytes += char(getCell(*doc, kScreen, column, row));
        const RowTable& rows = doc->rowTables[kScreen];
        bytes.append(reinterpret_cast<const char*>(&rows), sizeof rows);
        return bytes;
    }

    void exportTo(const QString& path) {
        dialogs.files.push_back({path, 0});
        editor->menuAction(ViewEditorMenuExportToTiled)->trigger();
    }
    void importFrom(const QString& path) {
        dialogs.files.push_back({path, 0});
        editor->menuAction(ViewEditorMenuImportFromTiled)->trigger();
    }

    // The message the reader gives for the map at `path`.
    static std::string refusalOf(const QString& path) {
        const TmxReadResult read = readTmxMapFile(path.toStdString());
        if (!read.map)
            return read.error;
        return screenFromTmxMap(*read.map).error;
    }

    QTemporaryDir dir;
    ViewEditorWindow* editor = nullptr;
};

TEST_F(ViewEditorTiled, ExportedMapImportsBackToTheSameScreenAndRowTable) {
    ASSERT_NE(editor, nullptr);
    const std::string exported = screenBytes();
    exportTo(dir.filePath("level")); // the map always ends in .tmx
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].kind, "save");
    EXPECT_EQ(dialogs.asked[0].title, "Export to Tiled...");
    EXPECT_EQ(dialogs.asked[0].filters, kMapFilters);
    EXPECT_TRUE(QFile::exists(dir.filePath("level.tmx")));
    // Rows that follow were drawn in the editor's font 3 and four-colour mode.
    EXPECT_TRUE(QFile::exists(dir.filePath("level-font3-mode4.tsx")));
    EXPECT_TRUE(QFile::exists(dir.filePath("level-font3-mode4.png")));

    // Another screen and row table, then the map back.
    editor->menuAction(ViewEditorMenuClearScreen)->trigger();
    doc->rowTables[kScreen] = RowTable{};
    doc->CurrentFont = 1;
    doc->FourColourMode = 0;
    const size_t steps = doc->history.undoCount();
    importFrom(dir.filePath("level.tmx"));
    EXPECT_EQ(dialogs.asked.back().kind, "open");
    EXPECT_EQ(dialogs.asked.back().title, "Import from Tiled...");
    EXPECT_EQ(dialogs.asked.back().filters, kMapFilters);
    EXPECT_TRUE(screenBytes() == exported);
    EXPECT_EQ(doc->history.undoCount(), steps + 1);
    EXPECT_EQ(doc->history.undoName(), kTiledImportStepName);
    EXPECT_EQ(editor->Canvas->image(), expectedCanvas());
}

TEST_F(ViewEditorTiled, ImportIsOneStepThatUndoesToTheScreenAndRowTableBefore) {
    ASSERT_NE(editor, nullptr);
    exportTo(dir.filePath("level.tmx"));
    // Other cells and rows than the map's.
    for (int column = 0; column < kScreenColumns; ++column)
        setCell(*doc, kScreen, column, 5, 200);
    doc->rowTables[kScreen].font[0] = 9;
    doc->rowTables[kScreen].mode[23] = uint8_t(RowMode::TwoColour);
    const std::string before = test::workBytes(*doc);
    const std::string screenBefore = screenBytes();

    importFrom(dir.filePath("level.tmx"));
    ASSERT_FALSE(screenBytes() == screenBefore);
    doc->history.undo(*doc);
    EXPECT_TRUE(screenBytes() == screenBefore);
    EXPECT_TRUE(test::workBytes(*doc) == before);
}

TEST_F(ViewEditorTiled, RefusedMapsShowTheReadersMessageAndChangeNothing) {
    ASSERT_NE(editor, nullptr);
    const auto write = [&](const char* name, const char* text) {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
        return dir.filePath(name);
    };
    // Broken XML; a tile of a tileset Korvex did not write; a missing file.
    const QString maps[] = {
        write("broken.tmx", "<map version=\"1.10\" width=\"40\""),
        write("foreign.tmx",
              "<?xml version=\"1.0\"?>\n"
              "<map version=\"1.10\" orientation=\"orthogonal\" renderorder=\"right-down\" "
              "width=\"2\" height=\"1\" tilewidth=\"8\" tileheight=\"8\">\n"
              " <tileset firstgid=\"1\" name=\"grass\" tilewidth=\"8\" tileheight=\"8\" "
              "tilecount=\"4\" columns=\"2\"><image source=\"grass.png\" width=\"16\" "
              "height=\"16\"/></tileset>\n"
              " <layer id=\"1\" name=\"Ground\" width=\"2\" height=\"1\">"
              "<data encoding=\"csv\">1,2</data></layer>\n</map>\n"),
        dir.filePath("missing.tmx"),
    };
    for (const QString& map : maps) {
        const std::string refusal = refusalOf(map);
        ASSERT_FALSE(refusal.empty()) << map.toStdString();
        const std::string before = test::workBytes(*doc);
        const size_t steps = doc->history.undoCount();
        importFrom(map);
        EXPECT_EQ(dialogs.asked.back().kind, "message");
        EXPECT_EQ(dialogs.asked.back().title, "Error...");
        EXPECT_EQ(dialogs.asked.back().textOrStart.toStdString(), refusal);
        EXPECT_TRUE(test::workBytes(*doc) == before) << map.toStdString();
        EXPECT_EQ(doc->history.undoCount(), steps);
    }
}

TEST_F(ViewEditorTiled, LargerMapGivesItsTopLeftAndSaysSo) {
    ASSERT_NE(editor, nullptr);
    const std::string exported = screenBytes();
    exportTo(dir.filePath("level.tmx"));
    // The same map with a 25th row of tiles.
    QString map = QString::fromUtf8(test::fileBytes(dir.filePath("level.tmx")));
    map.replace("height=\"24\"", "height=\"25\"");
    map.replace(QRegularExpression("(\\d)\\s*</data>"),
                "\\1" + QString(",1").repeated(kScreenColumns) + "\n</data>");
    QFile taller(dir.filePath("taller.tmx"));
    ASSERT_TRUE(taller.open(QIODevice::WriteOnly));
    taller.write(map.toUtf8());
    taller.close();

    editor->menuAction(ViewEditorMenuClearScreen)->trigger();
    importFrom(dir.filePath("taller.tmx"));
    EXPECT_TRUE(screenBytes() == exported);
    EXPECT_EQ(dialogs.asked.back().kind, "message");
    EXPECT_TRUE(dialogs.asked.back().textOrStart.contains("its top-left 40 x 24 are taken"))
        << dialogs.asked.back().textOrStart.toStdString();
}

TEST_F(ViewEditorTiled, FailedOrDeclinedExportWritesNothing) {
    ASSERT_NE(editor, nullptr);
    const QString unwritable = dir.filePath("no/such/dir/level.tmx");
    exportTo(unwritable);
    EXPECT_EQ(dialogs.asked.back().kind, "message");
    EXPECT_EQ(dialogs.asked.back().title, "Error...");
    EXPECT_TRUE(dialogs.asked.back().textOrStart.contains("no/such/dir/"));

    // An existing map is replaced only when the user says so.
    QFile old(dir.filePath("old.tmx"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();
    exportTo(dir.filePath("old.tmx"));
    EXPECT_EQ(dialogs.asked.back().kind, "question");
    EXPECT_EQ(test::fileBytes(dir.filePath("old.tmx")), QByteArray("old"));
}

} // namespace
