// Font-file commands of the main window: loading and saving .fnt files through the
// menu, and the font-range window.

#include "core/font_codec.h"
#include "failing_writes.h"
#include "gui/app.h"
#include "gui/font_range_window.h"
#include "gui/main_window.h"
#include "modal_test_tools.h"
#include "scripted_dialogs.h"
#include "test_document.h"

#include "main_window_fixture.h"
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <cstring>
#include <gtest/gtest.h>

namespace korvex {
namespace {

using test::fileBytes;
using test::writeBytes;

const QString kFontFilters = "Font (*.fnt)|*.fnt|All files (*.*)|*.*";

class FontFileCommands : public test::MainWindowFixture {
protected:
    // The current font as the file commands write it.
    QByteArray encodedFont() {
        encodeFont(*doc, -1);
        return QByteArray(reinterpret_cast<const char*>(doc->FontBuffer), kFontBytes);
    }
    static QByteArray pattern(int size) {
        QByteArray data(size, 0);
        for (int i = 0; i < size; ++i)
            data[i] = char((i * 7 + 3) & 0xFF);
        return data;
    }
};

TEST_F(FontFileCommands, LoadingShortAndLongFilesFillsTheCurrentFontOnly) {
    // Work on font 3 so a stray write into font 1 would show.
    QTest::mouseClick(window.FontNextButton, Qt::LeftButton);
    QTest::mouseClick(window.FontNextButton, Qt::LeftButton);
    ASSERT_EQ(doc->CurrentFont, 3);
    doc->FontPath[3] = "/earlier/place.fnt";
    const std::string font1Name = doc->FontName[1];

    ASSERT_TRUE(writeBytes(path("half.fnt"), pattern(512)));
    dialogs.files.push_back({path("half.fnt"), 0});
    menu(MenuLoadFont);

    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].kind, "open");
    EXPECT_EQ(dialogs.asked[0].title, "Load font (.fnt)");
    EXPECT_EQ(dialogs.asked[0].textOrStart, "/earlier/place.fnt");
    EXPECT_EQ(dialogs.asked[0].filters, kFontFilters);
    EXPECT_EQ(doc->FontName[3], "half.fnt");
    EXPECT_EQ(doc->FontPath[3], path("half.fnt").toStdString());
    EXPECT_EQ(doc->FontName[1], font1Name);
    EXPECT_EQ(window.statusField(1), "Font: half.fnt");
    EXPECT_EQ(window.canvasEventsToSkip(), 2);
    EXPECT_EQ(window.clickGuard(), 15);
    // Glyphs 0..63 from the file, 64..127 blank.
    EXPECT_EQ(encodedFont(), pattern(512) + QByteArray(512, 0));

    // A longer file: only its first 1024 bytes count.
    ASSERT_TRUE(writeBytes(path("long.bin"), pattern(2000)));
    dialogs.files.push_back({path("long.bin"), 1});
    QTest::mouseClick(window.LoadFontButton, Qt::LeftButton);
    EXPECT_EQ(encodedFont(), pattern(1024));
    EXPECT_EQ(window.statusField(1), "Font: long.bin");
    EXPECT_EQ(dialogs.asked.back().textOrStart, path("half.fnt"));
}

TEST_F(FontFileCommands, LoadCancelledOrUnreadableChangesNothingButSkipsCanvasEvents) {
    doc->FontPath[1] = "/kept/path.fnt";
    const QByteArray before = encodedFont();
    const std::string name = doc->FontName[1];
    const QString status = window.statusField(1);

    for (const QString& answer : {QString(), path("missing.fnt")}) {
        window.skipCanvasEvents(0);
        dialogs.files.push_back({answer, 0});
        menu(MenuLoadFont);
        EXPECT_EQ(window.canvasEventsToSkip(), 2) << answer.toStdString();
        EXPECT_EQ(encodedFont(), before);
        EXPECT_EQ(doc->FontName[1], name);
        EXPECT_EQ(doc->FontPath[1], "/kept/path.fnt");
        EXPECT_EQ(window.statusField(1), status);
    }
}

TEST_F(FontFileCommands, SaveAddsTheExtensionOnlyForTheFontFilter) {
    // An edit that is only in the pixel planes: the menu command encodes first.
    doc->setPixel(1, 65, 0, 0, !doc->pixel(1, 65, 0, 0));
    doc->FontPath[1] = "/loaded/from.fnt";
    const std::string name = doc->FontName[1];
    const QString status = window.statusField(1);

    dialogs.files.push_back({path("demo"), 0});
    dialogs.files.push_back({path("other.FnT"), 0});
    dialogs.files.push_back({path("plain"), 1});
    for (int i = 0; i < 3; ++i) {
        window.skipCanvasEvents(0);
        menu(MenuSaveFont);
        EXPECT_EQ(window.canvasEventsToSkip(), 2);
    }

    const QByteArray font = encodedFont();
    ASSERT_NE(font, QByteArray(reinterpret_cast<const char*>(defaultFontBytes()), kFontBytes));
    EXPECT_EQ(fileBytes(path("demo.fnt")), font);
    EXPECT_FALSE(QFile::exists(path("demo")));
    EXPECT_EQ(fileBytes(path("other.FnT")), font);
    EXPECT_FALSE(QFile::exists(path("other.FnT.fnt")));
    EXPECT_EQ(fileBytes(path("plain")), font);
    EXPECT_FALSE(QFile::exists(path("plain.fnt")));

    ASSERT_EQ(dialogs.asked.size(), 3u);
    EXPECT_EQ(dialogs.asked[0].kind, "save");
    EXPECT_EQ(dialogs.asked[0].title, "Save font (.fnt)");
    EXPECT_EQ(dialogs.asked[0].textOrStart, "/loaded/from.fnt");
    EXPECT_EQ(dialogs.asked[0].filters, kFontFilters);
    // Saving renames nothing.
    EXPECT_EQ(doc->FontName[1], name);
    EXPECT_EQ(doc->FontPath[1], "/loaded/from.fnt");
    EXPECT_EQ(window.statusField(1), status);
}

TEST_F(FontFileCommands, SaveCancelledWritesNothing) {
    menu(MenuSaveFont);
    EXPECT_EQ(window.canvasEventsToSkip(), 2);
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

TEST_F(FontFileCommands, FailedSaveIsReportedAndLeavesTheOldFileIntact) {
    dialogs.replaceFiles = true; // old files are replaced on purpose
    // A folder that does not exist: nothing can be created.
    dialogs.files.push_back({path("no/such/folder/x.fnt"), 0});
    menu(MenuSaveFont);
    ASSERT_EQ(dialogs.asked.size(), 2u);
    EXPECT_EQ(dialogs.asked[1].kind, "message");
    EXPECT_EQ(dialogs.asked[1].title, "Error...");
    EXPECT_TRUE(dialogs.asked[1].textOrStart.contains(path("no/such/folder/x.fnt")));

    // An existing file whose replacement cannot be written to the end.
    const QString old = path("old.fnt");
    ASSERT_TRUE(writeBytes(old, "previous"));
    dialogs.files.push_back({old, 0});
    {
        test::FileSizeLimit limit(100);
        menu(MenuSaveFont);
    }
    EXPECT_EQ(fileBytes(old), "previous");
    EXPECT_EQ(dialogs.asked.back().kind, "message");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"old.fnt"});

    // An existing file in a read-only folder (only where permissions bind the user).
    ASSERT_TRUE(QDir(dir.path()).mkdir("locked"));
    const QString locked = path("locked/old.fnt");
    ASSERT_TRUE(writeBytes(locked, "previous"));
    QFile::setPermissions(path("locked"), QFile::ReadOwner | QFile::ExeOwner);
    if (!writeBytes(path("locked/probe"), "x")) {
        dialogs.files.push_back({locked, 0});
        menu(MenuSaveFont);
        EXPECT_EQ(fileBytes(locked), "previous");
        EXPECT_EQ(dialogs.asked.back().kind, "message");
    }
    QFile::setPermissions(path("locked"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// The range window on its own, as the command builds it.
class FontRangeWindowTest : public FontFileCommands {
protected:
    FontRangeWindow range{*doc};
    void SetUp() override {
        FontFileCommands::SetUp();
        range.show();
    }
    void choose(int from, int to) {
        range.FromCombo->setCurrentIndex(from);
        range.ToCombo->setCurrentIndex(to);
    }
};

TEST_F(FontRangeWindowTest, ShowsTwoListsOfTheGlyphCodes) {
    EXPECT_EQ(range.windowTitle(), "Save font range ...");
    EXPECT_EQ(range.size(), QSize(300, 50));
    EXPECT_EQ(range.ToLabel->text(), "TO");
    EXPECT_TRUE(range.ToLabel->alignment() & Qt::AlignHCenter);
    EXPECT_EQ(range.SaveButton->text(), "Save FNT");
    for (QComboBox* list : {range.FromCombo, range.ToCombo}) {
        ASSERT_EQ(list->count(), 128);
        EXPECT_EQ(list->itemText(0), "$0 (0)");
        EXPECT_EQ(list->itemText(65), "$41 (65)");
        EXPECT_EQ(list->itemText(127), "$7F (127)");
    }
    EXPECT_EQ(range.FromCombo->currentIndex(), 0);
    EXPECT_EQ(range.ToCombo->currentIndex(), 127);
}

TEST_F(FontRangeWindowTest, SingleGlyphRangeWritesItsEightBytesAndCloses) {
    doc->setPixel(1, 65, 7, 7, !doc->pixel(1, 65, 7, 7)); // not yet encoded: the window encodes
    choose(0x41, 0x41);
    dialogs.files.push_back({path("glyph"), 0});
    QTest::mouseClick(range.SaveButton, Qt::LeftButton);

    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].title, "Save font (.fnt)");
    EXPECT_EQ(dialogs.asked[0].textOrStart, "");
    EXPECT_EQ(dialogs.asked[0].filters, kFontFilters);
    // No extension is added, even with the font filter.
    EXPECT_EQ(fileBytes(path("glyph")), encodedFont().mid(65 * 8, 8));
    EXPECT_FALSE(QFile::exists(path("glyph.fnt")));
    EXPECT_FALSE(range.isVisible());
    EXPECT_EQ(range.result(), QDialog::Accepted);
    EXPECT_EQ(window.canvasEventsToSkip(), 0);
}

TEST_F(FontRangeWindowTest, ReversedRangeIsRefusedAndTheWindowStays) {
    choose(0x7F, 0);
    dialogs.files.push_back({path("never"), 0});
    QTest::mouseClick(range.SaveButton, Qt::LeftButton);
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].kind, "message");
    EXPECT_EQ(dialogs.asked[0].title, "Error...");
    EXPECT_EQ(dialogs.asked[0].textOrStart, "The range FROM must be less than the range TO !");
    EXPECT_TRUE(range.isVisible());
    EXPECT_FALSE(QFile::exists(path("never")));
}

TEST_F(FontRangeWindowTest, CancelledOrFailedSaveKeepsTheWindowOpen) {
    QTest::mouseClick(range.SaveButton, Qt::LeftButton); // dialog cancelled
    EXPECT_TRUE(range.isVisible());
    dialogs.files.push_back({path("missing/dir/r.fnt"), 0});
    QTest::mouseClick(range.SaveButton, Qt::LeftButton);
    EXPECT_TRUE(range.isVisible());
    EXPECT_EQ(dialogs.asked.back().kind, "message");
    EXPECT_EQ(dialogs.asked.back().title, "Error...");
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

TEST_F(FontFileCommands, RangeWindowFromTheMenuIsModalOverTheMainWindow) {
    window.move(40, 30);
    bool mainDisabled = false;
    QPoint offset;
    test::whenModalOpens([&](QWidget* modal) {
        auto* range = qobject_cast<FontRangeWindow*>(modal);
        ASSERT_NE(range, nullptr);
        mainDisabled = !window.isEnabled();
        offset = range->pos() - window.pos();
        // The whole font, as one range.
        dialogs.files.push_back({path("all.fnt"), 0});
        QTest::mouseClick(range->SaveButton, Qt::LeftButton);
    });
    menu(MenuFontRange);

    EXPECT_TRUE(mainDisabled);
    EXPECT_EQ(offset, QPoint(300, 200));
    EXPECT_TRUE(window.isEnabled());
    EXPECT_EQ(window.clickGuard(), 15);
    EXPECT_EQ(fileBytes(path("all.fnt")), encodedFont());

    // Closing by the close box returns as well and writes nothing.
    test::whenModalOpens([](QWidget* modal) { modal->close(); });
    QTest::mouseClick(window.SaveRangeButton, Qt::LeftButton);
    EXPECT_TRUE(window.isEnabled());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"all.fnt"});
}

} // namespace
} // namespace korvex
