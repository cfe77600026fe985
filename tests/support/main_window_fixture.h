#pragma once
// A started main window on a fresh document, with scripted dialogs and a temporary
// folder for files: the common ground of the window command tests.

#include "gui/app.h"
#include "gui/main_window.h"
#include "scripted_dialogs.h"
#include "test_document.h"

#include <QAction>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace korvex::test {

class MainWindowFixture : public ::testing::Test {
protected:
    std::unique_ptr<Document> doc = freshDocument();
    MainWindow window{*doc};
    ScriptedDialogs dialogs;
    QTemporaryDir dir;

    void SetUp() override {
        startUp(*doc, window);
        window.show();
        ASSERT_TRUE(dir.isValid());
    }
    QString path(const QString& name) const { return dir.filePath(name); }
    void menu(int id) { window.menuAction(id)->trigger(); }
    void click(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
};

} // namespace korvex::test
