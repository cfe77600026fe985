// Undo and redo through the Char menu and the keys, after real actions of the main
// window, the View Editor, the palette and the file commands.

#include "core/screens.h"
#include "gui/canvas_widget.h"
#include "gui/palette_window.h"
#include "gui/view_editor_window.h"
#include "main_window_fixture.h"
#include "modal_test_tools.h"

#include <QLabel>
#include <QScrollBar>
#include <cstring>

using namespace korvex;

namespace {

constexpr int kGlyphBytes = sizeof(GlyphBytes);

// Widget positions: a pixel of the magnified editor, a code on the font canvas.
QPoint editorPixel(int x, int y) {
    return QPoint(2 + 30 * x + 15, 2 + 30 * y + 15);
}
QPoint fontCode(int code) {
    return QPoint(2 + 17 * (code % 32) + 3, 2 + 17 * (code / 32) + 3);
}

class UndoRedo : public test::MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        QApplication::setActiveWindow(&window);
    }
    // Keys reach the shortcuts of the active window; a closed dialog leaves none
    // active under the offscreen platform.
    void keys(QWidget* target, const char* sequence) {
        QApplication::setActiveWindow(target);
        QTest::keySequence(target, QKeySequence(sequence));
    }
    void undoKey() { keys(&window, "Ctrl+Z"); }
    void redoKey() { keys(&window, "Ctrl+Y"); }
    QString undoText() const { return window.menuAction(MenuUndo)->text(); }
    QString redoText() const { return window.menuAction(MenuRedo)->text(); }
    bool sameGlyph(const Document& other, int font, int glyph) const {
        return std::memcmp(doc->fontGlyphs(font)[glyph].data(),
                           other.fontGlyphs(font)[glyph].data(), kGlyphBytes) == 0;
    }
    // A left-button stroke across row y of the editor.
    void strokeRow(int y) {
        QTest::mousePress(window.EditorCanvas, Qt::LeftButton, {}, editorPixel(0, y));
        for (int x = 1; x < 8; ++x)
            QTest::mouseMove(window.EditorCanvas, editorPixel(x, y));
        QTest::mouseRelease(window.EditorCanvas, Qt::LeftButton, {}, editorPixel(7, y));
    }
};

TEST_F(UndoRedo, UndoGoesBackToThePaintedGlyphAndLeavesTheChosenOneAlone) {
    EXPECT_FALSE(window.menuAction(MenuUndo)->isEnabled());
    EXPECT_FALSE(window.menuAction(MenuRedo)->isEnabled());
    QTest::mouseClick(window.FontCanvas, Qt::LeftButton, {}, fontCode(65));
    ASSERT_EQ(doc->CurrentGlyph, 65);
    const auto start = std::make_unique<Document>(*doc);
    strokeRow(0); // eight pixels, one stroke
    EXPECT_FALSE(sameGlyph(*start, 1, 65));
    EXPECT_EQ(doc->history.undoCount(), 1u);
    EXPECT_TRUE(undoText().startsWith("Undo Paint"));

    QTest::mouseClick(window.FontCanvas, Qt::LeftButton, {}, fontCode(66));
    ASSERT_EQ(doc->CurrentGlyph, 66);
    EXPECT_EQ(doc->history.undoCount(), 1u); // choosing a glyph is no step
    undoKey();
    EXPECT_TRUE(sameGlyph(*start, 1, 65));
    EXPECT_TRUE(sameGlyph(*start, 1, 66));
    EXPECT_EQ(doc->CurrentGlyph, 65);
    EXPECT_EQ(window.GlyphInfoLabel->text(), "Char: $41 (65)");
    EXPECT_FALSE(window.menuAction(MenuUndo)->isEnabled());
    EXPECT_EQ(undoText(), "Undo\tCtrl+Z");
    EXPECT_TRUE(window.menuAction(MenuRedo)->isEnabled());
    EXPECT_TRUE(redoText().startsWith("Redo Paint"));
    // The editor shows the glyph as it was.
    QImage expected = window.EditorCanvas->image().copy();
    korvex::drawGlyphEditor(*doc, expected);
    EXPECT_EQ(window.EditorCanvas->image(), expected);
}

TEST_F(UndoRedo, UndoWhileTheButtonIsHeldUndoesTheWholeStrokeAndTheRestPaintsNothing) {
    QTest::mouseClick(window.FontCanvas, Qt::LeftButton, {}, fontCode(70));
    const auto start = std::make_unique<Document>(*doc);
    strokeRow(2);
    const size_t steps = doc->history.undoCount();

    QTest::mousePress(window.EditorCanvas, Qt::LeftButton, {}, editorPixel(0, 5));
    for (int x = 1; x < 4; ++x)
        QTest::mouseMove(window.EditorCanvas, editorPixel(x, 5));
    window.mainWindowEvent({MainEventKind::Menu, MenuUndo}); // Ctrl+Z, button still down
    for (int x = 4; x < 8; ++x)
        QTest::mouseMove(window.EditorCanvas, editorPixel(x, 5));
    QTest::mouseRelease(window.EditorCanvas, Qt::LeftButton, {}, editorPixel(7, 5));

    // Row 5 is as it was, row 2 still painted; the drag made no step of its own.
    for (int x = 0; x < 8; ++x)
        EXPECT_EQ(doc->pixel(1, 70, x, 5), start->pixel(1, 70, x, 5)) << x;
    EXPECT_NE(doc->fontGlyphs(1)[70], start->fontGlyphs(1)[70]);
    EXPECT_EQ(doc->history.undoCount(), steps);
    EXPECT_TRUE(window.menuAction(MenuRedo)->isEnabled());

    // The next stroke paints again.
    strokeRow(6);
    EXPECT_EQ(doc->history.undoCount(), steps + 1);
    EXPECT_FALSE(window.menuAction(MenuRedo)->isEnabled());
}

TEST_F(UndoRedo, ClearUndoneAndRedoneWithBothRedoKeys) {
    doc->CurrentGlyph = 33;
    const auto start = std::make_unique<Document>(*doc);
    QTest::keyClick(&window, Qt::Key_Delete); // Clear
    const auto cleared = std::make_unique<Document>(*doc);
    EXPECT_FALSE(sameGlyph(*start, 1, 33));
    EXPECT_TRUE(undoText().startsWith("Undo Clear"));
    undoKey();
    EXPECT_TRUE(sameGlyph(*start, 1, 33));
    redoKey();
    EXPECT_TRUE(sameGlyph(*cleared, 1, 33));
    undoKey();
    keys(&window, "Ctrl+Shift+Z");
    EXPECT_TRUE(sameGlyph(*cleared, 1, 33));
    EXPECT_FALSE(window.menuAction(MenuRedo)->isEnabled());

    // A new change ends what could be redone; saving keeps the history.
    undoKey();
    click(window.InverseButton);
    EXPECT_FALSE(window.menuAction(MenuRedo)->isEnabled());
    dialogs.files.push_back({path("work"), 0});
    menu(MenuSaveProjectAs);
    ASSERT_TRUE(QFile::exists(path("work.proj2")));
    EXPECT_TRUE(undoText().startsWith("Undo Inverse"));
    undoKey();
    EXPECT_TRUE(sameGlyph(*start, 1, 33));
}

TEST_F(UndoRedo, DefaultFontAndLoadedFontsComeBackWithTheirNames) {
    doc->CurrentFont = 2;
    const auto start = std::make_unique<Document>(*doc);
    dialogs.answers = {true};
    click(window.DefaultFontButton);
    ASSERT_EQ(doc->pixel(2, 33, 3, 2), 1);
    EXPECT_TRUE(undoText().startsWith("Undo Default Font"));
    // Elsewhere by then: undo goes back to font 2.
    menu(MenuFontPrevious);
    ASSERT_EQ(doc->CurrentFont, 1);
    undoKey();
    EXPECT_EQ(doc->CurrentFont, 2);
    EXPECT_EQ(window.FontNumberLabel->text(), "2");
    EXPECT_EQ(std::memcmp(doc->Glyphs, start->Glyphs, sizeof doc->Glyphs), 0);

    // A font file over font 2, then undone: pixels and name as before.
    QFile file(path("bold.fnt"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(kFontBytes, char(0x55)));
    file.close();
    dialogs.files.push_back({path("bold.fnt"), 0});
    menu(MenuLoadFont);
    ASSERT_EQ(doc->FontName[2], "bold.fnt");
    undoKey();
    EXPECT_EQ(doc->FontName[2], start->FontName[2]);
    EXPECT_EQ(window.statusField(1), "Font: " + QString::fromStdString(start->FontName[2]));
    EXPECT_EQ(std::memcmp(doc->Glyphs, start->Glyphs, sizeof doc->Glyphs), 0);
}

TEST_F(UndoRedo, SetCommandsCellsAndRowFillsAreStepsOfTheirSet) {
    doc->Sets[4][0] = 65;
    doc->CurrentSet = 4;
    click(window.SetCopyButton);
    EXPECT_FALSE(doc->history.canUndo()); // copying changes nothing
    menu(MenuSetNext);
    click(window.SetPasteButton);
    ASSERT_EQ(doc->Sets[5][0], 65);
    menu(MenuSetPrevious);
    undoKey();
    EXPECT_EQ(doc->CurrentSet, 5);
    EXPECT_EQ(window.SetNumberLabel->text(), "5");
    EXPECT_EQ(doc->Sets[5][0], -1);

    // Three clicks with "2" held: three steps, each one cell of row 1.
    QTest::keyPress(window.FontCanvas, Qt::Key_2);
    for (int i = 0; i < 3; ++i)
        QTest::mouseClick(window.FontCanvas, Qt::LeftButton, {}, fontCode(70));
    QTest::keyRelease(window.FontCanvas, Qt::Key_2);
    ASSERT_EQ(doc->Sets[5][7], 70);
    undoKey();
    EXPECT_EQ(doc->Sets[5][6], 70);
    EXPECT_EQ(doc->Sets[5][7], -1);
    EXPECT_TRUE(redoText().startsWith("Redo Set Row"));

    // A stroke on the set canvas over the glyph of a cell.
    doc->Sets[5][0] = 0;
    const auto before = std::make_unique<Document>(*doc);
    QTest::mousePress(window.SetCanvas, Qt::LeftButton, {}, QPoint(2 + 5, 2 + 5));
    for (int x = 5; x < 80; x += 10)
        QTest::mouseMove(window.SetCanvas, QPoint(2 + x, 2 + 5));
    QTest::mouseRelease(window.SetCanvas, Qt::LeftButton, {}, QPoint(2 + 75, 2 + 5));
    ASSERT_FALSE(sameGlyph(*before, 1, 0));
    undoKey();
    EXPECT_TRUE(sameGlyph(*before, 1, 0));
}

TEST_F(UndoRedo, PaletteOkIsOneStep) {
    const int64_t oldLum = doc->ColourLUM;
    test::whenModalOpens([&](QWidget* modal) {
        auto* palette = qobject_cast<PaletteWindow*>(modal);
        ASSERT_NE(palette, nullptr);
        QTest::mouseClick(palette->PaletteCanvas, Qt::LeftButton, {}, QPoint(26, 26)); // black
        QTest::mouseClick(palette->OkButton, Qt::LeftButton);
    });
    click(window.PaletteButton[LUM]);
    ASSERT_NE(doc->ColourLUM, oldLum);
    EXPECT_TRUE(undoText().startsWith("Undo Colour"));
    undoKey();
    EXPECT_EQ(doc->ColourLUM, oldLum);
    EXPECT_EQ(doc->FontColours[1][LUM], oldLum);
    EXPECT_EQ(doc->AtariColour[LUM], 14);
    EXPECT_EQ(window.Swatch[LUM]->image().pixel(10, 10), qRgb(238, 238, 238));
}

TEST_F(UndoRedo, ViewEditorStrokesAndCommandsReturnToTheirScreen) {
    QTest::mouseClick(window.ViewEditorButton, Qt::LeftButton);
    ViewEditorWindow* editor = findViewEditor(window);
    ASSERT_NE(editor, nullptr);
    doc->PickedGlyph = 33;
    editor->HorizontalScrollBar->setValue(1); // screen 1
    ASSERT_EQ(doc->currentScreen, 1);

    // One stroke over five cells.
    QTest::mousePress(editor->Canvas, Qt::LeftButton, {}, QPoint(2 + 5, 2 + 5));
    for (int x = 5; x < 80; x += 16)
        QTest::mouseMove(editor->Canvas, QPoint(2 + x, 2 + 5));
    QTest::mouseRelease(editor->Canvas, Qt::LeftButton, {}, QPoint(2 + 69, 2 + 5));
    ASSERT_EQ(getCell(*doc, 1, 4, 0), 33);
    editor->menuAction(ViewEditorMenuFillScreen)->trigger();
    ASSERT_EQ(getCell(*doc, 1, 20, 20), 33);
    EXPECT_TRUE(undoText().startsWith("Undo Fill Screen"));

    editor->HorizontalScrollBar->setValue(2);
    // Ctrl+Z reaches the main window's history from the View Editor too.
    keys(editor, "Ctrl+Z");
    EXPECT_EQ(doc->currentScreen, 1);
    EXPECT_EQ(editor->HorizontalScrollBar->value(), 1);
    EXPECT_EQ(getCell(*doc, 1, 20, 20), 0);
    EXPECT_EQ(getCell(*doc, 1, 4, 0), 33);
    undoKey();
    EXPECT_EQ(getCell(*doc, 1, 0, 0), 0);
    EXPECT_EQ(getCell(*doc, 1, 4, 0), 0);
    redoKey();

    // The right button erases, a left click with SET DRAW on stamps the set.
    QTest::mouseClick(editor->Canvas, Qt::RightButton, {}, QPoint(2 + 5, 2 + 5));
    EXPECT_TRUE(undoText().startsWith("Undo Erase"));
    EXPECT_FALSE(window.menuAction(MenuRedo)->isEnabled()); // the fill cannot come back
    doc->Sets[doc->CurrentSet][0] = 40;
    QTest::mouseClick(editor->SetDrawToggle, Qt::LeftButton);
    QTest::mouseClick(editor->Canvas, Qt::LeftButton, {}, QPoint(2 + 100, 2 + 100));
    EXPECT_EQ(getCell(*doc, 1, 6, 6), 40);
    EXPECT_TRUE(undoText().startsWith("Undo Stamp"));
    undoKey();
    undoKey();
    EXPECT_EQ(getCell(*doc, 1, 6, 6), 0);
    EXPECT_EQ(getCell(*doc, 1, 0, 0), 33);
    undoKey();

    // Closed View Editor: redo still works on the document.
    editor->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    redoKey();
    EXPECT_EQ(getCell(*doc, 1, 4, 0), 33);
    redoKey();
    EXPECT_EQ(getCell(*doc, 1, 0, 0), 0);
    EXPECT_TRUE(redoText().startsWith("Redo Stamp"));
}

// Opening a project replaces fonts, sets, screens and colours: one step back.
TEST_F(UndoRedo, OpeningAProjectIsUndoneWhole) {
    for (int x = 0; x < 8; ++x)
        doc->setPixel(3, 65, x, 2, 1);
    doc->Sets[9][24] = 300; // a code past 255 that no glyph answers to
    setCell(*doc, 8, 39, 23, 201);
    doc->FontColours[2][PF0] = 0x112233;
    dialogs.files.push_back({path("saved"), 0});
    menu(MenuSaveProjectAs);
    const auto saved = std::make_unique<Document>(*doc);

    *doc = *test::freshDocument();
    doc->CurrentFont = 1;
    window.redrawMainWindow();
    const auto start = std::make_unique<Document>(*doc);
    dialogs.files.push_back({path("saved.proj2"), 0});
    menu(MenuOpenProject);
    ASSERT_EQ(doc->Sets[9][24], 300);
    EXPECT_TRUE(undoText().startsWith("Undo Open Project"));
    undoKey();
    EXPECT_EQ(std::memcmp(doc->Glyphs, start->Glyphs, sizeof doc->Glyphs), 0);
    EXPECT_EQ(std::memcmp(doc->Sets, start->Sets, sizeof doc->Sets), 0);
    EXPECT_EQ(std::memcmp(doc->screens, start->screens, sizeof doc->screens), 0);
    EXPECT_EQ(std::memcmp(doc->FontColours, start->FontColours, sizeof doc->FontColours), 0);
    redoKey();
    EXPECT_EQ(std::memcmp(doc->Sets, saved->Sets, sizeof doc->Sets), 0);
    EXPECT_EQ(getCell(*doc, 8, 39, 23), 201);
    EXPECT_EQ(doc->FontColours[2][PF0], 0x112233);
}

// A long run of the window's commands, then as many undos through the Undo item,
// give the start back byte for byte, and the redos the end. Every step here redraws
// the window, so the run is five hundred steps long; the history's own ten-thousand
// step run is in the core tests.
TEST_F(UndoRedo, FiveHundredWindowCommandsUndoAndRedoExactly) {
    constexpr int kSteps = 500;
    const auto start = std::make_unique<Document>(*doc);
    const int commands[] = {MenuInverse, MenuShiftLeft, MenuVMirror, MenuSetPaste};
    doc->SetClipboard[0] = 12;
    // A mirror of a symmetric glyph changes nothing and is no step.
    for (int i = 0; doc->history.undoCount() < size_t(kSteps) && i < 2 * kSteps; ++i) {
        doc->CurrentGlyph = 1 + i % 100;
        doc->CurrentSet = 1 + i % kSetCount;
        menu(commands[i % 4]);
        if (i % 4 == 3)
            doc->SetClipboard[0] = int16_t(i % 128);
    }
    ASSERT_EQ(doc->history.undoCount(), size_t(kSteps));
    const auto end = std::make_unique<Document>(*doc);
    for (int i = 0; i < kSteps; ++i)
        menu(MenuUndo);
    EXPECT_FALSE(window.menuAction(MenuUndo)->isEnabled());
    EXPECT_EQ(std::memcmp(doc->Glyphs, start->Glyphs, sizeof doc->Glyphs), 0);
    EXPECT_EQ(std::memcmp(doc->Sets, start->Sets, sizeof doc->Sets), 0);
    for (int i = 0; i < kSteps; ++i)
        menu(MenuRedo);
    EXPECT_FALSE(window.menuAction(MenuRedo)->isEnabled());
    EXPECT_EQ(std::memcmp(doc->Glyphs, end->Glyphs, sizeof doc->Glyphs), 0);
    EXPECT_EQ(std::memcmp(doc->Sets, end->Sets, sizeof doc->Sets), 0);
}

} // namespace
