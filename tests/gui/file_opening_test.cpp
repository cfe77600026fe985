// Files opened from the editor's command line and dropped on the main window: each
// kind as its load command opens it, and one message for those that are not opened.

#include "core/font_codec.h"
#include "core/screens.h"
#include "formats/colour_file.h"
#include "formats/png_codec.h"
#include "formats/project_file.h"
#include "formats/set_files.h"
#include "formats/view_editor_files.h"
#include "gui/file_opening.h"
#include "gui/image_import_window.h"
#include "gui/info_window.h"
#include "gui/view_editor_window.h"
#include "main_window_fixture.h"
#include "modal_test_tools.h"

#include <QLabel>
#include <QMimeData>
#include <QUrl>
#include <cstring>

namespace korvex {
namespace {

using test::writeBytes;

// A font whose every byte is `fill`.
QByteArray fontFile(char fill) {
    return QByteArray(1024, fill);
}

class FileOpening : public test::MainWindowFixture {
protected:
    QString file(const QString& name, const QByteArray& bytes) {
        const QString p = path(name);
        EXPECT_TRUE(writeBytes(p, bytes));
        return p;
    }
    QString file(const QString& name, const Bytes& bytes) {
        return file(
            name, QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())));
    }
    // The 1024 bytes of font `font` as the document holds it.
    QByteArray fontBytes(int font) {
        encodeFont(*doc, font);
        return QByteArray(reinterpret_cast<const char*>(doc->FontBuffer), 1024);
    }
    // Sends a drag carrying `urls` over the window and drops it; answers whether
    // the window took it.
    bool drop(const QList<QUrl>& urls) {
        QMimeData data;
        data.setUrls(urls);
        const QPoint at(100, 100);
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&window, &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&window, &dropped);
        return dropped.isAccepted();
    }
    ~FileOpening() override {
        if (ViewEditorWindow* editor = findViewEditor(window))
            delete editor;
    }
};

TEST_F(FileOpening, FontsGoIntoTheCurrentFontAndTheNextOnes) {
    const QByteArray untouched = fontBytes(4);
    openFiles(window, {file("one.fnt", fontFile('\x11')), file("two.FNT", fontFile('\x22')),
                       file("three.fnt", fontFile('\x33'))});
    EXPECT_EQ(doc->CurrentFont, 1);
    EXPECT_EQ(fontBytes(1), fontFile('\x11'));
    EXPECT_EQ(fontBytes(2), fontFile('\x22'));
    EXPECT_EQ(fontBytes(3), fontFile('\x33'));
    EXPECT_EQ(fontBytes(4), untouched);
    EXPECT_EQ(doc->FontName[2], "two.FNT");
    EXPECT_EQ(window.statusField(1), "Font: one.fnt");
    EXPECT_EQ(dialogs.asked.size(), 0u);
}

TEST_F(FileOpening, FontsPastTheLastFontAreNamedNotOpened) {
    doc->CurrentFont = kFontCount - 1;
    openFiles(window,
              {file("a.fnt", fontFile(1)), file("b.fnt", fontFile(2)), file("c.fnt", fontFile(3))});
    EXPECT_EQ(fontBytes(kFontCount), fontFile(2));
    ASSERT_EQ(dialogs.countAsked("message"), 1u);
    EXPECT_TRUE(dialogs.asked[0].textOrStart.contains("c.fnt (no font left"));
}

TEST_F(FileOpening, SetsAndColours) {
    auto source = test::freshDocument();
    source->CurrentSet = 1;
    source->Sets[1][3] = 77;
    source->AtariColour[2] = 0x94;
    const QString set = file("one.set", setFileBytes(*source));
    const QString colours = file("c.col", colourFileBytes(*source));
    source->Sets[50][0] = 12;
    const QString sets = file("all.sets", setsFileBytes(*source));

    openFiles(window, {set});
    EXPECT_EQ(doc->Sets[doc->CurrentSet][3], 77);
    openFiles(window, {sets, colours});
    EXPECT_EQ(doc->Sets[50][0], 12);
    EXPECT_EQ(doc->AtariColour[2], 0x94);
    EXPECT_EQ(dialogs.asked.size(), 0u);
}

TEST_F(FileOpening, ScreensOpenTheViewEditor) {
    auto source = test::freshDocument();
    setCell(*source, 4, 10, 5, 99);
    const QString all = file("all.ved2", viewEditorDataBytes(*source));
    setCell(*source, 0, 1, 1, 42);
    const QString one = file("one.sved2", screenDataBytes(*source));
    doc->currentScreen = 2;

    openFiles(window, {all, one});
    EXPECT_EQ(getCell(*doc, 4, 10, 5), 99);
    EXPECT_EQ(getCell(*doc, 2, 1, 1), 42);
    ViewEditorWindow* editor = findViewEditor(window);
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->isVisible());
}

TEST_F(FileOpening, ProjectOpensBeforeTheFontGivenWithIt) {
    auto source = test::freshDocument();
    prepareFontsAndSets(*source);
    source->Sets[7][7] = 5;
    const std::string project = path("work.proj2").toStdString();
    ASSERT_TRUE(saveProjectFile(*source, project));
    const QString font = file("later.fnt", fontFile('\x5a'));
    setInfoWaitForTests(false);

    // Named after the font, the project is still opened first: it replaces the work.
    openFiles(window, {font, QString::fromStdString(project)});
    EXPECT_EQ(doc->projectPath, project);
    EXPECT_EQ(doc->Sets[7][7], 5);
    EXPECT_EQ(fontBytes(doc->CurrentFont), fontFile('\x5a'));
    EXPECT_EQ(window.statusField(2), "Project: work.proj2");
    EXPECT_EQ(lastInfoText(), "Project loaded!");
    setInfoWaitForTests(true);
}

TEST_F(FileOpening, PictureOpensTheImportWindowWithIt) {
    RgbPicture picture;
    picture.width = 3;
    picture.height = 2;
    picture.pixels.assign(6, 0x00ff00);
    const QString png = file("pic.png", encodePng(picture));
    int shownWidth = 0;
    QString title;
    test::whenModalOpens([&](QWidget* modal) {
        title = modal->windowTitle();
        shownWidth = doc->importPicture.width;
    });
    openFiles(window, {png});
    EXPECT_EQ(title, "Import image to font");
    EXPECT_EQ(shownWidth, 3);
}

TEST_F(FileOpening, OneMessageNamesEveryFileNotOpenedAndTheRestOpen) {
    const QString font = file("good.fnt", fontFile('\x44'));
    const QString text = file("notes.txt", "hello");
    const QString badSet = file("bad.set", QByteArray("XXXX"));
    const QString badPicture = file("bad.png", QByteArray("not a picture"));
    const QString missing = path("missing.col");
    openFiles(window, {text, missing, font, badSet, badPicture, dir.path() + "/folder.sets"});
    EXPECT_EQ(fontBytes(1), fontFile('\x44'));
    ASSERT_EQ(dialogs.asked.size(), 1u);
    const QString message = dialogs.asked[0].textOrStart;
    EXPECT_EQ(dialogs.asked[0].kind, "message");
    EXPECT_TRUE(message.contains("notes.txt (not a kind of file Korvex opens)"))
        << message.toStdString();
    EXPECT_TRUE(message.contains("missing.col (cannot be read)"));
    EXPECT_TRUE(message.contains("bad.set (not a file of its kind)"));
    EXPECT_TRUE(message.contains("bad.png (not a file of its kind)"));
    EXPECT_TRUE(message.contains("folder.sets (cannot be read)"));
    EXPECT_FALSE(message.contains("good.fnt"));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(FileOpening, DroppedFilesOpenAsFromTheCommandLine) {
    const QString a = file("a.fnt", fontFile('\x61'));
    const QString b = file("b.fnt", fontFile('\x62'));
    ASSERT_TRUE(drop({QUrl::fromLocalFile(a), QUrl::fromLocalFile(b)}));
    // Opened from the event loop, once the drop is over.
    QTRY_COMPARE(fontBytes(1), fontFile('\x61'));
    EXPECT_EQ(fontBytes(2), fontFile('\x62'));
}

TEST_F(FileOpening, DragsWithoutLocalFilesAreRefused) {
    EXPECT_FALSE(drop({QUrl("https://example.org/font.fnt")}));
    EXPECT_FALSE(drop({}));
    QCoreApplication::processEvents();
    EXPECT_EQ(dialogs.asked.size(), 0u);
}

} // namespace
} // namespace korvex
