#include "gui/up_down_spinner.h"

#include <QMouseEvent>
#include <QStyleOption>
#include <QStylePainter>
#include <algorithm>

namespace korvex {

namespace {
constexpr int kFirstRepeatMs = 400;
constexpr int kRepeatMs = 80;
} // namespace

UpDownSpinner::UpDownSpinner(QWidget* parent, int x, int y, int width, int height)
    : QWidget(parent) {
    setGeometry(x, y, width, height);
    repeat_.setInterval(kFirstRepeatMs);
    connect(&repeat_, &QTimer::timeout, this, [this] {
        repeat_.setInterval(kRepeatMs);
        stepBy(heldDirection_);
    });
}

void UpDownSpinner::setRange(int minimum, int maximum) {
    minimum_ = minimum;
    maximum_ = std::max(minimum, maximum);
    setValue(value_);
}

void UpDownSpinner::setValue(int value) {
    value_ = std::clamp(value, minimum_, maximum_);
    update();
}

void UpDownSpinner::stepBy(int steps) {
    const int next = std::clamp(value_ + steps, minimum_, maximum_);
    if (next == value_)
        return;
    value_ = next;
    update();
    emit valueStepped(value_);
}

QRect UpDownSpinner::upperHalf() const {
    return QRect(0, 0, width(), height() / 2);
}

QRect UpDownSpinner::lowerHalf() const {
    return QRect(0, height() / 2, width(), height() - height() / 2);
}

void UpDownSpinner::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    auto drawHalf = [&](const QRect& rect, int direction, QStyle::PrimitiveElement arrow) {
        QStyleOption option;
        option.initFrom(this);
        option.rect = rect;
        option.state |= heldDirection_ == direction ? QStyle::State_Sunken : QStyle::State_Raised;
        painter.drawPrimitive(QStyle::PE_PanelButtonBevel, option);
        option.rect = rect.adjusted(1, 1, -1, -1);
        painter.drawPrimitive(arrow, option);
    };
    drawHalf(upperHalf(), +1, QStyle::PE_IndicatorArrowUp);
    drawHalf(lowerHalf(), -1, QStyle::PE_IndicatorArrowDown);
}

void UpDownSpinner::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    heldDirection_ = upperHalf().contains(event->position().toPoint()) ? +1 : -1;
    stepBy(heldDirection_);
    repeat_.setInterval(kFirstRepeatMs);
    repeat_.start();
    update();
}

void UpDownSpinner::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    heldDirection_ = 0;
    repeat_.stop();
    update();
}

} // namespace korvex
