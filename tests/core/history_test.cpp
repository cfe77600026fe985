// The document history: one step per transaction, undo and redo of the exact
// bytes, the place a step returns to, redo ending with a new change, and the
// memory budget.

#include "core/glyph_bytes.h"
#include "core/glyph_edit.h"
#include "core/history.h"
#include "core/hit_areas.h"
#include "core/main_commands.h"
#include "core/screens.h"
#include "core/set_composition.h"
#include "core/view_editor.h"
#include "test_document.h"

#include <cstring>
#include <gtest/gtest.h>

using namespace korvex;

namespace {

int64_t editorArea(int x, int y) {
    return kEditorAreas + 8 * y + x;
}

bool sameWork(const Document& a, const Document& b) {
    return std::memcmp(a.Glyphs, b.Glyphs, sizeof a.Glyphs) == 0 &&
           std::memcmp(a.Sets, b.Sets, sizeof a.Sets) == 0 &&
           std::memcmp(a.screens, b.screens, sizeof a.screens) == 0 &&
           std::memcmp(a.FontColours, b.FontColours, sizeof a.FontColours) == 0 &&
           std::memcmp(a.AtariColour, b.AtariColour, sizeof a.AtariColour) == 0 &&
           a.ColourLUM == b.ColourLUM && a.ColourBAK == b.ColourBAK && a.ColourPF0 == b.ColourPF0 &&
           a.ColourPF1 == b.ColourPF1 && a.ColourPF2 == b.ColourPF2 && a.ColourPF3 == b.ColourPF3 &&
           std::equal(a.FontName, a.FontName + kFontCount + 1, b.FontName) &&
           std::equal(a.FontPath, a.FontPath + kFontCount + 1, b.FontPath);
}

// A stroke over row y of the current glyph, one paint per pixel.
void stroke(Document& doc, int y, int button = 1) {
    HistoryStep step(doc, "Paint");
    for (int x = 0; x < 8; ++x)
        paintPixel(doc, button, editorArea(x, y));
}

TEST(History, AStrokeIsOneStepUndoneAndRedoneExactly) {
    auto doc = test::freshDocument();
    doc->CurrentGlyph = 0; // blank
    const auto start = std::make_unique<Document>(*doc);
    stroke(*doc, 3);
    ASSERT_EQ(doc->history.undoCount(), 1u);
    EXPECT_EQ(doc->history.undoName(), "Paint");
    const auto painted = std::make_unique<Document>(*doc);

    EXPECT_TRUE(doc->history.undo(*doc));
    EXPECT_TRUE(sameWork(*doc, *start));
    EXPECT_FALSE(doc->history.canUndo());
    EXPECT_EQ(doc->history.redoName(), "Paint");
    EXPECT_TRUE(doc->history.redo(*doc));
    EXPECT_TRUE(sameWork(*doc, *painted));
    EXPECT_FALSE(doc->history.redo(*doc));
    EXPECT_FALSE(doc->history.canRedo());
}

TEST(History, NestedTransactionsJoinAndEmptyOnesLeaveNoStep) {
    auto doc = test::freshDocument();
    doc->history.begin(*doc, "Outer");
    transformGlyph(*doc, InverseGlyph);
    doc->history.begin(*doc, "Inner");
    transformGlyph(*doc, ShiftGlyphLeft);
    EXPECT_FALSE(doc->history.commit(*doc));
    EXPECT_TRUE(doc->history.inTransaction());
    EXPECT_TRUE(doc->history.commit(*doc));
    EXPECT_EQ(doc->history.undoCount(), 1u);
    EXPECT_EQ(doc->history.undoName(), "Outer");
    EXPECT_FALSE(doc->history.commit(*doc)); // nothing open

    // Copy and a paint of a pixel already that colour change nothing: no step, and
    // what could be redone stays.
    doc->history.undo(*doc);
    {
        HistoryStep copy(*doc, "Copy");
        transformGlyph(*doc, CopyGlyph);
    }
    doc->CurrentGlyph = 0;
    stroke(*doc, 2, 2); // right button on blank pixels
    EXPECT_EQ(doc->history.undoCount(), 0u);
    EXPECT_EQ(doc->history.redoCount(), 1u);

    // A real change ends it.
    {
        HistoryStep clear(*doc, "Clear");
        doc->CurrentGlyph = 33;
        transformGlyph(*doc, ClearGlyph);
    }
    EXPECT_EQ(doc->history.undoName(), "Clear");
    EXPECT_FALSE(doc->history.canRedo());
}

TEST(History, UndoReturnsToTheGlyphItChangedAndLeavesOthersAlone) {
    auto doc = test::freshDocument();
    doc->CurrentGlyph = 65 + 128; // inverse form of glyph 65
    stroke(*doc, 0);
    const auto glyph66 = std::make_unique<Document>(*doc);
    doc->CurrentGlyph = 66;
    doc->CurrentFont = 2;

    doc->history.undo(*doc);
    EXPECT_EQ(doc->CurrentFont, 1);
    EXPECT_EQ(doc->CurrentGlyph, 65 + 128);
    EXPECT_EQ(std::memcmp(doc->fontGlyphs(1)[66].data(), glyph66->fontGlyphs(1)[66].data(),
                          sizeof doc->fontGlyphs(1)[66]),
              0);
    const auto fresh = test::freshDocument();
    EXPECT_EQ(std::memcmp(doc->Glyphs, fresh->Glyphs, sizeof doc->Glyphs), 0);
}

TEST(History, PlacesOfSetScreenAndColourSteps) {
    auto doc = test::freshDocument();
    doc->CurrentSet = 7;
    doc->PickedGlyph = 12;
    {
        HistoryStep s(*doc, "Set Cell");
        editSetCell(*doc, 4);
    }
    doc->currentScreen = 2;
    {
        HistoryStep s(*doc, "Fill Screen");
        fillScreen(*doc);
    }
    // A colour change on font 1, then the font buttons move to font 3.
    const int64_t oldPf0 = doc->ColourPF0;
    {
        HistoryStep s(*doc, "Colour");
        doc->ColourPF0 = 0x123456;
        doc->AtariColour[PF0] = 0x42;
        storeFontColours(*doc);
    }
    doc->CurrentSet = 1;
    selectScreen(*doc, 0, 0);
    stepFontWithColours(*doc, +2);

    doc->history.undo(*doc);
    EXPECT_EQ(doc->CurrentFont, 1);
    EXPECT_EQ(doc->ColourPF0, oldPf0); // the font's own colours, restored
    EXPECT_EQ(doc->FontColours[1][PF0], oldPf0);
    doc->history.undo(*doc);
    EXPECT_EQ(doc->currentScreen, 2);
    EXPECT_EQ(getCell(*doc, 2, 0, 0), 0);
    doc->history.undo(*doc);
    EXPECT_EQ(doc->CurrentSet, 7);
    EXPECT_EQ(doc->Sets[7][4], -1);

    doc->CurrentSet = 1;
    doc->history.redo(*doc);
    EXPECT_EQ(doc->CurrentSet, 7);
    EXPECT_EQ(doc->Sets[7][4], 12);
}

TEST(History, FontNamesAndWholeFontsComeBack) {
    auto doc = test::freshDocument();
    doc->CurrentFont = 4;
    {
        HistoryStep s(*doc, "Load Font");
        std::memcpy(doc->Glyphs[3], doc->Glyphs[0], sizeof doc->Glyphs[3]);
        doc->FontName[4] = "title.fnt";
        doc->FontPath[4] = "/tmp/title.fnt";
    }
    doc->CurrentFont = 1;
    doc->history.undo(*doc);
    EXPECT_EQ(doc->CurrentFont, 4);
    EXPECT_EQ(doc->FontName[4], "Empty.fnt");
    EXPECT_EQ(doc->FontPath[4], "");
    EXPECT_EQ(doc->pixel(4, 33, 3, 2), 0);
    doc->history.redo(*doc);
    EXPECT_EQ(doc->FontName[4], "title.fnt");
    EXPECT_EQ(doc->pixel(4, 33, 3, 2), 1);
}

TEST(History, BadCodesAndAnOpenTransactionAtUndo) {
    auto doc = test::freshDocument();
    // Cells a file may hold: codes outside 0..255 have no glyph, 200 is glyph 72.
    doc->Sets[1][0] = 300;
    doc->Sets[1][1] = -5;
    doc->Sets[1][2] = 200;
    const auto start = std::make_unique<Document>(*doc);
    {
        HistoryStep s(*doc, "Clear bits");
        setCommand(*doc, ClearSetBits);
    }
    EXPECT_EQ(doc->history.undoCount(), 1u);
    doc->CurrentGlyph = 999;
    doc->history.undo(*doc);
    EXPECT_TRUE(sameWork(*doc, *start));
    EXPECT_EQ(doc->CurrentGlyph, 72); // the one glyph it changed
    doc->history.redo(*doc);

    // Undo in the middle of a stroke ends the stroke first and undoes it whole.
    const auto before = std::make_unique<Document>(*doc);
    doc->CurrentGlyph = 0;
    doc->history.begin(*doc, "Paint");
    paintPixel(*doc, 1, editorArea(1, 1));
    EXPECT_TRUE(doc->history.undo(*doc));
    EXPECT_FALSE(doc->history.inTransaction());
    EXPECT_TRUE(sameWork(*doc, *before));
}

TEST(History, TheOldestStepsGoWhenTheBudgetIsFull) {
    auto doc = test::freshDocument();
    doc->CurrentGlyph = 0;
    stroke(*doc, 0);
    const size_t oneStep = doc->history.memoryUsed();
    doc->history.setBudget(20 * 1024);
    for (int i = 0; i < 2000; ++i) {
        HistoryStep s(*doc, "Inverse");
        transformGlyph(*doc, InverseGlyph);
    }
    EXPECT_LT(doc->history.undoCount(), 2000u);
    EXPECT_GT(doc->history.undoCount(), 10u);
    EXPECT_LE(doc->history.memoryUsed(), oneStep + 20 * 1024);
    // What is left still undoes cleanly: an even count of inverses is the start.
    while (doc->history.undoCount() % 2 != 0)
        doc->history.undo(*doc);
    const auto kept = std::make_unique<Document>(*doc);
    while (doc->history.undo(*doc)) {
    }
    EXPECT_EQ(std::memcmp(doc->fontGlyphs(1)[0].data(), kept->fontGlyphs(1)[0].data(),
                          sizeof(GlyphBytes)),
              0);
}

// Steps that each replace every font stay within the real budget: the oldest go.
TEST(History, WholeFontStepsStayUnderSixtyFourMegabytes) {
    auto doc = test::freshDocument();
    constexpr int kSteps = 4000; // about 20 KB each: 80 MB without dropping
    for (int i = 0; i < kSteps; ++i) {
        HistoryStep s(*doc, "Load Font");
        for (int f = 1; f <= kFontCount; ++f)
            for (int g = 0; g < kGlyphCount; ++g)
                setGlyphBytes(*doc, f, g, invertedGlyph(glyphBytes(*doc, f, g)));
    }
    EXPECT_LT(doc->history.memoryUsed(), size_t(64) << 20);
    EXPECT_LT(doc->history.undoCount(), size_t(kSteps));
    EXPECT_GT(doc->history.undoCount(), size_t(kSteps) / 4);
    // An even number of flips kept: undoing them all gives today's fonts back.
    while (doc->history.undoCount() % 2 != 0)
        doc->history.undo(*doc);
    const auto kept = std::make_unique<Document>(*doc);
    while (doc->history.undo(*doc)) {
    }
    EXPECT_TRUE(sameWork(*doc, *kept));
}

// Ten thousand steps of every kind, then ten thousand undos give back the start byte
// for byte, and ten thousand redos the end; the history stays well inside its budget.
TEST(History, TenThousandMixedStepsUndoAndRedoExactly) {
    auto doc = test::freshDocument();
    doc->Sets[3][0] = 65;
    doc->Sets[3][1] = 66;
    const auto start = std::make_unique<Document>(*doc);
    constexpr int kSteps = 10000;
    for (int i = 0; doc->history.undoCount() < size_t(kSteps) && i < 2 * kSteps; ++i) {
        doc->CurrentGlyph = i % 256;
        doc->CurrentSet = 1 + i % kSetCount;
        doc->PickedGlyph = i % 128;
        doc->currentScreen = uint8_t(i % kScreenCount);
        switch (i % 6) {
        case 0:
            stroke(*doc, i % 8, 1 + i % 2);
            break;
        case 1: {
            HistoryStep s(*doc, "Glyph");
            transformGlyph(*doc, RotateGlyph + i % 9);
            break;
        }
        case 2: {
            HistoryStep s(*doc, "Set Cell");
            editSetCell(*doc, i % 25);
            break;
        }
        case 3: {
            HistoryStep s(*doc, "Paint Screen");
            paintCell(*doc, i % kScreenColumns, i % kScreenRows);
            stampSet(*doc, (i * 7) % kScreenColumns, (i * 5) % kScreenRows);
            break;
        }
        case 4: {
            HistoryStep s(*doc, "Set Paste");
            setCommand(*doc, i % 12 == 4 ? PasteSet : CopySet);
            break;
        }
        default: {
            HistoryStep s(*doc, "Colour");
            doc->ColourPF1 = i;
            storeFontColours(*doc);
            break;
        }
        }
    }
    ASSERT_EQ(doc->history.undoCount(), size_t(kSteps));
    EXPECT_LT(doc->history.memoryUsed(), size_t(64) << 20);
    const auto end = std::make_unique<Document>(*doc);
    const size_t count = doc->history.undoCount();
    for (size_t i = 0; i < count; ++i)
        ASSERT_TRUE(doc->history.undo(*doc));
    EXPECT_FALSE(doc->history.canUndo());
    EXPECT_TRUE(sameWork(*doc, *start));
    for (size_t i = 0; i < count; ++i)
        ASSERT_TRUE(doc->history.redo(*doc));
    EXPECT_TRUE(sameWork(*doc, *end));
}

} // namespace
