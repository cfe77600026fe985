#include "gui/canvas_widget.h"

#include <QMouseEvent>
#include <QPainter>

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

void CanvasWidget::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.drawImage(inset_, inset_, image_);
}

void CanvasWidget::report(CanvasEventKind kind, QMouseEvent* event) {
    if (!onInput)
        return;
    const QPoint p = event->position().toPoint();
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

} // namespace korvex
