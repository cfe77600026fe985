// set-to-bin and extract write the bytes the editor's main window saves after
// opening the same files.

#include "cli_test_tools.h"
#include "core/font_codec.h"
#include "formats/colour_file.h"
#include "formats/project_file.h"
#include "formats/set_files.h"
#include "gui/app.h"
#include "gui/info_window.h"
#include "gui/main_window.h"
#include "gui/view_editor_file_commands.h"
#include "scripted_dialogs.h"
#include "test_document.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace korvex {
namespace {

using test::readAll;
using test::runCli;

// The editor as the user starts it, driven through its menu and buttons.
class EditorOutputsTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    test::ScriptedDialogs dialogs;
    std::unique_ptr<Document> doc = test::freshDocument();
    MainWindow window{*doc};

    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        setInfoWaitForTests(false);
        startUp(*doc, window);
    }
    void TearDown() override { setInfoWaitForTests(true); }
    QString path(const QString& name) const { return dir.filePath(name); }

    void menu(int id, const QString& file) {
        dialogs.files.push_back({file, 0});
        MainEvent event{MainEventKind::Menu};
        event.id = id;
        window.mainWindowEvent(event);
    }
    void control(Control id, const QString& file = {}) {
        if (!file.isEmpty())
            dialogs.files.push_back({file, 0});
        MainEvent event{MainEventKind::Control};
        event.id = int(id);
        window.mainWindowEvent(event);
    }
};

// Sets with filled and empty cells, inverse codes and a last row only.
std::unique_ptr<Document> documentWithSets() {
    auto d = test::freshDocument();
    for (int s = 1; s <= kSetCount; ++s)
        for (int c = 0; c < kSetCells; ++c)
            d->Sets[s][c] = int16_t((s * 11 + c * 5) % 3 == 0 ? -1 : (s * 31 + c * 7) % 256);
    for (int c = 0; c < kSetCells; ++c)
        d->Sets[37][c] = int16_t(c >= 20 ? 60 + c : -1);
    return d;
}

TEST_F(EditorOutputsTest, SetToBinMatchesExportSetToBin) {
    ASSERT_TRUE(test::writeAll(path("game.fnt"), test::sampleFontBytes(3)));
    auto sets = documentWithSets();
    sets->CurrentSet = 5;
    ASSERT_TRUE(test::writeAll(path("one.set"), test::toQBytes(setFileBytes(*sets))));
    ASSERT_TRUE(test::writeAll(path("all.sets"), test::toQBytes(setsFileBytes(*sets))));

    menu(MenuLoadFont, path("game.fnt"));
    menu(MenuLoadSet, path("one.set"));
    menu(MenuExportSetBin, path("editor1.bin"));
    const QByteArray editorOne = readAll(path("editor1.bin"));
    ASSERT_FALSE(editorOne.isEmpty());
    auto run = runCli({"set-to-bin", "one.set", "game.fnt", "-o", "cli1.bin"}, dir.path());
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(readAll(path("cli1.bin")), editorOne);

    // Set 37 of the .sets file: only its bottom row is filled, left to right.
    menu(MenuLoadAllSets, path("all.sets"));
    doc->CurrentSet = 37;
    menu(MenuExportSetBin, path("editor37.bin"));
    run = runCli({"set-to-bin", "all.sets", "--set", "37", "game.fnt", "-o", "cli37.bin"},
                 dir.path());
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    const QByteArray bin = readAll(path("cli37.bin"));
    EXPECT_EQ(bin, readAll(path("editor37.bin")));
    ASSERT_EQ(bin.size(), 5 * 8);
    EXPECT_EQ(bin.left(8), test::sampleFontBytes(3).mid(8 * 80, 8));
    EXPECT_EQ(bin.right(8), test::sampleFontBytes(3).mid(8 * 84, 8));
}

TEST_F(EditorOutputsTest, SetOfEmptyCellsGivesAnEmptyFile) {
    auto sets = test::freshDocument();
    ASSERT_TRUE(test::writeAll(path("empty.set"), test::toQBytes(setFileBytes(*sets))));
    ASSERT_TRUE(test::writeAll(path("game.fnt"), test::sampleFontBytes()));
    const auto run = runCli({"set-to-bin", "empty.set", "game.fnt", "-o", "e.bin"}, dir.path());
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(QFile::exists(path("e.bin")));
    EXPECT_EQ(QFileInfo(path("e.bin")).size(), 0);
}

class ExtractTest : public EditorOutputsTest {
protected:
    // A project in which every font, colour row, set and screen differs.
    void SetUp() override {
        EditorOutputsTest::SetUp();
        auto work = documentWithSets();
        for (int font = 1; font <= kFontCount; ++font) {
            const QByteArray bytes = test::sampleFontBytes(font);
            std::copy(bytes.begin(), bytes.end(), work->FontBuffer);
            decodeFont(*work, font);
            work->FontName[font] = "font " + std::to_string(font) + ".fnt";
            for (int r = 1; r <= 6; ++r)
                work->FontColours[font][r] = (font * 0x10203 + r * 0x30507) & 0xFFFFFF;
        }
        const QByteArray screens = test::sampleScreensBytes();
        std::copy(screens.begin(), screens.end(), work->screens);
        ASSERT_TRUE(saveProjectFile(*work, path("game.proj2").toStdString()));
        menu(MenuOpenProject, path("game.proj2"));
        ASSERT_EQ(doc->projectPath, path("game.proj2").toStdString());
    }
    // The font buttons step the editor to `font`, taking its colours along.
    void stepToFont(int font) {
        while (doc->CurrentFont < font)
            control(Control::FontNext);
    }
};

TEST_F(ExtractTest, FontMatchesSaveFontAfterOpeningTheProject) {
    for (int font : {1, 4, 10}) {
        SCOPED_TRACE(font);
        stepToFont(font);
        const QString editorFile = path(QString("editor%1.fnt").arg(font));
        menu(MenuSaveFont, editorFile);
        const QString out = QString("font%1.fnt").arg(font);
        const auto run = runCli(
            {"extract", "game.proj2", "--font", QString::number(font), "-o", out}, dir.path());
        EXPECT_EQ(run.status, 0) << run.err.toStdString();
        EXPECT_EQ(readAll(path(out)), readAll(editorFile));
        EXPECT_EQ(readAll(path(out)), test::sampleFontBytes(font));
    }
}

TEST_F(ExtractTest, ColoursMatchSaveColorsWithTheFontsColours) {
    stepToFont(3);
    control(Control::SaveColours, path("editor.col"));
    const auto run =
        runCli({"extract", "game.proj2", "--colours", "3", "-o", "three.col"}, dir.path());
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    const QByteArray col = readAll(path("three.col"));
    EXPECT_EQ(col, readAll(path("editor.col")));
    ASSERT_EQ(col.size(), 34);
    EXPECT_EQ(col.mid(4, 6), QByteArray("\x0E\x00\x18\xB8\x86\x44", 6)); // start-up registers
    auto check = test::freshDocument();
    ASSERT_TRUE(loadColourBytes(*check, Bytes(col.begin(), col.end())));
    for (int r = 1; r <= 6; ++r)
        EXPECT_EQ(workingColour(*check, r), (3 * 0x10203 + r * 0x30507) & 0xFFFFFF);
}

TEST_F(ExtractTest, SetsAndScreensMatchTheEditorsSaves) {
    menu(MenuSaveAllSets, path("editor.sets"));
    auto run = runCli({"extract", "game.proj2", "--sets", "-o", "all.sets"}, dir.path());
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(readAll(path("all.sets")), readAll(path("editor.sets")));
    EXPECT_EQ(readAll(path("all.sets")), test::toQBytes(setsFileBytes(*documentWithSets())));

    dialogs.files.push_back({path("editor.ved2"), 0});
    saveViewEditorDataCommand(nullptr, *doc);
    run = runCli({"extract", "game.proj2", "--screens", "-o", "all.ved2"}, dir.path());
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(readAll(path("all.ved2")), readAll(path("editor.ved2")));
    EXPECT_EQ(readAll(path("all.ved2")), test::sampleScreensBytes());
}

TEST_F(ExtractTest, ProjectWithoutTheChosenPartIsRefused) {
    ASSERT_TRUE(test::writeAll(path("fonts.proj2"), "VER$=0.52\r\nFONT_DATA_1=1 2 3 \r\n"));
    ASSERT_TRUE(test::writeAll(path("notes.txt"), "shopping list\r\n"));
    struct Case {
        QStringList args;
        QString message;
    };
    for (const Case& c : {Case{{"fonts.proj2", "--font", "2"},
                               "fonts.proj2: holds no font 2 (no FONT_DATA_2= line)"},
                          Case{{"fonts.proj2", "--sets"}, "fonts.proj2: holds no sets"},
                          Case{{"fonts.proj2", "--screens"}, "fonts.proj2: holds no screens"},
                          Case{{"fonts.proj2", "--colours", "1"}, "holds no colours of font 1"},
                          Case{{"notes.txt", "--font", "1"}, "notes.txt: holds no font 1"}}) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const auto run =
            runCli(QStringList{"extract"} + c.args + QStringList{"-o", "out"}, dir.path());
        EXPECT_EQ(run.status, 1);
        EXPECT_TRUE(run.err.contains(c.message)) << run.err.toStdString();
        EXPECT_FALSE(QFile::exists(path("out")));
    }
    // The part that is there comes out, the missing bytes as the editor reads them.
    const auto run = runCli({"extract", "fonts.proj2", "--font", "1", "-o", "f.fnt"}, dir.path());
    EXPECT_EQ(run.status, 0);
    QByteArray expected(kFontBytes, '\0');
    expected[0] = 1;
    expected[1] = 2;
    expected[2] = 3;
    EXPECT_EQ(readAll(path("f.fnt")), expected);
}

} // namespace
} // namespace korvex
