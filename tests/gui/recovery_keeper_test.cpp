// Recovery copies kept by the running editor, and the copies of runs that did not
// end normally offered at start-up.

#include "core/screens.h"
#include "failing_write_step.h"
#include "formats/file_io.h"
#include "formats/recovery_copy.h"
#include "gui/canvas_widget.h"
#include "gui/info_window.h"
#include "gui/recovery_keeper.h"
#include "main_window_fixture.h"
#include "modal_test_tools.h"
#include "recoverable_state.h"
#include "render/canvas.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>

namespace korvex {
namespace {

using test::fileBytes;
using test::writeBytes;

class RecoveryKeeperTest : public test::MainWindowFixture {
protected:
    std::optional<RecoveryKeeper> keeper;

    void SetUp() override {
        MainWindowFixture::SetUp();
        setInfoWaitForTests(false);
        ASSERT_TRUE(QDir(dir.path()).mkdir("state"));
    }
    void TearDown() override {
        keeper.reset();
        setInfoWaitForTests(true);
    }
    std::string folder() const { return path("state").toStdString(); }
    RecoveryKeeper& keep() {
        keeper.emplace(window, folder(), std::chrono::milliseconds(30000));
        return *keeper;
    }
    QStringList stateFiles() const {
        return QDir(path("state")).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }
    bool copyExists() const { return QFile::exists(QString::fromStdString(keeper->copyPath())); }
    void tick() {
        keeper->update();
        keeper->flush();
    }
    // A copy such as a run that died would have left, holding `work`.
    void leaveOrphan(const QString& name, Document& work) {
        const std::string text = takeRecoverySnapshot(work).text();
        ASSERT_TRUE(writeBytes(path("state/" + name), QByteArray::fromStdString(text)));
    }
    size_t choicesAsked() const { return dialogs.countAsked("choice"); }
};

TEST_F(RecoveryKeeperTest, CopyIsKeptOnlyWhileWorkIsUnsavedAndOnlyWritesChanges) {
    keep();
    ASSERT_TRUE(keeper->active());
    tick();
    EXPECT_FALSE(copyExists()); // nothing unsaved at start
    // Moving around is no unsaved work.
    doc->CurrentFont = 3;
    doc->CurrentSet = 50;
    tick();
    EXPECT_FALSE(copyExists());

    doc->Sets[4][2] = 66;
    tick();
    ASSERT_TRUE(copyExists());
    const auto bytes = readFileBytes(keeper->copyPath());
    ASSERT_TRUE(bytes);
    EXPECT_EQ(std::string(bytes->begin(), bytes->end()), takeRecoverySnapshot(*doc).text());

    // Unchanged, the copy is not written again.
    QFile::remove(QString::fromStdString(keeper->copyPath()));
    tick();
    EXPECT_FALSE(copyExists());
    // A change of what only the copy holds counts once there is unsaved work.
    doc->ColourPF0 = 0x123456;
    tick();
    EXPECT_TRUE(copyExists());

    // Undone by hand, nothing is unsaved any more: the copy goes.
    doc->Sets[4][2] = -1;
    tick();
    EXPECT_FALSE(copyExists());
}

TEST_F(RecoveryKeeperTest, SavedOrOpenedProjectIsTheNewMeasureOfUnsavedWork) {
    keep();
    doc->Sets[1][0] = 5;
    tick();
    ASSERT_TRUE(copyExists());
    dialogs.files.push_back({path("work.proj2"), 0});
    menu(MenuSaveProjectAs);
    keeper->flush();
    EXPECT_FALSE(copyExists());
    tick();
    EXPECT_FALSE(copyExists());

    doc->Sets[1][0] = 6;
    tick();
    ASSERT_TRUE(copyExists());
    dialogs.files.push_back({path("work.proj2"), 0});
    menu(MenuOpenProject);
    keeper->flush();
    EXPECT_FALSE(copyExists());
    EXPECT_EQ(doc->Sets[1][0], 5);
    tick();
    EXPECT_FALSE(copyExists());
}

TEST_F(RecoveryKeeperTest, TimerKeepsTheCopyAndANormalEndRemovesIt) {
    keeper.emplace(window, folder(), std::chrono::milliseconds(20));
    keeper->start();
    doc->setPixel(1, 5, 2, 2, !doc->pixel(1, 5, 2, 2));
    EXPECT_TRUE(QTest::qWaitFor([&] { return copyExists(); }, 10000));
    EXPECT_EQ(stateFiles().size(), 2); // the copy and its lock file
    keeper->endNormally();
    EXPECT_TRUE(stateFiles().isEmpty());
}

TEST_F(RecoveryKeeperTest, RestoreLoadsTheOrphanAsAnUnnamedProject) {
    auto work = test::freshDocument();
    work->FontName[2] = "title.fnt";
    work->setPixel(2, 65, 1, 1, 1);
    work->Sets[12][24] = 200;
    setCell(*work, 3, 5, 6, 77);
    work->CurrentFont = 2;
    work->CurrentSet = 12;
    work->CurrentGlyph = 65;
    work->ColourBAK = 0x203040;
    work->AtariColour[BAK] = 150;
    leaveOrphan("run-1-dead.proj2", *work);
    doc->projectPath = "/somewhere/else.proj2";

    keep();
    dialogs.choices.push_back(true);
    keeper->offerRestore();
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].kind, "choice");
    EXPECT_EQ(dialogs.asked[0].title, "Restore...");
    EXPECT_EQ(dialogs.asked[0].textOrStart,
              "Korvex ended unexpectedly last time. Restore the unsaved work?");
    EXPECT_EQ(dialogs.asked[0].filters, "Restore|Discard");

    EXPECT_EQ(test::recoverableState(*doc), test::recoverableState(*work));
    EXPECT_EQ(doc->projectPath, "");
    EXPECT_EQ(window.statusField(2), "Project: ");
    EXPECT_EQ(window.statusField(1), "Font: title.fnt");
    EXPECT_EQ(window.FontNumberLabel->text(), "2");
    EXPECT_EQ(window.SetNumberLabel->text(), "12");
    EXPECT_EQ(window.Swatch[BAK]->image().pixel(15, 10), toQRgb(0x203040));
    // The glyph labels and canvases show the restored glyph, not the one before.
    EXPECT_EQ(window.GlyphInfoLabel->text(), "Char: $41 (65)");
    QImage editor = window.EditorCanvas->image().copy();
    drawGlyphEditor(*doc, editor);
    EXPECT_EQ(window.EditorCanvas->image(), editor);

    // The copy is this run's now: nothing else is left in the folder, and it stays
    // until the work is saved.
    EXPECT_TRUE(copyExists());
    EXPECT_EQ(stateFiles().size(), 2);
    tick();
    EXPECT_TRUE(copyExists());
    dialogs.files.push_back({path("kept"), 0});
    menu(MenuSaveProject); // unnamed: asks where
    keeper->flush();
    EXPECT_EQ(dialogs.asked.back().kind, "save");
    EXPECT_FALSE(copyExists());
}

TEST_F(RecoveryKeeperTest, DiscardDeletesAndTheNextOrphanIsOfferedNewestFirst) {
    auto older = test::freshDocument();
    older->Sets[1][0] = 1;
    auto newer = test::freshDocument();
    newer->Sets[1][0] = 2;
    leaveOrphan("run-1-older.proj2", *older);
    leaveOrphan("run-2-newer.proj2", *newer);
    const timespec past[2] = {{1000000, 0}, {1000000, 0}};
    ASSERT_EQ(
        ::utimensat(AT_FDCWD, path("state/run-1-older.proj2").toLocal8Bit().constData(), past, 0),
        0);
    // What is no copy is not offered: it goes aside, out of the way of later runs.
    ASSERT_TRUE(writeBytes(path("state/run-3-junk.proj2"), "not a copy"));

    keep();
    const std::string before = test::recoverableState(*doc);
    dialogs.choices = {false, true};
    keeper->offerRestore();
    EXPECT_EQ(choicesAsked(), 2u);
    EXPECT_FALSE(QFile::exists(path("state/run-2-newer.proj2")));
    EXPECT_EQ(doc->Sets[1][0], 1);
    EXPECT_NE(test::recoverableState(*doc), before);
    EXPECT_FALSE(QFile::exists(path("state/run-3-junk.proj2")));
    EXPECT_EQ(fileBytes(path("state/damaged/run-3-junk.proj2")), "not a copy");
}

TEST_F(RecoveryKeeperTest, LiveEditorsCopyIsNeverOfferedAndDiscardingAllChangesNothing) {
    // Another editor running in the same folder, with unsaved work.
    auto otherDoc = test::freshDocument();
    MainWindow otherWindow(*otherDoc);
    RecoveryKeeper other(otherWindow, folder(), std::chrono::milliseconds(30000));
    otherDoc->Sets[2][2] = 9;
    other.update();
    other.flush();
    const QByteArray othersCopy = fileBytes(QString::fromStdString(other.copyPath()));
    ASSERT_FALSE(othersCopy.isEmpty());

    auto dead = test::freshDocument();
    dead->Sets[3][3] = 3;
    leaveOrphan("run-9-dead.proj2", *dead);
    keep();
    const std::string before = test::recoverableState(*doc);
    keeper->offerRestore(); // no scripted answer: Discard
    EXPECT_EQ(choicesAsked(), 1u);
    EXPECT_EQ(test::recoverableState(*doc), before);
    EXPECT_FALSE(QFile::exists(path("state/run-9-dead.proj2")));
    EXPECT_EQ(fileBytes(QString::fromStdString(other.copyPath())), othersCopy);
    // A second look finds nothing to offer.
    keeper->offerRestore();
    EXPECT_EQ(choicesAsked(), 1u);
}

TEST_F(RecoveryKeeperTest, UnusableFolderIsToldInTheWindowOnceAndAgainWhenItWorks) {
    ASSERT_TRUE(writeBytes(path("file"), "x"));
    keeper.emplace(window, path("file/korvex").toStdString(), std::chrono::milliseconds(10));
    EXPECT_FALSE(keeper->active());
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].kind, "message");
    EXPECT_EQ(dialogs.asked[0].title, "Recovery...");
    EXPECT_TRUE(dialogs.asked[0].textOrStart.startsWith(
        "Recovery copies of the unsaved work cannot be kept:\ncannot create " +
        path("file/korvex")))
        << dialogs.asked[0].textOrStart.toStdString();
    EXPECT_FALSE(keeper->offerRestore());
    doc->Sets[1][1] = 1;
    keeper->update();
    keeper->update();
    EXPECT_EQ(dialogs.asked.size(), 1u); // told once

    // The folder can be made now: the next tick takes a slot and says so.
    ASSERT_TRUE(QFile::remove(path("file")));
    ASSERT_TRUE(QDir(dir.path()).mkdir("file"));
    tick();
    EXPECT_TRUE(keeper->active());
    ASSERT_EQ(dialogs.asked.size(), 2u);
    EXPECT_EQ(dialogs.asked[1].textOrStart, "Recovery copies of the unsaved work are kept again.");
    tick();
    EXPECT_TRUE(copyExists());
    keeper->endNormally();
    EXPECT_EQ(dialogs.asked.size(), 2u);
}

TEST_F(RecoveryKeeperTest, FailingCopyWritesAreToldOnceAndTheirEndToo) {
    keep();
    doc->Sets[1][1] = 1;
    {
        test::FailingWriteStep failing(WriteStep::Rename);
        tick();
        tick(); // nothing new: the next copy fails the same way
        doc->Sets[1][1] = 2;
        tick();
        tick();
    }
    ASSERT_EQ(dialogs.countAsked("message"), 1u);
    EXPECT_TRUE(dialogs.asked[0].textOrStart.contains("cannot replace the file"))
        << dialogs.asked[0].textOrStart.toStdString();
    EXPECT_FALSE(copyExists());
    tick();
    tick();
    EXPECT_TRUE(copyExists());
    ASSERT_EQ(dialogs.countAsked("message"), 2u);
    EXPECT_EQ(dialogs.asked[1].textOrStart, "Recovery copies of the unsaved work are kept again.");
    EXPECT_TRUE(stateFiles().filter("korvex-save").isEmpty());
}

TEST_F(RecoveryKeeperTest, StartUpClearsTemporariesOfKilledCopyWrites) {
    ASSERT_TRUE(writeBytes(path("state/.run-1-dead.proj2.korvex-save-0123456789ab~"), "part"));
    keep();
    EXPECT_TRUE(stateFiles().filter("~").isEmpty());
}

TEST_F(RecoveryKeeperTest, QuitAsksOnlyWithWorkNotSavedInAProject) {
    keep();
    doc->Sets[1][1] = 5;
    const MainEvent close{MainEventKind::Close};
    EXPECT_EQ(window.mainWindowEvent(close), 1); // no scripted answer: No
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].textOrStart, "Exit? Unsaved changes will be lost!");
    EXPECT_TRUE(dialogs.asked[0].noIsDefault);

    dialogs.files.push_back({path("saved"), 0});
    menu(MenuSaveProject);
    EXPECT_EQ(window.mainWindowEvent(close), 0);
    EXPECT_EQ(dialogs.countAsked("question"), 1u);
}

} // namespace
} // namespace korvex
