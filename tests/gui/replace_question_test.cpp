// Saves that would replace a file ask first, and "No" saves nothing; outputs that
// are no regular file are refused with the "Error..." message and left alone.

#include "gui/info_window.h"
#include "main_window_fixture.h"
#include "modal_test_tools.h"

#include <QDir>
#include <QFile>
#include <sys/stat.h>

namespace korvex {
namespace {

using test::fileBytes;
using test::writeBytes;

class ReplaceQuestion : public test::MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        setInfoWaitForTests(false);
    }
    void TearDown() override { setInfoWaitForTests(true); }
    // The replace questions asked so far, each checked for its form.
    size_t replaceQuestions(const QString& about) const {
        size_t n = 0;
        for (const auto& asked : dialogs.asked) {
            if (asked.kind != "question" || asked.title != "Replace...")
                continue;
            EXPECT_TRUE(asked.noIsDefault);
            EXPECT_EQ(asked.textOrStart, replaceQuestion(about.toStdString()));
            ++n;
        }
        return n;
    }
};

TEST_F(ReplaceQuestion, SaveAsOntoAnExistingProjectAsksAndNoKeepsIt) {
    ASSERT_TRUE(writeBytes(path("old.proj2"), "someone's project"));
    doc->Sets[1][0] = 42;
    dialogs.files.push_back({path("old"), 0}); // the extension is added: still asked
    menu(MenuSaveProjectAs);
    EXPECT_EQ(replaceQuestions(path("old.proj2")), 1u);
    EXPECT_EQ(fileBytes(path("old.proj2")), "someone's project");
    EXPECT_EQ(doc->projectPath, "");

    dialogs.files.push_back({path("old.proj2"), 0});
    dialogs.answers.push_back(true);
    menu(MenuSaveProjectAs);
    EXPECT_EQ(replaceQuestions(path("old.proj2")), 2u);
    EXPECT_TRUE(fileBytes(path("old.proj2")).contains("SET_1=42 "));
    EXPECT_EQ(doc->projectPath, path("old.proj2").toStdString());

    // "Save" to the project's own file asks nothing.
    doc->Sets[1][0] = 43;
    menu(MenuSaveProject);
    EXPECT_EQ(replaceQuestions(path("old.proj2")), 2u);
    EXPECT_TRUE(fileBytes(path("old.proj2")).contains("SET_1=43 "));
}

TEST_F(ReplaceQuestion, SaveBesideAnOpenedTextFileAsksBeforeReplacingTheProjectName) {
    ASSERT_TRUE(writeBytes(path("sample.txt"), "SET_1=5\r\n"));
    ASSERT_TRUE(writeBytes(path("sample.txt.proj2"), "an unrelated file"));
    dialogs.files.push_back({path("sample.txt"), 0});
    menu(MenuOpenProject);
    ASSERT_EQ(doc->projectPath, path("sample.txt").toStdString());

    menu(MenuSaveProject);
    EXPECT_EQ(replaceQuestions(path("sample.txt.proj2")), 1u);
    EXPECT_EQ(fileBytes(path("sample.txt.proj2")), "an unrelated file");
    EXPECT_EQ(fileBytes(path("sample.txt")), "SET_1=5\r\n");
    EXPECT_EQ(doc->projectPath, path("sample.txt").toStdString());
}

TEST_F(ReplaceQuestion, FileSavesAskAndNoWritesNothing) {
    const QByteArray old = "keep me";
    for (const char* name : {"font.fnt", "set.set", "colours.col"})
        ASSERT_TRUE(writeBytes(path(name), old));
    dialogs.files.push_back({path("font"), 0});
    menu(MenuSaveFont);
    dialogs.files.push_back({path("set"), 0});
    menu(MenuSaveSet);
    dialogs.files.push_back({path("colours"), 0});
    click(window.SaveColoursButton);
    EXPECT_EQ(dialogs.countAsked("question"), 3u);
    for (const char* name : {"font.fnt", "set.set", "colours.col"})
        EXPECT_EQ(fileBytes(path(name)), old) << name;

    dialogs.files.push_back({path("font.fnt"), 0});
    dialogs.answers.push_back(true);
    menu(MenuSaveFont);
    EXPECT_EQ(fileBytes(path("font.fnt")).size(), kFontBytes);
    EXPECT_EQ(dialogs.countAsked("message"), 0u);
}

TEST_F(ReplaceQuestion, PipesAndFoldersAreRefusedWithoutAQuestion) {
    const QByteArray pipe = path("device.fnt").toLocal8Bit();
    ASSERT_EQ(::mkfifo(pipe.constData(), 0644), 0);
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.set"));
    dialogs.files.push_back({path("device.fnt"), 0});
    menu(MenuSaveFont);
    dialogs.files.push_back({path("folder.set"), 0});
    menu(MenuSaveSet);

    EXPECT_EQ(dialogs.countAsked("question"), 0u);
    ASSERT_EQ(dialogs.countAsked("message"), 2u);
    EXPECT_EQ(dialogs.asked[1].title, "Error...");
    EXPECT_EQ(dialogs.asked[1].textOrStart,
              "The file could not be saved:\n" + path("device.fnt") +
                  "\n(it is a named pipe, not a regular file)\nNothing was written.");
    EXPECT_TRUE(dialogs.asked[3].textOrStart.contains("(it is a folder, not a regular file)"));
    struct stat info {};
    ASSERT_EQ(::lstat(pipe.constData(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
    EXPECT_EQ(QDir(dir.path())
                  .entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot),
              (QStringList{"device.fnt", "folder.set"}));
}

} // namespace
} // namespace korvex
