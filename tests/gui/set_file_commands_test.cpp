// Set files through the main window: .set, .sets and the .bin export, from the Set
// menu and the set buttons.

#include "core/font_codec.h"
#include "failing_writes.h"
#include "gui/app.h"
#include "gui/canvas_widget.h"
#include "gui/main_window.h"
#include "modal_test_tools.h"
#include "scripted_dialogs.h"
#include "test_document.h"

#include "main_window_fixture.h"
#include <QAction>
#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <cstring>
#include <gtest/gtest.h>

namespace korvex {
namespace {

using test::fileBytes;
using test::writeBytes;

class SetFileCommands : public test::MainWindowFixture {
protected:
    // Sets 1..100, cells 0..24: what the files hold.
    bool setsEqual(const Document& other) const {
        for (int s = 1; s <= kSetCount; ++s)
            for (int c = 0; c < kSetCells; ++c)
                if (doc->Sets[s][c] != other.Sets[s][c])
                    return false;
        return true;
    }
    std::unique_ptr<Document> snapshot() const {
        auto copy = std::make_unique<Document>();
        *copy = *doc;
        return copy;
    }
};

TEST_F(SetFileCommands, EmptySetSavesAsMagicAndTwentyFiveEmptyCells) {
    dialogs.files.push_back({path("empty"), 0});
    click(window.SaveSetButton);

    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].kind, "save");
    EXPECT_EQ(dialogs.asked[0].title, "Save set (.set)");
    EXPECT_EQ(dialogs.asked[0].textOrStart, "");
    EXPECT_EQ(dialogs.asked[0].filters, "Set (*.set)|*.set|All files (*.*)|*.*");
    EXPECT_EQ(fileBytes(path("empty.set")), "KVXS" + QByteArray(50, char(0xFF)));
    EXPECT_EQ(window.canvasEventsToSkip(), 2);
    EXPECT_EQ(window.clickGuard(), 15);
}

TEST_F(SetFileCommands, ExtensionOnlyWithTheFirstFilterAndOnlyWhenMissing) {
    dialogs.files = {{path("a"), 0}, {path("b"), 1}, {path("c.SET"), 0}};
    menu(MenuSaveSet);
    menu(MenuSaveSet);
    menu(MenuSaveSet);
    dialogs.files = {{path("d"), 0}, {path("e.Sets"), 0}, {path("f"), 1}};
    menu(MenuSaveAllSets);
    menu(MenuSaveAllSets);
    menu(MenuSaveAllSets);
    dialogs.files = {{path("g"), 0}, {path("h.set"), 0}};
    menu(MenuExportSetBin);
    menu(MenuExportSetBin);

    QStringList names = QDir(dir.path()).entryList(QDir::Files);
    names.sort();
    EXPECT_EQ(names,
              (QStringList{"a.set", "b", "c.SET", "d.sets", "e.Sets", "f", "g.bin", "h.set.bin"}));
    EXPECT_EQ(fileBytes(path("d.sets")).size(), 5004);
    EXPECT_TRUE(fileBytes(path("f")).startsWith("LVXS"));
    EXPECT_EQ(dialogs.asked[3].title, "Save all sets (.sets)");
    EXPECT_EQ(dialogs.asked[3].filters, "Sets (*.sets)|*.sets|All files (*.*)|*.*");
    EXPECT_EQ(dialogs.asked[6].title, "Save set to bin (.bin)");
    EXPECT_EQ(dialogs.asked[6].filters, "Set bin (*.bin)|*.bin|All files (*.*)|*.*");
}

TEST_F(SetFileCommands, BinExportWritesTheGlyphsOfFilledCellsInCellOrder) {
    doc->CurrentSet = 4;
    doc->Sets[4][20] = 'A' - 32; // bottom row, left to right: three glyphs
    doc->Sets[4][22] = 1;
    doc->Sets[4][24] = 130; // inverse form of glyph 2
    dialogs.files.push_back({path("row"), 0});
    menu(MenuExportSetBin);

    encodeFont(*doc, -1);
    const auto glyph = [&](int g) {
        return QByteArray(reinterpret_cast<const char*>(doc->FontBuffer) + 8 * g, 8);
    };
    const QByteArray bin = fileBytes(path("row.bin"));
    ASSERT_EQ(bin.size(), 24);
    EXPECT_EQ(bin, glyph('A' - 32) + glyph(1) + glyph(2));
}

TEST_F(SetFileCommands, LoadingRestoresSetsAndRedraws) {
    doc->CurrentSet = 7;
    doc->Sets[7][0] = 65;
    doc->Sets[7][12] = 33;
    doc->Sets[50][3] = 99;
    dialogs.files = {{path("one"), 0}, {path("all"), 0}};
    click(window.SaveSetButton);
    click(window.SaveAllSetsButton);
    const auto saved = snapshot();
    window.redrawMainWindow();
    const QImage setCanvas = window.SetCanvas->image().copy();

    // Load all sets back over a cleared state.
    for (int s = 1; s <= kSetCount; ++s)
        for (int c = 0; c < kSetCells; ++c)
            doc->Sets[s][c] = -1;
    window.redrawMainWindow();
    ASSERT_NE(window.SetCanvas->image(), setCanvas);
    dialogs.files.push_back({path("all.sets"), 0});
    click(window.LoadAllSetsButton);
    EXPECT_TRUE(setsEqual(*saved));
    EXPECT_EQ(window.SetCanvas->image(), setCanvas);
    EXPECT_EQ(dialogs.asked.back().title, "Load sets (.sets)");
    EXPECT_EQ(dialogs.asked.back().textOrStart, "");

    // A .set goes into the current set only, whichever set it came from.
    doc->CurrentSet = 8;
    dialogs.files.push_back({path("one.set"), 0});
    menu(MenuLoadSet);
    EXPECT_EQ(dialogs.asked.back().title, "Load set (.set)");
    EXPECT_EQ(doc->Sets[8][0], 65);
    EXPECT_EQ(doc->Sets[8][12], 33);
    EXPECT_EQ(doc->Sets[8][1], -1);
    EXPECT_EQ(doc->Sets[7][0], 65);
    EXPECT_EQ(doc->Sets[50][3], 99);
}

TEST_F(SetFileCommands, WrongMagicIsRefusedWithTheKindsMessageAndNothingChanged) {
    doc->Sets[1][0] = 5;
    dialogs.files = {{path("all"), 0}, {path("one"), 0}};
    menu(MenuSaveAllSets);
    menu(MenuSaveSet);
    doc->Sets[1][0] = 6;
    doc->Sets[2][0] = 6;
    const auto before = snapshot();

    dialogs.files.push_back({path("all.sets"), 0});
    menu(MenuLoadSet);
    ASSERT_EQ(dialogs.asked.back().kind, "message");
    EXPECT_EQ(dialogs.asked.back().title, "Error!");
    EXPECT_EQ(dialogs.asked.back().textOrStart, "This file is not KVX set data!");
    EXPECT_TRUE(setsEqual(*before));

    dialogs.files.push_back({path("one.set"), 0});
    menu(MenuLoadAllSets);
    ASSERT_EQ(dialogs.asked.back().kind, "message");
    EXPECT_EQ(dialogs.asked.back().title, "Error!");
    EXPECT_EQ(dialogs.asked.back().textOrStart, "This file is not KVX sets data!");
    EXPECT_TRUE(setsEqual(*before));

    // Files too short for a magic, and files that cannot be read.
    ASSERT_TRUE(writeBytes(path("tiny.set"), "KV"));
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.set"));
    dialogs.files = {{path("tiny.set"), 0}, {path("folder.set"), 0}, {path("none.set"), 0}};
    const size_t asked = dialogs.asked.size();
    menu(MenuLoadSet);
    menu(MenuLoadSet);
    menu(MenuLoadSet);
    EXPECT_EQ(dialogs.asked.size(), asked + 4); // three dialogs, one refusal
    EXPECT_EQ(dialogs.asked[asked + 1].textOrStart, "This file is not KVX set data!");
    EXPECT_TRUE(setsEqual(*before));
}

TEST_F(SetFileCommands, EveryDialogSkipsCanvasEventsButOnlyButtonsGuardClicks) {
    const auto before = snapshot();
    const struct {
        int menuId;
        QPushButton* button;
    } commands[] = {{MenuLoadSet, window.LoadSetButton},
                    {MenuSaveSet, window.SaveSetButton},
                    {MenuLoadAllSets, window.LoadAllSetsButton},
                    {MenuSaveAllSets, window.SaveAllSetsButton},
                    {MenuExportSetBin, nullptr}};
    for (const auto& c : commands) {
        window.skipCanvasEvents(0);
        window.setClickGuard(0);
        menu(c.menuId); // cancelled
        EXPECT_EQ(window.canvasEventsToSkip(), 2) << c.menuId;
        EXPECT_EQ(window.clickGuard(), 0) << c.menuId;
        if (!c.button)
            continue;
        window.skipCanvasEvents(0);
        click(c.button);
        EXPECT_EQ(window.canvasEventsToSkip(), 2) << c.menuId;
        EXPECT_EQ(window.clickGuard(), 15) << c.menuId;
    }
    EXPECT_EQ(dialogs.asked.size(), 9u);
    EXPECT_TRUE(setsEqual(*before));
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
}

TEST_F(SetFileCommands, FailedSaveIsReportedAndLeavesTheOldFileIntact) {
    dialogs.replaceFiles = true; // old files are replaced on purpose
    const QString old = path("old.sets");
    ASSERT_TRUE(writeBytes(old, "previous"));
    dialogs.files.push_back({old, 0});
    {
        test::FileSizeLimit limit(1000);
        menu(MenuSaveAllSets);
    }
    EXPECT_EQ(fileBytes(old), "previous");
    ASSERT_EQ(dialogs.asked.back().kind, "message");
    EXPECT_EQ(dialogs.asked.back().title, "Error...");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"old.sets"});
}

} // namespace
} // namespace korvex
