#pragma once
// The timed notice "Info...": a short text shown near the main window for a fixed
// time, after which the window closes by itself.

#include <QWidget>
#include <string>

class QLabel;

namespace korvex {

class InfoWindow : public QWidget {
    Q_OBJECT
public:
    InfoWindow(QWidget* parent, const QString& text);

    QLabel* TextLabel = nullptr;
};

// showInfo itself is declared with the main window's commands. While it waits, the
// windows keep painting and timers keep running, but no user input is handled.

// Tests: with the wait switched off, showInfo shows and closes the window at once.
void setInfoWaitForTests(bool wait);
// The text of the latest notice and how many notices were shown, for tests.
const std::string& lastInfoText();
int infoShowCount();

} // namespace korvex
