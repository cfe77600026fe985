// Which files the editor opens from its command line or a drop, and in what order.

#include "app/opening_plan.h"

#include "core/document.h"

#include <gtest/gtest.h>

namespace korvex {
namespace {

TEST(FileKind, ToldByTheExtensionInAnyCase) {
    EXPECT_EQ(fileKindOf("work/game.proj2"), FileKind::Project);
    EXPECT_EQ(fileKindOf("FONT.FNT"), FileKind::Font);
    EXPECT_EQ(fileKindOf("a.set"), FileKind::Set);
    EXPECT_EQ(fileKindOf("a.Sets"), FileKind::Sets);
    EXPECT_EQ(fileKindOf("a.col"), FileKind::Colours);
    EXPECT_EQ(fileKindOf("a.ved2"), FileKind::ViewEditorData);
    EXPECT_EQ(fileKindOf("a.sved2"), FileKind::ViewEditorScreen);
    EXPECT_EQ(fileKindOf("a.png"), FileKind::Picture);
    EXPECT_EQ(fileKindOf("a.BMP"), FileKind::Picture);
}

TEST(FileKind, OnlyTheLastPartOfTheNameCounts) {
    EXPECT_EQ(fileKindOf("fonts.fnt/readme"), FileKind::Unknown);
    EXPECT_EQ(fileKindOf("font.fnt.bak"), FileKind::Unknown);
    EXPECT_EQ(fileKindOf(".fnt"), FileKind::Unknown);
    EXPECT_EQ(fileKindOf("folder/.fnt"), FileKind::Unknown);
    EXPECT_EQ(fileKindOf("font."), FileKind::Unknown);
    EXPECT_EQ(fileKindOf("font"), FileKind::Unknown);
    EXPECT_EQ(fileKindOf(""), FileKind::Unknown);
    EXPECT_EQ(fileKindOf("a.fnt2"), FileKind::Unknown);
}

TEST(OpeningPlan, ProjectFirstPicturesLastTheRestAsGiven) {
    const OpeningPlan plan =
        planOpening({"p.png", "a.fnt", "s.set", "notes.txt", "w.proj2", "b.fnt", "c.col"});
    std::vector<std::string> order;
    for (const OpeningStep& step : plan.steps)
        order.push_back(step.path);
    EXPECT_EQ(order,
              (std::vector<std::string>{"w.proj2", "a.fnt", "s.set", "b.fnt", "c.col", "p.png"}));
    ASSERT_EQ(plan.notOpened.size(), 1u);
    EXPECT_EQ(plan.notOpened[0].path, "notes.txt");
    EXPECT_EQ(plan.notOpened[0].reason, NotOpenedReason::UnknownKind);
}

TEST(OpeningPlan, EachFontFileGoesOneFontFurther) {
    const OpeningPlan plan = planOpening({"a.fnt", "x.set", "b.FNT", "c.fnt"});
    std::vector<int> offsets;
    for (const OpeningStep& step : plan.steps)
        if (step.kind == FileKind::Font)
            offsets.push_back(step.fontOffset);
    EXPECT_EQ(offsets, (std::vector<int>{0, 1, 2}));
}

TEST(OpeningPlan, NothingGivenNothingToDo) {
    const OpeningPlan plan = planOpening({});
    EXPECT_TRUE(plan.steps.empty());
    EXPECT_TRUE(plan.notOpened.empty());
}

TEST(OpeningPlan, FontsStopAtTheLastFont) {
    EXPECT_EQ(fontForOffset(1, 0), 1);
    EXPECT_EQ(fontForOffset(3, 2), 5);
    EXPECT_EQ(fontForOffset(kFontCount - 1, 1), kFontCount);
    EXPECT_EQ(fontForOffset(kFontCount - 1, 2), 0);
    EXPECT_EQ(fontForOffset(1, kFontCount), 0);
    // No valid current font, no font to load into.
    EXPECT_EQ(fontForOffset(0, 0), 0);
    EXPECT_EQ(fontForOffset(kFontCount + 1, 0), 0);
}

TEST(OpeningPlan, MessageNamesEveryFileWithItsReason) {
    EXPECT_EQ(notOpenedMessage({}), "");
    EXPECT_EQ(notOpenedMessage({{"x.txt", NotOpenedReason::UnknownKind}}),
              "This file was not opened:\nx.txt (not a kind of file Korvex opens)");
    const std::string text = notOpenedMessage({{"gone.fnt", NotOpenedReason::Unreadable},
                                               {"bad.set", NotOpenedReason::WrongContent},
                                               {"k.fnt", NotOpenedReason::NoFontLeft}});
    EXPECT_EQ(text, "These files were not opened:\n"
                    "gone.fnt (cannot be read)\n"
                    "bad.set (not a file of its kind)\n"
                    "k.fnt (no font left to load it into)");
}

} // namespace
} // namespace korvex
