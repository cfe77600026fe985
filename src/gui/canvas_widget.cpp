#include "gui/canvas_widget.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>
#include <cmath>

namespace korvex {

int buttonState(Qt::MouseButtons buttons) {
    if (buttons == Qt::LeftButton)
        return 1;
    if (buttons == Qt::RightButton)
        return 2;
    if (buttons == Qt::MiddleButton)
        return 4;
    return buttons == Qt::NoButton ? 0 : 8;
}

QPoint drawingPixelAt(QPointF position) {
    // Rounded down, not to the nearest: at a device pixel ratio of 2 the position of
    // a device pixel can be a half logical pixel, and it belongs to the logical pixel
    // it lies in, not to the next one. The slack absorbs the rounding error of the
    // conversions from device to logical positions (61.9999 for 62).
    constexpr double kSlack = 1.0 / 256;
    return QPoint(int(std::floor(position.x() + kSlack)), int(std::floor(position.y() + kSlack)));
}

CanvasWidget::CanvasWidget(QWidget* parent, int x, int y, int width, int height, bool border)
    : QFrame(parent), inset_(border ? 2 : 0) {
    if (border) {
        setFrameStyle(QFrame::Panel | QFrame::Sunken);
        setLineWidth(2);
    }
    setGeometry(x, y, width, height);
    image_ = QImage(width - 2 * inset_, height - 2 * inset_, QImage::Format_RGB32);
    image_.fill(Qt::black);
    setMouseTracking(true);
}

void CanvasWidget::setDrawingSize(int width, int height) {
    image_ = QImage(width, height, QImage::Format_RGB32);
    image_.fill(Qt::black);
    resize(width + 2 * inset_, height + 2 * inset_);
    update();
}

void CanvasWidget::redrawAreas(const std::vector<QRect>& areas,
                               const std::function<void(QImage&, const QRect&)>& draw) {
    for (const QRect& area : areas) {
        draw(image_, area);
        update(area.translated(inset_, inset_));
    }
}

void CanvasWidget::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    // On a screen with more device pixels than logical ones the drawing is enlarged
    // by repeating pixels, never by blending neighbours: an Atari pixel stays a sharp
    // block of whole device pixels at any integer ratio.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    // Only the part of the image that has to be repainted is copied.
    const QRect target = event->rect() & QRect(inset_, inset_, image_.width(), image_.height());
    if (!target.isEmpty())
        painter.drawImage(target, image_, target.translated(-inset_, -inset_));
}

void CanvasWidget::report(CanvasEventKind kind, QMouseEvent* event) {
    if (!onInput)
        return;
    const QPoint p = drawingPixelAt(event->position());
    onInput(CanvasInput{kind, p.x() - inset_, p.y() - inset_, buttonState(event->buttons()),
                        event->button()});
}

void CanvasWidget::mousePressEvent(QMouseEvent* event) {
    report(CanvasEventKind::Press, event);
}
void CanvasWidget::mouseReleaseEvent(QMouseEvent* event) {
    report(CanvasEventKind::Release, event);
}
void CanvasWidget::mouseMoveEvent(QMouseEvent* event) {
    report(CanvasEventKind::Move, event);
}

void CanvasWidget::wheelEvent(QWheelEvent* event) {
    if (!onWheel) {
        QFrame::wheelEvent(event);
        return;
    }
    // A notch is 15 degrees (120 eighths); finer wheels add up to whole notches.
    constexpr int kNotch = 120;
    wheelRest_ -= event->angleDelta().y();
    const int notches = wheelRest_ / kNotch;
    wheelRest_ -= notches * kNotch;
    event->accept();
    if (notches == 0)
        return;
    const QPoint p = drawingPixelAt(event->position());
    onWheel(p.x() - inset_, p.y() - inset_, notches);
}

} // namespace korvex
