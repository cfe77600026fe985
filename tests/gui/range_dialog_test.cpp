// The View Editor's range dialog: opening in either mode, the frame on the
// canvas, the number fields and their spinners, saving, loading and exporting a
// range, closing.

#include "core/screens.h"
#include "gui/export_window.h"
#include "gui/range_dialog.h"
#include "gui/up_down_spinner.h"
#include "modal_test_tools.h"
#include "view_editor_test_fixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>

using namespace korvex;

namespace {

const QString kRangeFilters = "Range block (*.ranb)|*.ranb|All files (*.*)|*.*";

class RangeDialogTest : public test::ViewEditorTest {
protected:
    RangeDialog* openRange(QPushButton* ViewEditorWindow::*button) {
        editor = open();
        if (!editor)
            return nullptr;
        QTest::mouseClick(editor->*button, Qt::LeftButton);
        return editor->rangeDialog();
    }
    static void retype(QLineEdit* field, const QString& text) {
        field->clear();
        QTest::keyClicks(field, text);
    }
    ViewEditorWindow* editor = nullptr;
};

TEST_F(RangeDialogTest, SaveModeLayoutFieldsAndFrame) {
    doc->rangeX = 3;
    doc->rangeY = 4;
    doc->rangeWidth = 6;
    doc->rangeHeight = 2;
    RangeDialog* range = openRange(&ViewEditorWindow::SaveExportRangeButton);
    ASSERT_NE(range, nullptr);
    EXPECT_EQ(range->windowTitle(), "Save range...");
    EXPECT_EQ(range->size(), QSize(250, 120));
    EXPECT_EQ(range->pos(), editor->pos());
    EXPECT_TRUE(range->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(editor->rangeWindowOpen());
    EXPECT_EQ(doc->rangeFrameShown, 1);
    EXPECT_EQ(doc->rangeMode, RangeMode::Save);
    EXPECT_EQ(editor->Canvas->image(), expectedCanvas());

    EXPECT_EQ(range->StartXLabel->text(), "Start X:");
    EXPECT_EQ(range->StartXLabel->geometry(), QRect(10, 22, 50, 20));
    EXPECT_EQ(range->StartYLabel->geometry(), QRect(10, 52, 50, 20));
    EXPECT_EQ(range->WidthLabel->text(), "Width:");
    EXPECT_EQ(range->WidthLabel->geometry(), QRect(130, 22, 50, 20));
    EXPECT_EQ(range->HeightLabel->text(), "Height:");
    EXPECT_EQ(range->HeightLabel->geometry(), QRect(130, 52, 50, 20));
    struct Field {
        QLineEdit* field;
        UpDownSpinner* spinner;
        QRect place;
        QString text;
        int min, max;
    };
    const Field fields[] = {
        {range->StartXField, range->StartXSpinner, {60, 20, 30, 20}, "3", 0, 39},
        {range->StartYField, range->StartYSpinner, {60, 50, 30, 20}, "4", 0, 23},
        {range->WidthField, range->WidthSpinner, {180, 20, 30, 20}, "6", 1, 40},
        {range->HeightField, range->HeightSpinner, {180, 50, 30, 20}, "2", 1, 24},
    };
    for (const Field& f : fields) {
        EXPECT_EQ(f.field->geometry(), f.place);
        EXPECT_EQ(f.field->text(), f.text);
        EXPECT_EQ(f.spinner->geometry(), QRect(f.place.x() + 40, f.place.y(), 10, 20));
        EXPECT_EQ(f.spinner->minimum(), f.min);
        EXPECT_EQ(f.spinner->maximum(), f.max);
        EXPECT_EQ(QString::number(f.spinner->value()), f.text);
    }
    EXPECT_EQ(range->CancelButton->text(), "Cancel");
    EXPECT_EQ(range->CancelButton->geometry(), QRect(10, 90, 70, 20));
    EXPECT_EQ(range->ExportButton->text(), "Export");
    EXPECT_EQ(range->ExportButton->geometry(), QRect(90, 90, 70, 20));
    EXPECT_EQ(range->ActionButton->text(), "Save");
    EXPECT_EQ(range->ActionButton->geometry(), QRect(170, 90, 70, 20));
}

TEST_F(RangeDialogTest, LoadModeHasNoSizeFieldsAndOpensOnlyOnce) {
    RangeDialog* range = openRange(&ViewEditorWindow::LoadRangeButton);
    ASSERT_NE(range, nullptr);
    EXPECT_EQ(range->windowTitle(), "Load range...");
    EXPECT_EQ(doc->rangeMode, RangeMode::Load);
    EXPECT_EQ(doc->rangeFrameShown, 1);
    EXPECT_EQ(range->ActionButton->text(), "Load");
    EXPECT_TRUE(range->StartXField->isVisible());
    for (QWidget* w : range->findChildren<QWidget*>()) {
        const bool entry = qobject_cast<QLabel*>(w) || qobject_cast<QLineEdit*>(w) ||
                           qobject_cast<UpDownSpinner*>(w);
        if (entry && w->isVisible()) {
            EXPECT_LT(w->x(), 130) << "size control shown in load mode";
        }
    }
    EXPECT_EQ(range->ExportButton, nullptr);
    EXPECT_EQ(editor->Canvas->image(), expectedCanvas()); // one-cell frame

    // While it is open both range buttons do nothing.
    QTest::mouseClick(editor->SaveExportRangeButton, Qt::LeftButton);
    QTest::mouseClick(editor->LoadRangeButton, Qt::LeftButton);
    EXPECT_EQ(editor->findChildren<RangeDialog*>().size(), 1);
    EXPECT_EQ(doc->rangeMode, RangeMode::Load);
    EXPECT_EQ(editor->rangeDialog(), range);

    // Cancel takes the frame away and closes; then it can open again.
    QPointer<RangeDialog> guard(range);
    QTest::mouseClick(range->CancelButton, Qt::LeftButton);
    flushDeletes();
    EXPECT_FALSE(guard);
    EXPECT_FALSE(editor->rangeWindowOpen());
    EXPECT_EQ(doc->rangeFrameShown, 0);
    EXPECT_EQ(editor->Canvas->image(), expectedCanvas());
    QTest::mouseClick(editor->SaveExportRangeButton, Qt::LeftButton);
    ASSERT_NE(editor->rangeDialog(), nullptr);
    EXPECT_EQ(editor->rangeDialog()->windowTitle(), "Save range...");
    EXPECT_TRUE(editor->rangeWindowOpen());
}

TEST_F(RangeDialogTest, ClosingTheDialogItselfHidesTheFrame) {
    RangeDialog* range = openRange(&ViewEditorWindow::SaveExportRangeButton);
    ASSERT_NE(range, nullptr);
    range->close();
    EXPECT_FALSE(editor->rangeWindowOpen());
    EXPECT_EQ(doc->rangeFrameShown, 0);
    EXPECT_EQ(editor->Canvas->image(), expectedCanvas());
    EXPECT_TRUE(window.viewEditorOpen);
}

TEST_F(RangeDialogTest, TypedNumbersWrapAtAByteAndStopAtTheirMaximum) {
    RangeDialog* range = openRange(&ViewEditorWindow::SaveExportRangeButton);
    ASSERT_NE(range, nullptr);
    retype(range->WidthField, "50");
    EXPECT_EQ(doc->rangeWidth, 40);
    EXPECT_EQ(range->WidthField->text(), "40");
    EXPECT_EQ(range->WidthSpinner->value(), 40);
    EXPECT_EQ(editor->Canvas->image(), expectedCanvas());

    retype(range->WidthField, "0");
    EXPECT_EQ(doc->rangeWidth, 0);
    EXPECT_EQ(range->WidthField->text(), "0");

    retype(range->StartXField, "99");
    EXPECT_EQ(doc->rangeX, 39);
    EXPECT_EQ(range->StartXField->text(), "39");
    range->StartXField->clear();
    // Each key is a change: "2", "26", then "260" wraps to 4.
    retype(range->StartXField, "260");
    EXPECT_EQ(doc->rangeX, 4);
    EXPECT_EQ(range->StartXField->text(), "4");
    EXPECT_EQ(range->StartXSpinner->value(), 4);
    // On the way, "26" went over the maximum of start Y and was rewritten.
    retype(range->StartYField, "26");
    EXPECT_EQ(doc->rangeY, 23);
    EXPECT_EQ(range->StartYField->text(), "23");
    retype(range->StartYField, "5");
    QTest::keyClick(range->StartYField, Qt::Key_Backspace); // an empty field counts as 0
    EXPECT_EQ(doc->rangeY, 0);
    EXPECT_EQ(range->StartYField->text(), "");
    retype(range->HeightField, "1x2");
    EXPECT_EQ(range->HeightField->text(), "12"); // digits only
    EXPECT_EQ(doc->rangeHeight, 12);
}

TEST_F(RangeDialogTest, SpinnersStepWithinTheirRangeAndWriteTheField) {
    doc->rangeHeight = 23;
    RangeDialog* range = openRange(&ViewEditorWindow::SaveExportRangeButton);
    ASSERT_NE(range, nullptr);
    UpDownSpinner* spinner = range->HeightSpinner;
    QTest::mouseClick(spinner, Qt::LeftButton, {}, QPoint(5, 3)); // upper half: up
    EXPECT_EQ(doc->rangeHeight, 24);
    EXPECT_EQ(range->HeightField->text(), "24");
    QTest::mouseClick(spinner, Qt::LeftButton, {}, QPoint(5, 3));
    EXPECT_EQ(doc->rangeHeight, 24);
    QTest::mouseClick(spinner, Qt::LeftButton, {}, QPoint(5, 16)); // lower half: down
    EXPECT_EQ(doc->rangeHeight, 23);
    EXPECT_EQ(range->HeightField->text(), "23");
    EXPECT_EQ(editor->Canvas->image(), expectedCanvas());

    QTest::mouseClick(range->StartXSpinner, Qt::LeftButton, {}, QPoint(5, 16));
    EXPECT_EQ(doc->rangeX, 0);
    EXPECT_EQ(range->StartXField->text(), "0");
}

TEST_F(RangeDialogTest, SavingClipsAtTheRightEdgeAndKeepsTheDialogOpen) {
    QTemporaryDir dir;
    const QString path = dir.filePath("block");
    for (int column = 30; column < 40; ++column) {
        setCell(*doc, 0, column, 2, column);
        setCell(*doc, 0, column, 3, 100 + column);
    }
    doc->rangeX = 35;
    doc->rangeY = 2;
    doc->rangeWidth = 10;
    doc->rangeHeight = 2;
    RangeDialog* range = openRange(&ViewEditorWindow::SaveExportRangeButton);
    ASSERT_NE(range, nullptr);
    dialogs.files.push_back({path, 0});
    QTest::mouseClick(range->ActionButton, Qt::LeftButton);
    ASSERT_FALSE(dialogs.asked.empty());
    EXPECT_EQ(dialogs.asked.back().kind, "save");
    EXPECT_EQ(dialogs.asked.back().title, "Save range...");
    EXPECT_EQ(dialogs.asked.back().filters, kRangeFilters);
    const QByteArray saved = test::fileBytes(path);
    const QByteArray expected("\x05\x02\x23\x24\x25\x26\x27\x87\x88\x89\x8A\x8B", 12);
    EXPECT_EQ(saved, expected);
    EXPECT_TRUE(range->isVisible());
    EXPECT_TRUE(editor->rangeWindowOpen());

    // A cancelled save writes nothing.
    QTest::mouseClick(range->ActionButton, Qt::LeftButton);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);
}

TEST_F(RangeDialogTest, LoadingPlacesTheBlockAtTheStartAndClipsIt) {
    QTemporaryDir dir;
    const QString path = dir.filePath("wide.ranb");
    // Width 10, height 2, but the second row ends early: missing cells are 0.
    ASSERT_TRUE(test::writeBytes(path, QByteArray("\x0A\x02"
                                                  "ABCDEFGHIJ"
                                                  "KL",
                                                  14)));
    for (int column = 0; column < 40; ++column)
        setCell(*doc, 0, column, 23, 0xEE);
    RangeDialog* range = openRange(&ViewEditorWindow::LoadRangeButton);
    ASSERT_NE(range, nullptr);
    retype(range->StartXField, "35");
    retype(range->StartYField, "22");
    dialogs.files.push_back({path, 0});
    QTest::mouseClick(range->ActionButton, Qt::LeftButton);
    EXPECT_EQ(dialogs.asked.back().kind, "open");
    EXPECT_EQ(dialogs.asked.back().title, "Load range...");
    EXPECT_EQ(dialogs.asked.back().filters, kRangeFilters);
    EXPECT_EQ(getCell(*doc, 0, 35, 22), 'A');
    EXPECT_EQ(getCell(*doc, 0, 39, 22), 'E');
    EXPECT_EQ(getCell(*doc, 0, 35, 23), 'K');
    EXPECT_EQ(getCell(*doc, 0, 36, 23), 'L');
    EXPECT_EQ(getCell(*doc, 0, 37, 23), 0);
    EXPECT_EQ(getCell(*doc, 0, 34, 23), 0xEE);
    EXPECT_EQ(getCell(*doc, 0, 0, 23), 0xEE); // nothing wrapped
    EXPECT_EQ(getCell(*doc, 0, 0, 0), 0);
    EXPECT_TRUE(range->isVisible());
    EXPECT_EQ(editor->Canvas->image(), expectedCanvas());

    // A missing file changes nothing.
    dialogs.files.push_back({dir.filePath("missing.ranb"), 0});
    QTest::mouseClick(range->ActionButton, Qt::LeftButton);
    EXPECT_EQ(getCell(*doc, 0, 35, 22), 'A');
}

TEST_F(RangeDialogTest, ExportOpensTheExportWindowForTheRange) {
    RangeDialog* range = openRange(&ViewEditorWindow::SaveExportRangeButton);
    ASSERT_NE(range, nullptr);
    QString kind;
    test::whenModalOpens([&](QWidget* modal) {
        EXPECT_NE(qobject_cast<ExportWindow*>(modal), nullptr);
        kind = QString::fromStdString(doc->exportKind);
        modal->close();
    });
    QTest::mouseClick(range->ExportButton, Qt::LeftButton);
    EXPECT_EQ(kind, "range");
    EXPECT_TRUE(range->isVisible());
    EXPECT_TRUE(editor->rangeWindowOpen());
}

TEST_F(RangeDialogTest, OutOfRangeValuesFromAProjectOpenSafely) {
    doc->rangeX = 200;
    doc->rangeY = 255;
    doc->rangeWidth = 0;
    doc->rangeHeight = 255;
    RangeDialog* range = openRange(&ViewEditorWindow::SaveExportRangeButton);
    ASSERT_NE(range, nullptr);
    EXPECT_EQ(range->StartXField->text(), "200");
    EXPECT_EQ(range->StartXSpinner->value(), 39);
    EXPECT_EQ(range->WidthSpinner->value(), 1);
    EXPECT_EQ(editor->Canvas->image(), expectedCanvas());
    QTemporaryDir dir;
    const QString path = dir.filePath("empty.ranb");
    dialogs.files.push_back({path, 0});
    QTest::mouseClick(range->ActionButton, Qt::LeftButton);
    EXPECT_EQ(test::fileBytes(path), QByteArray("\0\0", 2));
}

} // namespace
