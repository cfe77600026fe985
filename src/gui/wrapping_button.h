#pragma once
// A push button whose caption wraps onto several lines when it does not fit.

#include <QPushButton>

namespace korvex {

class WrappingButton : public QPushButton {
    Q_OBJECT
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace korvex
