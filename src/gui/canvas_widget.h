#pragma once
// A drawing surface of a window: shows a QImage the renderer drew and reports every
// mouse press, release and move over it with the position in drawing coordinates
// (inside the border) and the buttons held at that moment.

#include <QFrame>
#include <QImage>
#include <functional>
#include <vector>

namespace korvex {

enum class CanvasEventKind { Press, Release, Move };

// Mouse-button state as the handlers read it: 1 left only, 2 right only,
// 4 middle only, anything else another combination (0 = none).
int buttonState(Qt::MouseButtons buttons);

// The logical pixel that contains a mouse position, which on a high-density screen
// can fall between two logical pixels' edges.
QPoint drawingPixelAt(QPointF position);

struct CanvasInput {
    CanvasEventKind kind;
    int x = 0, y = 0;
    int buttons = 0;                       // buttonState() of the buttons held
    Qt::MouseButton button = Qt::NoButton; // the button that went down or up
};

class CanvasWidget : public QFrame {
    Q_OBJECT
public:
    // width/height are the outer size; a bordered canvas draws inside a 2-pixel
    // sunken frame.
    CanvasWidget(QWidget* parent, int x, int y, int width, int height, bool border);

    QImage& image() { return image_; }
    const QImage& image() const { return image_; }
    // Resizes the drawing area (the widget follows).
    void setDrawingSize(int width, int height);
    // Redraws the given areas of the image with `draw` (called once per area) and
    // has only those areas repainted.
    void redrawAreas(const std::vector<QRect>& areas,
                     const std::function<void(QImage&, const QRect&)>& draw);

    std::function<void(const CanvasInput&)> onInput;
    // When set, the mouse wheel over the drawing: whole notches turned at (x, y),
    // positive towards the user (down). Without it the wheel goes to the parent.
    std::function<void(int x, int y, int notches)> onWheel;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void report(CanvasEventKind kind, QMouseEvent* event);
    QImage image_;
    int inset_ = 0;
    int wheelRest_ = 0; // eighths of a degree turned towards the next notch
};

} // namespace korvex
