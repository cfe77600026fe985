#pragma once
// A pair of up/down arrow buttons that steps a number within a range, shown
// beside a separate text field. A press on the upper half steps up, on the lower
// half down, repeating while the button is held. Only the user's steps are
// signalled; setValue from the program is silent.

#include <QTimer>
#include <QWidget>

namespace korvex {

class UpDownSpinner : public QWidget {
    Q_OBJECT
public:
    UpDownSpinner(QWidget* parent, int x, int y, int width, int height);

    void setRange(int minimum, int maximum);
    int minimum() const { return minimum_; }
    int maximum() const { return maximum_; }

    // Shows `value` clamped into the range, without a signal.
    void setValue(int value);
    int value() const { return value_; }

    // One user step (+1 up, -1 down): clamped; signals when the value moved.
    void stepBy(int steps);

signals:
    void valueStepped(int value);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QRect upperHalf() const;
    QRect lowerHalf() const;

    int minimum_ = 0;
    int maximum_ = 99;
    int value_ = 0;
    int heldDirection_ = 0; // +1 / -1 while a half is pressed
    QTimer repeat_;
};

} // namespace korvex
