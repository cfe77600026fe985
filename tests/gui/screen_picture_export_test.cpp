// "Export screen as image..." in the View Editor: the picture of the Atari view
// written as PNG or BMP (by the chosen filter, or by the name), nothing written
// when the dialog is cancelled, and a path that cannot be written reported.

#include "core/atari_view.h"
#include "core/history.h"
#include "core/screens.h"
#include "formats/bmp_codec.h"
#include "formats/file_io.h"
#include "formats/png_codec.h"
#include "screen_samples.h"
#include "view_editor_test_fixture.h"

#include <QAction>
#include <QDir>
#include <QTemporaryDir>

using namespace korvex;

namespace {

const QString kPictureFilters =
    "PNG Image (*.png)|*.png|BMP Image (*.bmp)|*.bmp|All files (*.*)|*.*";
constexpr int kFilterPng = 0, kFilterBmp = 1, kFilterAll = 2;

class ScreenPictureExport : public test::ViewEditorTest {
protected:
    ScreenPictureExport() {
        auto busy = test::busyScreenDocument();
        std::copy(std::begin(busy->screens), std::end(busy->screens), std::begin(doc->screens));
        doc->currentScreen = 5;
        doc->rowTables[5] = test::mixedRowTable(true);
        for (int row = 10; row < 16; ++row)
            doc->rowTables[5].mode[row] = uint8_t(RowMode::FourColourTall); // past 240
        doc->CurrentFont = 2;
        doc->FontColours[3][PF1] = 0x3355AA;
        editor = open();
    }

    // Answers the save dialog with `name` in the folder and the filter, and exports.
    void exportAs(const QString& name, int filter) {
        dialogs.files.push_back({dir.filePath(name), filter});
        editor->menuAction(ViewEditorMenuExportScreenImage)->trigger();
    }

    Bytes written(const QString& name) const {
        return readFileBytes(dir.filePath(name).toStdString(), 1 << 22).value_or(Bytes{});
    }

    RgbPicture machine() const {
        return drawAtariScreen(*doc, 5, int(doc->CurrentFont), doc->FourColourMode);
    }

    static void expectSame(const std::optional<RgbPicture>& decoded, const RgbPicture& picture) {
        ASSERT_TRUE(decoded.has_value());
        EXPECT_EQ(decoded->width, picture.width);
        EXPECT_EQ(decoded->height, picture.height);
        EXPECT_TRUE(decoded->pixels == picture.pixels);
    }

    QTemporaryDir dir;
    ViewEditorWindow* editor = nullptr;
};

TEST_F(ScreenPictureExport, WritesTheAtariViewAsPngOrBmpWithoutAHistoryStep) {
    ASSERT_NE(editor, nullptr);
    const size_t steps = doc->history.undoCount();
    exportAs("title", kFilterPng);
    ASSERT_EQ(dialogs.countAsked("save"), 1u);
    EXPECT_EQ(dialogs.asked[0].title, "Export screen as image...");
    EXPECT_EQ(dialogs.asked[0].filters, kPictureFilters);
    const RgbPicture picture = machine();
    EXPECT_EQ(picture.height, 192 + 8 * 8);
    expectSame(decodePng(written("title.png")), picture);

    exportAs("title", kFilterBmp); // the BMP filter adds .bmp
    expectSame(decodeBmp(written("title.bmp")), picture);
    exportAs("named.BMP", kFilterPng); // a name ending in .bmp keeps it and gets BMP
    expectSame(decodeBmp(written("named.BMP")), picture);
    exportAs("plain", kFilterAll); // all files: the name as typed, PNG
    expectSame(decodePng(written("plain")), picture);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 4);
    EXPECT_EQ(doc->history.undoCount(), steps);
    EXPECT_EQ(dialogs.countAsked("message"), 0u);

    // Rows that follow take the current mode as the editor shows it.
    doc->FourColourMode = true;
    exportAs("four.png", kFilterPng);
    expectSame(decodePng(written("four.png")), machine());
    EXPECT_FALSE(machine().pixels == picture.pixels);
}

TEST_F(ScreenPictureExport, CancelWritesNothingAndARefusedPathIsReported) {
    ASSERT_NE(editor, nullptr);
    editor->menuAction(ViewEditorMenuExportScreenImage)->trigger(); // no answer: cancel
    EXPECT_EQ(dialogs.countAsked("save"), 1u);
    EXPECT_EQ(dialogs.countAsked("message"), 0u);
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());

    exportAs("no/such/folder/title.png", kFilterPng);
    ASSERT_EQ(dialogs.asked.back().kind, "message");
    EXPECT_EQ(dialogs.asked.back().title, "Error...");
    EXPECT_TRUE(dialogs.asked.back().textOrStart.contains("no/such/folder/title.png"));
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());

    // An existing picture is replaced only when the user says so.
    exportAs("kept.png", kFilterPng);
    const Bytes first = written("kept.png");
    setCell(*doc, 5, 0, 0, uint8_t(getCell(*doc, 5, 0, 0) ^ 1));
    dialogs.answers.push_back(false);
    exportAs("kept.png", kFilterPng);
    EXPECT_EQ(dialogs.asked.back().title, "Replace...");
    EXPECT_TRUE(written("kept.png") == first);
}

} // namespace
