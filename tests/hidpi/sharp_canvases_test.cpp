// The canvases on a screen with two device pixels to the logical one: drawn by
// repeating pixels, and clicked on the right one.

#include "gui/canvas_widget.h"
#include "main_window_fixture.h"
#include "render/canvas_sizes.h"

#include <QMouseEvent>
#include <QPixmap>
#include <cmath>

namespace korvex {
namespace {

constexpr int kRatio = 2;

// Every window of this program gets the ratio: set before main starts the application.
const bool kRatioSet = qputenv("QT_SCALE_FACTOR", QByteArray::number(kRatio));
constexpr int kEditorPixel = 30; // logical pixels of one Atari pixel in the glyph editor

// Presses and releases the left button at a widget position, which may lie between
// logical pixels as the position of a device pixel does.
void sendPress(QWidget* widget, QPointF at) {
    const QPointF global = widget->mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(widget, &release);
}

class SharpCanvases : public test::MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        ASSERT_EQ(window.devicePixelRatio(), kRatio) << kRatioSet;
    }
    int paintedCount() const {
        int n = 0;
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                n += pixel(x, y) != 0;
        return n;
    }
    uint8_t pixel(int x, int y) const {
        return doc->pixel(doc->CurrentFont, doc->CurrentGlyph, x, y);
    }
};

TEST_F(SharpCanvases, EveryLogicalPixelIsAWholeBlockOfDevicePixels) {
    // A glyph with detail in it, so that the editor and the font show edges.
    doc->CurrentGlyph = 33;
    window.redrawMainWindow();
    const QList<CanvasWidget*> canvases = window.findChildren<CanvasWidget*>();
    ASSERT_GE(canvases.size(), 7);
    for (CanvasWidget* canvas : canvases) {
        const QImage drawn = canvas->image();
        const QImage shown = canvas->grab().toImage().convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(shown.width(), canvas->width() * kRatio);
        const int inset = (canvas->width() - drawn.width()) / 2;
        int mismatches = 0;
        for (int y = 0; y < drawn.height(); ++y)
            for (int x = 0; x < drawn.width(); ++x)
                for (int dy = 0; dy < kRatio; ++dy)
                    for (int dx = 0; dx < kRatio; ++dx)
                        mismatches += shown.pixel((inset + x) * kRatio + dx,
                                                  (inset + y) * kRatio + dy) != drawn.pixel(x, y);
        EXPECT_EQ(mismatches, 0) << canvas->objectName().toStdString() << " at " << canvas->x()
                                 << "," << canvas->y();
    }
}

TEST_F(SharpCanvases, AClickOnEachAtariPixelPaintsThatPixel) {
    doc->CurrentGlyph = 0; // blank
    window.redrawMainWindow();
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 8; ++c) {
            // Device pixels near both edges of the Atari pixel (odd ones, which lie
            // halfway between logical pixels).
            const bool nearEnd = (r + c) % 2 == 1;
            const double inside = nearEnd ? kEditorPixel - 1.5 : 1.5;
            sendPress(window.EditorCanvas, QPointF(kBorder + c * kEditorPixel + inside,
                                                   kBorder + r * kEditorPixel + inside));
            ASSERT_EQ(pixel(c, r), 1) << c << "," << r;
            ASSERT_EQ(paintedCount(), 8 * r + c + 1) << c << "," << r;
        }
}

TEST_F(SharpCanvases, ADevicePixelCountsAsTheLogicalPixelItLiesIn) {
    CanvasWidget canvas(nullptr, 0, 0, 40, 40, true);
    std::vector<QPoint> reported;
    canvas.onInput = [&](const CanvasInput& in) { reported.push_back({in.x, in.y}); };
    canvas.show();
    // The second device pixel of logical pixel (10, 7) of the drawing, and the first
    // of (11, 8).
    sendPress(&canvas, QPointF(kBorder + 10.5, kBorder + 7.5));
    sendPress(&canvas, QPointF(kBorder + 11, kBorder + 8));
    const std::vector<QPoint> expected{{10, 7}, {10, 7}, {11, 8}, {11, 8}};
    EXPECT_EQ(reported, expected);
}

TEST(DrawingPixel, RoundsDown) {
    EXPECT_EQ(drawingPixelAt(QPointF(29.5, 0.5)), QPoint(29, 0));
    EXPECT_EQ(drawingPixelAt(QPointF(30.0, 2.99)), QPoint(30, 2));
    EXPECT_EQ(drawingPixelAt(QPointF(-0.5, 3)), QPoint(-1, 3));
    // Conversions from device positions leave a trace of rounding error.
    EXPECT_EQ(drawingPixelAt(QPointF(61.99999, 89.9999)), QPoint(62, 90));
}

} // namespace
} // namespace korvex
