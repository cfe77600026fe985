// The Atari view window: one per View Editor, the screen pixel for pixel at each
// zoom, the mark past 240 scanlines, and every change of the screen, the glyphs,
// the fonts and the mode shown in it, the partial redraws with the pixels of a
// whole one.

#include "core/atari_view.h"
#include "core/screens.h"
#include "formats/screen_picture_file.h"
#include "gui/atari_view_window.h"
#include "render/atari_view_drawing.h"
#include "render/picture_convert.h"
#include "view_editor_test_fixture.h"

#include <QAction>
#include <QLabel>
#include <QPointer>
#include <QScrollBar>

using namespace korvex;

namespace {

constexpr int kScreen = 2;
const QRgb kUntouched = qRgb(255, 0, 255);

class AtariView : public test::ViewEditorTest {
protected:
    AtariView() {
        // Fonts 2 and 3 differ from font 1 and from each other, each in its colours.
        for (int font = 2; font <= 3; ++font) {
            for (int g = 0; g < kGlyphCount; ++g)
                for (int x = 0; x < 8; ++x)
                    for (int y = 0; y < 8; ++y)
                        doc->setPixel(
                            font, g, x, y,
                            doc->pixel(1, g, font == 2 ? 7 - x : x, font == 3 ? 7 - y : y));
            for (int r = LUM; r <= PF3; ++r)
                doc->FontColours[font][r] = 0x102030 * font + 0x0A0000 * r;
        }
        for (int i = 0; i < kScreenCells; ++i)
            setCell(*doc, kScreen, i % kScreenColumns, i / kScreenColumns,
                    uint8_t(33 + i % 40 + (i % 3 == 0 ? 128 : 0)));
        doc->currentScreen = kScreen;
        editor = open();
    }

    AtariViewWindow* openView() {
        editor->menuAction(ViewEditorMenuAtariView)->trigger();
        return atariViewOf(*editor);
    }

    // Rows 0..23 in fonts 0 (follow), 2 and 3 and modes 0, 2 and 4; the first
    // `tallRows` rows in mode 5.
    void setRows(int tallRows) {
        RowTable& table = doc->rowTables[kScreen];
        for (int row = 0; row < kRowTableRows; ++row) {
            table.font[row] = uint8_t(row % 3 == 0 ? 0 : 1 + row % 3);
            table.mode[row] = uint8_t(row < tallRows ? 5 : (row % 4 == 0 ? 0 : 2 + 2 * (row % 2)));
        }
    }

    // What the view shows of the current screen: the machine's picture, zoomed.
    QImage expected(int zoom) const {
        return toQImage(scaledPicture(
            drawAtariScreen(*doc, doc->currentScreen, int(doc->CurrentFont), doc->FourColourMode),
            zoom));
    }

    ViewEditorWindow* editor = nullptr;
};

TEST_F(AtariView, OpensOnceClosesWithTheViewEditorAndReopensWhereItWas) {
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->menuAction(ViewEditorMenuAtariView)->shortcut(), QKeySequence("Ctrl+T"));
    AtariViewWindow* view = openView();
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->isVisible());
    EXPECT_EQ(view->windowTitle(), "Atari View");
    EXPECT_EQ(openView(), view);
    EXPECT_EQ(editor->findChildren<AtariViewWindow*>().size(), 1);

    // Its place and zoom are kept from one opening to the next.
    view->setZoom(3);
    view->move(40, 50);
    view->close();
    flushDeletes();
    EXPECT_EQ(atariViewOf(*editor), nullptr);
    view = openView();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->zoom(), 3);
    EXPECT_TRUE(view->zoomAction(3)->isChecked());
    EXPECT_EQ(view->pos(), QPoint(40, 50));

    const QPointer<AtariViewWindow> alive = view;
    editor->menuAction(ViewEditorMenuExit)->trigger();
    EXPECT_FALSE(view->isVisible());
    flushDeletes();
    EXPECT_TRUE(alive.isNull());
}

TEST_F(AtariView, ShowsTheScreenPixelForPixelAtEachZoom) {
    setRows(2); // 208 scanlines
    AtariViewWindow* view = openView();
    ASSERT_NE(view, nullptr);
    view->zoomAction(1)->trigger();
    EXPECT_EQ(view->Canvas->image().size(), QSize(320, 208));
    EXPECT_EQ(view->Canvas->image(), expected(1));
    EXPECT_TRUE(view->StatusText->text().startsWith("Screen 2: 208 scanlines"));
    EXPECT_FALSE(view->StatusText->text().contains("past"));

    view->zoomAction(2)->trigger();
    EXPECT_EQ(view->Canvas->image(), expected(2));
    view->ZoomInAction->trigger();
    view->ZoomInAction->trigger();
    EXPECT_EQ(view->zoom(), 4);
    EXPECT_FALSE(view->ZoomInAction->isEnabled());
    EXPECT_EQ(view->Canvas->image(), expected(4));
    EXPECT_TRUE(view->StatusText->text().endsWith(" 4x"));
    for (int i = 0; i < 5; ++i)
        view->ZoomOutAction->trigger();
    EXPECT_EQ(view->zoom(), 1);
    EXPECT_FALSE(view->ZoomOutAction->isEnabled());
}

TEST_F(AtariView, MarksOnlyTheScanlinesPastWhatADisplayListShows) {
    setRows(6); // exactly 240: nothing to mark
    AtariViewWindow* view = openView();
    ASSERT_NE(view, nullptr);
    view->setZoom(1);
    EXPECT_EQ(view->Canvas->image(), expected(1));
    EXPECT_FALSE(view->StatusText->text().contains("past"));

    setRows(10); // 272
    editor->redrawCanvas();
    for (int zoom : {1, 2}) {
        view->setZoom(zoom);
        const QImage shown = view->Canvas->image();
        const QImage machine = expected(zoom);
        ASSERT_EQ(shown.size(), QSize(320 * zoom, 272 * zoom));
        const int mark = kMaxDisplayScanlines * zoom;
        EXPECT_EQ(shown.copy(0, 0, shown.width(), mark), machine.copy(0, 0, shown.width(), mark));
        // The first hidden scanline is a dashed line, the others are tinted red.
        for (int x = 0; x < shown.width(); ++x) {
            for (int y = mark; y < mark + zoom; ++y) {
                const QRgb line = shown.pixel(x, y);
                EXPECT_TRUE(line == qRgb(255, 48, 48) || line == qRgb(0, 0, 0)) << x;
            }
            for (int y = mark + zoom; y < shown.height(); y += 7) {
                const QRgb m = machine.pixel(x, y);
                ASSERT_EQ(shown.pixel(x, y), qRgb((qRed(m) + 128) / 2, qGreen(m) / 2, qBlue(m) / 2))
                    << x << "," << y;
            }
        }
        EXPECT_NE(shown.pixel(0, mark), shown.pixel(4 * zoom, mark));
    }
    EXPECT_TRUE(view->StatusText->text().startsWith("Screen 2: 272 scanlines, 32 past 240"));
}

TEST_F(AtariView, ShowsScreenEditsGlyphEditsFontAndModeChangesAndUndo) {
    setRows(3);
    AtariViewWindow* view = openView();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->Canvas->image(), expected(2));

    // A cell painted on the View Editor's canvas, then undone.
    doc->PickedGlyph = 1;
    QTest::mouseClick(editor->Canvas, Qt::LeftButton, {}, at(3 * 16 + 5, 4 * 16 + 5));
    ASSERT_EQ(getCell(*doc, kScreen, 3, 4), 1);
    EXPECT_EQ(view->Canvas->image(), expected(2));
    window.menuAction(MenuUndo)->trigger();
    ASSERT_NE(getCell(*doc, kScreen, 3, 4), 1);
    EXPECT_EQ(view->Canvas->image(), expected(2));

    // A glyph of the current font drawn in the main window, shown by rows that follow.
    doc->CurrentGlyph = 40;
    window.drawGlyphEditor();
    const QImage before = view->Canvas->image().copy();
    QTest::mouseClick(window.EditorCanvas, Qt::LeftButton, {}, QPoint(2 + 15, 2 + 15));
    EXPECT_NE(view->Canvas->image(), before);
    EXPECT_EQ(view->Canvas->image(), expected(2));
    window.menuAction(MenuUndo)->trigger();
    EXPECT_EQ(view->Canvas->image(), before);

    // Another current font and the four-colour mode change the rows that follow.
    QTest::mouseClick(window.FontNextButton, Qt::LeftButton);
    ASSERT_EQ(doc->CurrentFont, 2);
    EXPECT_EQ(view->Canvas->image(), expected(2));
    window.mainWindowEvent(MainEvent{MainEventKind::Control, int(Control::Mode)});
    ASSERT_TRUE(doc->FourColourMode);
    EXPECT_EQ(view->Canvas->image(), expected(2));
    // A working colour, as the palette window leaves it before the main window redraws.
    doc->ColourPF1 = 0x2040C0;
    window.redrawMainWindow();
    EXPECT_EQ(view->Canvas->image(), expected(2));

    // Another screen, with another height.
    editor->HorizontalScrollBar->setValue(0);
    ASSERT_EQ(doc->currentScreen, 0);
    EXPECT_EQ(view->Canvas->image(), expected(2));
    EXPECT_EQ(view->Canvas->image().height(), 384);
}

TEST_F(AtariView, AGlyphChangeRedrawsOnlyItsCellsWithTheWholeRedrawsPixels) {
    setRows(12); // 288 scanlines: the mark is redrawn with the cells
    doc->rowTables[kScreen].font[20] = 1;
    AtariViewWindow* view = openView();
    ASSERT_NE(view, nullptr);
    view->setZoom(3);
    for (int font : {1, 2}) {
        doc->CurrentFont = font;
        doc->CurrentGlyph = 35;
        window.redrawMainWindow();
        view->Canvas->image().fill(kUntouched);
        QTest::mouseClick(window.EditorCanvas, Qt::LeftButton, {}, QPoint(2 + 15, 2 + 15));
        const QImage partial = view->Canvas->image().copy();
        view->redraw();
        const QImage& whole = view->Canvas->image();
        const std::vector<int> cells = screenCellsShowing(*doc, kScreen, GlyphRef(font, 35));
        ASSERT_FALSE(cells.empty());
        int redrawn = 0;
        for (int y = 0; y < whole.height(); ++y)
            for (int x = 0; x < whole.width(); ++x) {
                if (partial.pixel(x, y) == kUntouched)
                    continue;
                ++redrawn;
                ASSERT_EQ(partial.pixel(x, y), whole.pixel(x, y)) << font << ": " << x << "," << y;
            }
        // Only the cells that show the glyph, and all of them.
        int expectedPixels = 0;
        for (const QRect& area : atariViewAreasShowing(*doc, 3, GlyphRef(font, 35)))
            expectedPixels += area.width() * area.height();
        EXPECT_EQ(redrawn, expectedPixels) << font;
    }
}

} // namespace
