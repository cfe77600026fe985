// The timed "Info..." notice.

#include "gui/info_window.h"
#include "gui/main_window.h"
#include "gui/window_commands.h"
#include "test_document.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QTimer>
#include <gtest/gtest.h>

using namespace korvex;

namespace {

InfoWindow* visibleInfoWindow() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* info = qobject_cast<InfoWindow*>(w); info && info->isVisible())
            return info;
    return nullptr;
}

class InfoNotice : public ::testing::Test {
protected:
    InfoNotice() {
        window.move(60, 40);
        window.show();
    }
    ~InfoNotice() override { setInfoWaitForTests(true); }

    std::unique_ptr<Document> doc = test::freshDocument();
    MainWindow window{*doc};
};

TEST_F(InfoNotice, ShowsTheTextNearTheMainWindowForTheTimeAndCloses) {
    struct Seen {
        bool shown = false;
        QString title, text;
        QPoint pos;
        QSize size;
        QRect textRect;
    } seen;
    QTimer::singleShot(10, [&] {
        if (InfoWindow* info = visibleInfoWindow()) {
            seen = {true,        info->windowTitle(), info->TextLabel->text(),
                    info->pos(), info->size(),        info->TextLabel->geometry()};
        }
    });
    const int before = infoShowCount();
    QElapsedTimer clock;
    clock.start();
    showInfo(window, "Project saved!", 60);
    const qint64 elapsed = clock.elapsed();

    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(seen.title, "Info...");
    EXPECT_EQ(seen.text, "Project saved!");
    EXPECT_EQ(seen.pos, window.pos() + QPoint(372, 272));
    EXPECT_EQ(seen.size, QSize(290, 100));
    EXPECT_EQ(seen.textRect, QRect(30, 20, 230, 60));
    EXPECT_GE(elapsed, 55);
    EXPECT_EQ(visibleInfoWindow(), nullptr);
    EXPECT_TRUE(window.findChildren<InfoWindow*>().isEmpty());
    EXPECT_EQ(lastInfoText(), "Project saved!");
    EXPECT_EQ(infoShowCount(), before + 1);
}

TEST_F(InfoNotice, WithoutTheWaitItStillRecordsAndCloses) {
    setInfoWaitForTests(false);
    bool timerRan = false;
    QTimer::singleShot(0, [&] { timerRan = true; });
    const int before = infoShowCount();
    showInfo(window, "Project loaded!", 2000);
    EXPECT_EQ(lastInfoText(), "Project loaded!");
    EXPECT_EQ(infoShowCount(), before + 1);
    EXPECT_EQ(visibleInfoWindow(), nullptr);
    EXPECT_FALSE(timerRan); // nothing else ran in between
    QCoreApplication::processEvents();
}

} // namespace
