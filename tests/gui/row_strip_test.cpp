// The View Editor's row strip and Rows menu: clicks, the wheel, the strip's menu
// and the shortcuts change the current screen's row table, each change one undo
// step under its name, and after undo the strip and the canvas show the table the
// step restored.

#include "core/screens.h"
#include "gui/main_window_commands.h"
#include "render/row_strip_drawing.h"
#include "view_editor_test_fixture.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QScrollBar>
#include <QWheelEvent>
#include <cstring>

using namespace korvex;

namespace {

class RowStrip : public test::ViewEditorTest {
protected:
    void SetUp() override {
        editor = open();
        ASSERT_NE(editor, nullptr);
    }

    // Strip drawing coordinates -> widget coordinates; (x, y) inside band `row`.
    static QPoint band(int row, RowStripColumn column) {
        return QPoint(2 + (column == RowStripColumn::Font ? 5 : 25), 2 + row * 16 + 5);
    }

    void click(int row, RowStripColumn column, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(editor->RowStrip, button, {}, band(row, column));
    }

    void wheel(int row, RowStripColumn column, int eighths) {
        const QPoint at = band(row, column);
        QWheelEvent event(QPointF(at), QPointF(editor->RowStrip->mapToGlobal(at)), QPoint(),
                          QPoint(0, eighths), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                          false);
        QApplication::sendEvent(editor->RowStrip, &event);
    }

    // The item `text` of the strip's menu or of one of its submenus.
    QAction* stripMenuItem(const QString& text) const {
        QMenu* menu = editor->rowStripMenu();
        if (!menu)
            return nullptr;
        for (QAction* action : menu->actions()) {
            if (action->text() == text)
                return action;
            if (action->menu())
                for (QAction* inner : action->menu()->actions())
                    if (inner->text() == text)
                        return inner;
        }
        return nullptr;
    }

    void undo() { window.menuAction(MenuUndo)->trigger(); }

    // The strip and the canvas show the document as it is.
    void expectShowsTheTable(const char* when) const {
        QImage strip(kRowStripSize.width, kRowStripSize.height, QImage::Format_RGB32);
        drawRowStrip(*doc, strip, editor->currentRow());
        EXPECT_EQ(editor->RowStrip->image(), strip) << when;
        EXPECT_EQ(editor->Canvas->image(), expectedCanvas()) << when;
    }

    const RowTable& table(int screen) const { return doc->rowTables[screen]; }

    ViewEditorWindow* editor = nullptr;
};

TEST_F(RowStrip, ClicksAndTheWheelStepValuesAndEachIsOneUndoStep) {
    for (int c = 0; c < kScreenColumns; ++c)
        setCell(*doc, 0, c, 3, uint8_t(c * 5));
    click(3, RowStripColumn::Font);
    EXPECT_EQ(editor->currentRow(), 3);
    EXPECT_EQ(table(0).font[3], 1);
    EXPECT_EQ(doc->history.undoName(), "Row Font");
    click(3, RowStripColumn::Font);
    click(3, RowStripColumn::Mode);
    EXPECT_EQ(table(0).font[3], 2);
    EXPECT_EQ(table(0).mode[3], uint8_t(RowMode::TwoColour));
    expectShowsTheTable("after clicks");

    // Two notches towards the user: two places on, as one step; away: back.
    const size_t steps = doc->history.undoCount();
    wheel(7, RowStripColumn::Mode, -240);
    EXPECT_EQ(table(0).mode[7], uint8_t(RowMode::FourColour));
    EXPECT_EQ(editor->currentRow(), 7);
    EXPECT_EQ(doc->history.undoCount(), steps + 1);
    EXPECT_EQ(doc->history.undoName(), "Row Mode");
    wheel(7, RowStripColumn::Font, 120);
    EXPECT_EQ(table(0).font[7], 10);
    wheel(7, RowStripColumn::Font, 60); // half a notch: nothing yet
    EXPECT_EQ(table(0).font[7], 10);
    wheel(7, RowStripColumn::Font, 60);
    EXPECT_EQ(table(0).font[7], 9);
    expectShowsTheTable("after the wheel");

    undo();
    undo();
    EXPECT_EQ(table(0).font[7], 0);
    expectShowsTheTable("after undoing the font");
    undo();
    EXPECT_EQ(table(0).mode[7], 0);
    undo();
    EXPECT_EQ(table(0).mode[3], 0);
    expectShowsTheTable("after undoing the mode");
}

TEST_F(RowStrip, TheMenuSetsFontAndModeAndHoldsTheRowsCommands) {
    click(4, RowStripColumn::Mode, Qt::RightButton);
    EXPECT_EQ(editor->currentRow(), 4);
    EXPECT_EQ(doc->history.undoCount(), 0u); // opening the menu changes nothing
    ASSERT_NE(stripMenuItem("10"), nullptr);
    EXPECT_TRUE(stripMenuItem("Follow")->isChecked());
    stripMenuItem("10")->trigger();
    EXPECT_EQ(table(0).font[4], 10);
    EXPECT_EQ(doc->history.undoName(), "Row Font");

    click(4, RowStripColumn::Font, Qt::RightButton);
    EXPECT_TRUE(stripMenuItem("10")->isChecked());
    stripMenuItem("5: four colours, double height")->trigger();
    EXPECT_EQ(table(0).mode[4], uint8_t(RowMode::FourColourTall));
    EXPECT_EQ(doc->history.undoName(), "Row Mode");
    // The double-height row is marked in the strip, the canvas draws it in four
    // colours at the height of the others.
    EXPECT_EQ(editor->RowStrip->image().pixel(24, 4 * 16 + 4) | 0xFF000000, kRowStripTallMark);
    expectShowsTheTable("after the menu");

    click(4, RowStripColumn::Font, Qt::RightButton);
    for (int id :
         {ViewEditorMenuApplyRowToAllRows, ViewEditorMenuCopyRowTable, ViewEditorMenuPasteRowTable})
        EXPECT_TRUE(editor->rowStripMenu()->actions().contains(editor->menuAction(id))) << id;
    stripMenuItem("Apply Row to All Rows\tCtrl+Shift+A")->trigger();
    for (int row = 0; row < kRowTableRows; ++row)
        ASSERT_EQ(table(0).font[row], 10) << row;
    undo();
    EXPECT_EQ(table(0).font[0], 0);
    EXPECT_EQ(table(0).font[4], 10);
    expectShowsTheTable("after undoing Apply");
}

TEST_F(RowStrip, ShortcutsApplyARowAndCopyTheTableToAnotherScreen) {
    editor->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(editor));
    click(2, RowStripColumn::Font);
    click(2, RowStripColumn::Font);
    click(2, RowStripColumn::Mode);
    click(2, RowStripColumn::Mode);
    click(9, RowStripColumn::Font);
    click(2, RowStripColumn::Mode, Qt::MiddleButton); // selects only
    if (QMenu* menu = editor->rowStripMenu())
        menu->close();
    EXPECT_EQ(editor->currentRow(), 2);
    const size_t steps = doc->history.undoCount();

    QTest::keySequence(editor, QKeySequence("Ctrl+Shift+A"));
    for (int row = 0; row < kRowTableRows; ++row) {
        ASSERT_EQ(table(0).font[row], 2) << row;
        ASSERT_EQ(table(0).mode[row], uint8_t(RowMode::FourColour)) << row;
    }
    EXPECT_EQ(doc->history.undoCount(), steps + 1);
    EXPECT_EQ(doc->history.undoName(), "Apply Row to All Rows");

    // Paste waits for a copy; the copy is the table as it was then.
    EXPECT_FALSE(editor->menuAction(ViewEditorMenuPasteRowTable)->isEnabled());
    QTest::keySequence(editor, QKeySequence("Ctrl+Shift+C"));
    EXPECT_TRUE(editor->menuAction(ViewEditorMenuPasteRowTable)->isEnabled());
    const RowTable copied = table(0);
    click(0, RowStripColumn::Font);
    editor->HorizontalScrollBar->setValue(2); // screen 2
    ASSERT_EQ(doc->currentScreen, 2);
    QTest::keySequence(editor, QKeySequence("Ctrl+Shift+V"));
    EXPECT_EQ(std::memcmp(&table(2), &copied, sizeof copied), 0);
    EXPECT_EQ(doc->history.undoName(), "Paste Row Table");
    expectShowsTheTable("after the paste");
    QTest::keySequence(editor, QKeySequence("Ctrl+Shift+V")); // the same again: no step
    EXPECT_EQ(doc->history.undoName(), "Paste Row Table");
    EXPECT_EQ(doc->history.undoCount(), steps + 3);

    // Undo shows the screen it changed, with the table it had.
    editor->HorizontalScrollBar->setValue(0);
    undo();
    EXPECT_EQ(doc->currentScreen, 2);
    EXPECT_TRUE(isDefaultRowTable(table(2)));
    EXPECT_EQ(editor->PositionText->text(), "2,0");
    expectShowsTheTable("after undoing the paste");
}

TEST_F(RowStrip, TheKeyboardChoosesTheRowAndStepsItsValues) {
    editor->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(editor));
    QTest::keySequence(editor, QKeySequence("Ctrl+Shift+Up")); // already the first row
    EXPECT_EQ(editor->currentRow(), 0);
    for (int i = 0; i < 30; ++i)
        QTest::keySequence(editor, QKeySequence("Ctrl+Shift+Down"));
    EXPECT_EQ(editor->currentRow(), 23);
    QTest::keySequence(editor, QKeySequence("Ctrl+Shift+Up"));
    EXPECT_EQ(doc->history.undoCount(), 0u);
    QTest::keySequence(editor, QKeySequence("Ctrl+Shift+F"));
    EXPECT_EQ(doc->history.undoName(), "Row Font");
    QTest::keySequence(editor, QKeySequence("Ctrl+Shift+M"));
    QTest::keySequence(editor, QKeySequence("Ctrl+Shift+M"));
    EXPECT_EQ(doc->history.undoName(), "Row Mode");
    EXPECT_EQ(table(0).font[22], 1);
    EXPECT_EQ(table(0).mode[22], uint8_t(RowMode::FourColour));
    EXPECT_EQ(doc->history.undoCount(), 3u);
    expectShowsTheTable("after the keys");
}

TEST_F(RowStrip, AScreenNumberOutOfRangeLeavesEveryTableAlone) {
    doc->currentScreen = 200;
    editor->redrawCanvas();
    click(5, RowStripColumn::Font);
    wheel(5, RowStripColumn::Mode, -120);
    editor->menuAction(ViewEditorMenuApplyRowToAllRows)->trigger();
    editor->menuAction(ViewEditorMenuCopyRowTable)->trigger();
    editor->menuAction(ViewEditorMenuPasteRowTable)->trigger();
    editor->menuAction(ViewEditorMenuNextRowFont)->trigger();
    editor->menuAction(ViewEditorMenuNextRowMode)->trigger();
    EXPECT_EQ(doc->history.undoCount(), 0u);
    for (const RowTable& t : doc->rowTables)
        EXPECT_TRUE(isDefaultRowTable(t));
    expectShowsTheTable("out of range");
}

} // namespace
