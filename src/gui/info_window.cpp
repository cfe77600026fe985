#include "gui/info_window.h"

#include "gui/caption_fit.h"
#include "gui/main_window.h"
#include "gui/window_commands.h"

#include <QEventLoop>
#include <QLabel>
#include <QTimer>
#include <algorithm>

namespace korvex {

namespace {

bool waitEnabled = true;
std::string lastText;
int shownCount = 0;

} // namespace

InfoWindow::InfoWindow(QWidget* parent, const QString& text) : QWidget(parent, Qt::Window) {
    setObjectName("InfoWindow");
    setWindowTitle("Info...");
    setFixedSize(290, 100);
    TextLabel = new QLabel(text, this);
    TextLabel->setObjectName("InfoText");
    TextLabel->setGeometry(30, 20, 230, 60);
    TextLabel->setAlignment(Qt::AlignCenter);
    TextLabel->setWordWrap(true);
    fitCaptions(this);
}

void setInfoWaitForTests(bool wait) {
    waitEnabled = wait;
}
const std::string& lastInfoText() {
    return lastText;
}
int infoShowCount() {
    return shownCount;
}

void showInfo(MainWindow& window, const std::string& text, int milliseconds) {
    InfoWindow info(&window, QString::fromStdString(text));
    info.move(window.pos() + QPoint(372, 272));
    info.show();
    lastText = text;
    ++shownCount;
    const int wait = waitEnabled ? std::max(0, milliseconds) : 0;
    if (wait > 0) {
        // A local loop rather than a sleep: windows repaint and the window system
        // stays responsive, while clicks and keys wait until the notice is gone.
        QEventLoop loop;
        QTimer timer;
        timer.setSingleShot(true);
        timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
        timer.start(wait);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    info.close();
}

} // namespace korvex
