// The Atari palette window: pointer and chosen-value texts, picking from the
// picture, "OK" storing the register's colour everywhere, closing without a change,
// and the modal run from the main window's palette buttons.

#include "core/palette.h"
#include "formats/palette_picture.h"
#include "gui/app.h"
#include "gui/canvas_widget.h"
#include "gui/main_window.h"
#include "gui/palette_window.h"
#include "modal_test_tools.h"
#include "scripted_dialogs.h"
#include "test_document.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace korvex {
namespace {

constexpr int64_t rgb(int r, int g, int b) {
    return int64_t(r) + 256 * int64_t(g) + 65536 * int64_t(b);
}

// Widget position of picture position (x, y): the canvas's 2-pixel frame comes first.
QPoint onPicture(int x, int y) {
    return QPoint(x + 2, y + 2);
}
// Middle of the colour square of hue h, luminance column c.
QPoint square(int hue, int column) {
    return onPicture(24 + 16 * column, 24 + 16 * hue);
}

// A move with no button held, delivered straight to the canvas: a synthetic cursor
// move could land on whichever window lies on top at that screen position.
void pointAt(PaletteWindow& w, QPoint at) {
    QMouseEvent move(QEvent::MouseMove, at, w.PaletteCanvas->mapToGlobal(at), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w.PaletteCanvas, &move);
}

QColor boxColour(const QLabel* box) {
    return box->palette().color(QPalette::Window);
}

class PaletteWindowTest : public ::testing::Test {
protected:
    PaletteWindowTest() {
        startUp(*doc, window);
        window.show();
        QApplication::setActiveWindow(&window);
    }

    std::unique_ptr<PaletteWindow> open(int reg) {
        auto w = std::make_unique<PaletteWindow>(window, reg);
        w->show();
        return w;
    }
    void leftClick(PaletteWindow& w, QPoint at) {
        QTest::mouseClick(w.PaletteCanvas, Qt::LeftButton, {}, at);
    }

    test::ScriptedDialogs dialogs;
    std::unique_ptr<Document> doc = test::freshDocument();
    MainWindow window{*doc};
};

TEST_F(PaletteWindowTest, OpensWithTheRegistersColourAndValueAndShowsThePicture) {
    auto w = open(LUM);
    EXPECT_EQ(w->windowTitle(), "ATARI palette... ");
    EXPECT_EQ(w->size(), QSize(250, 340));
    EXPECT_TRUE(w->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(w->ChosenValueLabel->text(), "14, $E");
    EXPECT_EQ(w->PointerValueLabel->text(), "14, $E");
    EXPECT_EQ(boxColour(w->ColourBox), QColor(238, 238, 238));
    EXPECT_EQ(w->ColourBox->geometry(), QRect(180, 10, 60, 260));
    EXPECT_EQ(w->ChosenValueLabel->geometry(), QRect(180, 280, 60, 20));
    EXPECT_EQ(w->PointerValueLabel->geometry(), QRect(10, 310, 60, 20));
    EXPECT_EQ(w->OkButton->text(), "OK");
    EXPECT_EQ(w->OkButton->geometry(), QRect(140, 310, 100, 20));

    // The drawing area is the whole picture, starting at (10, 10) of the window.
    EXPECT_EQ(w->PaletteCanvas->geometry(), QRect(8, 8, 165, 293));
    const QImage& shown = w->PaletteCanvas->image();
    ASSERT_EQ(shown.size(), QSize(kPalettePictureWidth, kPalettePictureHeight));
    const RgbPicture picture = palettePicture();
    for (int y = 0; y < picture.height; y += 7)
        for (int x = 0; x < picture.width; x += 5)
            ASSERT_EQ(shown.pixel(x, y), toQRgb(picture.at(x, y))) << x << "," << y;

    // Another register starts from its own values.
    auto pf1 = open(PF1);
    EXPECT_EQ(pf1->ChosenValueLabel->text(), "184, $B8");
    EXPECT_EQ(boxColour(pf1->ColourBox), QColor(71, 183, 27));
}

TEST_F(PaletteWindowTest, PointerTextFollowsTheCellsButNotTheLabelsOrTheRightMargin) {
    auto w = open(LUM);
    pointAt(*w, square(3, 5));
    EXPECT_EQ(w->PointerValueLabel->text(), "58, $3A");
    pointAt(*w, square(0, 7));
    EXPECT_EQ(w->PointerValueLabel->text(), "14, $0E"); // always two digits
    pointAt(*w, square(15, 0));
    EXPECT_EQ(w->PointerValueLabel->text(), "240, $F0");

    // Label row, label column, the margin right of the squares and the frame.
    for (QPoint outside : {onPicture(104, 8), onPicture(8, 72), onPicture(150, 72),
                           onPicture(104, 280), QPoint(0, 0)}) {
        pointAt(*w, outside);
        EXPECT_EQ(w->PointerValueLabel->text(), "240, $F0") << outside.x() << "," << outside.y();
    }
    // Moving never picks.
    EXPECT_EQ(w->ChosenValueLabel->text(), "14, $E");
    EXPECT_EQ(w->chosenColour(), rgb(238, 238, 238));
}

TEST_F(PaletteWindowTest, LeftButtonPicksThePictureColourAndTheCellValue) {
    auto w = open(LUM);
    leftClick(*w, square(11, 4));
    EXPECT_EQ(w->chosenValue(), 184);
    EXPECT_EQ(w->ChosenValueLabel->text(), "184, $B8");
    EXPECT_EQ(w->PointerValueLabel->text(), "184, $B8");
    EXPECT_EQ(w->chosenColour(), rgb(71, 183, 27));
    EXPECT_EQ(boxColour(w->ColourBox), QColor(71, 183, 27));

    // The right button only shows where the pointer is.
    QTest::mouseClick(w->PaletteCanvas, Qt::RightButton, {}, square(2, 2));
    EXPECT_EQ(w->PointerValueLabel->text(), "36, $24");
    EXPECT_EQ(w->chosenValue(), 184);

    // Dragging with the left button picks every square it crosses; the last one stays.
    QTest::mousePress(w->PaletteCanvas, Qt::LeftButton, {}, square(5, 1));
    EXPECT_EQ(w->chosenValue(), 82);
    QTest::mouseMove(w->PaletteCanvas, square(7, 6));
    QTest::mouseRelease(w->PaletteCanvas, Qt::LeftButton, {}, square(7, 6));
    EXPECT_EQ(w->ChosenValueLabel->text(), "124, $7C");
    EXPECT_EQ(w->chosenColour(), rgb(167, 193, 255));
}

TEST_F(PaletteWindowTest, GridLinesArePointedAtButNeverPickedAndOkAppliesTheEarlierChoice) {
    auto w = open(LUM);
    leftClick(*w, square(11, 4));
    // The vertical line left of luminance column 5 and the horizontal line above hue 12.
    for (QPoint line : {onPicture(96, 200), onPicture(88, 208), onPicture(16, 16)}) {
        leftClick(*w, line);
        EXPECT_EQ(w->chosenValue(), 184);
        EXPECT_EQ(boxColour(w->ColourBox), QColor(71, 183, 27));
        EXPECT_EQ(w->ChosenValueLabel->text(), "184, $B8");
    }
    EXPECT_EQ(w->PointerValueLabel->text(), "0, $00");

    QTest::mouseClick(w->OkButton, Qt::LeftButton);
    EXPECT_EQ(w->result(), QDialog::Accepted);
    EXPECT_EQ(doc->ColourLUM, rgb(71, 183, 27));
    EXPECT_EQ(doc->AtariColour[LUM], 184);
}

TEST_F(PaletteWindowTest, OkWithoutPickingKeepsTheRegisterButStillStoresAndRedraws) {
    // Stale drawing and a stale font row that "OK" must put right.
    window.Swatch[BAK]->image().fill(Qt::red);
    window.FontCanvas->image().fill(Qt::magenta);
    doc->FontColours[1][PF3] = rgb(1, 2, 3);
    const QImage fontBefore = window.FontCanvas->image();

    auto w = open(BAK);
    pointAt(*w, square(4, 4)); // pointing alone changes nothing
    QTest::mouseClick(w->OkButton, Qt::LeftButton);

    EXPECT_EQ(doc->ColourBAK, 0);
    EXPECT_EQ(doc->AtariColour[BAK], 0);
    EXPECT_EQ(window.Swatch[BAK]->image().pixel(5, 5), qRgb(0, 0, 0));
    EXPECT_NE(window.FontCanvas->image(), fontBefore);
    EXPECT_EQ(doc->FontColours[1][PF3], doc->ColourPF3);
    EXPECT_FALSE(w->isVisible());
}

TEST_F(PaletteWindowTest, OkStoresAllSixColoursIntoTheCurrentFontsRowAndTheBoxes) {
    doc->CurrentFont = 3;
    doc->LeftColour = PF2;
    doc->ColourPF0 = rgb(9, 9, 9); // a working colour not yet in the font's row
    auto w = open(PF2);
    leftClick(*w, square(9, 6));
    QTest::mouseClick(w->OkButton, Qt::LeftButton);

    EXPECT_EQ(doc->ColourPF2, rgb(122, 233, 249));
    EXPECT_EQ(doc->AtariColour[PF2], 156);
    for (int r = LUM; r <= PF3; ++r)
        EXPECT_EQ(doc->FontColours[3][r], workingColour(*doc, r)) << r;
    EXPECT_EQ(doc->FontColours[1][PF2], rgb(44, 119, 207)); // other fonts keep theirs
    EXPECT_EQ(doc->FontColours[1][PF0], rgb(194, 119, 31));
    EXPECT_EQ(window.Swatch[PF2]->image().pixel(10, 10), qRgb(122, 233, 249));
    EXPECT_EQ(window.Swatch[PF0]->image().pixel(10, 10), qRgb(9, 9, 9));
    EXPECT_EQ(boxColour(window.LeftColourBox), QColor(122, 233, 249));
    EXPECT_EQ(doc->AtariColour[PF0], 24); // only the window's register changes value
}

TEST_F(PaletteWindowTest, ClosingWithoutOkDiscardsTheChoice) {
    const auto before = std::make_unique<Document>(*doc);
    auto w = open(PF0);
    leftClick(*w, square(1, 1));
    ASSERT_EQ(w->chosenValue(), 18);
    w->close();
    EXPECT_EQ(w->result(), QDialog::Rejected);
    for (int r = LUM; r <= PF3; ++r) {
        EXPECT_EQ(workingColour(*doc, r), workingColour(*before, r)) << r;
        EXPECT_EQ(doc->AtariColour[r], before->AtariColour[r]) << r;
        EXPECT_EQ(doc->FontColours[1][r], before->FontColours[1][r]) << r;
    }
    EXPECT_EQ(window.Swatch[PF0]->image().pixel(10, 10), qRgb(194, 119, 31));
}

TEST_F(PaletteWindowTest, PaletteButtonRunsTheWindowModallyForItsRegister) {
    window.move(40, 30);
    bool sawWindow = false;
    test::whenModalOpens([&](QWidget* modal) {
        auto* palette = qobject_cast<PaletteWindow*>(modal);
        ASSERT_NE(palette, nullptr);
        sawWindow = true;
        EXPECT_EQ(palette->reg(), PF1);
        EXPECT_EQ(palette->pos(), window.pos() + QPoint(300, 150));
        EXPECT_FALSE(window.isEnabled());
        EXPECT_EQ(palette->ChosenValueLabel->text(), "184, $B8");
        QTest::mouseClick(palette->PaletteCanvas, Qt::LeftButton, {}, square(0, 0));
        QTest::mouseClick(palette->OkButton, Qt::LeftButton);
    });
    QTest::mouseClick(window.PaletteButton[PF1], Qt::LeftButton);
    ASSERT_TRUE(sawWindow);
    EXPECT_TRUE(window.isEnabled());
    EXPECT_EQ(doc->ColourPF1, 0);
    EXPECT_EQ(doc->AtariColour[PF1], 0);
    EXPECT_EQ(doc->FontColours[1][PF1], 0);
    EXPECT_EQ(window.Swatch[PF1]->image().pixel(10, 10), qRgb(0, 0, 0));

    // The close box: the main window comes back and nothing changes.
    sawWindow = false;
    test::whenModalOpens([&](QWidget* modal) {
        auto* palette = qobject_cast<PaletteWindow*>(modal);
        ASSERT_NE(palette, nullptr);
        sawWindow = true;
        EXPECT_EQ(palette->reg(), LUM);
        QTest::mouseClick(palette->PaletteCanvas, Qt::LeftButton, {}, square(11, 4));
        palette->close();
    });
    QTest::mouseClick(window.PaletteButton[LUM], Qt::LeftButton);
    ASSERT_TRUE(sawWindow);
    EXPECT_TRUE(window.isEnabled());
    EXPECT_EQ(doc->ColourLUM, rgb(238, 238, 238));
    EXPECT_EQ(doc->AtariColour[LUM], 14);
}

TEST_F(PaletteWindowTest, RegisterNumbersOutsideOneToSixAreRefused) {
    // Should a window open after all, the timer closes it and the test fails.
    QObject guard;
    bool opened = false;
    QTimer::singleShot(200, &guard, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            opened = true;
            modal->close();
        }
    });
    openAtariPaletteCommand(window, 0);
    openAtariPaletteCommand(window, 7);
    EXPECT_FALSE(opened);
    EXPECT_TRUE(window.isEnabled());

    // A window built directly for such a number touches nothing on "OK".
    const int64_t bak = doc->ColourBAK;
    PaletteWindow inert(window, 9);
    inert.show();
    leftClick(inert, square(11, 4));
    inert.confirm();
    EXPECT_EQ(doc->ColourBAK, bak);
    EXPECT_EQ(doc->AtariColour[BAK], 0);
}

} // namespace
} // namespace korvex
