// Mouse and keys on the main window's canvases and swatches.

#include "gui/app.h"
#include "gui/canvas_widget.h"
#include "gui/main_window.h"
#include "scripted_dialogs.h"
#include "test_document.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <gtest/gtest.h>

using namespace korvex;

namespace {

// Widget position of a drawing position on a canvas with a border.
QPoint inBorder(int x, int y) {
    return QPoint(x + 2, y + 2);
}

class MainWindowInput : public ::testing::Test {
protected:
    MainWindowInput() {
        startUp(*doc, window);
        window.show();
        QApplication::setActiveWindow(&window);
    }
    uint8_t pixel(int glyph, int x, int y) const {
        return doc->pixel(doc->CurrentFont, glyph, x, y);
    }

    test::ScriptedDialogs dialogs;
    std::unique_ptr<Document> doc = test::freshDocument();
    MainWindow window{*doc};
};

TEST_F(MainWindowInput, LeftDragPaintsEveryPixelCrossedAndRightClears) {
    doc->CurrentGlyph = 0; // blank glyph
    QTest::mousePress(window.EditorCanvas, Qt::LeftButton, {}, inBorder(5, 95));
    for (int x = 5; x < 240; x += 10)
        QTest::mouseMove(window.EditorCanvas, inBorder(x, 95));
    QTest::mouseRelease(window.EditorCanvas, Qt::LeftButton, {}, inBorder(235, 95));
    for (int x = 0; x < 8; ++x)
        EXPECT_EQ(pixel(0, x, 3), 1) << x;
    EXPECT_EQ(pixel(0, 0, 2), 0);
    EXPECT_EQ(doc->history.undoCount(), 1u); // the whole drag is one step
    // The editor shows LUM there now.
    EXPECT_EQ(window.EditorCanvas->image().pixel(100, 100), qRgb(238, 238, 238));

    QTest::mousePress(window.EditorCanvas, Qt::RightButton, {}, inBorder(65, 95));
    QTest::mouseMove(window.EditorCanvas, inBorder(95, 95));
    QTest::mouseRelease(window.EditorCanvas, Qt::RightButton, {}, inBorder(95, 95));
    EXPECT_EQ(pixel(0, 2, 3), 0);
    EXPECT_EQ(pixel(0, 3, 3), 0);
    EXPECT_EQ(pixel(0, 4, 3), 1);
}

TEST_F(MainWindowInput, ClickGuardBlocksOnlyTheLeftButton) {
    doc->Sets[1][0] = 33;
    window.menuAction(MenuLoadFont)->trigger(); // cancelled dialog: guard and skip set
    window.skipCanvasEvents(0);
    doc->CurrentGlyph = 5;
    QTest::mouseClick(window.SetCanvas, Qt::LeftButton, {}, inBorder(15, 15));
    EXPECT_EQ(doc->CurrentGlyph, 5);
    EXPECT_EQ(doc->pixel(1, 33, 1, 1), 0);
    QTest::mouseClick(window.SetCanvas, Qt::RightButton, {}, inBorder(35, 25));
    EXPECT_EQ(doc->CurrentGlyph, 33);
    EXPECT_EQ(doc->CurrentSetCell, 0);
    EXPECT_EQ(window.GlyphInfoLabel->text(), "Char: $21 (33)");
    // Right paints BAK: pixel (3, 2) of "A" was set.
    EXPECT_EQ(doc->pixel(1, 33, 3, 2), 0);
}

TEST_F(MainWindowInput, SetCanvasPaintsTheCellsGlyphAndReportsIt) {
    doc->Sets[1][6] = 33 + 128; // cell (1, 1) holds the inverse "A"
    QTest::mouseClick(window.SetCanvas, Qt::LeftButton, {}, inBorder(80 + 5, 80 + 5));
    EXPECT_EQ(doc->CurrentGlyph, 161);
    EXPECT_EQ(doc->CurrentSetCell, 6);
    // Left on an inverse code clears the pixel (it shows LUM).
    EXPECT_EQ(doc->pixel(1, 33, 0, 0), 0);
    EXPECT_EQ(window.statusField(0), "Char Set: $A1 (161)");
    QTest::mouseMove(window.SetCanvas, inBorder(300, 300));
    EXPECT_EQ(window.statusField(0), "Char Set: NONE");
}

TEST_F(MainWindowInput, EmptyOrBadCellsLeaveNoGlyphToPaint) {
    QTest::mouseClick(window.SetCanvas, Qt::LeftButton, {}, inBorder(5, 5));
    EXPECT_EQ(doc->CurrentGlyph, -1);
    EXPECT_EQ(window.GlyphInfoLabel->text(), "Char: $FFFFFFFFFFFFFFFF (-1)");
    EXPECT_EQ(window.EditorCanvas->image().pixel(15, 15), qRgb(0, 0, 0));
    QTest::mouseClick(window.EditorCanvas, Qt::LeftButton, {}, inBorder(5, 5));
    EXPECT_FALSE(doc->history.canUndo());

    // A code from a hand-edited file: shown, but never painted.
    doc->Sets[1][1] = 300;
    GlyphBytes before[kFontCount][kGlyphCount];
    std::memcpy(before, doc->Glyphs, sizeof before);
    QTest::mouseClick(window.SetCanvas, Qt::LeftButton, {}, inBorder(85, 5));
    EXPECT_EQ(doc->CurrentGlyph, 300);
    EXPECT_EQ(window.statusField(0), "Char Set: $12C (300)");
    QTest::mouseClick(window.EditorCanvas, Qt::LeftButton, {}, inBorder(5, 5));
    QTest::mouseClick(window.SetCanvas, Qt::RightButton, {}, inBorder(85, 5));
    EXPECT_EQ(std::memcmp(before, doc->Glyphs, sizeof before), 0);
    EXPECT_FALSE(doc->history.canUndo());
}

TEST_F(MainWindowInput, SetPreviewButtons) {
    doc->Sets[1][7] = 65;
    doc->PickedGlyph = 12;
    QTest::mouseClick(window.SetPreviewCanvas, Qt::MiddleButton, {}, QPoint(16 * 2 + 3, 16 + 3));
    EXPECT_EQ(doc->CurrentGlyph, 65);
    EXPECT_EQ(doc->PickedGlyph, 12);
    QTest::mouseClick(window.SetPreviewCanvas, Qt::RightButton, {}, QPoint(16 * 2 + 3, 16 + 3));
    EXPECT_EQ(doc->Sets[1][7], -1);
    QTest::mouseClick(window.SetPreviewCanvas, Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(doc->Sets[1][0], 12);
    EXPECT_EQ(window.statusField(0), "Char Set: $C (12)");
}

TEST_F(MainWindowInput, HeldDigitFillsASetRowAndLeavesTheEditor) {
    const QPoint code65 = inBorder(17 * 1 + 3, 17 * 2 + 3); // glyph 65: row 2, column 1
    doc->CurrentGlyph = 7;
    QTest::keyPress(window.FontCanvas, Qt::Key_3);
    for (int i = 0; i < 3; ++i)
        QTest::mouseClick(window.FontCanvas, Qt::LeftButton, {}, code65);
    EXPECT_EQ(doc->Sets[1][10], 65);
    EXPECT_EQ(doc->Sets[1][11], 65);
    EXPECT_EQ(doc->Sets[1][12], 65);
    EXPECT_EQ(doc->Sets[1][13], -1);
    EXPECT_EQ(doc->CurrentGlyph, 7);
    EXPECT_EQ(doc->PickedGlyph, 1);
    EXPECT_EQ(window.PickedCodeLabel->text(), "$41 (65)");
    QTest::keyRelease(window.FontCanvas, Qt::Key_3);
    EXPECT_EQ(window.heldDigit(), 0);
    QTest::mouseClick(window.FontCanvas, Qt::LeftButton, {}, code65);
    EXPECT_EQ(doc->Sets[1][13], -1);
    EXPECT_EQ(doc->PickedGlyph, 65);
    EXPECT_EQ(doc->CurrentGlyph, 65);
    EXPECT_EQ(window.statusField(0), "Char Font: $41 (65)");
    // The inverse half starts at y = 68.
    QTest::mouseMove(window.FontCanvas, inBorder(0, 68));
    EXPECT_EQ(window.statusField(0), "Char Font: $80 (128)");
}

TEST_F(MainWindowInput, FunctionKeysSwatchesAndD) {
    QTest::keyClick(window.FontCanvas, Qt::Key_F3); // two-colour: nothing but a refresh
    EXPECT_EQ(doc->LeftColour, LUM);
    QTest::keyClick(window.FontCanvas, Qt::Key_F2);
    EXPECT_EQ(doc->LeftColour, BAK);
    EXPECT_EQ(window.LeftColourBox->palette().color(QPalette::Window), QColor(0, 0, 0));
    QTest::mouseClick(window.Swatch[LUM], Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(doc->LeftColour, LUM);
    QTest::mouseClick(window.Swatch[PF0], Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_EQ(doc->RightColour, BAK); // PF0 is no two-colour register
    doc->FourColourMode = 1;
    QTest::mouseClick(window.Swatch[PF1], Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_EQ(doc->RightColour, PF1);
    EXPECT_EQ(window.RightColourBox->palette().color(QPalette::Window), QColor(71, 183, 27));
    QTest::keyClick(window.FontCanvas, Qt::Key_F6);
    EXPECT_EQ(doc->LeftColour, PF3);

    QTest::keyClick(window.FontCanvas, Qt::Key_D);
    EXPECT_EQ(doc->DrawOnSet, 0);
    EXPECT_FALSE(window.DrawOnSetCheckBox->isChecked());
    QTest::keyClick(window.FontCanvas, Qt::Key_D);
    EXPECT_EQ(doc->DrawOnSet, 1);
    EXPECT_TRUE(window.DrawOnSetCheckBox->isChecked());
}

TEST_F(MainWindowInput, FileDialogSwallowsTheNextTwoCanvasEvents) {
    window.skipCanvasEvents(2);
    const QPoint code65 = inBorder(17 * 1 + 3, 17 * 2 + 3);
    QTest::mouseClick(window.FontCanvas, Qt::LeftButton, {}, code65); // press + release
    EXPECT_EQ(doc->PickedGlyph, 1);
    EXPECT_EQ(window.canvasEventsToSkip(), 0);
    QTest::mouseClick(window.FontCanvas, Qt::LeftButton, {}, code65);
    EXPECT_EQ(doc->PickedGlyph, 65);
}

} // namespace

TEST_F(MainWindowInput, ArrowKeysInAnOpenMenuLeaveTheFont) {
    QMenu* fontMenu = window.menuBar()->actions().at(1)->menu();
    ASSERT_NE(fontMenu, nullptr);
    fontMenu->popup(window.mapToGlobal(QPoint(20, 20)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(fontMenu));
    // Keys of an open menu can reach the window's own widgets as well.
    QTest::keyClick(window.FontCanvas, Qt::Key_Right);
    EXPECT_EQ(doc->CurrentFont, 1);
    fontMenu->close();
    QTest::keyClick(window.FontCanvas, Qt::Key_Right);
    EXPECT_EQ(doc->CurrentFont, 2);
}
