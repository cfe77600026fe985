// A paint event redraws only the cells that show the painted glyph; after every
// event of random strokes, each canvas must be exactly what a full redraw draws.

#include "gui/app.h"
#include "gui/canvas_widget.h"
#include "gui/main_window.h"
#include "gui/multi_font_view_window.h"
#include "gui/sets_viewer_window.h"
#include "gui/view_editor_window.h"
#include "scripted_dialogs.h"
#include "test_document.h"

#include <QMouseEvent>
#include <QTest>
#include <gtest/gtest.h>

#include <random>
#include <vector>

using namespace korvex;

namespace {

enum class View { TwoColour, FourColour, FourColourMask };

class PartialRedraw : public ::testing::TestWithParam<View> {
protected:
    PartialRedraw() {
        startUp(*doc, window);
        window.show();
    }
    ~PartialRedraw() override {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // A set of glyph codes that repeat (normal and inverse), an empty cell and a
    // bad one, a screen of the same codes, the viewers open and showing the
    // current font and the next, in the chosen view.
    void prepare(View view) {
        const int16_t cells[kSetCells] = {65,  65 + 128, 66, -1, 65, 300, 66 + 128, 67, 65,
                                          67,  68,       65, 66, 67, 68,  69,       70, 65,
                                          193, 66,       67, 68, 69, 70,  65};
        for (int k = 0; k < kSetCells; ++k) {
            doc->Sets[1][k] = cells[k];
            doc->Sets[2][k] = cells[(k + 3) % kSetCells];
        }
        for (int i = 0; i < kScreenCells; ++i)
            doc->screens[i] = uint8_t(65 + i % 7 + (i % 3 == 0 ? 128 : 0));
        // Font 2 differs from font 1, so the Mask view's layer shows.
        for (int g = 0; g < kGlyphCount; ++g)
            for (int x = 0; x < 8; ++x)
                for (int y = 0; y < 8; ++y)
                    doc->setPixel(2, g, x, y, doc->pixel(1, g, 7 - x, y));
        doc->MultiViewFonts[1] = 0;
        doc->MultiViewFonts[2] = 1;
        doc->MultiViewFonts[3] = 0;
        doc->DrawOnSet = 1;
        if (view != View::TwoColour)
            window.mainWindowEvent(control(Control::Mode));
        if (view == View::FourColourMask)
            window.mainWindowEvent(control(Control::Mask));
        window.mainWindowEvent(control(Control::MultiFontViewer));
        window.mainWindowEvent(control(Control::ViewEditor));
        window.mainWindowEvent(control(Control::SetsViewer));
        window.setClickGuard(0);
        window.redrawMainWindow();
        canvases = {window.FontCanvas, window.SetPreviewCanvas, window.SetCanvas,
                    window.EditorCanvas, window.GlyphPreviewCanvas};
        MultiFontViewWindow* multi = openMultiFontViewOf(window);
        ViewEditorWindow* editor = findViewEditor(window);
        SetsViewerWindow* sets = openSetsViewerOf(window);
        ASSERT_TRUE(multi && editor && sets);
        canvases.push_back(multi->ViewCanvas);
        canvases.push_back(editor->Canvas);
        canvases.push_back(sets->StripCanvas);
    }

    static MainEvent control(Control c) {
        MainEvent e{MainEventKind::Control};
        e.id = int(c);
        return e;
    }

    static void send(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButton button,
                     Qt::MouseButtons held) {
        QMouseEvent event(type, QPointF(at), QPointF(target->mapToGlobal(at)), button, held,
                          Qt::NoModifier);
        QApplication::sendEvent(target, &event);
    }

    // Every canvas as the events left it, then as a full redraw draws it.
    void expectSameAsFullRedraw(const char* what, int stroke, int step) {
        std::vector<QImage> drawn;
        for (CanvasWidget* canvas : canvases)
            drawn.push_back(canvas->image().copy());
        window.redrawMainWindow();
        for (size_t i = 0; i < canvases.size(); ++i)
            ASSERT_EQ(drawn[i], canvases[i]->image())
                << what << " stroke " << stroke << " step " << step << " canvas " << i;
    }

    test::ScriptedDialogs dialogs;
    std::unique_ptr<Document> doc = test::freshDocument();
    MainWindow window{*doc};
    std::vector<CanvasWidget*> canvases;
};

TEST_P(PartialRedraw, RandomStrokesLeaveEveryCanvasAsAFullRedrawDrawsIt) {
    prepare(GetParam());
    std::mt19937 random(19);
    constexpr int kInset = 2;
    for (int stroke = 0; stroke < 24; ++stroke) {
        const bool onSet = stroke % 2 == 1;
        CanvasWidget* target = onSet ? window.SetCanvas : window.EditorCanvas;
        const int size = onSet ? 400 : 240;
        // Some strokes paint the glyph of an inverse code, so both rules are used.
        if (!onSet) {
            doc->CurrentGlyph = (stroke % 4 == 0) ? 65 + 128 : 65 + stroke % 3;
            window.drawGlyphEditor(); // as picking a glyph does
        }
        const Qt::MouseButton button = random() % 2 ? Qt::LeftButton : Qt::RightButton;
        // Four-colour strokes paint with each of the registers in turn.
        doc->LeftColour = PF0 + stroke % 4;
        auto point = [&] {
            return QPoint(kInset + int(random() % size), kInset + int(random() % size));
        };
        send(target, QEvent::MouseButtonPress, point(), button, button);
        expectSameAsFullRedraw("press", stroke, 0);
        for (int step = 1; step <= 12; ++step) {
            send(target, QEvent::MouseMove, point(), Qt::NoButton, button);
            expectSameAsFullRedraw("move", stroke, step);
        }
        send(target, QEvent::MouseButtonRelease, point(), button, Qt::NoButton);
    }
}

INSTANTIATE_TEST_SUITE_P(AllViews, PartialRedraw,
                         ::testing::Values(View::TwoColour, View::FourColour,
                                           View::FourColourMask));

} // namespace
