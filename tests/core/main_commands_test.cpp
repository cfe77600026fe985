#include "core/main_commands.h"
#include "test_document.h"

#include <gtest/gtest.h>
#include <vector>

using namespace korvex;

namespace {

std::vector<int64_t> ticks(Document& doc, int n) {
    std::vector<int64_t> out;
    for (int i = 0; i < n; ++i)
        out.push_back(animationTick(doc));
    return out;
}

TEST(Animation, CyclesFramesAndStopsAfterItsTicks) {
    auto doc = test::freshDocument();
    EXPECT_EQ(animationTick(*doc), -1); // not running at start-up
    ASSERT_TRUE(startAnimation(*doc, 2, 4));
    EXPECT_EQ(doc->AnimTicksLeft, 20);
    const auto frames = ticks(*doc, 20);
    for (size_t i = 0; i < frames.size(); ++i)
        EXPECT_EQ(frames[i], 3 + int64_t(i % 3)) << i;
    EXPECT_EQ(doc->AnimRunning, 0);
    EXPECT_EQ(animationTick(*doc), -1);
}

TEST(Animation, SingleFrameNeverStops) {
    auto doc = test::freshDocument();
    ASSERT_TRUE(startAnimation(*doc, 6, 6));
    EXPECT_EQ(doc->AnimTicksLeft, 0);
    for (int64_t f : ticks(*doc, 500))
        ASSERT_EQ(f, 7);
    EXPECT_EQ(doc->AnimRunning, 1);
    EXPECT_EQ(doc->AnimTicksLeft, -500);

    // Another start replaces it.
    ASSERT_TRUE(startAnimation(*doc, 0, 1));
    EXPECT_EQ(ticks(*doc, 11), (std::vector<int64_t>{1, 2, 1, 2, 1, 2, 1, 2, 1, 2, -1}));
}

TEST(Animation, RestartWhileRunningUsesNewFrames) {
    auto doc = test::freshDocument();
    ASSERT_TRUE(startAnimation(*doc, 0, 9));
    ticks(*doc, 4);
    ASSERT_TRUE(startAnimation(*doc, 98, 99));
    EXPECT_EQ(ticks(*doc, 3), (std::vector<int64_t>{99, 100, 99}));
    EXPECT_EQ(doc->AnimTicksLeft, 7);
}

TEST(Animation, RefusedStartChangesNothing) {
    auto doc = test::freshDocument();
    ASSERT_TRUE(startAnimation(*doc, 0, 2));
    animationTick(*doc);
    const auto saved = std::make_tuple(doc->AnimRunning, doc->AnimFirst, doc->AnimLast,
                                       doc->AnimFrame, doc->AnimTicksLeft);
    EXPECT_FALSE(startAnimation(*doc, 4, 2));
    EXPECT_FALSE(startAnimation(*doc, -1, 2));
    EXPECT_FALSE(startAnimation(*doc, 0, 100));
    EXPECT_EQ(std::make_tuple(doc->AnimRunning, doc->AnimFirst, doc->AnimLast, doc->AnimFrame,
                              doc->AnimTicksLeft),
              saved);
}

TEST(Stepping, FontStopsAtTheEnds) {
    auto doc = test::freshDocument();
    EXPECT_FALSE(stepFont(*doc, -1));
    EXPECT_FALSE(stepFontWithColours(*doc, -1));
    EXPECT_EQ(doc->CurrentFont, 1);
    for (int i = 0; i < 9; ++i)
        EXPECT_TRUE(stepFont(*doc, 1));
    EXPECT_EQ(doc->CurrentFont, 10);
    EXPECT_FALSE(stepFont(*doc, 1));
    EXPECT_FALSE(stepFontWithColours(*doc, 1));
    EXPECT_EQ(doc->CurrentFont, 10);
}

TEST(Stepping, FontButtonsExchangeColoursMenuDoesNot) {
    auto doc = test::freshDocument();
    doc->ColourPF0 = 0x123456;
    doc->FontColours[2][PF1] = 0x00AA00;

    ASSERT_TRUE(stepFont(*doc, 1)); // menu / arrow: colours untouched
    EXPECT_EQ(doc->ColourPF0, 0x123456);
    EXPECT_EQ(doc->ColourPF1, 0x1BB747);
    EXPECT_EQ(doc->FontColours[1][PF0], 0x1F77C2);
    ASSERT_TRUE(stepFont(*doc, -1));

    ASSERT_TRUE(stepFontWithColours(*doc, 1)); // button: store font 1, load font 2
    EXPECT_EQ(doc->CurrentFont, 2);
    EXPECT_EQ(doc->FontColours[1][PF0], 0x123456);
    EXPECT_EQ(doc->ColourPF0, 0x1F77C2);
    EXPECT_EQ(doc->ColourPF1, 0x00AA00);
    doc->ColourBAK = 0x0000FF;
    ASSERT_TRUE(stepFontWithColours(*doc, -1));
    EXPECT_EQ(doc->FontColours[2][BAK], 0x0000FF);
    EXPECT_EQ(doc->ColourPF0, 0x123456);
    EXPECT_EQ(doc->ColourBAK, 0x000000);
}

TEST(Stepping, SetStopsAtTheEnds) {
    auto doc = test::freshDocument();
    EXPECT_FALSE(stepSet(*doc, -1));
    doc->CurrentSet = 99;
    EXPECT_TRUE(stepSet(*doc, 1));
    EXPECT_EQ(doc->CurrentSet, 100);
    EXPECT_FALSE(stepSet(*doc, 1));
    EXPECT_TRUE(stepSet(*doc, -1));
    EXPECT_EQ(doc->CurrentSet, 99);
}

TEST(DisplayMode, RoundTripKeepsFourColourChoice) {
    auto doc = test::freshDocument();
    switchToFourColour(*doc);
    EXPECT_EQ(doc->FourColourMode, 1);
    EXPECT_EQ(doc->LeftColour, PF0); // start choice
    EXPECT_EQ(doc->RightColour, BAK);
    doc->LeftColour = PF3;
    doc->RightColour = PF1;
    switchToTwoColour(*doc);
    EXPECT_EQ(doc->FourColourMode, 0);
    EXPECT_EQ(doc->LeftColour, LUM);
    EXPECT_EQ(doc->RightColour, BAK);
    switchToFourColour(*doc);
    EXPECT_EQ(doc->LeftColour, PF3);
    EXPECT_EQ(doc->RightColour, PF1);
}

TEST(ColourChoice, FunctionKeysByMode) {
    auto doc = test::freshDocument();
    doc->LeftColour = BAK;
    for (int n = 3; n <= 6; ++n) {
        functionKey(*doc, n); // two-colour: F3..F6 do nothing
        EXPECT_EQ(doc->LeftColour, BAK);
    }
    functionKey(*doc, 1);
    EXPECT_EQ(doc->LeftColour, LUM);
    functionKey(*doc, 2);
    EXPECT_EQ(doc->LeftColour, BAK);

    switchToFourColour(*doc);
    functionKey(*doc, 1); // four-colour: F1 does nothing
    EXPECT_EQ(doc->LeftColour, PF0);
    for (int n = 2; n <= 6; ++n) {
        functionKey(*doc, n);
        EXPECT_EQ(doc->LeftColour, n);
    }
    EXPECT_EQ(doc->RightColour, BAK);
    functionKey(*doc, 7);
    functionKey(*doc, 0);
    EXPECT_EQ(doc->LeftColour, PF3);
}

TEST(ColourChoice, SwatchesByModeAndButton) {
    auto doc = test::freshDocument();
    swatchClick(*doc, PF2, 1); // two-colour: only LUM and BAK
    swatchClick(*doc, PF2, 2);
    EXPECT_EQ(doc->LeftColour, LUM);
    EXPECT_EQ(doc->RightColour, BAK);
    swatchClick(*doc, BAK, 1);
    swatchClick(*doc, LUM, 2);
    EXPECT_EQ(doc->LeftColour, BAK);
    EXPECT_EQ(doc->RightColour, LUM);

    switchToFourColour(*doc);
    swatchClick(*doc, LUM, 1); // four-colour: LUM swatch does nothing
    EXPECT_EQ(doc->LeftColour, PF0);
    swatchClick(*doc, PF3, 2);
    swatchClick(*doc, PF1, 1);
    EXPECT_EQ(doc->LeftColour, PF1);
    EXPECT_EQ(doc->RightColour, PF3);
    swatchClick(*doc, PF2, 4); // middle button: nothing
    swatchClick(*doc, 9, 1);
    EXPECT_EQ(doc->LeftColour, PF1);
    EXPECT_EQ(doc->RightColour, PF3);
}

TEST(DrawOnSetSwitch, TogglesBackAndForth) {
    auto doc = test::freshDocument();
    toggleDrawOnSet(*doc);
    EXPECT_EQ(doc->DrawOnSet, 0);
    toggleDrawOnSet(*doc);
    EXPECT_EQ(doc->DrawOnSet, 1);
}

} // namespace
