#pragma once
// Helpers for driving windows that run their own modal loop (exec()) from a test:
// the test queues an action that runs once the window is up, then starts the
// command that opens it.

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace korvex::test {

// Runs `action` with the active modal window as soon as one is open. If the action
// leaves the window open it is closed afterwards, so a failing test cannot hang in
// exec(). A window that never opens makes the helper give up after a few seconds.
inline void whenModalOpens(std::function<void(QWidget*)> action) {
    auto* poll = new QTimer;
    auto* clock = new QElapsedTimer;
    clock->start();
    QObject::connect(poll, &QTimer::timeout, [poll, clock, action] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal && clock->elapsed() < 5000)
            return;
        poll->stop();
        poll->deleteLater();
        delete clock;
        if (!modal)
            return;
        action(modal);
        if (modal == QApplication::activeModalWidget() && modal->isVisible())
            modal->close();
    });
    poll->start(10);
}

inline QByteArray fileBytes(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

inline bool writeBytes(const QString& path, const QByteArray& data) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(data) == data.size();
}

} // namespace korvex::test
