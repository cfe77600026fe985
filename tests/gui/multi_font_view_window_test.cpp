// The Multi Font View: opening from the main window, the five font lists, drawing
// and closing.

#include "gui/app.h"
#include "gui/canvas_widget.h"
#include "gui/main_window.h"
#include "gui/multi_font_view_window.h"
#include "render/multi_font_view_drawing.h"
#include "scripted_dialogs.h"
#include "test_document.h"

#include <QComboBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

using namespace korvex;

namespace {

class MultiFontView : public ::testing::Test {
protected:
    MultiFontView() {
        startUp(*doc, window);
        window.move(40, 30);
        window.show();
    }
    ~MultiFontView() override {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    MultiFontViewWindow* open() {
        QTest::mouseClick(window.MultiFontViewerButton, Qt::LeftButton);
        return openMultiFontViewOf(window);
    }
    QStringList comboTexts(MultiFontViewWindow* view) const {
        QStringList texts;
        for (int row = 1; row <= 5; ++row)
            texts << view->FontCombo[row]->currentText();
        return texts;
    }
    QImage expectedPicture() const {
        QImage image(520, 670, QImage::Format_RGB32);
        drawMultiFontView(*doc, image);
        return image;
    }
    static bool allBlack(const QImage& image) {
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if ((image.pixel(x, y) & 0xFFFFFF) != 0)
                    return false;
        return true;
    }

    test::ScriptedDialogs dialogs;
    std::unique_ptr<Document> doc = test::freshDocument();
    MainWindow window{*doc};
};

TEST_F(MultiFontView, ButtonOpensOneWindowShowingTheStartRows) {
    MultiFontViewWindow* view = open();
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(window.multiFontViewOpen);
    EXPECT_EQ(view->windowTitle(), "Multi Font View");
    EXPECT_EQ(view->pos(), window.pos() + QPoint(100, 100));
    EXPECT_EQ(view->size(), QSize(650, 300));
    EXPECT_EQ(view->FontLabel->text(), "FONT:");
    EXPECT_EQ(view->FontLabel->geometry(), QRect(10, 20, 50, 20));
    EXPECT_EQ(view->FontCombo[5]->geometry(), QRect(10, 170, 50, 20));
    ASSERT_EQ(view->FontCombo[1]->count(), 11);
    EXPECT_EQ(view->FontCombo[1]->itemText(0), "1");
    EXPECT_EQ(view->FontCombo[1]->itemText(9), "10");
    EXPECT_EQ(view->FontCombo[1]->itemText(10), "OFF");
    EXPECT_EQ(comboTexts(view).join(","), "1,2,OFF,OFF,OFF");
    EXPECT_EQ(view->ViewScrollArea->geometry(), QRect(80, 10, 564, 280));
    EXPECT_EQ(view->ViewScrollArea->verticalScrollBar()->singleStep(), 16);
    EXPECT_EQ(view->ViewCanvas->geometry(), QRect(2, 2, 520, 670));
    EXPECT_EQ(view->ViewCanvas->image(), expectedPicture());
    EXPECT_TRUE(window.multiFontViewRedraw);

    QTest::mouseClick(window.MultiFontViewerButton, Qt::LeftButton);
    EXPECT_EQ(window.findChildren<MultiFontViewWindow*>().size(), 1);
}

TEST_F(MultiFontView, ValuesOutsideTheListShowOffAndStayAsTheyWere) {
    doc->MultiViewFonts[1] = 57;
    doc->MultiViewFonts[2] = -3;
    doc->MultiViewFonts[3] = 9;
    MultiFontViewWindow* view = open();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(comboTexts(view).join(","), "OFF,OFF,10,OFF,OFF");
    EXPECT_EQ(doc->MultiViewFonts[1], 57);
    EXPECT_EQ(doc->MultiViewFonts[2], -3);
    EXPECT_EQ(view->ViewCanvas->image(), expectedPicture());
}

TEST_F(MultiFontView, ChangingAListChangesItsRowAndThePicture) {
    MultiFontViewWindow* view = open();
    ASSERT_NE(view, nullptr);
    const QImage before = view->ViewCanvas->image();
    view->FontCombo[3]->setCurrentIndex(0); // font 1 in row 3 as well
    EXPECT_EQ(doc->MultiViewFonts[3], 0);
    EXPECT_NE(view->ViewCanvas->image(), before);
    EXPECT_EQ(view->ViewCanvas->image(), expectedPicture());

    view->FontCombo[1]->setCurrentIndex(10);
    EXPECT_EQ(doc->MultiViewFonts[1], 10);
    EXPECT_EQ(view->ViewCanvas->image(), expectedPicture());
}

TEST_F(MultiFontView, AllRowsOffDrawBlack) {
    MultiFontViewWindow* view = open();
    ASSERT_NE(view, nullptr);
    ASSERT_FALSE(allBlack(view->ViewCanvas->image()));
    for (int row = 1; row <= 5; ++row)
        view->FontCombo[row]->setCurrentIndex(10);
    EXPECT_TRUE(allBlack(view->ViewCanvas->image()));
}

TEST_F(MultiFontView, MainWindowRedrawFollowsFontsAndLoadedRows) {
    MultiFontViewWindow* view = open();
    ASSERT_NE(view, nullptr);
    const QImage before = view->ViewCanvas->image();
    doc->setPixel(1, 0, 3, 3, 1); // a dot in glyph 0 of font 1
    window.redrawMainWindow();
    EXPECT_NE(view->ViewCanvas->image(), before);
    EXPECT_EQ(view->ViewCanvas->image(), expectedPicture());

    // Rows changed behind the window (a project loaded) reach the lists too,
    // without the lists writing anything back.
    doc->MultiViewFonts[4] = 1;
    doc->MultiViewFonts[5] = 40;
    window.redrawMainWindow();
    EXPECT_EQ(comboTexts(view).join(","), "1,2,OFF,2,OFF");
    EXPECT_EQ(doc->MultiViewFonts[5], 40);
    EXPECT_EQ(view->ViewCanvas->image(), expectedPicture());
}

TEST_F(MultiFontView, ClosingClearsTheFlagAndAllowsANewWindow) {
    MultiFontViewWindow* view = open();
    ASSERT_NE(view, nullptr);
    view->FontCombo[2]->setCurrentIndex(4);
    QPointer<MultiFontViewWindow> watch(view);
    EXPECT_TRUE(view->close());
    EXPECT_FALSE(window.multiFontViewOpen);
    EXPECT_FALSE(window.multiFontViewRedraw);
    EXPECT_EQ(openMultiFontViewOf(window), nullptr);
    window.redrawMainWindow();

    // A press right after closing, before the old window is gone, opens a new one.
    MultiFontViewWindow* again = open();
    ASSERT_NE(again, nullptr);
    EXPECT_NE(again, view);
    EXPECT_TRUE(window.multiFontViewOpen);
    EXPECT_EQ(again->FontCombo[2]->currentText(), "5"); // the rows outlive the window
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(watch.isNull());
}

} // namespace
