// Commands of the main window through its menu items, shortcuts, buttons and timer.

#include "core/glyph_edit.h"
#include "gui/app.h"
#include "gui/canvas_widget.h"
#include "gui/main_window.h"
#include "scripted_dialogs.h"
#include "test_document.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace korvex;

namespace {

class MainWindowCommands : public ::testing::Test {
protected:
    MainWindowCommands() {
        startUp(*doc, window);
        window.show();
        window.activateWindow();
        QApplication::setActiveWindow(&window);
    }

    void tick() {
        MainEvent e{MainEventKind::Timer};
        e.id = MainWindow::kAnimationTimerId;
        window.mainWindowEvent(e);
    }
    // A row of a glyph in the current font as its Atari byte.
    int row(int glyph, int y) const {
        int b = 0;
        for (int x = 0; x < 8; ++x)
            if (doc->pixel(doc->CurrentFont, glyph, x, y) == 1)
                b |= 0x80 >> x;
        return b;
    }
    void setRow(int glyph, int y, int b) {
        for (int x = 0; x < 8; ++x)
            doc->setPixel(doc->CurrentFont, glyph, x, y, (b >> (7 - x)) & 1);
    }

    test::ScriptedDialogs dialogs;
    std::unique_ptr<Document> doc = test::freshDocument();
    MainWindow window{*doc};
};

TEST_F(MainWindowCommands, AnimationRunsFramesThreeToFiveAndStopsAfterTwentyTicks) {
    window.AnimStartCombo->setCurrentIndex(2);
    window.AnimStopCombo->setCurrentIndex(4);
    doc->Sets[4][0] = 33; // only set 4 shows something in its first cell
    QTest::mouseClick(window.AnimStartButton, Qt::LeftButton);
    ASSERT_EQ(doc->AnimRunning, 1);
    std::vector<int64_t> frames;
    for (int i = 0; i < 25; ++i) {
        frames.push_back(doc->AnimFrame);
        tick();
        if (i == 0) { // frame 3 drawn: empty set, black
            EXPECT_EQ(window.AnimCanvas->image().pixel(7, 3), qRgb(0, 0, 0));
        }
        if (i == 1) { // frame 4 drawn: glyph 33 at magnification 2
            EXPECT_EQ(window.AnimCanvas->image().pixel(7, 3), qRgb(238, 238, 238));
        }
    }
    EXPECT_EQ(std::vector<int64_t>(frames.begin(), frames.begin() + 7),
              (std::vector<int64_t>{3, 4, 5, 3, 4, 5, 3}));
    EXPECT_EQ(doc->AnimRunning, 0);
    EXPECT_EQ(doc->AnimTicksLeft, 0);
}

TEST_F(MainWindowCommands, EqualStartAndStopKeepsRedrawingTheSingleFrame) {
    window.AnimStartCombo->setCurrentIndex(6);
    window.AnimStopCombo->setCurrentIndex(6);
    QTest::mouseClick(window.AnimStartButton, Qt::LeftButton);
    for (int i = 0; i < 50; ++i)
        tick();
    EXPECT_EQ(doc->AnimRunning, 1);
    EXPECT_EQ(doc->AnimFrame, 7);
}

TEST_F(MainWindowCommands, StartAfterStopIsRefusedAndChangesNothing) {
    window.AnimStartCombo->setCurrentIndex(4);
    window.AnimStopCombo->setCurrentIndex(2);
    QTest::mouseClick(window.AnimStartButton, Qt::LeftButton);
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].title, "Error anim!");
    EXPECT_EQ(dialogs.asked[0].textOrStart, "Start frame must not be less than the stop frame!");
    EXPECT_EQ(doc->AnimRunning, 0);
    EXPECT_EQ(doc->AnimFirst, 0);
    EXPECT_EQ(doc->AnimFrame, 0);
}

TEST_F(MainWindowCommands, QuitAsksAndNoChangesNothing) {
    // A change to the work: without recovery copies kept, a step to undo is work
    // that may be unsaved.
    QTest::mouseClick(window.InverseButton, Qt::LeftButton);
    dialogs.answers = {false};
    window.menuAction(MenuExit)->trigger();
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].title, "Exit...");
    EXPECT_EQ(dialogs.asked[0].textOrStart, "Exit? Unsaved changes will be lost!");
    EXPECT_TRUE(dialogs.asked[0].noIsDefault);
    EXPECT_TRUE(window.isVisible());
    dialogs.answers = {false};
    EXPECT_FALSE(window.close()); // the close box asks the same
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(dialogs.asked.size(), 2u);
    dialogs.answers = {true};
    MainEvent close{MainEventKind::Close};
    EXPECT_EQ(window.mainWindowEvent(close), 0);
}

TEST_F(MainWindowCommands, AboutBoxStartsWithTheIndentedProductLine) {
    window.menuAction(MenuAbout)->trigger();
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].title, "About...");
    EXPECT_TRUE(dialogs.asked[0].textOrStart.startsWith(QString(29, ' ') + "Korvex 2  (0.52)\r"));
}

TEST_F(MainWindowCommands, FontButtonsExchangeColoursButMenuAndArrowsDoNot) {
    doc->ColourLUM = 0x102030;
    QTest::mouseClick(window.FontNextButton, Qt::LeftButton);
    EXPECT_EQ(doc->CurrentFont, 2);
    EXPECT_EQ(window.FontNumberLabel->text(), "2");
    EXPECT_EQ(doc->FontColours[1][LUM], 0x102030);
    EXPECT_EQ(doc->ColourLUM, 0xEEEEEE);
    EXPECT_EQ(window.statusField(1), "Font: Empty.fnt");

    doc->ColourLUM = 0x405060;
    window.menuAction(MenuFontNext)->trigger();
    EXPECT_EQ(doc->CurrentFont, 3);
    EXPECT_EQ(doc->ColourLUM, 0x405060);
    EXPECT_EQ(doc->FontColours[2][LUM], 0xEEEEEE);
    EXPECT_EQ(window.statusField(1), "Font: Empty.fnt");
    doc->FontName[4] = "x.fnt";
    QTest::keyClick(window.FontCanvas, Qt::Key_Right);
    EXPECT_EQ(doc->CurrentFont, 4);
    EXPECT_EQ(window.statusField(1), "Font: Empty.fnt"); // arrows leave the status bar
    QTest::keyClick(window.FontCanvas, Qt::Key_Left);
    EXPECT_EQ(doc->CurrentFont, 3);

    doc->CurrentFont = 10;
    QTest::mouseClick(window.FontNextButton, Qt::LeftButton);
    window.menuAction(MenuFontNext)->trigger();
    EXPECT_EQ(doc->CurrentFont, 10);
    doc->CurrentFont = 1;
    QTest::mouseClick(window.FontPrevButton, Qt::LeftButton);
    EXPECT_EQ(doc->CurrentFont, 1);
}

TEST_F(MainWindowCommands, SetStepsByMenuShortcutAndButtonsStopAtTheEnds) {
    QTest::mouseClick(window.SetNextButton, Qt::LeftButton);
    EXPECT_EQ(doc->CurrentSet, 2);
    EXPECT_EQ(window.SetNumberLabel->text(), "2");
    QTest::keyClick(window.FontCanvas, Qt::Key_PageDown);
    EXPECT_EQ(doc->CurrentSet, 3);
    QTest::keyClick(window.FontCanvas, Qt::Key_PageUp);
    QTest::mouseClick(window.SetPrevButton, Qt::LeftButton);
    QTest::mouseClick(window.SetPrevButton, Qt::LeftButton);
    EXPECT_EQ(doc->CurrentSet, 1);
    doc->CurrentSet = 100;
    window.menuAction(MenuSetNext)->trigger();
    EXPECT_EQ(doc->CurrentSet, 100);
}

TEST_F(MainWindowCommands, ModeButtonCaptionNamesTheNextModeAndKeepsFourColourChoice) {
    QTest::mouseClick(window.ModeButton, Qt::LeftButton);
    EXPECT_EQ(window.ModeButton->text(), "FONT Mode");
    EXPECT_EQ(doc->FourColourMode, 1);
    EXPECT_EQ(doc->LeftColour, PF0);
    doc->LeftColour = PF3;
    doc->RightColour = PF1;
    QTest::mouseClick(window.ModeButton, Qt::LeftButton);
    EXPECT_EQ(window.ModeButton->text(), "GFX Mode");
    EXPECT_EQ(doc->LeftColour, LUM);
    EXPECT_EQ(doc->RightColour, BAK);
    EXPECT_EQ(window.LeftColourBox->palette().color(QPalette::Window), QColor(238, 238, 238));
    QTest::mouseClick(window.ModeButton, Qt::LeftButton);
    EXPECT_EQ(doc->LeftColour, PF3);
    EXPECT_EQ(doc->RightColour, PF1);
    EXPECT_EQ(window.LeftColourBox->palette().color(QPalette::Window), QColor(149, 20, 123));
}

// Every glyph command from its menu item, its shortcut and its button.
TEST_F(MainWindowCommands, GlyphCommandsFromMenuShortcutAndButtonAgree) {
    struct Case {
        int menuId;
        QKeySequence key;
        QPushButton* MainWindow::*button;
        int expectedRow0; // row 0 of glyph 1 after the command, from 0x81 / row 7 = 0xF0
    };
    const Case cases[] = {
        {MenuHMirror, QKeySequence("H"), &MainWindow::HMirrorButton, 0x81},
        {MenuShiftRight, QKeySequence("Shift+Right"), &MainWindow::ShiftRightButton, 0xC0},
        {MenuShiftLeft, QKeySequence("Shift+Left"), &MainWindow::ShiftLeftButton, 0x03},
        {MenuShiftUp, QKeySequence("Shift+Up"), &MainWindow::ShiftUpButton, 0x18},
        {MenuShiftDown, QKeySequence("Shift+Down"), &MainWindow::ShiftDownButton, 0xF0},
        {MenuVMirror, QKeySequence("V"), &MainWindow::VMirrorButton, 0xF0},
        {MenuInverse, QKeySequence("I"), &MainWindow::InverseButton, 0x7E},
        {MenuClear, QKeySequence("Delete"), &MainWindow::ClearButton, 0x00},
    };
    for (const Case& c : cases) {
        for (int way = 0; way < 3; ++way) {
            SCOPED_TRACE(testing::Message() << "menu " << c.menuId << " way " << way);
            doc->CurrentGlyph = 1;
            setRow(1, 0, 0x81);
            setRow(1, 1, 0x18);
            setRow(1, 7, 0xF0);
            if (way == 0)
                window.menuAction(c.menuId)->trigger();
            else if (way == 1)
                QTest::keySequence(&window, c.key);
            else
                QTest::mouseClick(window.*c.button, Qt::LeftButton);
            EXPECT_EQ(row(1, 0), c.expectedRow0);
        }
    }
}

TEST_F(MainWindowCommands, CopyPasteAndRotateThroughShortcuts) {
    doc->CurrentGlyph = 33;
    QTest::keySequence(&window, QKeySequence("Ctrl+C"));
    doc->CurrentGlyph = 2;
    QTest::keySequence(&window, QKeySequence("Ctrl+V"));
    for (int y = 0; y < 8; ++y)
        EXPECT_EQ(row(2, y), row(33, y));
    EXPECT_NE(window.CopyBufferCanvas->image().pixel(7, 3), qRgb(0, 0, 0));
    setRow(3, 0, 0x80);
    for (int y = 1; y < 8; ++y)
        setRow(3, y, 0);
    doc->CurrentGlyph = 3;
    QTest::keySequence(&window, QKeySequence("R"));
    EXPECT_EQ(row(3, 0), 0x01); // a quarter turn clockwise moves (0,0) to (7,0)
}

TEST_F(MainWindowCommands, UndoIsActiveOnlyWithHistoryAndRestoresTheGlyph) {
    EXPECT_FALSE(window.menuAction(MenuUndo)->isEnabled());
    doc->CurrentGlyph = 33;
    const int before = row(33, 1);
    QTest::mouseClick(window.EditorCanvas, Qt::LeftButton, {}, QPoint(2 + 15, 2 + 45));
    EXPECT_NE(row(33, 1), before);
    EXPECT_TRUE(window.menuAction(MenuUndo)->isEnabled());
    QTest::keySequence(&window, QKeySequence("Ctrl+Z"));
    EXPECT_EQ(row(33, 1), before);
    EXPECT_FALSE(doc->history.canUndo());
    EXPECT_FALSE(window.menuAction(MenuUndo)->isEnabled());
}

TEST_F(MainWindowCommands, GridOptionsAndCheckBoxes) {
    window.menuAction(MenuGrid)->trigger();
    EXPECT_EQ(doc->SetPreviewGridOn, 0);
    EXPECT_EQ(window.SetPreviewCanvas->image().pixel(16, 5), qRgb(64, 64, 64));
    window.menuAction(MenuGrid)->trigger();
    EXPECT_EQ(window.SetPreviewCanvas->image().pixel(16, 5), qRgb(80, 80, 80));
    QTest::mouseClick(window.GridCheckBox, Qt::LeftButton);
    EXPECT_EQ(doc->SetEditorGridOn, 0);
    EXPECT_EQ(window.SetCanvas->image().pixel(80, 5), qRgb(48, 48, 48));
    QTest::mouseClick(window.MaskOption, Qt::LeftButton);
    EXPECT_EQ(doc->SetViewMode, SetView::Mask);
    QTest::mouseClick(window.NormalOption, Qt::LeftButton);
    EXPECT_EQ(doc->SetViewMode, SetView::Normal);
    QTest::mouseClick(window.DrawOnSetCheckBox, Qt::LeftButton);
    EXPECT_EQ(doc->DrawOnSet, 0);
}

TEST_F(MainWindowCommands, DefaultFontAsksFirstAndKeepsTheName) {
    for (int y = 0; y < 8; ++y)
        setRow(33, y, 0xFF);
    doc->FontName[1] = "mine.fnt";
    dialogs.answers = {false};
    window.menuAction(MenuDefaultFont)->trigger();
    EXPECT_EQ(row(33, 0), 0xFF);
    dialogs.answers = {true};
    QTest::mouseClick(window.DefaultFontButton, Qt::LeftButton);
    EXPECT_EQ(dialogs.asked.back().title, "Default font...");
    EXPECT_EQ(dialogs.asked.back().textOrStart, "Load Atari Default Font ?");
    EXPECT_EQ(row(33, 0), 0x00);
    EXPECT_EQ(row(33, 2), 0x3C);
    EXPECT_EQ(doc->FontName[1], "mine.fnt");
}

TEST_F(MainWindowCommands, EveryEventCountsDownTheClickGuard) {
    window.setClickGuard(3);
    tick();
    EXPECT_EQ(window.clickGuard(), 2);
    window.menuAction(MenuSetCopy)->trigger();
    EXPECT_EQ(window.clickGuard(), 1);
    QTest::mouseMove(window.FontCanvas, QPoint(10, 10));
    EXPECT_EQ(window.clickGuard(), 0);
    tick();
    EXPECT_EQ(window.clickGuard(), 0);
    window.menuAction(MenuLoadFont)->trigger(); // a command that opens a dialog
    EXPECT_EQ(window.clickGuard(), 15);
}

TEST_F(MainWindowCommands, QuitWithNothingToLoseAsksNothing) {
    MainEvent close{MainEventKind::Close};
    EXPECT_EQ(window.mainWindowEvent(close), 0);
    EXPECT_TRUE(dialogs.asked.empty());
}

} // namespace
