// The colour file through the main window's "Save Colors" and "Load Colors".

#include "failing_writes.h"
#include "gui/app.h"
#include "gui/canvas_widget.h"
#include "gui/main_window.h"
#include "modal_test_tools.h"
#include "scripted_dialogs.h"
#include "test_document.h"

#include "main_window_fixture.h"
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <cstring>
#include <gtest/gtest.h>

namespace korvex {
namespace {

using test::fileBytes;
using test::writeBytes;

const QString kColourFilters = "Color palette (*.col)|*.col|All files (*.*)|*.*";

class ColourFileCommands : public test::MainWindowFixture {
protected:
    // A colour file with registers 10, 20, .. 60 and RGB colours (r, 16r, 32r) for
    // r = 1 .. 6 (times 4 to spread them).
    static QByteArray colourFile() {
        QByteArray data = "KVXC";
        for (int r = 1; r <= 6; ++r)
            data += char(10 * r);
        for (int r = 1; r <= 6; ++r)
            for (const int c : {4 * r, 16 * r, 32 * r, 0})
                data += char(c);
        return data;
    }
};

TEST_F(ColourFileCommands, SaveAddsTheExtensionWhicheverFilter) {
    dialogs.files = {{path("warm"), 1}, {path("cool.COL"), 0}, {path("plain"), 0}};
    click(window.SaveColoursButton);
    EXPECT_EQ(window.canvasEventsToSkip(), 2);
    click(window.SaveColoursButton);
    click(window.SaveColoursButton);

    ASSERT_EQ(dialogs.asked.size(), 3u);
    EXPECT_EQ(dialogs.asked[0].kind, "save");
    EXPECT_EQ(dialogs.asked[0].title, "Save colors (.col)");
    EXPECT_EQ(dialogs.asked[0].textOrStart, "");
    EXPECT_EQ(dialogs.asked[0].filters, kColourFilters);
    QStringList names = QDir(dir.path()).entryList(QDir::Files);
    names.sort();
    EXPECT_EQ(names, (QStringList{"cool.COL", "plain.col", "warm.col"}));
    const QByteArray warm = fileBytes(path("warm.col"));
    ASSERT_EQ(warm.size(), 34);
    EXPECT_EQ(warm.mid(0, 10), QByteArray("KVXC") + QByteArray("\x0e\x00\x18\xb8\x86\x44", 6));
}

TEST_F(ColourFileCommands, LoadSetsTheColoursAndRepaintsSwatchesAndButtonBoxes) {
    ASSERT_TRUE(writeBytes(path("mine.col"), colourFile()));
    doc->CurrentFont = 4;
    window.skipCanvasEvents(0);
    dialogs.files.push_back({path("mine.col"), 0});
    click(window.LoadColoursButton);

    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].kind, "open");
    EXPECT_EQ(dialogs.asked[0].title, "Load colors (.col)");
    EXPECT_EQ(dialogs.asked[0].textOrStart, "");
    EXPECT_EQ(dialogs.asked[0].filters, kColourFilters);
    EXPECT_EQ(window.canvasEventsToSkip(), 2);
    for (int r = 1; r <= 6; ++r) {
        const QColor expected(4 * r, 16 * r, 32 * r);
        EXPECT_EQ(doc->AtariColour[r], 10 * r);
        EXPECT_EQ(doc->FontColours[4][r],
                  expected.red() + 256 * expected.green() + 65536 * expected.blue());
        EXPECT_EQ(window.Swatch[r]->image().pixelColor(15, 10), expected) << r;
    }
    // Two-colour mode: LUM on the left button, BAK on the right.
    EXPECT_EQ(window.LeftColourBox->palette().color(QPalette::Window), QColor(4, 16, 32));
    EXPECT_EQ(window.RightColourBox->palette().color(QPalette::Window), QColor(8, 32, 64));

    // Written back, the file is the same bytes.
    dialogs.files.push_back({path("again"), 0});
    click(window.SaveColoursButton);
    EXPECT_EQ(fileBytes(path("again.col")), colourFile());
}

TEST_F(ColourFileCommands, OtherFilesAreRefusedAndNothingChanges) {
    dialogs.files.push_back({path("one"), 0});
    click(window.SaveSetButton);
    const auto before = test::freshDocument();
    *before = *doc;
    const QImage swatch = window.Swatch[3]->image().copy();

    dialogs.files.push_back({path("one.set"), 0});
    click(window.LoadColoursButton);
    ASSERT_EQ(dialogs.asked.back().kind, "message");
    EXPECT_EQ(dialogs.asked.back().title, "Error!");
    EXPECT_EQ(dialogs.asked.back().textOrStart, "This file is not KVX color data!");
    EXPECT_EQ(0, std::memcmp(doc->AtariColour, before->AtariColour, sizeof doc->AtariColour));
    EXPECT_EQ(0, std::memcmp(doc->FontColours, before->FontColours, sizeof doc->FontColours));
    EXPECT_EQ(doc->ColourPF0, before->ColourPF0);
    EXPECT_EQ(window.Swatch[3]->image(), swatch);

    // Cancelled and unreadable: no message, still no painting click.
    const size_t asked = dialogs.asked.size();
    window.skipCanvasEvents(0);
    click(window.LoadColoursButton);
    EXPECT_EQ(window.canvasEventsToSkip(), 2);
    dialogs.files.push_back({path("missing.col"), 0});
    click(window.LoadColoursButton);
    EXPECT_EQ(dialogs.asked.size(), asked + 2);
    EXPECT_EQ(doc->ColourPF0, before->ColourPF0);
}

TEST_F(ColourFileCommands, FailedSaveIsReportedAndLeavesTheOldFileIntact) {
    dialogs.replaceFiles = true; // old files are replaced on purpose
    const QString old = path("old.col");
    ASSERT_TRUE(writeBytes(old, "previous"));
    dialogs.files.push_back({old, 0});
    {
        test::FileSizeLimit limit(10);
        click(window.SaveColoursButton);
    }
    EXPECT_EQ(fileBytes(old), "previous");
    ASSERT_EQ(dialogs.asked.back().kind, "message");
    EXPECT_EQ(dialogs.asked.back().title, "Error...");
}

} // namespace
} // namespace korvex
