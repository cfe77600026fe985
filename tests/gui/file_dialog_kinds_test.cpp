// The extension rules the save commands share, and the dialog and size cap of the
// loads.

#include "gui/file_dialog_kinds.h"

#include "scripted_dialogs.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace korvex;

namespace {

const QString kFilters = "Thing (*.thg)|*.thg|All files (*.*)|*.*";

std::string saved(ExtensionRule rule, const char* typed, int filterIndex) {
    const FileDialogKind kind = {"Save thing", kFilters, ".thg", rule};
    return savePathOf(kind, {typed, filterIndex});
}

TEST(FileDialogKinds, EachRuleNamesTheFileItsWay) {
    // The kind's own filter adds the extension; "All files" keeps the name as typed.
    EXPECT_EQ(saved(ExtensionRule::WithTypeFilter, "/tmp/a", 0), "/tmp/a.thg");
    EXPECT_EQ(saved(ExtensionRule::WithTypeFilter, "/tmp/a", 1), "/tmp/a");
    EXPECT_EQ(saved(ExtensionRule::Always, "/tmp/a", 1), "/tmp/a.thg");
    EXPECT_EQ(saved(ExtensionRule::AsTyped, "/tmp/a", 0), "/tmp/a");
    // A name that already ends in the extension, in any case, keeps it once.
    EXPECT_EQ(saved(ExtensionRule::Always, "/tmp/a.THG", 0), "/tmp/a.THG");
}

TEST(FileDialogKinds, AKindOfTwoTypesAddsTheChosenOnesExtension) {
    const QString filters = "One (*.one)|*.one|Two (*.two)|*.two|All files (*.*)|*.*";
    const FileDialogKind kind = {.saveTitle = "Save",
                                 .filters = filters,
                                 .extension = ".one",
                                 .rule = ExtensionRule::WithTypeFilter,
                                 .secondExtension = ".two"};
    EXPECT_EQ(savePathOf(kind, {"/tmp/a", 0}), "/tmp/a.one");
    EXPECT_EQ(savePathOf(kind, {"/tmp/a", 1}), "/tmp/a.two");
    EXPECT_EQ(savePathOf(kind, {"/tmp/a", 2}), "/tmp/a");
    // A name that ends in either type's extension keeps it, whichever type was chosen.
    EXPECT_EQ(savePathOf(kind, {"/tmp/a.TWO", 0}), "/tmp/a.TWO");
    EXPECT_EQ(savePathOf(kind, {"/tmp/a.one", 1}), "/tmp/a.one");
    EXPECT_EQ(savePathOf(kind, {"/tmp/a.txt", 1}), "/tmp/a.txt.two");
}

TEST(FileDialogKinds, LoadAsksWithItsOwnWordsAndReadsNoMoreThanItsSize) {
    const QString loadFilters = "Things (*.thg)|*.thg|All files (*.*)|*.*";
    const FileDialogKind plain = {.saveTitle = "Save thing",
                                  .filters = kFilters,
                                  .extension = ".thg",
                                  .rule = ExtensionRule::Always,
                                  .loadTitle = "Load thing",
                                  .loadBytes = 4};
    FileDialogKind worded = plain;
    worded.loadFilters = &loadFilters;

    test::ScriptedDialogs dialogs;
    QTemporaryDir dir;
    const QString path = dir.filePath("big.thg");
    dialogs.files.push_back({path, 1});
    EXPECT_EQ(chooseFileToLoad(nullptr, plain, "start"), path);
    EXPECT_TRUE(chooseFileToLoad(nullptr, worded, "").isEmpty()); // cancelled
    ASSERT_EQ(dialogs.asked.size(), 2u);
    EXPECT_EQ(dialogs.asked[0].kind, "open");
    EXPECT_EQ(dialogs.asked[0].title, "Load thing");
    EXPECT_EQ(dialogs.asked[0].textOrStart, "start");
    EXPECT_EQ(dialogs.asked[0].filters, kFilters);
    EXPECT_EQ(dialogs.asked[1].filters, loadFilters);

    ASSERT_TRUE(writeFileAtomic(path.toStdString(), Bytes{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(readFileOfKind(plain, path.toStdString()), (Bytes{1, 2, 3, 4}));
    EXPECT_FALSE(readFileOfKind(plain, dir.filePath("missing.thg").toStdString()));
    // A kind that is only saved has no size, and reads nothing rather than everything.
    const FileDialogKind saveOnly = {"Save thing", kFilters, ".thg", ExtensionRule::Always};
    EXPECT_FALSE(readFileOfKind(saveOnly, path.toStdString()));
}

} // namespace
