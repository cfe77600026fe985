// export-font and export-screen give the bytes the editor's export window saves.

#include "cli_test_tools.h"
#include "formats/font_file.h"
#include "formats/source_export.h"
#include "gui/export_window.h"
#include "gui/view_editor_file_commands.h"
#include "scripted_dialogs.h"
#include "test_document.h"

#include <QComboBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace korvex {
namespace {

using test::readAll;
using test::runCli;

const QStringList kLanguageNames = {"asm-dec", "asm-hex",   "action-dec", "action-hex",
                                    "basic",   "madpascal", "fastbasic"};

class SourceExportTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    test::ScriptedDialogs dialogs;

    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString path(const QString& name) const { return dir.filePath(name); }

    // What the export window saves for `doc` in `language`.
    QByteArray editorSaves(Document& doc, int language) {
        ExportWindow window(doc);
        window.LanguageCombo->setCurrentIndex(language);
        // A fresh file each time: replacing one would be asked about.
        QFile::remove(path("editor.txt"));
        dialogs.files.push_back({path("editor.txt"), 0});
        QTest::mouseClick(window.SaveButton, Qt::LeftButton);
        return readAll(path("editor.txt"));
    }

    // A document with the View Editor data file loaded as the View Editor loads it.
    std::unique_ptr<Document> editorWithScreens(const QString& file, bool oneScreen) {
        auto doc = test::freshDocument();
        dialogs.files.push_back({file, 0});
        if (oneScreen)
            loadViewEditorScreenCommand(nullptr, *doc);
        else
            loadViewEditorDataCommand(nullptr, *doc);
        return doc;
    }
};

TEST_F(SourceExportTest, FontExportMatchesTheExportWindowInEveryLanguageByNumberAndName) {
    ASSERT_TRUE(test::writeAll(path("game.fnt"), test::sampleFontBytes()));
    auto doc = test::freshDocument();
    ASSERT_TRUE(loadFontFile(*doc, path("game.fnt").toStdString()));

    for (int language = 0; language < kExportLanguageCount; ++language) {
        SCOPED_TRACE(language);
        const QByteArray expected = editorSaves(*doc, language);
        ASSERT_FALSE(expected.isEmpty());

        const auto toFile = runCli(
            {"export-font", "game.fnt", "--lang", QString::number(language), "-o", "out.txt"},
            dir.path());
        EXPECT_EQ(toFile.status, 0) << toFile.err.toStdString();
        EXPECT_TRUE(toFile.out.isEmpty());
        EXPECT_EQ(readAll(path("out.txt")), expected);

        const auto toStdout =
            runCli({"export-font", "--lang=" + kLanguageNames[language], "game.fnt"}, dir.path());
        EXPECT_EQ(toStdout.status, 0);
        EXPECT_EQ(toStdout.out, expected);
        EXPECT_TRUE(toStdout.err.isEmpty()) << toStdout.err.toStdString();
    }
}

TEST_F(SourceExportTest, TextEndsEveryLineWithCrLf) {
    ASSERT_TRUE(test::writeAll(path("game.fnt"), test::sampleFontBytes()));
    const auto run = runCli({"export-font", "game.fnt", "--lang", "basic"}, dir.path());
    ASSERT_EQ(run.status, 0);
    ASSERT_TRUE(run.out.endsWith("\r\n"));
    const QList<QByteArray> lines = run.out.chopped(2).split('\n');
    ASSERT_EQ(lines.size(), 129); // the REM line and 128 data lines
    for (const QByteArray& line : lines)
        EXPECT_TRUE(line.endsWith('\r') || line == lines.last());
    EXPECT_EQ(run.out.count('\r'), run.out.count('\n'));
    EXPECT_TRUE(run.out.startsWith("10000 REM .oO DATA FONT Oo.\r\n10010 DATA "));
}

TEST_F(SourceExportTest, ShortFontIsReadAsTheEditorReadsItWithAWarning) {
    ASSERT_TRUE(test::writeAll(path("half.fnt"), test::sampleFontBytes().left(512)));
    auto doc = test::freshDocument();
    ASSERT_TRUE(loadFontFile(*doc, path("half.fnt").toStdString()));
    const QByteArray expected = editorSaves(*doc, 1);

    const auto run = runCli({"export-font", "half.fnt", "--lang", "1"}, dir.path());
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, expected);
    EXPECT_TRUE(run.err.contains("warning: half.fnt: 512 bytes")) << run.err.toStdString();
    // Glyphs 64..127 are blank.
    EXPECT_TRUE(run.out.endsWith("    .BYTE $0,$0,$0,$0,$0,$0,$0,$0\r\n"));
}

TEST_F(SourceExportTest, ScreenOfViewEditorDataMatchesTheExportWindow) {
    ASSERT_TRUE(test::writeAll(path("level.ved2"), test::sampleScreensBytes()));
    auto doc = editorWithScreens(path("level.ved2"), false);
    doc->exportKind = "screen";
    for (int screen : {0, 4, 8}) {
        doc->currentScreen = uint8_t(screen);
        for (int language : {0, 3, 5, 6}) {
            SCOPED_TRACE(testing::Message() << "screen " << screen << " language " << language);
            const auto run = runCli({"export-screen", "level.ved2", "--screen",
                                     QString::number(screen), "--lang", QString::number(language)},
                                    dir.path());
            EXPECT_EQ(run.status, 0) << run.err.toStdString();
            EXPECT_EQ(run.out, editorSaves(*doc, language));
        }
    }
}

TEST_F(SourceExportTest, ScreenDataFileIsOneScreen) {
    QByteArray screen = test::sampleScreensBytes().mid(3 * kScreenCells, kScreenCells);
    ASSERT_TRUE(test::writeAll(path("title.sved2"), screen));
    auto doc = editorWithScreens(path("title.sved2"), true);
    doc->exportKind = "screen";
    const QByteArray expected = editorSaves(*doc, 4);

    const auto run =
        runCli({"export-screen", "title.sved2", "--lang", "basic", "-o", "t.txt"}, dir.path());
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(readAll(path("t.txt")), expected);
    EXPECT_TRUE(run.err.isEmpty());
}

TEST_F(SourceExportTest, FileKindWithoutKnownExtensionGoesBySize) {
    const QByteArray screens = test::sampleScreensBytes();
    ASSERT_TRUE(test::writeAll(path("one.dat"), screens.left(kScreenCells)));
    ASSERT_TRUE(test::writeAll(path("all.dat"), screens));
    ASSERT_TRUE(test::writeAll(path("all.VED2"), screens.left(kScreenCells)));

    // 960 bytes: one screen, so --screen is refused as meaningless.
    auto one = runCli({"export-screen", "one.dat", "--lang", "0"}, dir.path());
    EXPECT_EQ(one.status, 0);
    EXPECT_EQ(
        runCli({"export-screen", "one.dat", "--screen", "1", "--lang", "0"}, dir.path()).status, 2);
    // 8640 bytes: nine screens; screen 1 differs from screen 0.
    auto all1 = runCli({"export-screen", "all.dat", "--screen", "1", "--lang", "0"}, dir.path());
    EXPECT_EQ(all1.status, 0);
    auto all0 = runCli({"export-screen", "all.dat", "--lang", "0"}, dir.path());
    EXPECT_EQ(all0.out, one.out);
    EXPECT_NE(all1.out, all0.out);
    // The extension wins over the size, in any case; the short file warns.
    auto upper = runCli({"export-screen", "all.VED2", "--screen", "2", "--lang", "0"}, dir.path());
    EXPECT_EQ(upper.status, 0);
    EXPECT_TRUE(upper.err.contains("960 bytes, shorter than View Editor data"))
        << upper.err.toStdString();
}

TEST_F(SourceExportTest, RangeIsClippedAsTheEditorClipsIt) {
    ASSERT_TRUE(test::writeAll(path("level.ved2"), test::sampleScreensBytes()));
    auto doc = editorWithScreens(path("level.ved2"), false);
    doc->exportKind = "range";
    doc->currentScreen = 2;
    struct Range {
        int x, y, w, h;
    };
    for (const Range r :
         {Range{10, 5, 3, 2}, Range{38, 0, 5, 3}, Range{0, 22, 40, 24}, Range{39, 23, 1, 1}}) {
        doc->rangeX = uint8_t(r.x);
        doc->rangeY = uint8_t(r.y);
        doc->rangeWidth = uint8_t(r.w);
        doc->rangeHeight = uint8_t(r.h);
        const QString range = QString("%1,%2,%3,%4").arg(r.x).arg(r.y).arg(r.w).arg(r.h);
        for (int language = 0; language < kExportLanguageCount; ++language) {
            SCOPED_TRACE((range + " language " + QString::number(language)).toStdString());
            const auto run = runCli({"export-screen", "level.ved2", "--screen", "2", "--range",
                                     range, "--lang", QString::number(language)},
                                    dir.path());
            EXPECT_EQ(run.status, 0) << run.err.toStdString();
            EXPECT_EQ(run.out, editorSaves(*doc, language));
        }
    }
    // Column 38 with width 5 keeps two columns: the MadPascal header counts 2 x 3 cells.
    const auto pascal = runCli(
        {"export-screen", "level.ved2", "--range", "38,0,5,3", "--lang", "madpascal"}, dir.path());
    EXPECT_TRUE(pascal.out.startsWith("kvx_range: array [0..5] of byte = (\r\n"));
}

} // namespace
} // namespace korvex
