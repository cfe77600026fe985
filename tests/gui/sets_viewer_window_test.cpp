// The Sets Viewer: opening from the main window, scrolling, picking a set with the
// mouse, redrawing with the main window, closing.

#include "gui/app.h"
#include "gui/canvas_widget.h"
#include "gui/main_window.h"
#include "gui/multi_font_view_window.h"
#include "gui/sets_viewer_window.h"
#include "gui/window_commands.h"
#include "render/main_canvases.h"
#include "scripted_dialogs.h"
#include "test_document.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

using namespace korvex;

namespace {

class SetsViewer : public ::testing::Test {
protected:
    SetsViewer() {
        startUp(*doc, window);
        window.show();
    }
    ~SetsViewer() override { flushDeletes(); }

    static void flushDeletes() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    SetsViewerWindow* open() {
        QTest::mouseClick(window.SetsViewerButton, Qt::LeftButton);
        return openSetsViewerOf(window);
    }
    QStringList labelTexts(SetsViewerWindow* viewer) const {
        QStringList texts;
        for (int i = 1; i <= 10; ++i)
            texts << viewer->SetsViewerLabels[i]->text();
        return texts;
    }
    QImage expectedStrip() const {
        QImage image(800, 80, QImage::Format_RGB32);
        drawSetsStrip(*doc, image);
        return image;
    }

    test::ScriptedDialogs dialogs;
    std::unique_ptr<Document> doc = test::freshDocument();
    MainWindow window{*doc};
};

TEST_F(SetsViewer, ButtonOpensOneViewerWithItsLayout) {
    SetsViewerWindow* viewer = open();
    ASSERT_NE(viewer, nullptr);
    EXPECT_TRUE(window.setsViewerOpen);
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_EQ(viewer->windowTitle(), "SETS Viewer");
    EXPECT_EQ(viewer->pos(), QPoint(10, 10));
    EXPECT_EQ(viewer->size(), QSize(820, 150));
    EXPECT_EQ(viewer->StripCanvas->geometry(), QRect(10, 10, 800, 80));
    EXPECT_EQ(viewer->SetsScrollBar->minimum(), 1);
    EXPECT_EQ(viewer->SetsScrollBar->maximum(), 91);
    EXPECT_EQ(viewer->SetsScrollBar->pageStep(), 10);
    EXPECT_EQ(labelTexts(viewer).join(","),
              "SET: 1,SET: 2,SET: 3,SET: 4,SET: 5,SET: 6,SET: 7,SET: 8,SET: 9,SET: 10");
    EXPECT_EQ(viewer->StripCanvas->image(), expectedStrip());
    EXPECT_TRUE(window.setsViewerRedraw);

    // A second press while it is open opens nothing more.
    QTest::mouseClick(window.SetsViewerButton, Qt::LeftButton);
    EXPECT_EQ(window.findChildren<SetsViewerWindow*>().size(), 1);
    // Even a direct call while the flag is down again keeps one viewer.
    window.setsViewerOpen = false;
    openSetsViewerCommand(window);
    EXPECT_EQ(window.findChildren<SetsViewerWindow*>().size(), 1);
    EXPECT_TRUE(window.setsViewerOpen);
}

TEST_F(SetsViewer, ScrollingToTheEndShowsSetsNinetyOneToHundredAndPicksSetHundred) {
    SetsViewerWindow* viewer = open();
    ASSERT_NE(viewer, nullptr);
    doc->Sets[100][0] = 33;
    viewer->SetsScrollBar->setValue(91);
    EXPECT_EQ(doc->SetsViewerFirst, 91);
    EXPECT_EQ(viewer->SetsViewerLabels[1]->text(), "SET: 91");
    EXPECT_EQ(viewer->SetsViewerLabels[10]->text(), "SET: 100");
    EXPECT_EQ(viewer->StripCanvas->image(), expectedStrip());

    const QImage setCanvasBefore = window.SetCanvas->image();
    QTest::mouseClick(viewer->StripCanvas, Qt::LeftButton, {}, QPoint(760, 40));
    EXPECT_EQ(doc->CurrentSet, 100);
    EXPECT_EQ(window.SetNumberLabel->text(), "100");
    // The main window shows the picked set at once.
    QImage expectedSet(400, 400, QImage::Format_RGB32);
    drawSetCanvas(*doc, expectedSet);
    EXPECT_NE(window.SetCanvas->image(), setCanvasBefore);
    EXPECT_EQ(window.SetCanvas->image(), expectedSet);

    // The scroll bar never goes past 91, so no label names a set above 100.
    viewer->SetsScrollBar->setValue(100);
    EXPECT_EQ(doc->SetsViewerFirst, 91);
    EXPECT_EQ(viewer->SetsViewerLabels[10]->text(), "SET: 100");
}

TEST_F(SetsViewer, OnlyAPlainLeftButtonOverABlockPicksASet) {
    SetsViewerWindow* viewer = open();
    ASSERT_NE(viewer, nullptr);
    viewer->SetsScrollBar->setValue(20);
    QTest::mouseClick(viewer->StripCanvas, Qt::RightButton, {}, QPoint(100, 40));
    EXPECT_EQ(doc->CurrentSet, 1);
    QTest::mouseClick(viewer->StripCanvas, Qt::MiddleButton, {}, QPoint(100, 40));
    EXPECT_EQ(doc->CurrentSet, 1);
    // Block 1 (x 80..159) of a strip starting at 20 is set 21.
    QTest::mouseClick(viewer->StripCanvas, Qt::LeftButton, {}, QPoint(100, 40));
    EXPECT_EQ(doc->CurrentSet, 21);
    EXPECT_EQ(window.SetNumberLabel->text(), "21");
    // Block 0 is set 20 (QPoint(0, 0) would mean the centre to QTest).
    QTest::mouseClick(viewer->StripCanvas, Qt::LeftButton, {}, QPoint(1, 1));
    EXPECT_EQ(doc->CurrentSet, 20);
}

TEST_F(SetsViewer, ClicksRightAfterAFileDialogAreSwallowed) {
    SetsViewerWindow* viewer = open();
    ASSERT_NE(viewer, nullptr);
    window.skipCanvasEvents(2);
    QTest::mouseClick(viewer->StripCanvas, Qt::LeftButton, {}, QPoint(300, 40));
    EXPECT_EQ(doc->CurrentSet, 1);
    EXPECT_EQ(window.canvasEventsToSkip(), 0);
    EXPECT_EQ(window.SetNumberLabel->text(), "1");
    QTest::mouseClick(viewer->StripCanvas, Qt::LeftButton, {}, QPoint(300, 40));
    EXPECT_EQ(doc->CurrentSet, 4);
}

TEST_F(SetsViewer, MainWindowRedrawRedrawsTheStripWhileOpen) {
    SetsViewerWindow* viewer = open();
    ASSERT_NE(viewer, nullptr);
    const QImage before = viewer->StripCanvas->image();
    doc->Sets[3][12] = 33; // the centre cell of the third block
    window.redrawMainWindow();
    const QImage& after = viewer->StripCanvas->image();
    EXPECT_NE(after, before);
    EXPECT_EQ(after, expectedStrip());
}

TEST_F(SetsViewer, ClosingClearsTheFlagAndAllowsReopeningWhereItWas) {
    SetsViewerWindow* viewer = open();
    ASSERT_NE(viewer, nullptr);
    viewer->SetsScrollBar->setValue(50);
    QPointer<SetsViewerWindow> watch(viewer);
    EXPECT_TRUE(viewer->close());
    EXPECT_FALSE(window.setsViewerOpen);
    EXPECT_FALSE(window.setsViewerRedraw);
    EXPECT_EQ(openSetsViewerOf(window), nullptr);
    flushDeletes();
    EXPECT_TRUE(watch.isNull());
    window.redrawMainWindow(); // no viewer left to draw

    // The first shown set outlives the window: scroll bar and labels agree with it.
    SetsViewerWindow* again = open();
    ASSERT_NE(again, nullptr);
    EXPECT_TRUE(window.setsViewerOpen);
    EXPECT_EQ(again->SetsScrollBar->value(), 50);
    EXPECT_EQ(again->SetsViewerLabels[1]->text(), "SET: 50");
    QTest::mouseClick(again->StripCanvas, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(doc->CurrentSet, 50);
}

TEST_F(SetsViewer, AFirstSetOutOfRangeIsBroughtIntoTheScrollRange) {
    doc->SetsViewerFirst = 250;
    SetsViewerWindow* viewer = open();
    ASSERT_NE(viewer, nullptr);
    EXPECT_EQ(doc->SetsViewerFirst, 91);
    EXPECT_EQ(viewer->SetsViewerLabels[10]->text(), "SET: 100");
    QTest::mouseClick(viewer->StripCanvas, Qt::LeftButton, {}, QPoint(799, 79));
    EXPECT_EQ(doc->CurrentSet, 100);
}

TEST(SetsViewerLifetime, MainWindowGoesAwayWithViewersOpen) {
    auto doc = test::freshDocument();
    auto window = std::make_unique<MainWindow>(*doc);
    startUp(*doc, *window);
    window->show();
    openSetsViewerCommand(*window);
    openMultiFontViewCommand(*window);
    QPointer<SetsViewerWindow> viewer = openSetsViewerOf(*window);
    QPointer<MultiFontViewWindow> view = openMultiFontViewOf(*window);
    ASSERT_FALSE(viewer.isNull());
    ASSERT_FALSE(view.isNull());
    // They go with the main window: nothing is left open on a document that is gone.
    window.reset();
    EXPECT_TRUE(viewer.isNull());
    EXPECT_TRUE(view.isNull());
}

} // namespace
