// Every save of the editor, with the write failing at each step: the old file stays
// byte for byte, no temporary file is left behind, and the user is told.

#include "failing_write_step.h"
#include "gui/export_window.h"
#include "gui/font_range_window.h"
#include "gui/image_export_window.h"
#include "gui/info_window.h"
#include "gui/screen_picture_commands.h"
#include "gui/view_editor_file_commands.h"
#include "main_window_fixture.h"
#include "modal_test_tools.h"

#include <QDir>
#include <functional>

namespace korvex {
namespace {

using test::fileBytes;
using test::writeBytes;

class SaveFailures : public test::MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        setInfoWaitForTests(false);
        // Every save here replaces an old file on purpose.
        dialogs.replaceFiles = true;
    }
    void TearDown() override { setInfoWaitForTests(true); }

    // Runs `save`, which saves to the file named `name`, once for each failing step
    // and once more without a failure.
    void checkSave(const QString& name, const std::function<void(const QString&)>& save) {
        const QString target = path(name);
        for (const WriteStep step : test::kFailingWriteSteps) {
            SCOPED_TRACE(test::writeStepName(step));
            const QByteArray old = "previous " + QByteArray::number(int(step));
            ASSERT_TRUE(writeBytes(target, old));
            const QStringList files = folderFiles();
            const size_t asked = dialogs.asked.size();
            {
                test::FailingWriteStep failing(step);
                save(target);
            }
            EXPECT_EQ(fileBytes(target), old);
            EXPECT_EQ(folderFiles().join(" "), files.join(" "));
            ASSERT_GT(dialogs.asked.size(), asked);
            EXPECT_EQ(dialogs.asked.back().kind, "message");
            EXPECT_EQ(dialogs.asked.back().title, "Error...");
            EXPECT_TRUE(dialogs.asked.back().textOrStart.contains(target))
                << dialogs.asked.back().textOrStart.toStdString();
        }
        const size_t asked = dialogs.asked.size();
        save(target);
        EXPECT_FALSE(fileBytes(target).startsWith("previous"));
        for (size_t i = asked; i < dialogs.asked.size(); ++i)
            EXPECT_NE(dialogs.asked[i].kind, "message")
                << dialogs.asked[i].textOrStart.toStdString();
    }
    QStringList folderFiles() const {
        return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }
    // Answers the next file dialog with `target` and the "All files" filter, so the
    // name is used as given where the filter decides.
    void answer(const QString& target) { dialogs.files.push_back({target, 1}); }
};

TEST_F(SaveFailures, FontFiles) {
    checkSave("old.fnt", [this](const QString& target) {
        answer(target);
        menu(MenuSaveFont);
    });
    FontRangeWindow range(*doc);
    range.show();
    checkSave("range.fnt", [&](const QString& target) {
        answer(target);
        click(range.SaveButton);
    });
}

TEST_F(SaveFailures, ExportedText) {
    ExportWindow exportWindow(*doc);
    exportWindow.show();
    checkSave("old.txt", [&](const QString& target) {
        answer(target);
        click(exportWindow.SaveButton);
    });
}

TEST_F(SaveFailures, SetFilesAndColours) {
    doc->Sets[1][0] = 65;
    const char* names[] = {"old.set", "old.sets", "old.bin"};
    for (SetFileKind kind : {SetFileKind::Set, SetFileKind::Sets, SetFileKind::Bin})
        checkSave(names[int(kind) - 1], [&](const QString& target) {
            answer(target);
            saveSetFileCommand(window, kind);
        });
    checkSave("old.col", [&](const QString& target) {
        answer(target);
        click(window.SaveColoursButton);
    });
}

TEST_F(SaveFailures, Project) {
    checkSave("old.proj2", [&](const QString& target) {
        answer(target);
        menu(MenuSaveProjectAs);
    });
    // "Save" to the known path fails alike, and tells no success.
    checkSave("known.proj2", [&](const QString& target) {
        doc->projectPath = target.toStdString();
        menu(MenuSaveProject);
    });
}

TEST_F(SaveFailures, ViewEditorFiles) {
    checkSave("old.ved2", [&](const QString& target) {
        answer(target);
        saveViewEditorDataCommand(&window, *doc);
    });
    checkSave("old.sved2", [&](const QString& target) {
        answer(target);
        saveViewEditorScreenCommand(&window, *doc);
    });
    doc->rangeMode = RangeMode::Save;
    checkSave("old.ranb", [&](const QString& target) {
        answer(target);
        saveOrLoadRangeBlock(&window, *doc);
    });
}

TEST_F(SaveFailures, FontPictures) {
    for (const char* name : {"old.png", "old.bmp"})
        checkSave(name, [&](const QString& target) {
            ImageExportWindow pictureWindow(*doc);
            pictureWindow.show();
            answer(target);
            click(target.endsWith(".png") ? pictureWindow.SavePngButton
                                          : pictureWindow.SaveBmpButton);
        });
}

TEST_F(SaveFailures, ScreenPictures) {
    for (const char* name : {"old.png", "old.bmp"})
        checkSave(name, [&](const QString& target) {
            answer(target);
            exportScreenPictureCommand(&window, *doc);
        });
}

} // namespace
} // namespace korvex
