// The View Editor window: opening, layout, canvas editing with the mouse and the
// Control key, the screen selector, the switches, the menus, the file commands,
// View All Screens, exports and closing.

#include "core/glyph_code.h"
#include "core/screens.h"
#include "formats/view_editor_files.h"
#include "gui/export_window.h"
#include "gui/range_dialog.h"
#include "gui/view_all_screens.h"
#include "modal_test_tools.h"
#include "view_editor_test_fixture.h"

#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QScrollBar>
#include <QTemporaryDir>

using namespace korvex;

namespace {

using ViewEditor = test::ViewEditorTest;

const QString kDataLoadFilters = "View Editor Data (*.ved2)|*.ved2|All files (*.*)|*.*";
const QString kDataSaveFilters = "View Editor data (*.ved2)|*.ved2|All files (*.*)|*.*";
const QString kScreenFilters = "View Editor screen data (*.sved2)|*.sved2|All files (*.*)|*.*";

int nonZeroCells(const Document& doc, int screen) {
    int n = 0;
    for (int row = 0; row < kScreenRows; ++row)
        for (int column = 0; column < kScreenColumns; ++column)
            n += getCell(doc, screen, column, row) != 0;
    return n;
}

TEST_F(ViewEditor, OpensOnceWithItsLayoutAndDrawsTheCurrentScreen) {
    doc->viewEditorX = 130;
    doc->viewEditorY = 95;
    setCell(*doc, 0, 2, 2, 33);
    ViewEditorWindow* editor = open();
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(window.viewEditorOpen);
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->windowTitle(), "View Editor");
    EXPECT_EQ(editor->pos(), QPoint(130, 95));
    EXPECT_EQ(editor->centralWidget()->size(), QSize(849, 477));
    EXPECT_EQ(editor->centralWidget()->palette().color(QPalette::Window), QColor(192, 192, 192));
    EXPECT_EQ(editor->Canvas->geometry(), QRect(126, 14, 644, 388));
    EXPECT_EQ(editor->Canvas->image().size(), QSize(640, 384));
    EXPECT_EQ(editor->VerticalScrollBar->geometry(), QRect(774, 14, 18, 388));
    EXPECT_EQ(editor->RowStrip->geometry(), QRect(796, 14, 44, 388));
    EXPECT_EQ(editor->RowStrip->image().size(), QSize(40, 384));
    EXPECT_EQ(editor->HorizontalScrollBar->geometry(), QRect(126, 405, 644, 18));
    EXPECT_EQ(editor->VerticalScrollBar->maximum(), 2);
    EXPECT_EQ(editor->HorizontalScrollBar->maximum(), 2);
    EXPECT_EQ(editor->ScreenLabel->text(), "SCREEN:");
    EXPECT_EQ(editor->ScreenLabel->geometry(), QRect(648, 432, 54, 18));
    EXPECT_EQ(editor->PositionText->geometry(), QRect(711, 432, 54, 18));
    EXPECT_EQ(editor->PositionText->text(), "0,0");

    struct Expected {
        QPushButton* button;
        const char* caption;
        QRect place;
    };
    const Expected buttons[] = {
        {editor->LoadButton, "Load", {9, 18, 99, 27}},
        {editor->LoadScreenButton, "Load Screen", {9, 54, 99, 27}},
        {editor->SaveButton, "Save", {9, 99, 99, 27}},
        {editor->SaveScreenButton, "Save Screen", {9, 135, 99, 27}},
        {editor->LoadRangeButton, "Load Range", {9, 180, 99, 27}},
        {editor->SaveExportRangeButton, "Save/Export Range", {9, 216, 99, 35}},
        {editor->ExportScreenButton, "Export Screen", {9, 300, 99, 27}},
        {editor->ViewAllScreensButton, "View all screens", {9, 418, 99, 32}},
        {editor->GridToggle, "GRID", {126, 432, 72, 18}},
        {editor->SetDrawToggle, "SET DRAW", {216, 432, 81, 18}},
        {editor->AlwaysOnTopToggle, "ALWAYS ON TOP", {315, 432, 108, 18}},
    };
    for (const Expected& e : buttons) {
        EXPECT_EQ(e.button->text(), e.caption);
        EXPECT_EQ(e.button->geometry(), e.place) << e.caption;
    }
    for (QPushButton* toggle :
         {editor->GridToggle, editor->SetDrawToggle, editor->AlwaysOnTopToggle})
        EXPECT_TRUE(toggle->isCheckable());

    QStringList menus;
    for (QAction* menu : editor->menuBar()->actions()) {
        QStringList items;
        for (QAction* item : menu->menu()->actions())
            items << item->text();
        menus << menu->text() + ": " + items.join(", ");
    }
    EXPECT_EQ(
        menus.join(" / "),
        "File: Load ..., Save ..., Export to Tiled..., Import from Tiled..., Export screen as "
        "image..., Import picture to screen...\tCtrl+Shift+I, Exit / Other: Clear Screen, Crear "
        "All Screens, Fill Screen / Rows: Apply Row to All Rows\tCtrl+Shift+A, Copy Row "
        "Table\tCtrl+Shift+C, Paste Row Table\tCtrl+Shift+V, , Next Font for Row\tCtrl+Shift+F, "
        "Next Mode for Row\tCtrl+Shift+M, , Row Above\tCtrl+Shift+Up, Row Below\tCtrl+Shift+Down "
        "/ View: Atari View\tCtrl+T");

    EXPECT_EQ(editor->Canvas->image(), expectedCanvas());
    EXPECT_TRUE(window.viewEditorRedraw);

    // The button does nothing while the View Editor is open, and even a direct
    // call keeps a single window.
    QTest::mouseClick(window.ViewEditorButton, Qt::LeftButton);
    openViewEditorCommand(window);
    EXPECT_EQ(window.findChildren<ViewEditorWindow*>().size(), 1);
}

TEST_F(ViewEditor, OpeningShowsTheSelectorAndSwitchesFromTheDocument) {
    doc->currentScreen = 7;
    doc->gridShown = 1;
    doc->setDrawing = 1;
    doc->alwaysOnTop = 1;
    setCell(*doc, 7, 0, 0, 65);
    ViewEditorWindow* editor = open();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->HorizontalScrollBar->value(), 1);
    EXPECT_EQ(editor->VerticalScrollBar->value(), 2);
    EXPECT_EQ(editor->PositionText->text(), "1,2");
    EXPECT_EQ(doc->currentScreen, 7);
    EXPECT_TRUE(editor->GridToggle->isChecked());
    EXPECT_TRUE(editor->SetDrawToggle->isChecked());
    EXPECT_TRUE(editor->AlwaysOnTopToggle->isChecked());
    EXPECT_TRUE(editor->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(editor->Canvas->image(), expectedCanvas());
}

TEST_F(ViewEditor, ScreenNumberPastTheLastScreenOpensSafely) {
    doc->currentScreen = 200;
    ViewEditorWindow* editor = open();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->PositionText->text(), "2,2");
    EXPECT_EQ(doc->currentScreen, 200);
    QTest::mouseClick(editor->Canvas, Qt::LeftButton, {}, at(5, 5));
    for (int s = 0; s < kScreenCount; ++s)
        EXPECT_EQ(nonZeroCells(*doc, s), 0);
    editor->HorizontalScrollBar->setValue(0);
    EXPECT_EQ(doc->currentScreen, 6);
}

TEST_F(ViewEditor, ScrollBarsSelectTheScreenAndNameIt) {
    ViewEditorWindow* editor = open();
    ASSERT_NE(editor, nullptr);
    setCell(*doc, 5, 1, 1, 40);
    editor->HorizontalScrollBar->setValue(2);
    EXPECT_EQ(doc->currentScreen, 2);
    EXPECT_EQ(editor->PositionText->text(), "2,0");
    editor->VerticalScrollBar->setValue(1);
    EXPECT_EQ(doc->currentScreen, 5);
    EXPECT_EQ(editor->PositionText->text(), "2,1");
    EXPECT_EQ(editor->Canvas->image(), expectedCanvas());
}

TEST_F(ViewEditor, LeftClickOnALineBetweenCellsPaintsTheUpperLeftCell) {
    ViewEditorWindow* editor = open();
    ASSERT_NE(editor, nullptr);
    doc->PickedGlyph = 42;
    QTest::mouseClick(editor->Canvas, Qt::LeftButton, {}, at(32, 48));
    EXPECT_EQ(getCell(*doc, 0, 1, 2), 42);
    EXPECT_EQ(nonZeroCells(*doc, 0), 1);
    EXPECT_EQ(editor->Canvas->image(), expectedCanvas());

    // Holding the button while moving paints continuously.
    QTest::mousePress(editor->Canvas, Qt::LeftButton, {}, at(100, 100));
    QMouseEvent move(QEvent::MouseMove, QPointF(at(120, 100)), QPointF(at(120, 100)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(editor->Canvas, &move);
    QTest::mouseRelease(editor->Canvas, Qt::LeftButton, {}, at(120, 100));
    EXPECT_EQ(getCell(*doc, 0, 6, 6), 42);
    EXPECT_EQ(getCell(*doc, 0, 7, 6), 42);
    EXPECT_EQ(nonZeroCells(*doc, 0), 3);
}

TEST_F(ViewEditor, ControlClickPicksAndAnyKeyReleaseEndsControl) {
    ViewEditorWindow* editor = open();
    ASSERT_NE(editor, nullptr);
    editor->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(editor));
    setCell(*doc, 0, 4, 3, 0x85);
    doc->PickedGlyph = 1;

    QTest::keyPress(editor, Qt::Key_Control);
    EXPECT_TRUE(editor->controlHeld());
    QTest::mouseClick(editor->Canvas, Qt::LeftButton, Qt::ControlModifier,
                      at(4 * 16 + 8, 3 * 16 + 8));
    EXPECT_EQ(doc->PickedGlyph, 0x85);
    EXPECT_EQ(doc->CurrentGlyph, 0x85);
    EXPECT_EQ(nonZeroCells(*doc, 0), 1);
    EXPECT_EQ(window.PickedCodeLabel->text(), QString::fromStdString(codeForm(0x85)));

    // Other keys neither set nor keep the Control state; releasing any key ends it.
    QTest::keyPress(editor, Qt::Key_Shift);
    EXPECT_TRUE(editor->controlHeld());
    QTest::keyRelease(editor, Qt::Key_Shift);
    EXPECT_FALSE(editor->controlHeld());
    QTest::keyPress(editor, Qt::Key_A);
    EXPECT_FALSE(editor->controlHeld());

    // Now a left click paints the picked code.
    QTest::mouseClick(editor->Canvas, Qt::LeftButton, {}, at(8, 8));
    EXPECT_EQ(getCell(*doc, 0, 0, 0), 0x85);
}

TEST_F(ViewEditor, SetDrawStampsPreviewsAndRightClickErasesOneCell) {
    ViewEditorWindow* editor = open();
    ASSERT_NE(editor, nullptr);
    for (int k = 0; k < kSetCells; ++k)
        doc->Sets[1][k] = int16_t(k + 1);
    doc->Sets[1][12] = -1;
    QTest::mouseClick(editor->SetDrawToggle, Qt::LeftButton);
    EXPECT_EQ(doc->setDrawing, 1);

    // The preview follows the mouse without changing the screen.
    QTest::mouseMove(editor->Canvas, at(3 * 16 + 5, 2 * 16 + 5));
    QCoreApplication::processEvents();
    EXPECT_EQ(editor->Canvas->image(), expectedCanvas(3 * 16, 2 * 16));
    EXPECT_EQ(nonZeroCells(*doc, 0), 0);

    setCell(*doc, 0, 5, 4, 99); // under the empty centre place
    QTest::mouseClick(editor->Canvas, Qt::LeftButton, {}, at(3 * 16 + 5, 2 * 16 + 5));
    EXPECT_EQ(getCell(*doc, 0, 3, 2), 1);
    EXPECT_EQ(getCell(*doc, 0, 7, 6), 25);
    EXPECT_EQ(getCell(*doc, 0, 5, 4), 99);
    EXPECT_EQ(nonZeroCells(*doc, 0), 25);

    QTest::mouseClick(editor->Canvas, Qt::RightButton, {}, at(4 * 16 + 5, 3 * 16 + 5));
    EXPECT_EQ(getCell(*doc, 0, 4, 3), 0);
    EXPECT_EQ(nonZeroCells(*doc, 0), 24);
    // The press redraws without the preview; the release shows it again.
    EXPECT_EQ(editor->Canvas->image(), expectedCanvas(4 * 16, 3 * 16));
    QTest::mousePress(editor->Canvas, Qt::RightButton, {}, at(4 * 16 + 5, 3 * 16 + 5));
    EXPECT_EQ(editor->Canvas->image(), expectedCanvas());
    QTest::mouseRelease(editor->Canvas, Qt::RightButton, {}, at(4 * 16 + 5, 3 * 16 + 5));
}

TEST_F(ViewEditor, GridAndAlwaysOnTopSwitches) {
    ViewEditorWindow* editor = open();
    ASSERT_NE(editor, nullptr);
    QTest::mouseClick(editor->GridToggle, Qt::LeftButton);
    EXPECT_EQ(doc->gridShown, 1);
    EXPECT_EQ(editor->Canvas->image(), expectedCanvas());
    QTest::mouseClick(editor->GridToggle, Qt::LeftButton);
    EXPECT_EQ(doc->gridShown, 0);
    EXPECT_EQ(editor->Canvas->image(), expectedCanvas());

    const QPoint where = editor->pos();
    QTest::mouseClick(editor->AlwaysOnTopToggle, Qt::LeftButton);
    EXPECT_EQ(doc->alwaysOnTop, 1);
    EXPECT_TRUE(editor->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->pos(), where);
    QTest::mouseClick(editor->AlwaysOnTopToggle, Qt::LeftButton);
    EXPECT_EQ(doc->alwaysOnTop, 0);
    EXPECT_FALSE(editor->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(editor->isVisible());
}

TEST_F(ViewEditor, OtherMenuClearsOrFillsTheCurrentScreenOrClearsAll) {
    ViewEditorWindow* editor = open();
    ASSERT_NE(editor, nullptr);
    for (int s = 0; s < kScreenCount; ++s)
        setCell(*doc, s, 0, 0, 10 + s);
    editor->VerticalScrollBar->setValue(1); // screen 3
    doc->PickedGlyph = 7;
    editor->menuAction(ViewEditorMenuFillScreen)->trigger();
    EXPECT_EQ(nonZeroCells(*doc, 3), kScreenCells);
    EXPECT_EQ(getCell(*doc, 3, 39, 23), 7);
    EXPECT_EQ(getCell(*doc, 4, 0, 0), 14);
    EXPECT_EQ(editor->Canvas->image(), expectedCanvas());
    editor->menuAction(ViewEditorMenuClearScreen)->trigger();
    EXPECT_EQ(nonZeroCells(*doc, 3), 0);
    EXPECT_EQ(getCell(*doc, 2, 0, 0), 12);
    editor->menuAction(ViewEditorMenuClearAllScreens)->trigger();
    for (int s = 0; s < kScreenCount; ++s)
        EXPECT_EQ(nonZeroCells(*doc, s), 0) << s;
}

TEST_F(ViewEditor, ViewEditorDataSavesAndLoadsThroughTheirDialogs) {
    dialogs.replaceFiles = true; // old files are replaced on purpose
    QTemporaryDir dir;
    const QString path = dir.filePath("all"); // no extension is added
    ViewEditorWindow* editor = open();
    ASSERT_NE(editor, nullptr);
    setCell(*doc, 0, 0, 0, 1);
    setCell(*doc, 8, 39, 23, 255);
    dialogs.files.push_back({path, 0});
    QTest::mouseClick(editor->SaveButton, Qt::LeftButton);
    const QByteArray saved = test::fileBytes(path);
    ASSERT_EQ(saved.size(), 8640);
    EXPECT_EQ(uint8_t(saved[0]), 1);
    EXPECT_EQ(uint8_t(saved[8639]), 255);
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].kind, "save");
    EXPECT_EQ(dialogs.asked[0].title, "Save View Editor data...");
    EXPECT_EQ(dialogs.asked[0].textOrStart, "");
    EXPECT_EQ(dialogs.asked[0].filters, kDataSaveFilters);

    editor->menuAction(ViewEditorMenuClearAllScreens)->trigger();
    dialogs.files.push_back({path, 0});
    editor->menuAction(ViewEditorMenuLoad)->trigger();
    EXPECT_EQ(getCell(*doc, 0, 0, 0), 1);
    EXPECT_EQ(getCell(*doc, 8, 39, 23), 255);
    EXPECT_EQ(dialogs.asked.back().title, "Load View Editor Data...");
    EXPECT_EQ(dialogs.asked.back().filters, kDataLoadFilters);
    EXPECT_EQ(editor->Canvas->image(), expectedCanvas());

    // The menu's Save and the Load button use the same commands.
    setCell(*doc, 4, 4, 4, 4);
    dialogs.files.push_back({path, 0});
    editor->menuAction(ViewEditorMenuSave)->trigger();
    editor->menuAction(ViewEditorMenuClearAllScreens)->trigger();
    dialogs.files.push_back({path, 0});
    QTest::mouseClick(editor->LoadButton, Qt::LeftButton);
    EXPECT_EQ(getCell(*doc, 4, 4, 4), 4);
    EXPECT_EQ(nonZeroCells(*doc, 4), 1);
}

TEST_F(ViewEditor, CancelledOrUnreadableLoadsChangeNothingButAChosenNameRedraws) {
    QTemporaryDir dir;
    ViewEditorWindow* editor = open();
    ASSERT_NE(editor, nullptr);
    setCell(*doc, 0, 1, 1, 9);
    QTest::mouseClick(editor->LoadButton, Qt::LeftButton); // cancelled
    QTest::mouseClick(editor->LoadScreenButton, Qt::LeftButton);
    QTest::mouseClick(editor->SaveButton, Qt::LeftButton);
    EXPECT_EQ(getCell(*doc, 0, 1, 1), 9);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 0);
    // The change above was never drawn: a chosen but missing file still redraws.
    EXPECT_NE(editor->Canvas->image(), expectedCanvas());
    dialogs.files.push_back({dir.filePath("missing.ved2"), 0});
    QTest::mouseClick(editor->LoadButton, Qt::LeftButton);
    EXPECT_EQ(getCell(*doc, 0, 1, 1), 9);
    EXPECT_EQ(editor->Canvas->image(), expectedCanvas());

    setCell(*doc, 0, 2, 2, 9);
    dialogs.files.push_back({dir.filePath("missing.sved2"), 0});
    QTest::mouseClick(editor->LoadScreenButton, Qt::LeftButton);
    EXPECT_EQ(editor->Canvas->image(), expectedCanvas());

    // A save into a folder that does not exist is reported, naming the file.
    const size_t asked = dialogs.asked.size();
    dialogs.files.push_back({dir.filePath("no/such/dir/x.ved2"), 0});
    QTest::mouseClick(editor->SaveButton, Qt::LeftButton);
    ASSERT_EQ(dialogs.asked.size(), asked + 2);
    EXPECT_EQ(dialogs.asked[asked].kind, "save");
    EXPECT_EQ(dialogs.asked.back().kind, "message");
    EXPECT_EQ(dialogs.asked.back().title, "Error...");
    EXPECT_TRUE(dialogs.asked.back().textOrStart.contains(dir.filePath("no/such/dir/x.ved2")));
}

TEST_F(ViewEditor, ScreenFileOfHundredBytesChangesOnlyTheFirstHundredCells) {
    QTemporaryDir dir;
    const QString shortFile = dir.filePath("short.sved2");
    ASSERT_TRUE(test::writeBytes(shortFile, QByteArray(100, char(7))));
    ViewEditorWindow* editor = open();
    ASSERT_NE(editor, nullptr);
    editor->HorizontalScrollBar->setValue(1); // screen 1
    doc->PickedGlyph = 0xEE;
    editor->menuAction(ViewEditorMenuFillScreen)->trigger();
    setCell(*doc, 0, 0, 0, 3);

    dialogs.files.push_back({shortFile, 0});
    QTest::mouseClick(editor->LoadScreenButton, Qt::LeftButton);
    EXPECT_EQ(dialogs.asked.back().title, "Load View Editor screen data...");
    EXPECT_EQ(dialogs.asked.back().filters, kScreenFilters);
    EXPECT_EQ(getCell(*doc, 1, 39, 1), 7); // rows 0 and 1 ...
    EXPECT_EQ(getCell(*doc, 1, 19, 2), 7); // ... and half of row 2
    EXPECT_EQ(getCell(*doc, 1, 20, 2), 0xEE);
    EXPECT_EQ(getCell(*doc, 1, 39, 23), 0xEE);
    EXPECT_EQ(getCell(*doc, 0, 0, 0), 3);
    EXPECT_EQ(editor->Canvas->image(), expectedCanvas());

    const QString whole = dir.filePath("screen");
    dialogs.files.push_back({whole, 0});
    QTest::mouseClick(editor->SaveScreenButton, Qt::LeftButton);
    EXPECT_EQ(dialogs.asked.back().title, "Save View Editor screen data...");
    EXPECT_EQ(dialogs.asked.back().filters, kScreenFilters);
    const QByteArray saved = test::fileBytes(whole);
    ASSERT_EQ(saved.size(), 960);
    EXPECT_EQ(uint8_t(saved[99]), 7);
    EXPECT_EQ(uint8_t(saved[100]), 0xEE);
}

TEST_F(ViewEditor, ViewAllScreensIsModalAndReenablesTheMainWindow) {
    ViewEditorWindow* editor = open();
    ASSERT_NE(editor, nullptr);
    setCell(*doc, 4, 0, 0, 65);
    bool checked = false;
    test::whenModalOpens([&](QWidget* modal) {
        auto* screens = qobject_cast<ViewAllScreensWindow*>(modal);
        ASSERT_NE(screens, nullptr);
        checked = true;
        EXPECT_EQ(screens->windowTitle(), "View All Screens");
        EXPECT_EQ(screens->size(), QSize(970, 580));
        EXPECT_EQ(screens->pos(), window.pos());
        EXPECT_EQ(screens->Canvas->geometry(), QRect(0, 0, 960, 576));
        QImage expected(960, 576, QImage::Format_RGB32);
        drawViewAllScreens(*doc, expected);
        EXPECT_EQ(screens->Canvas->image(), expected);
        EXPECT_FALSE(window.isEnabled());
        EXPECT_TRUE(screens->isEnabled());
        // Keys are discarded; only the close request ends it.
        QTest::keyClick(screens, Qt::Key_Escape);
        EXPECT_TRUE(screens->isVisible());
        screens->close();
    });
    QTest::mouseClick(editor->ViewAllScreensButton, Qt::LeftButton);
    EXPECT_TRUE(checked);
    EXPECT_TRUE(window.isEnabled());
    EXPECT_TRUE(editor->isEnabled());
}

TEST_F(ViewEditor, ExportScreenOpensTheExportWindowForTheScreen) {
    ViewEditorWindow* editor = open();
    ASSERT_NE(editor, nullptr);
    QString kind;
    test::whenModalOpens([&](QWidget* modal) {
        EXPECT_NE(qobject_cast<ExportWindow*>(modal), nullptr);
        EXPECT_EQ(modal->size(), QSize(460, 580));
        kind = QString::fromStdString(doc->exportKind);
        modal->close();
    });
    QTest::mouseClick(editor->ExportScreenButton, Qt::LeftButton);
    EXPECT_EQ(kind, "screen");
    EXPECT_TRUE(window.isEnabled());
}

TEST_F(ViewEditor, MainWindowRedrawRedrawsTheOpenViewEditor) {
    ViewEditorWindow* editor = open();
    ASSERT_NE(editor, nullptr);
    setCell(*doc, 0, 10, 10, 20);
    EXPECT_NE(editor->Canvas->image(), expectedCanvas());
    window.redrawMainWindow();
    EXPECT_EQ(editor->Canvas->image(), expectedCanvas());
}

TEST_F(ViewEditor, ClosingStoresThePositionAndClosesTheRangeDialog) {
    ViewEditorWindow* editor = open();
    ASSERT_NE(editor, nullptr);
    QTest::mouseClick(editor->SaveExportRangeButton, Qt::LeftButton);
    QPointer<RangeDialog> range = editor->rangeDialog();
    ASSERT_TRUE(range);
    editor->move(210, 160);
    const QPoint where = editor->pos();
    QPointer<ViewEditorWindow> guard(editor);
    editor->close();
    flushDeletes();
    EXPECT_FALSE(guard);
    EXPECT_FALSE(range);
    EXPECT_FALSE(window.viewEditorOpen);
    EXPECT_FALSE(range && range->isOpen());
    EXPECT_EQ(doc->rangeFrameShown, 0);
    EXPECT_EQ(doc->viewEditorX, where.x());
    EXPECT_EQ(doc->viewEditorY, where.y());
    EXPECT_FALSE(window.viewEditorRedraw);
    window.redrawMainWindow(); // no View Editor left to draw

    // The screens outlive the window, and the button opens it again where it was.
    setCell(*doc, 0, 0, 0, 1);
    ViewEditorWindow* again = open();
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->pos(), where);
    EXPECT_EQ(getCell(*doc, 0, 0, 0), 1);
}

TEST_F(ViewEditor, ExitMenuClosesTheWindow) {
    ViewEditorWindow* editor = open();
    ASSERT_NE(editor, nullptr);
    QPointer<ViewEditorWindow> guard(editor);
    editor->menuAction(ViewEditorMenuExit)->trigger();
    EXPECT_FALSE(editor->isVisible());
    flushDeletes();
    EXPECT_FALSE(guard);
    EXPECT_FALSE(window.viewEditorOpen);
    EXPECT_EQ(findViewEditor(window), nullptr);
}

} // namespace
