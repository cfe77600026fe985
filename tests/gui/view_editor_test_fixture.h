#pragma once
// A started main window with its View Editor opened through the main window's
// button, for the View Editor and range dialog tests.

#include "core/document.h"
#include "gui/app.h"
#include "gui/canvas_widget.h"
#include "gui/main_window.h"
#include "gui/view_editor_window.h"
#include "render/view_editor_drawing.h"
#include "scripted_dialogs.h"
#include "test_document.h"

#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace korvex::test {

class ViewEditorTest : public ::testing::Test {
protected:
    ViewEditorTest() {
        startUp(*doc, window);
        window.show();
    }
    ~ViewEditorTest() override { flushDeletes(); }

    static void flushDeletes() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    ViewEditorWindow* open() {
        QTest::mouseClick(window.ViewEditorButton, Qt::LeftButton);
        return findViewEditor(window);
    }

    // Canvas drawing coordinates -> widget coordinates (inside the 2-pixel border).
    static QPoint at(int x, int y) { return QPoint(x + 2, y + 2); }

    // The canvas as the document says it should look now.
    QImage expectedCanvas(int previewX = -1, int previewY = -1) const {
        QImage image(640, 384, QImage::Format_RGB32);
        drawViewEditor(*doc, image, previewX, previewY);
        return image;
    }

    ScriptedDialogs dialogs;
    std::unique_ptr<Document> doc = freshDocument();
    MainWindow window{*doc};
};

} // namespace korvex::test
