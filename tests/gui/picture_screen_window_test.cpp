// The View Editor's "Import picture to screen" window: its preview and figures are
// the engine's for the options shown, stale results are dropped, Convert writes what
// the engine and applyPictureScreen give as one step that undoes byte for byte, and
// Cancel, refused options and bad pictures change nothing.

#include "core/history.h"
#include "core/picture_error.h"
#include "core/picture_fit.h"
#include "core/picture_screen_apply.h"
#include "core/picture_screen_report.h"
#include "formats/picture_codec.h"
#include "gui/picture_screen_window.h"
#include "modal_test_tools.h"
#include "render/canvas.h"
#include "render/picture_screen_preview.h"
#include "view_editor_test_fixture.h"
#include "work_bytes.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMimeData>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QThreadPool>

using namespace korvex;

namespace {

constexpr int kScreen = 3;
constexpr int kWait = 20000; // ms; a conversion takes up to a second on a busy machine

const QString kPhotograph = KORVEX_SOURCE_DIR "/tests/data/pictures/chelsea.png";

class PictureScreenWindowTest : public test::ViewEditorTest {
protected:
    PictureScreenWindowTest() {
        doc->currentScreen = kScreen;
        for (int i = 0; i < kScreenCells; ++i)
            doc->screens[kScreen * kScreenCells + i] = uint8_t(i * 7);
        doc->rowTables[kScreen].font[5] = 9;
        doc->CurrentFont = 2;
    }
    ~PictureScreenWindowTest() override { QThreadPool::globalInstance()->waitForDone(); }

    std::unique_ptr<PictureScreenWindow> openWindow() {
        auto w = std::make_unique<PictureScreenWindow>(*doc);
        w->show();
        return w;
    }
    void load(PictureScreenWindow& w, const QString& path) {
        dialogs.files.push_back({path, 0});
        QTest::mouseClick(w.LoadButton, Qt::LeftButton);
    }
    static bool waitForResult(PictureScreenWindow& w) {
        return QTest::qWaitFor([&] { return w.shownResult().has_value(); }, kWait);
    }
    // What the engine gives for the photograph with these options.
    static PictureScreen engineResult(const PictureScreenOptions& options) {
        const auto bytes = readFileBytes(kPhotograph.toStdString());
        EXPECT_TRUE(bytes);
        const auto picture = decodePicture(*bytes, nullptr, PictureAlpha::Kept);
        EXPECT_TRUE(picture);
        auto result = pictureToScreen(pictureRowsWithAlpha(*picture), options);
        EXPECT_TRUE(result);
        return *result;
    }
    PictureScreenOptions optionsOf(int mode, int fonts, int firstFont, bool dither,
                                   bool autoColours) const {
        PictureScreenOptions o;
        o.mode = mode;
        o.fonts = fonts;
        o.firstFont = firstFont;
        o.dither = dither;
        o.autoColours = autoColours;
        o.colours = currentColourRegisters(*doc);
        return o;
    }
    static void choose(PictureScreenWindow& w, int mode, int fonts, int firstFont, bool dither,
                       bool autoColours) {
        w.ModeBox->setCurrentIndex(mode == kFourColourMode ? 1 : 0);
        w.FontsBox->setValue(fonts);
        w.FirstFontBox->setValue(firstFont);
        w.DitherBox->setChecked(dither);
        w.ColoursBox->setCurrentIndex(autoColours ? 0 : 1);
    }
    static bool sameScreens(const PictureScreen& a, const PictureScreen& b) {
        if (a.codes != b.codes || a.rowFont != b.rowFont || a.rowMode != b.rowMode ||
            a.fonts.size() != b.fonts.size())
            return false;
        for (size_t f = 0; f < a.fonts.size(); ++f)
            if (a.fonts[f].glyphs != b.fonts[f].glyphs || a.fonts[f].colours != b.fonts[f].colours)
                return false;
        return true;
    }

    QTemporaryDir dir;
};

TEST_F(PictureScreenWindowTest, PreviewAndFiguresAreTheEnginesForTheLatestOptions) {
    auto w = openWindow();
    EXPECT_EQ(w->windowTitle(), "Import picture to screen");
    EXPECT_FALSE(w->ConvertButton->isEnabled()); // no picture yet
    load(*w, kPhotograph);
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].kind, "open");
    EXPECT_EQ(dialogs.asked[0].filters,
              "Image PNG (*.png)|*.png|Image BMP (*.bmp)|*.bmp|All files (*.*)|*.*");
    EXPECT_TRUE(w->PictureLabel->text().startsWith("chelsea.png"));

    // Options changed one after another without waiting: only the last one's result
    // is ever shown.
    QSignalSpy updates(w.get(), &PictureScreenWindow::previewUpdated);
    choose(*w, kFourColourMode, 2, 4, false, true);
    choose(*w, kTwoColourMode, 3, 5, true, false);
    choose(*w, kFourColourMode, 2, 6, true, false);
    ASSERT_TRUE(waitForResult(*w));
    EXPECT_EQ(updates.count(), 1);
    const PictureScreen expected = engineResult(optionsOf(kFourColourMode, 2, 6, true, false));
    EXPECT_TRUE(sameScreens(*w->shownResult(), expected));
    EXPECT_EQ(w->FiguresLabel->text().toStdString() + "\n", pictureScreenReportText(expected));
    EXPECT_TRUE(w->ConvertButton->isEnabled());

    // The preview is the Atari view at 2x, centred, and at 1x in the middle of it.
    const std::vector<uint32_t> view = drawCellScreen(screenCells(expected));
    const QImage& preview = w->Preview->image();
    ASSERT_EQ(preview.size(), QSize(kPreviewWidth, kPreviewHeight));
    for (const QPoint& p : {QPoint(0, 0), QPoint(101, 57), QPoint(319, 191), QPoint(200, 100)})
        ASSERT_EQ(fromQRgb(preview.pixel(2 * p.x() + 1, 2 * p.y())),
                  view[size_t(p.y()) * kViewWidth + size_t(p.x())]);
    w->ZoomBox->setChecked(false);
    const QPoint origin((kPreviewWidth - kViewWidth) / 2, (kPreviewHeight - kViewHeight) / 2);
    EXPECT_EQ(fromQRgb(preview.pixel(0, 0)), kPreviewSurround);
    for (const QPoint& p : {QPoint(0, 0), QPoint(101, 57), QPoint(319, 191)})
        ASSERT_EQ(fromQRgb(preview.pixel(origin + p)),
                  view[size_t(p.y()) * kViewWidth + size_t(p.x())]);
}

TEST_F(PictureScreenWindowTest, ConvertFromTheMenuIsOneStepThatUndoesByteForByte) {
    ViewEditorWindow* editor = open();
    ASSERT_NE(editor, nullptr);
    const std::string before = test::workBytes(*doc);
    const size_t steps = doc->history.undoCount();
    const PictureScreenOptions options = optionsOf(kFourColourMode, 3, 2, true, false);

    bool converted = false;
    test::whenModalOpens([&](QWidget* modal) {
        auto* w = qobject_cast<PictureScreenWindow*>(modal);
        ASSERT_NE(w, nullptr);
        load(*w, kPhotograph);
        choose(*w, kFourColourMode, 3, 2, true, false);
        ASSERT_TRUE(waitForResult(*w));
        QTest::mouseClick(w->ConvertButton, Qt::LeftButton);
        converted = true;
    });
    editor->menuAction(ViewEditorMenuImportPictureToScreen)->trigger();
    ASSERT_TRUE(converted);
    EXPECT_EQ(doc->history.undoCount(), steps + 1);
    EXPECT_EQ(doc->history.undoName(), kPictureScreenStepName);
    // The View Editor shows the new screen in its new fonts.
    EXPECT_EQ(editor->Canvas->image(), expectedCanvas());
    const std::string after = test::workBytes(*doc);

    // Exactly what the engine and applyPictureScreen write.
    doc->history.undo(*doc);
    EXPECT_TRUE(test::workBytes(*doc) == before);
    auto direct = std::make_unique<Document>(*doc);
    applyPictureScreen(*direct, engineResult(options), kScreen);
    EXPECT_TRUE(test::workBytes(*direct) == after);
    doc->history.redo(*doc);
    EXPECT_TRUE(test::workBytes(*doc) == after);
}

TEST_F(PictureScreenWindowTest, ConvertBeforeThePreviewIsReadyConvertsNow) {
    auto w = openWindow();
    load(*w, kPhotograph);
    choose(*w, kTwoColourMode, 4, 7, false, true);
    ASSERT_FALSE(w->shownResult().has_value());
    const std::string before = test::workBytes(*doc);
    // Enter is Convert, even with the focus on another button.
    QTest::keyClick(w->LoadButton, Qt::Key_Return);
    EXPECT_EQ(w->result(), QDialog::Accepted);
    const std::string after = test::workBytes(*doc);
    doc->history.undo(*doc);
    ASSERT_TRUE(test::workBytes(*doc) == before);
    applyPictureScreen(*doc, engineResult(optionsOf(kTwoColourMode, 4, 7, false, true)), kScreen);
    EXPECT_TRUE(test::workBytes(*doc) == after);
}

TEST_F(PictureScreenWindowTest, CancelAndClosingWhileConvertingChangeNothing) {
    const std::string before = test::workBytes(*doc);
    const size_t steps = doc->history.undoCount();
    {
        auto w = openWindow();
        load(*w, kPhotograph);
        ASSERT_TRUE(waitForResult(*w));
        QTest::mouseClick(w->CancelButton, Qt::LeftButton);
        EXPECT_EQ(w->result(), QDialog::Rejected);
    }
    {
        // Closed and gone while eight fonts are still being converted.
        auto w = openWindow();
        load(*w, kPhotograph);
        choose(*w, kFourColourMode, 8, 1, true, true);
        w->close();
    }
    QThreadPool::globalInstance()->waitForDone();
    QCoreApplication::processEvents();
    EXPECT_TRUE(test::workBytes(*doc) == before);
    EXPECT_EQ(doc->history.undoCount(), steps);
}

TEST_F(PictureScreenWindowTest, BadPicturesAreReportedAndChangeNothing) {
    auto w = openWindow();
    const QString broken = dir.filePath("broken.png");
    ASSERT_TRUE(test::writeBytes(broken, QByteArray("\x89PNG\r\n\x1a\nnot really", 18)));
    const QString text = dir.filePath("notes.bmp");
    ASSERT_TRUE(test::writeBytes(text, "plain words"));
    const std::string before = test::workBytes(*doc);

    for (const QString& path : {broken, text, dir.filePath("missing.png")}) {
        load(*w, path);
        ASSERT_EQ(dialogs.asked.back().kind, "message") << path.toStdString();
        EXPECT_EQ(dialogs.asked.back().title, "Error...");
        EXPECT_TRUE(dialogs.asked.back().textOrStart.contains(QFileInfo(path).fileName()));
        EXPECT_FALSE(w->hasPicture());
        EXPECT_FALSE(w->ConvertButton->isEnabled());
    }
    EXPECT_TRUE(dialogs.asked.back().textOrStart.startsWith("Cannot read"));

    // A bad picture after a good one keeps the good one and its preview.
    load(*w, kPhotograph);
    ASSERT_TRUE(waitForResult(*w));
    load(*w, broken);
    EXPECT_TRUE(w->hasPicture());
    EXPECT_TRUE(w->shownResult().has_value());
    EXPECT_TRUE(w->PictureLabel->text().startsWith("chelsea.png"));
    w->reject();
    EXPECT_TRUE(test::workBytes(*doc) == before);
}

TEST_F(PictureScreenWindowTest, TooFewFontsAfterTheFirstIsRefusedWithTheEnginesMessage) {
    auto w = openWindow();
    EXPECT_EQ(w->FontsBox->minimum(), 1);
    EXPECT_EQ(w->FontsBox->maximum(), kFontCount);
    EXPECT_EQ(w->FirstFontBox->minimum(), 1);
    EXPECT_EQ(w->FirstFontBox->maximum(), kFontCount);
    EXPECT_EQ(w->FirstFontBox->value(), 2); // the current font
    load(*w, kPhotograph);
    ASSERT_TRUE(waitForResult(*w));

    const std::string before = test::workBytes(*doc);
    choose(*w, kTwoColourMode, 4, 8, false, true);
    const auto refusal = pictureScreenOptionsError(optionsOf(kTwoColourMode, 4, 8, false, true));
    ASSERT_TRUE(refusal);
    EXPECT_EQ(w->FiguresLabel->text().toStdString(), *refusal);
    EXPECT_FALSE(w->ConvertButton->isEnabled());
    EXPECT_FALSE(w->shownResult().has_value());
    w->convert();
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(test::workBytes(*doc) == before);

    // The last first font that leaves four fonts converts.
    w->FirstFontBox->setValue(7);
    ASSERT_TRUE(waitForResult(*w));
    for (const ScreenFont& font : w->shownResult()->fonts)
        EXPECT_TRUE(font.number >= 7 && font.number <= 10) << font.number;
    EXPECT_TRUE(w->ConvertButton->isEnabled());
}

TEST_F(PictureScreenWindowTest, APictureDroppedOnTheWindowIsLoaded) {
    auto w = openWindow();
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(kPhotograph)});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(w.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(w.get(), &drop);
    EXPECT_TRUE(w->hasPicture());
    EXPECT_TRUE(waitForResult(*w));
    EXPECT_TRUE(dialogs.asked.empty());
}

} // namespace
