// The Project menu: "Open...", "Save" and "Save As..." through the main window.

#include "core/screens.h"
#include "failing_writes.h"
#include "gui/app.h"
#include "gui/canvas_widget.h"
#include "gui/info_window.h"
#include "gui/main_window.h"
#include "gui/multi_font_view_window.h"
#include "gui/range_dialog.h"
#include "gui/view_editor_window.h"
#include "modal_test_tools.h"
#include "render/canvas.h"
#include "scripted_dialogs.h"
#include "test_document.h"

#include "main_window_fixture.h"
#include <QAction>
#include <QComboBox>
#include <QDir>
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

const QString kProjectFilters = "Project (*.proj2)|*.proj2|All files (*.*)|*.*";

class ProjectCommands : public test::MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        setInfoWaitForTests(false);
    }
    void TearDown() override {
        setInfoWaitForTests(true);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    // Saves the document through "Save As..." under `name`.
    void saveAs(const QString& name) {
        dialogs.files.push_back({path(name), 0});
        menu(MenuSaveProjectAs);
    }
    int messagesShown() const { return int(dialogs.countAsked("message")); }
};

TEST_F(ProjectCommands, FirstSaveAsksAtDefaultNameThenSaveWritesWithoutDialog) {
    const int notices = infoShowCount();
    dialogs.files.push_back({path("work"), 0});
    menu(MenuSaveProject);

    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].kind, "save");
    EXPECT_EQ(dialogs.asked[0].title, "Save project (.proj2)");
    EXPECT_EQ(dialogs.asked[0].textOrStart, "default.proj2");
    EXPECT_EQ(dialogs.asked[0].filters, kProjectFilters);
    EXPECT_EQ(doc->projectPath, path("work.proj2").toStdString());
    EXPECT_EQ(window.statusField(2), "Project: work.proj2");
    EXPECT_EQ(window.clickGuard(), 15);
    EXPECT_EQ(fileBytes(path("work.proj2")).count("\r\n"), 153);
    EXPECT_EQ(infoShowCount(), notices); // the dialog was the confirmation

    doc->Sets[1][0] = 77;
    menu(MenuSaveProject);
    EXPECT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(infoShowCount(), notices + 1);
    EXPECT_EQ(lastInfoText(), "Project saved!");
    EXPECT_TRUE(fileBytes(path("work.proj2")).contains("\r\nSET_1=77 -1 "));

    // "Save As..." asks again, starting at the project's path.
    dialogs.files.push_back({path("copy"), 0});
    menu(MenuSaveProjectAs);
    ASSERT_EQ(dialogs.asked.size(), 2u);
    EXPECT_EQ(dialogs.asked[1].textOrStart, path("work.proj2"));
    EXPECT_EQ(window.statusField(2), "Project: copy.proj2");
    EXPECT_EQ(fileBytes(path("copy.proj2")), fileBytes(path("work.proj2")));
}

TEST_F(ProjectCommands, ExtensionIsAddedWhicheverFilterUnlessAlreadyThere) {
    dialogs.files.push_back({path("game"), 1});
    menu(MenuSaveProjectAs);
    dialogs.files.push_back({path("other.PROJ2"), 0});
    menu(MenuSaveProjectAs);
    dialogs.files.push_back({path("third.proj2"), 1});
    menu(MenuSaveProjectAs);

    QStringList names = QDir(dir.path()).entryList(QDir::Files);
    names.sort();
    EXPECT_EQ(names, (QStringList{"game.proj2", "other.PROJ2", "third.proj2"}));

    // Cancelling changes nothing: no file, same path, same status.
    menu(MenuSaveProjectAs);
    EXPECT_EQ(doc->projectPath, path("third.proj2").toStdString());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 3);
    EXPECT_EQ(messagesShown(), 0);
}

TEST_F(ProjectCommands, FailedSaveIsReportedAndLeavesTheOldFileIntact) {
    const QString old = path("old.proj2");
    ASSERT_TRUE(writeBytes(old, "previous"));
    doc->projectPath = old.toStdString();
    window.setStatusField(2, "Project: old.proj2");
    const int notices = infoShowCount();

    // The disk refuses the write part-way: no notice, a message, the old file kept.
    {
        test::FileSizeLimit limit(100);
        menu(MenuSaveProject);
    }
    EXPECT_EQ(fileBytes(old), "previous");
    EXPECT_EQ(infoShowCount(), notices);
    ASSERT_EQ(messagesShown(), 1);
    EXPECT_EQ(dialogs.asked.back().title, "Error...");
    EXPECT_TRUE(dialogs.asked.back().textOrStart.contains(old));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"old.proj2"});

    // A folder that does not exist, and a name that is taken by a folder.
    dialogs.files.push_back({path("missing/game"), 0});
    menu(MenuSaveProjectAs);
    EXPECT_EQ(messagesShown(), 2);
    EXPECT_FALSE(QFile::exists(path("missing/game.proj2")));
    ASSERT_TRUE(QDir(dir.path()).mkdir("taken.proj2"));
    dialogs.files.push_back({path("taken.proj2"), 0});
    menu(MenuSaveProjectAs);
    EXPECT_EQ(messagesShown(), 3);
    EXPECT_TRUE(QFileInfo(path("taken.proj2")).isDir());
    EXPECT_EQ(infoShowCount(), notices);
    EXPECT_EQ(window.statusField(2), "Project: old.proj2");
}

TEST_F(ProjectCommands, OpenRestoresTheWorkAndAnnouncesIt) {
    for (int x = 0; x < 8; ++x)
        doc->setPixel(3, 65, x, 2, 1);
    doc->Sets[9][24] = 130;
    setCell(*doc, 8, 39, 23, 201);
    doc->MultiViewFonts[2] = 7;
    doc->FontName[1] = "my font.fnt";
    doc->rangeWidth = 12;
    saveAs("saved");
    const QImage fontCanvas = window.FontCanvas->image().copy();

    auto changed = test::freshDocument();
    changed->CurrentFont = doc->CurrentFont;
    *doc = *changed;
    doc->projectPath = "";
    window.redrawMainWindow();
    window.setClickGuard(0);

    const int notices = infoShowCount();
    dialogs.files.push_back({path("saved.proj2"), 0});
    menu(MenuOpenProject);

    ASSERT_EQ(dialogs.asked.back().kind, "open");
    EXPECT_EQ(dialogs.asked.back().title, "Open project (.proj2)");
    EXPECT_EQ(dialogs.asked.back().textOrStart, "");
    EXPECT_EQ(dialogs.asked.back().filters, kProjectFilters);
    EXPECT_EQ(doc->pixel(3, 65, 4, 2), 1);
    EXPECT_EQ(doc->Sets[9][24], 130);
    EXPECT_EQ(getCell(*doc, 8, 39, 23), 201);
    EXPECT_EQ(doc->MultiViewFonts[2], 7);
    EXPECT_EQ(doc->rangeWidth, 12);
    EXPECT_EQ(doc->projectPath, path("saved.proj2").toStdString());
    EXPECT_EQ(window.statusField(2), "Project: saved.proj2");
    EXPECT_EQ(window.statusField(1), "Font: my font.fnt");
    EXPECT_EQ(infoShowCount(), notices + 1);
    EXPECT_EQ(lastInfoText(), "Project loaded!");
    EXPECT_EQ(window.clickGuard(), 15);
    EXPECT_EQ(window.FontCanvas->image(), fontCanvas);
}

TEST_F(ProjectCommands, AnyTextOpensButUnreadableFilesAreSilentlyPassedOver) {
    const auto before = test::freshDocument();
    *before = *doc;
    ASSERT_TRUE(writeBytes(path("notes.txt"), "shopping list\r\nmilk = 2\r\n"));
    dialogs.files.push_back({path("notes.txt"), 0});
    menu(MenuOpenProject);
    EXPECT_EQ(messagesShown(), 0);
    EXPECT_EQ(lastInfoText(), "Project loaded!");
    EXPECT_EQ(window.statusField(2), "Project: notes.txt");
    EXPECT_EQ(0, std::memcmp(doc->Sets, before->Sets, sizeof doc->Sets));
    EXPECT_EQ(0, std::memcmp(doc->Glyphs, before->Glyphs, sizeof doc->Glyphs));

    // A missing file, a folder and a cancelled dialog: nothing happens at all.
    const int notices = infoShowCount();
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.proj2"));
    dialogs.files.push_back({path("nothing.proj2"), 0});
    menu(MenuOpenProject);
    dialogs.files.push_back({path("folder.proj2"), 0});
    menu(MenuOpenProject);
    menu(MenuOpenProject);
    EXPECT_EQ(dialogs.asked.size(), 4u);
    EXPECT_EQ(messagesShown(), 0);
    EXPECT_EQ(infoShowCount(), notices);
    EXPECT_EQ(doc->projectPath, path("notes.txt").toStdString());
    EXPECT_EQ(window.statusField(2), "Project: notes.txt");
}

TEST_F(ProjectCommands, SaveNeverOverwritesAFileThatIsNoProject) {
    // "Open..." takes any text file and remembers it; "Save" then writes beside it.
    const QByteArray notes = "shopping list\r\nmilk = 2\r\n";
    ASSERT_TRUE(writeBytes(path("notes.txt"), notes));
    dialogs.files.push_back({path("notes.txt"), 0});
    menu(MenuOpenProject);
    doc->Sets[3][3] = 77;
    const size_t asked = dialogs.asked.size();
    menu(MenuSaveProject);
    EXPECT_EQ(dialogs.asked.size(), asked); // no dialog, as the path is known
    EXPECT_EQ(fileBytes(path("notes.txt")), notes);
    EXPECT_EQ(doc->projectPath, path("notes.txt.proj2").toStdString());
    EXPECT_EQ(window.statusField(2), "Project: notes.txt.proj2");
    EXPECT_EQ(lastInfoText(), "Project saved!");
    EXPECT_EQ(fileBytes(path("notes.txt.proj2")).count("\r\n"), 153);

    // From then on "Save" keeps writing the project, not the notes.
    doc->Sets[3][3] = 78;
    menu(MenuSaveProject);
    EXPECT_EQ(fileBytes(path("notes.txt")), notes);
    EXPECT_TRUE(fileBytes(path("notes.txt.proj2")).contains("SET_3=-1 -1 -1 78 "));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files),
              (QStringList{"notes.txt", "notes.txt.proj2"}));
    EXPECT_EQ(messagesShown(), 0);
}

TEST_F(ProjectCommands, OpenedColoursAreShownAndSurviveTheFirstFontSwitch) {
    // A project whose fonts 1 and 2 have colours of their own.
    for (int r = LUM; r <= PF3; ++r) {
        doc->FontColours[1][r] = 0x010203 * r;
        doc->FontColours[2][r] = 0x040506 * r;
    }
    saveAs("colours");
    // Back to the start colours everywhere before opening it.
    for (int f = 1; f <= 2; ++f)
        for (int r = LUM; r <= PF3; ++r)
            doc->FontColours[f][r] = 0x777777;
    loadFontColours(*doc, 1);
    window.refreshColourBoxes();

    dialogs.files.push_back({path("colours.proj2"), 0});
    menu(MenuOpenProject);
    for (int r = LUM; r <= PF3; ++r) {
        EXPECT_EQ(workingColour(*doc, r), 0x010203 * r) << r;
        EXPECT_EQ(window.Swatch[r]->image().pixel(15, 10), toQRgb(0x010203 * r)) << r;
    }
    EXPECT_EQ(window.LeftColourBox->palette().color(QPalette::Window).rgb(), toQRgb(0x010203));

    // ">" stores the working colours into font 1's row and "<" brings them back.
    click(window.FontNextButton);
    EXPECT_EQ(workingColour(*doc, PF0), 0x040506 * PF0);
    click(window.FontPrevButton);
    for (int r = LUM; r <= PF3; ++r) {
        EXPECT_EQ(doc->FontColours[1][r], 0x010203 * r) << r;
        EXPECT_EQ(workingColour(*doc, r), 0x010203 * r) << r;
    }
}

TEST_F(ProjectCommands, OpenViewersFollowTheLoadedProject) {
    ASSERT_TRUE(writeBytes(path("switches.proj2"), "VE_GRID=1\r\nVE_SETDRAW=1\r\nVE_TOP=1\r\n"
                                                   "MULTI_V_F=3 4 5 6 10 \r\n"));
    QTest::mouseClick(window.ViewEditorButton, Qt::LeftButton);
    QTest::mouseClick(window.MultiFontViewerButton, Qt::LeftButton);
    ViewEditorWindow* editor = findViewEditor(window);
    auto* multi = window.findChild<MultiFontViewWindow*>();
    ASSERT_TRUE(editor && multi);
    ASSERT_FALSE(editor->GridToggle->isChecked());

    dialogs.files.push_back({path("switches.proj2"), 0});
    menu(MenuOpenProject);
    EXPECT_TRUE(editor->GridToggle->isChecked());
    EXPECT_TRUE(editor->SetDrawToggle->isChecked());
    EXPECT_TRUE(editor->AlwaysOnTopToggle->isChecked());
    EXPECT_TRUE(editor->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(multi->FontCombo[1]->currentText(), "4");
    EXPECT_EQ(multi->FontCombo[5]->currentText(), "OFF");

    // The toggles still work as the user's own switches afterwards.
    QTest::mouseClick(editor->GridToggle, Qt::LeftButton);
    EXPECT_EQ(doc->gridShown, 0);
    editor->close();
    multi->close();
}

} // namespace
} // namespace korvex
