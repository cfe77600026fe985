// The extension rules the save commands share.

#include "gui/file_dialog_kinds.h"

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

} // namespace
