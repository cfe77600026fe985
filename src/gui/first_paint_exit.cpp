#include "gui/first_paint_exit.h"

#include <QCoreApplication>
#include <QEvent>
#include <QThread>
#include <QTimer>
#include <QWidget>

namespace korvex {
namespace {

// Ends the main loop; a paint handled before the loop started (by an event pass of
// the start-up) waits for it, as an end asked for then would be forgotten.
void quitOnceLooping() {
    if (QThread::currentThread()->loopLevel() == 0) {
        QTimer::singleShot(0, qApp, quitOnceLooping);
        return;
    }
    QCoreApplication::exit(0); // quit() would ask the window to close, and it asks first
}

// Sees the first paint of any widget of the window go by, then asks the loop to end
// once that paint (and the flush of the frame it belongs to) is done.
class FirstPaintWatcher : public QObject {
public:
    explicit FirstPaintWatcher(QWidget& window) : QObject(&window), window_(window) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->window() == &window_) {
            qApp->removeEventFilter(this);
            QTimer::singleShot(0, qApp, quitOnceLooping);
        }
        return false;
    }

private:
    QWidget& window_;
};

} // namespace

void exitAfterFirstPaintIfAsked(QWidget& window) {
    if (qEnvironmentVariableIsEmpty(kExitAfterFirstPaintVariable))
        return;
    qApp->installEventFilter(new FirstPaintWatcher(window));
}

} // namespace korvex
