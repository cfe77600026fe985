// The main window's frame, menus, shortcuts, status bar and controls against the
// layout table.

#include "gui/app.h"
#include "gui/canvas_widget.h"
#include "gui/main_window.h"
#include "test_document.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <gtest/gtest.h>

using namespace korvex;

namespace {

struct ControlRow {
    const char* name;
    int x, y, w, h;
    const char* caption; // nullptr: not checked (canvas, combo)
    const char* tooltip;
};

// Name, geometry, caption and tooltip of every named control.
const ControlRow kControls[] = {
    {"SetCanvas", 150, 10, 404, 404, nullptr, ""},
    {"SetPreviewCanvas", 20, 30, 80, 80, nullptr, ""},
    {"FontCanvas", 90, 450, 547, 139, nullptr, ""},
    {"SetNextButton", 115, 30, 25, 20, ">", ""},
    {"SetPrevButton", 115, 90, 25, 20, "<", ""},
    {"EditorCanvas", 565, 10, 244, 244, nullptr, ""},
    {"GlyphPreviewCanvas", 10, 450, 68, 68, nullptr, ""},
    {"ColourFrame", 675, 290, 255, 150, "Color", ""},
    {"ButtonColourFrame", 570, 260, 100, 110, " LMB         RMB", ""},
    {"LeftColourBox", 580, 290, 30, 70, "", ""},
    {"RightColourBox", 630, 290, 30, 70, "", ""},
    {"ModeButton", 820, 10, 110, 30, "GFX Mode", ""},
    {"RotateButton", 820, 50, 110, 20, "ROTATE", ""},
    {"ShiftDownButton", 910, 130, 20, 20, "D", ""},
    {"HMirrorButton", 820, 80, 50, 20, "H MIR", ""},
    {"VMirrorButton", 880, 80, 50, 20, "V MIR", ""},
    {"ShiftRightButton", 850, 130, 20, 20, "R", ""},
    {"ShiftLeftButton", 820, 130, 20, 20, "L", ""},
    {"ShiftUpButton", 880, 130, 20, 20, "U", ""},
    {"CopyButton", 820, 200, 55, 25, "COPY", ""},
    {"PasteButton", 880, 200, 55, 25, "PASTE", ""},
    {"ShiftLabel", 820, 110, 50, 16, "SHIFT:", ""},
    {"InverseButton", 820, 165, 55, 25, "INVERSE", ""},
    {"ClearButton", 880, 165, 55, 25, "CLEAR", ""},
    {"SaveSetButton", 10, 160, 60, 20, "Save SET", ""},
    {"LoadSetButton", 80, 160, 60, 20, "Load SET", ""},
    {"SaveAllSetsButton", 20, 190, 110, 20, "Save all SET", ""},
    {"LoadAllSetsButton", 20, 220, 110, 20, "Load all SET", ""},
    {"LoadFontButton", 666, 450, 99, 20, "Load FNT", ""},
    {"SaveFontButton", 666, 480, 99, 20, "Save FNT", ""},
    {"DefaultFontButton", 666, 550, 99, 40, "Set Default ATARI FONT", ""},
    {"ExportImageButton", 785, 450, 90, 20, "Export to image", ""},
    {"ExportAsButton", 785, 480, 90, 20, "Export As...", ""},
    {"SaveRangeButton", 666, 510, 99, 20, "Save range FNT", ""},
    {"AnimCanvas", 30, 325, 80, 80, nullptr, ""},
    {"AnimStartButton", 30, 300, 80, 20, "Start", ""},
    {"AnimToLabel", 60, 280, 20, 15, "TO", ""},
    {"AnimFrameBox", 2, 255, 138, 160, "Anim SET:", ""},
    {"GridCheckBox", 565, 405, 100, 20, "Grid ON/OFF", ""},
    {"FontPrevButton", 10, 570, 20, 20, "<", ""},
    {"FontNextButton", 60, 570, 20, 20, ">", ""},
    {"FontNumberLabel", 33, 570, 25, 20, "1", ""},
    {"SetNumberLabel", 115, 60, 23, 20, "1", ""},
    {"FontsLabel", 5, 550, 80, 20, "Fonts (1-10)", ""},
    {"RegisterLabelLUM", 690, 310, 50, 20, "LUM", ""},
    {"RegisterLabelPF0", 690, 340, 50, 20, "PF0 - 01", ""},
    {"RegisterLabelPF2", 690, 370, 50, 20, "PF2 - 11", ""},
    {"RegisterLabelBAK", 810, 310, 50, 20, "BAK", ""},
    {"RegisterLabelPF1", 810, 340, 50, 20, "PF1 - 10", ""},
    {"RegisterLabelPF3", 810, 370, 50, 20, "PF3 - 11", ""},
    {"PaletteButtonLUM", 780, 310, 20, 20, "<", "Set color - LUM"},
    {"PaletteButtonPF0", 780, 340, 20, 20, "<", "Set color - PF0"},
    {"PaletteButtonPF2", 780, 370, 20, 20, "<", "Set color - PF2"},
    {"PaletteButtonBAK", 900, 310, 20, 20, "<", "Set color - BAK"},
    {"PaletteButtonPF1", 900, 340, 20, 20, "<", "Set color - FP1"},
    {"PaletteButtonPF3", 900, 370, 20, 20, "<", "Set color - PF3"},
    {"SwatchLUM", 750, 310, 30, 20, nullptr, "Get color - LUM"},
    {"SwatchPF0", 750, 340, 30, 20, nullptr, "Get color - PF0"},
    {"SwatchPF2", 750, 370, 30, 20, nullptr, "Get color - PF2"},
    {"SwatchBAK", 870, 310, 30, 20, nullptr, "Get color - BAK"},
    {"SwatchPF1", 870, 340, 30, 20, nullptr, "Get color - FP1"},
    {"SwatchPF3", 870, 370, 30, 20, nullptr, "Get color - PF3"},
    {"LoadColoursButton", 740, 410, 80, 20, "Load Colors", ""},
    {"SaveColoursButton", 840, 410, 80, 20, "Save Colors", ""},
    {"NormalOption", 140, 420, 70, 20, "Normal", ""},
    {"MaskOption", 210, 420, 60, 20, "Mask", ""},
    {"PickedCodeLabel", 10, 520, 70, 20, "", ""},
    {"ModeLabel", 90, 422, 40, 20, "Mode:", ""},
    {"SetCopyButton", 10, 120, 35, 20, "Copy", ""},
    {"SetPasteButton", 52, 120, 35, 20, "Paste", ""},
    {"DrawOnSetCheckBox", 565, 380, 90, 20, "Draw on SET", ""},
    {"AnimStopCombo", 90, 275, 40, 20, nullptr, "Anim stop"},
    {"AnimStartCombo", 10, 275, 40, 20, nullptr, "Anim start"},
    {"SetFrame", 5, 10, 140, 240, "SET (1-100):", ""},
    {"GlyphInfoLabel", 730, 260, 80, 20, "", ""},
    {"SetsViewerButton", 100, 120, 40, 30, "Sets Viewer", ""},
    {"MultiFontViewerButton", 810, 520, 120, 30, "Multi Font Viewer", ""},
    {"CopyBufferCanvas", 910, 230, 20, 20, nullptr, ""},
    {"CopyBufferLabel", 830, 232, 80, 20, "Copy buffer >", ""},
    {"ViewEditorButton", 810, 558, 120, 36, "View Editor", ""},
};

QString captionOf(QWidget* w) {
    if (auto* b = qobject_cast<QAbstractButton*>(w))
        return b->text();
    if (auto* l = qobject_cast<QLabel*>(w))
        return l->text();
    if (auto* g = qobject_cast<QGroupBox*>(w))
        return g->title();
    return {};
}

class MainWindowLayout : public ::testing::Test {
protected:
    std::unique_ptr<Document> doc = test::freshDocument();
    MainWindow window{*doc};
};

TEST_F(MainWindowLayout, EveryControlAtItsPlaceWithCaptionAndTooltip) {
    for (const ControlRow& row : kControls) {
        SCOPED_TRACE(row.name);
        auto* w = window.centralWidget()->findChild<QWidget*>(row.name);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->geometry(), QRect(row.x, row.y, row.w, row.h));
        if (row.caption) {
            EXPECT_EQ(captionOf(w), QString(row.caption));
        }
        EXPECT_EQ(w->toolTip(), QString(row.tooltip));
    }
}

TEST_F(MainWindowLayout, ClientAreaStatusBarAndStates) {
    EXPECT_EQ(window.centralWidget()->size(), QSize(945, 645));
    EXPECT_EQ(window.minimumSize(), window.maximumSize()); // not resizable
    EXPECT_FALSE(window.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(window.statusField(0), "");
    EXPECT_EQ(window.statusField(1), "Font: ");
    EXPECT_EQ(window.statusField(2), "Project: ");
    const int widths[3] = {130, 400, 350};
    for (int i = 0; i < 3; ++i) {
        auto* field = window.findChild<QLabel*>(QString("StatusField%1").arg(i));
        ASSERT_NE(field, nullptr);
        EXPECT_EQ(field->width(), widths[i]);
    }
    EXPECT_TRUE(window.GridCheckBox->isChecked());
    EXPECT_TRUE(window.DrawOnSetCheckBox->isChecked());
    EXPECT_TRUE(window.NormalOption->isChecked());
    EXPECT_FALSE(window.MaskOption->isChecked());
    EXPECT_EQ(window.FontNumberLabel->palette().color(QPalette::Window), QColor(128, 255, 128));
    EXPECT_EQ(window.SetNumberLabel->palette().color(QPalette::Window), QColor(255, 255, 0));
    EXPECT_EQ(window.LeftColourBox->palette().color(QPalette::Window), QColor(255, 255, 255));
    EXPECT_EQ(window.RightColourBox->palette().color(QPalette::Window), QColor(0, 0, 0));
    EXPECT_TRUE(window.FontCanvas->focusPolicy() & Qt::ClickFocus);
}

TEST_F(MainWindowLayout, MenusCarryEveryItemWithItsIdentifierAndShortcut) {
    struct Item {
        int id;
        const char* menu;
        const char* text;
        const char* shortcut;
    };
    const Item items[] = {
        {1, "Project", "Open...", ""},
        {2, "Project", "Save", ""},
        {3, "Project", "Save As...", ""},
        {4, "Project", "About", ""},
        {5, "Project", "Exit", ""},
        {6, "Font", "Load Font", ""},
        {7, "Font", "Save Font", ""},
        {8, "Font", "Save/Load range Font", ""},
        {9, "Font", "Default Atari Font", ""},
        {10, "Font", "Next", ""},
        {11, "Font", "Previous", ""},
        {12, "Font", "Import image to font...", ""},
        {13, "Char", "Rotate\tR", "R"},
        {14, "Char", "H Mirror\tH", "H"},
        {15, "Char", "V Mirror\tV", "V"},
        {16, "Char", "Shift left\tShift+Left", "Shift+Left"},
        {17, "Char", "Shift Right\tShift+Right", "Shift+Right"},
        {18, "Char", "Shift Up\tShift+Up", "Shift+Up"},
        {19, "Char", "Shift Down\tShift+Down", "Shift+Down"},
        {20, "Char", "Inverse\tI", "I"},
        {21, "Char", "Clear\tDelete", "Del"},
        {22, "Char", "Copy\tCtrl+C", "Ctrl+C"},
        {23, "Char", "Paste\tCtrl+V", "Ctrl+V"},
        {24, "Set", "Grid ON/OFF", ""},
        {25, "Set", "Next\tPageDown", "PgDown"},
        {26, "Set", "Previous\tPageUp", "PgUp"},
        {27, "Set", "Load Set", ""},
        {28, "Set", "Save Set", ""},
        {29, "Set", "Load all Set", ""},
        {30, "Set", "Save all Set", ""},
        {31, "Set", "Copy", ""},
        {32, "Set", "Paste", ""},
        {33, "Set", "Clear", ""},
        {34, "Set", "Clear bits", ""},
        {35, "Set", "Export Set to bin...", ""},
        {36, "Char", "Undo\tCtrl+Z", "Ctrl+Z"},
        {37, "Char", "Redo\tCtrl+Y", "Ctrl+Y"},
        {38, "Tools", "Find duplicate glyphs...", ""},
        {39, "Tools", "Mark unused glyphs", ""},
        {40, "Tools", "Text preview...", ""},
    };
    QStringList titles;
    for (QAction* a : window.menuBar()->actions())
        titles << a->text();
    EXPECT_EQ(titles, QStringList({"Project", "Font", "Char", "Set", "Tools"}));
    for (const Item& item : items) {
        SCOPED_TRACE(item.id);
        QAction* a = window.menuAction(item.id);
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->text(), QString(item.text));
        EXPECT_EQ(a->data().toInt(), item.id);
        EXPECT_EQ(a->shortcut().toString(), QString(item.shortcut));
        auto* menu = qobject_cast<QMenu*>(a->parent());
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(menu->title(), QString(item.menu));
    }
    // Undo and Redo come last in the Char menu, after Paste; Redo has a second key.
    QMenu* charMenu = qobject_cast<QMenu*>(window.menuAction(13)->parent());
    const QList<QAction*> charItems = charMenu->actions();
    ASSERT_GE(charItems.size(), 2);
    EXPECT_EQ(charItems[charItems.size() - 2], window.menuAction(36));
    EXPECT_EQ(charItems.last(), window.menuAction(37));
    EXPECT_EQ(window.menuAction(37)->shortcuts(),
              QList<QKeySequence>({QKeySequence("Ctrl+Y"), QKeySequence("Ctrl+Shift+Z")}));
}

TEST_F(MainWindowLayout, StartUpFillsStatusBarCombosTitleAndCanvases) {
    startUp(*doc, window);
    EXPECT_EQ(window.windowTitle(), "Korvex 2 (ver$: 0.52)");
    EXPECT_EQ(window.statusField(1), "Font: Default.fnt");
    ASSERT_EQ(window.AnimStartCombo->count(), 100);
    ASSERT_EQ(window.AnimStopCombo->count(), 100);
    EXPECT_EQ(window.AnimStartCombo->itemText(99), "100");
    EXPECT_EQ(window.AnimStartCombo->currentText(), "1");
    EXPECT_EQ(window.AnimStopCombo->currentText(), "2");
    EXPECT_EQ(doc->CurrentGlyph, 1);
    EXPECT_EQ(doc->viewEditorX, window.x() + 50);
    // The font canvas shows glyph 1 ("!"): row 1 has columns 3 and 4 set, drawn at
    // magnification 2 from (17, 0).
    const QImage& font = window.FontCanvas->image();
    EXPECT_EQ(font.pixel(17 + 6, 2), qRgb(238, 238, 238));
    EXPECT_EQ(font.pixel(17 + 2, 2), qRgb(0, 0, 0));
    // Set 1 is empty: grey-48 cells on the set canvas.
    EXPECT_EQ(window.SetCanvas->image().pixel(45, 45), qRgb(48, 48, 48));
}

} // namespace
