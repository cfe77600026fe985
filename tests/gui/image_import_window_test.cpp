// The image import window: its controls, loading pictures through the file
// dialog, picking the background colour with the mouse and importing the font.

#include "core/font_codec.h"
#include "core/image_import.h"
#include "formats/bmp_codec.h"
#include "formats/png_codec.h"
#include "gui/canvas_widget.h"
#include "gui/image_import_window.h"
#include "modal_test_tools.h"
#include "render/canvas.h"
#include "scripted_dialogs.h"
#include "test_document.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>

namespace korvex {
namespace {

constexpr uint32_t kInk = 0x00C0FF, kPaper = 0x402000;

// The built-in font as a 256 x 32 block of ink on paper, inside a larger picture.
RgbPicture sheetPicture() {
    RgbPicture p{300, 60, std::vector<uint32_t>(300 * 60, kPaper)};
    const uint8_t* font = defaultFontBytes();
    for (int g = 0; g < 128; ++g)
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                if (font[8 * g + y] & (0x80 >> x))
                    p.pixels[size_t(8 * (g / 32) + y) * 300 + size_t(8 * (g % 32) + x)] = kInk;
    return p;
}

class ImageImportWindowTest : public ::testing::Test {
protected:
    std::unique_ptr<Document> doc = test::freshDocument();
    test::ScriptedDialogs dialogs;
    QTemporaryDir dir;
    int redraws = 0;

    std::unique_ptr<ImageImportWindow> open() {
        auto w = std::make_unique<ImageImportWindow>(*doc, [this] { ++redraws; });
        w->QDialog::show();
        return w;
    }
    QString writePicture(const QString& name, const Bytes& data) {
        const QString path = dir.filePath(name);
        EXPECT_TRUE(writeFileAtomic(path.toStdString(), data));
        return path;
    }
    void load(ImageImportWindow& w, const QString& path) {
        dialogs.files.push_back({path, 0});
        QTest::mouseClick(w.LoadButton, Qt::LeftButton);
    }
    void click(ImageImportWindow& w, int x, int y, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(w.Canvas, button, {}, QPoint(x, y));
    }
    int64_t canvasPixel(ImageImportWindow& w, int x, int y) {
        return fromQRgb(w.Canvas->image().pixel(x, y));
    }
};

TEST_F(ImageImportWindowTest, ControlsStandWhereTheyBelong) {
    doc->importX = 12;
    doc->importY = 34;
    auto w = open();
    EXPECT_EQ(w->windowTitle(), "Import image to font");
    EXPECT_EQ(w->size(), QSize(594, 396));
    EXPECT_EQ(w->LoadButton->geometry(), QRect(9, 9, 90, 27));
    EXPECT_EQ(w->LoadButton->text(), "Load image");
    EXPECT_EQ(w->StartXLabel->text(), "Start X:");
    EXPECT_EQ(w->StartXField->geometry(), QRect(189, 9, 27, 18));
    EXPECT_EQ(w->StartXField->text(), "12");
    EXPECT_EQ(w->StartYLabel->text(), "Start Y:");
    EXPECT_EQ(w->StartYField->geometry(), QRect(261, 9, 36, 18));
    EXPECT_EQ(w->StartYField->text(), "34");
    EXPECT_EQ(w->ColourLabel->text(), "Color 0:");
    EXPECT_EQ(w->ColourField->geometry(), QRect(378, 9, 63, 18));
    EXPECT_EQ(w->ColourField->text(), "$0");
    EXPECT_TRUE(w->ColourField->isReadOnly());
    EXPECT_EQ(w->ImportButton->geometry(), QRect(495, 9, 90, 27));
    EXPECT_EQ(w->ImportButton->text(), "Import to font");
    EXPECT_EQ(w->Canvas->geometry(), QRect(9, 45, 576, 342));
    EXPECT_EQ(w->Canvas->image().size(), QSize(576, 342));
    // The frame is drawn at the kept position.
    EXPECT_EQ(canvasPixel(*w, 12, 34), kImportFrameColour);
    EXPECT_EQ(canvasPixel(*w, 12 + 256, 34 + 31), kImportFrameColour);
    EXPECT_EQ(canvasPixel(*w, 13, 35), 0);
}

TEST_F(ImageImportWindowTest, LoadingPicturesThroughTheDialog) {
    auto w = open();
    const QString png = writePicture("sheet.png", encodePng(sheetPicture()));
    load(*w, png);
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].kind, "open");
    EXPECT_EQ(dialogs.asked[0].title, "Load image (PNG or BMP)...");
    EXPECT_EQ(dialogs.asked[0].textOrStart, "");
    EXPECT_EQ(dialogs.asked[0].filters,
              "Image PNG (*.png)|*.png|Image BMP (*.bmp)|*.bmp|All files (*.*)|*.*");
    EXPECT_EQ(doc->importPicture.width, 300);
    EXPECT_EQ(canvasPixel(*w, 100, 50), kPaper); // the picture is on the canvas
    EXPECT_EQ(canvasPixel(*w, 400, 50), 0);      // black beyond it

    // A cancelled dialog or a file that cannot be read changes nothing.
    QTest::mouseClick(w->LoadButton, Qt::LeftButton);
    load(*w, dir.filePath("missing.png"));
    EXPECT_EQ(doc->importPicture.width, 300);

    // A file that does not decode leaves no picture, and the canvas shows that.
    load(*w, writePicture("broken.png", Bytes{0x89, 'P', 'N', 'G', 1, 2, 3}));
    EXPECT_TRUE(doc->importPicture.empty());
    EXPECT_EQ(canvasPixel(*w, 100, 50), 0);

    // BMP files load the same way.
    load(*w, writePicture("sheet.bmp", encodeBmp(sheetPicture())));
    EXPECT_EQ(doc->importPicture.pixels, sheetPicture().pixels);
}

TEST_F(ImageImportWindowTest, LeftClicksPickTheColourUnderThePointer) {
    doc->importX = 100;
    doc->importY = 100;
    auto w = open();
    // Pure red at (1, 1), pure blue at (2, 1); (0, 0) would be taken for the
    // widget's centre by the test clicks.
    RgbPicture p{3, 2, {0, 0, 0, 0, 0x0000FF, 0xFF0000}};
    load(*w, writePicture("rb.png", encodePng(p)));
    click(*w, 1, 1);
    EXPECT_EQ(w->ColourField->text(), "$FF"); // pure red: red is the low byte
    EXPECT_EQ(w->colour0(), 0xFF);
    click(*w, 2, 1);
    EXPECT_EQ(w->ColourField->text(), "$FF0000");
    click(*w, 100, 100);
    EXPECT_EQ(w->ColourField->text(), "$FFAAFF");
    // Other buttons do not pick.
    click(*w, 1, 1, Qt::RightButton);
    EXPECT_EQ(w->ColourField->text(), "$FFAAFF");
    click(*w, 50, 50);
    EXPECT_EQ(w->ColourField->text(), "$0");
    // Dragging with the left button held picks along the way.
    QTest::mousePress(w->Canvas, Qt::LeftButton, {}, QPoint(5, 5));
    QMouseEvent move(QEvent::MouseMove, QPointF(2, 1), w->Canvas->mapToGlobal(QPointF(2, 1)),
                     Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(w->Canvas, &move);
    QTest::mouseRelease(w->Canvas, Qt::LeftButton, {}, QPoint(2, 1));
    EXPECT_EQ(w->ColourField->text(), "$FF0000");

    // The background colour starts black at every opening; the frame stays.
    auto again = open();
    EXPECT_EQ(again->ColourField->text(), "$0");
    EXPECT_EQ(again->colour0(), 0);
    EXPECT_EQ(again->StartXField->text(), "100");
}

TEST_F(ImageImportWindowTest, StartFieldsMoveTheFrame) {
    auto w = open();
    w->StartXField->clear();
    QTest::keyClicks(w->StartXField, "40");
    w->StartYField->clear();
    QTest::keyClicks(w->StartYField, "7x");
    EXPECT_EQ(doc->importX, 40);
    EXPECT_EQ(doc->importY, 7); // letters are refused
    EXPECT_EQ(w->StartYField->text(), "7");
    EXPECT_EQ(canvasPixel(*w, 40, 7), kImportFrameColour);
    EXPECT_EQ(canvasPixel(*w, 0, 0), 0);
    w->StartXField->clear();
    EXPECT_EQ(doc->importX, 0);
}

TEST_F(ImageImportWindowTest, ImportReadsTheFontFromTheLoadedPicture) {
    doc->CurrentFont = 4;
    auto w = open();
    load(*w, writePicture("sheet.bmp", encodeBmp(sheetPicture())));
    click(*w, 299, 59); // a paper pixel outside the frame
    EXPECT_EQ(w->colour0(), kPaper);
    QTest::mouseClick(w->ImportButton, Qt::LeftButton);
    EXPECT_EQ(redraws, 1);
    encodeFont(*doc, 4);
    EXPECT_EQ(std::memcmp(doc->FontBuffer, defaultFontBytes(), 1024), 0);
    // The frame is back on the canvas afterwards.
    EXPECT_EQ(canvasPixel(*w, 0, 0), kImportFrameColour);

    // Black background and no picture clears the font.
    load(*w, writePicture("bad.bmp", Bytes{'B', 'M'}));
    click(*w, 400, 300);
    QTest::mouseClick(w->ImportButton, Qt::LeftButton);
    encodeFont(*doc, 4);
    EXPECT_TRUE(
        std::all_of(doc->FontBuffer, doc->FontBuffer + 1024, [](uint8_t b) { return b == 0; }));
}

TEST_F(ImageImportWindowTest, OpensAtTheMainWindowAndReturnsWhenClosed) {
    QWidget main;
    main.move(120, 80);
    main.show();
    QString title;
    QPoint where;
    test::whenModalOpens([&](QWidget* modal) {
        title = modal->windowTitle();
        where = modal->pos();
        modal->close();
    });
    importImageToFont(&main, *doc, [] {});
    EXPECT_EQ(title, "Import image to font");
    EXPECT_EQ(where, main.pos());
}

} // namespace
} // namespace korvex
