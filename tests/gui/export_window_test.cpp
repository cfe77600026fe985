// The export window: language list, regeneration, saving the text area and the
// reset of the export kind when it closes.

#include "core/document.h"
#include "core/screens.h"
#include "failing_writes.h"
#include "formats/source_export.h"
#include "gui/app.h"
#include "gui/export_window.h"
#include "gui/main_window.h"
#include "modal_test_tools.h"
#include "scripted_dialogs.h"
#include "test_document.h"

#include "main_window_fixture.h"
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace korvex {
namespace {

using test::fileBytes;
using test::writeBytes;

QString joined(const std::vector<std::string>& lines) {
    QStringList out;
    for (const auto& line : lines)
        out << QString::fromStdString(line);
    return out.join('\n');
}

class ExportWindowTest : public test::MainWindowFixture {
protected:
    QString expected(int language) { return joined(generateExport(*doc, language)); }
};

TEST_F(ExportWindowTest, OpensWithTheFontInTheFirstLanguage) {
    ExportWindow w(*doc);
    EXPECT_EQ(w.windowTitle(), "Export font as...");
    EXPECT_EQ(w.size(), QSize(460, 580));
    EXPECT_EQ(w.ExportAsLabel->text(), "Export as..");
    EXPECT_EQ(w.TextArea->lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_FALSE(w.TextArea->isReadOnly());
    ASSERT_EQ(w.LanguageCombo->count(), 7);
    EXPECT_EQ(w.LanguageCombo->itemText(0), "Assembler: Byte in decimal");
    EXPECT_EQ(w.LanguageCombo->itemText(6), "FastBasic");
    EXPECT_EQ(w.LanguageCombo->currentIndex(), 0);

    const QStringList lines = w.textLines();
    ASSERT_EQ(lines.size(), 129);
    EXPECT_EQ(lines[0], "FONT");
    // Glyph 1 of the default font is "!".
    EXPECT_EQ(lines[2], "    .BYTE 0,24,24,24,24,0,24,0");
}

TEST_F(ExportWindowTest, ChangingTheLanguageRegeneratesAndDropsHandEdits) {
    ExportWindow w(*doc);
    w.show();
    w.LanguageCombo->setCurrentIndex(3);
    EXPECT_EQ(w.TextArea->toPlainText(), expected(3));
    EXPECT_EQ(w.textLines().first(), "PROC font()=[");

    w.TextArea->setPlainText("edited by hand");
    // The font changed meanwhile: the new text shows the current pixels.
    doc->setPixel(1, 0, 0, 0, 1);
    w.LanguageCombo->setCurrentIndex(0);
    EXPECT_EQ(w.TextArea->toPlainText(), expected(0));
    EXPECT_EQ(w.textLines()[1], "    .BYTE 128,0,0,0,0,0,0,0");
}

TEST_F(ExportWindowTest, SavesTheTextAreaWithCrLfAndTxtExtension) {
    ExportWindow w(*doc);
    w.show();
    w.LanguageCombo->setCurrentIndex(4);
    dialogs.files.push_back({path("notes"), 0});
    dialogs.files.push_back({path("other"), 1});
    dialogs.files.push_back({path("upper.TXT"), 1});
    for (int i = 0; i < 3; ++i)
        QTest::mouseClick(w.SaveButton, Qt::LeftButton);

    ASSERT_EQ(dialogs.asked.size(), 3u);
    EXPECT_EQ(dialogs.asked[0].kind, "save");
    EXPECT_EQ(dialogs.asked[0].title, "Save export font (.txt)");
    EXPECT_EQ(dialogs.asked[0].textOrStart, "");
    EXPECT_EQ(dialogs.asked[0].filters, "Text (*.txt)|*.txt|All files (*.*)|*.*");

    const QByteArray notes = fileBytes(path("notes.txt"));
    EXPECT_TRUE(notes.startsWith("10000 REM .oO DATA FONT Oo.\r\n10010 DATA "));
    EXPECT_TRUE(notes.endsWith("\r\n"));
    EXPECT_FALSE(notes.endsWith("\r\n\r\n"));
    EXPECT_EQ(notes.count("\r\n"), 129);
    EXPECT_EQ(notes.count('\n'), 129); // no bare line feeds
    EXPECT_EQ(fileBytes(path("other.txt")), notes);
    EXPECT_EQ(fileBytes(path("upper.TXT")), notes);
    EXPECT_FALSE(QFile::exists(path("notes")));
    EXPECT_FALSE(QFile::exists(path("upper.TXT.txt")));
    EXPECT_TRUE(w.isVisible());
}

TEST_F(ExportWindowTest, SavesHandEditedTextAsUtf8WithoutBom) {
    ExportWindow w(*doc);
    w.TextArea->setPlainText(QString::fromUtf8("; zażółć\n\nlast"));
    dialogs.files.push_back({path("edited.txt"), 0});
    w.saveText();
    EXPECT_EQ(fileBytes(path("edited.txt")), QByteArray("; za\xC5\xBC\xC3\xB3\xC5\x82\xC4\x87\r\n"
                                                        "\r\n"
                                                        "last\r\n"));
}

TEST_F(ExportWindowTest, CancelledOrFailedSaveLeavesFilesAsTheyWere) {
    dialogs.replaceFiles = true; // old files are replaced on purpose
    ExportWindow w(*doc);
    w.show();
    w.saveText(); // dialog cancelled
    EXPECT_TRUE(QDir(dir.path()).isEmpty());

    // The replacement of an existing file cannot be written to the end.
    const QString old = path("old.txt");
    ASSERT_TRUE(writeBytes(old, "previous"));
    dialogs.files.push_back({old, 0});
    {
        test::FileSizeLimit limit(100);
        w.saveText();
    }
    EXPECT_EQ(fileBytes(old), "previous");
    EXPECT_EQ(dialogs.asked.back().kind, "message");
    EXPECT_EQ(dialogs.asked.back().title, "Error...");
    EXPECT_TRUE(dialogs.asked.back().textOrStart.contains(old));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"old.txt"});
    EXPECT_TRUE(w.isVisible());

    // An existing file in a read-only folder (only where permissions bind the user).
    ASSERT_TRUE(QDir(dir.path()).mkdir("locked"));
    const QString locked = path("locked/old.txt");
    ASSERT_TRUE(writeBytes(locked, "previous"));
    QFile::setPermissions(path("locked"), QFile::ReadOwner | QFile::ExeOwner);
    if (!writeBytes(path("locked/probe"), "x")) {
        dialogs.files.push_back({locked, 0});
        w.saveText();
        EXPECT_EQ(fileBytes(locked), "previous");
        EXPECT_EQ(dialogs.asked.back().kind, "message");
    }
    QFile::setPermissions(path("locked"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    // A folder that does not exist.
    dialogs.files.push_back({path("gone/x"), 0});
    w.saveText();
    EXPECT_TRUE(dialogs.asked.back().textOrStart.contains(path("gone/x.txt")));
    EXPECT_TRUE(w.isVisible());
}

TEST_F(ExportWindowTest, ClosingResetsTheExportKind) {
    setCell(*doc, doc->currentScreen, 0, 0, 65);
    doc->exportKind = "screen";
    {
        ExportWindow w(*doc);
        w.show();
        EXPECT_EQ(w.textLines().first(), "SCREEN");
        EXPECT_EQ(w.textLines()[1].left(13), "    .BYTE 65,");
        w.LanguageCombo->setCurrentIndex(2);
        EXPECT_EQ(w.textLines().first(), "PROC screen()=[");
        QTest::mouseClick(w.CancelButton, Qt::LeftButton);
        EXPECT_FALSE(w.isVisible());
        EXPECT_EQ(doc->exportKind, "");
    }
    doc->exportKind = "range";
    {
        ExportWindow w(*doc);
        w.show();
        w.close(); // the close box
        EXPECT_EQ(doc->exportKind, "");
    }
}

TEST_F(ExportWindowTest, ExportAsOfTheMainWindowExportsTheFontAfterAScreenExport) {
    doc->exportKind = "screen";
    {
        ExportWindow w(*doc);
        w.show();
        QTest::mouseClick(w.CancelButton, Qt::LeftButton);
    }
    window.move(25, 35);
    bool mainDisabled = false;
    QPoint offset;
    QSize size;
    QString firstLine;
    test::whenModalOpens([&](QWidget* modal) {
        auto* w = qobject_cast<ExportWindow*>(modal);
        ASSERT_NE(w, nullptr);
        mainDisabled = !window.isEnabled();
        offset = w->pos() - window.pos();
        size = w->size();
        firstLine = w->textLines().first();
        QTest::mouseClick(w->CancelButton, Qt::LeftButton);
    });
    QTest::mouseClick(window.ExportAsButton, Qt::LeftButton);

    EXPECT_TRUE(mainDisabled);
    EXPECT_EQ(offset, QPoint(200, 10));
    EXPECT_EQ(size, QSize(460, 580));
    EXPECT_EQ(firstLine, "FONT");
    EXPECT_TRUE(window.isEnabled());
    EXPECT_EQ(doc->exportKind, "");
}

} // namespace
} // namespace korvex
