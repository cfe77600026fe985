// Pictures of the font tools: the unused-glyph marks on the font canvas, the list
// of duplicate groups and the text preview line.
#include "core/glyph_duplicates.h"
#include "core/screens.h"
#include "crafted_font.h"
#include "render/duplicate_groups_drawing.h"
#include "render/glyph_drawing.h"
#include "render/main_canvases.h"
#include "render/text_preview_drawing.h"
#include "render/unused_glyph_marks.h"
#include "render_test_helpers.h"
#include "test_document.h"

#include <gtest/gtest.h>

namespace korvex {
namespace {

using namespace korvex::test;

QImage fontGrid(const Document& doc) {
    QImage image = blankImage(kFontCanvasSize);
    drawFontGrid(doc, image);
    return image;
}

// The 16 x 16 cell of code 0..255 on the font grid.
QRect fontCell(int code) {
    const int glyph = code & 127;
    return QRect(17 * (glyph % 32), 17 * (glyph / 32) + (code >= 128 ? 68 : 0), 16, 16);
}

TEST(UnusedGlyphMarks, OffTheFontCanvasIsTheSameWhateverTheUse) {
    auto unused = freshDocument();
    auto used = freshDocument();
    for (int g = 0; g < kGlyphCount; ++g)
        used->Sets[1 + g / kSetCells][g % kSetCells] = int16_t(g);
    for (const int64_t mode : {0, 1}) {
        unused->FourColourMode = used->FourColourMode = mode;
        EXPECT_EQ(fontGrid(*unused), fontGrid(*used));
    }
    // Every glyph used: switching the marks on changes nothing either.
    const QImage plain = fontGrid(*used);
    used->MarkUnusedGlyphs = 1;
    EXPECT_EQ(fontGrid(*used), plain);
}

TEST(UnusedGlyphMarks, OnOnlyTheCornersOfUnusedGlyphsChange) {
    auto doc = freshDocument();
    // Screens use glyph 0 only; sets add 5 and, through an inverse code, 70.
    doc->Sets[1][0] = 5;
    doc->Sets[9][9] = 70 + 128;
    const QImage plain = fontGrid(*doc);
    doc->MarkUnusedGlyphs = 1;
    const QImage marked = fontGrid(*doc);

    for (int y = 0; y < plain.height(); ++y)
        for (int x = 0; x < plain.width(); ++x) {
            if (plain.pixel(x, y) == marked.pixel(x, y))
                continue;
            // A changed pixel lies in the top right triangle of an unused glyph's cell
            // (or its inverse form's cell) and has the mark's colour.
            const int glyph = (y % 68) / 17 * 32 + x / 17;
            const QRect cell = fontCell(glyph + (y >= 68 ? 128 : 0));
            ASSERT_TRUE(cell.contains(x, y)) << x << "," << y;
            EXPECT_TRUE(glyph != 0 && glyph != 5 && glyph != 70) << glyph;
            const int fromRight = cell.right() - x, fromTop = y - cell.top();
            EXPECT_LT(fromRight + fromTop, kUnusedMarkSize) << x << "," << y;
            EXPECT_EQ(colourAt(marked, x, y), kUnusedMarkColour);
        }
    for (const int code : {1, 127, 129, 255}) {
        const QRect cell = fontCell(code);
        EXPECT_EQ(colourAt(marked, cell.right(), cell.top()), kUnusedMarkColour) << code;
    }
    for (const int code : {0, 5, 70, 128, 133, 198}) {
        const QRect cell = fontCell(code);
        EXPECT_EQ(marked.pixel(cell.right(), cell.top()), plain.pixel(cell.right(), cell.top()))
            << code;
    }
}

// A glyph drawn alone the way every canvas draws it, to compare regions with.
QImage glyphAlone(const Document& doc, int code, int m) {
    QImage image = blankImage({8 * m, 8 * m});
    Canvas canvas(image);
    const auto colours = workingColours(doc);
    drawGlyphDots(doc, canvas, doc.CurrentFont, colours.data(), code, 0, 0, m);
    return image;
}

TEST(DuplicateGroupsDrawing, GroupsStartNewLinesWrapAndAnswerClicks) {
    auto doc = freshDocument();
    useDistinctColours(*doc);
    putDistinctFont(*doc, doc->CurrentFont);
    std::vector<GlyphGroup> groups{{3, 7}, {}};
    for (int g = 10; g < 10 + kGroupLineGlyphs + 2; ++g)
        groups[1].push_back(g);

    const CanvasSize size = duplicateGroupsSize(groups);
    EXPECT_EQ(size.height, 2 * kGroupMargin + 3 * kGroupLinePitch);
    EXPECT_EQ(duplicateGroupsSize({}).height, 2 * kGroupMargin + kGroupLinePitch);
    QImage image = blankImage(size);
    drawDuplicateGroups(*doc, image, groups, 1);

    // Glyph 7 is second on the first line; the 25th glyph of the second group opens
    // the third line.
    const int second = kGroupMargin + kGroupGlyphPitch;
    const int third = kGroupMargin + 2 * kGroupLinePitch;
    EXPECT_EQ(image.copy(second, kGroupMargin, 16, 16), glyphAlone(*doc, 7, 2));
    EXPECT_EQ(image.copy(kGroupMargin, third, 16, 16), glyphAlone(*doc, 10 + kGroupLineGlyphs, 2));
    // The selected group is framed, the other is not.
    EXPECT_EQ(colourAt(image, kGroupMargin - 2, kGroupMargin + kGroupLinePitch - 2), kWhite);
    EXPECT_EQ(colourAt(image, kGroupMargin - 2, kGroupMargin - 2), kBlack);

    EXPECT_EQ(duplicateGroupAt(groups, second + 15, kGroupMargin + 15).index, 1);
    EXPECT_EQ(duplicateGroupAt(groups, second + 15, kGroupMargin + 15).group, 0);
    EXPECT_EQ(duplicateGroupAt(groups, kGroupMargin, third).group, 1);
    EXPECT_EQ(duplicateGroupAt(groups, kGroupMargin, third).index, kGroupLineGlyphs);
    // Gaps, margins and the empty end of a line hold nothing.
    EXPECT_EQ(duplicateGroupAt(groups, second + 16, kGroupMargin).group, -1);
    EXPECT_EQ(duplicateGroupAt(groups, 0, 0).group, -1);
    EXPECT_EQ(duplicateGroupAt(groups, kGroupMargin + 2 * kGroupGlyphPitch, kGroupMargin).group,
              -1);
}

TEST(TextPreviewDrawing, CodesSitSideBySideOnTheBackground) {
    auto doc = freshDocument();
    useDistinctColours(*doc);
    for (const int64_t mode : {0, 1})
        for (const int m : {1, 2}) {
            doc->FourColourMode = mode;
            const CanvasSize size = textPreviewSize(m);
            EXPECT_EQ(size.width, kTextPreviewLength * 8 * m);
            QImage image = blankImage(size);
            drawTextPreview(*doc, image, {33, 33 + 128, 999}, m);
            EXPECT_EQ(image.copy(0, 0, 8 * m, 8 * m), glyphAlone(*doc, 33, m));
            EXPECT_EQ(image.copy(8 * m, 0, 8 * m, 8 * m), glyphAlone(*doc, 161, m));
            // A bad code and the rest of the line show the background.
            for (int x = 16 * m; x < size.width; x += 3)
                ASSERT_EQ(colourAt(image, x, 4 * m), doc->ColourBAK) << x;
        }
    // Codes past the line's end are left out.
    QImage image = blankImage(textPreviewSize(1));
    drawTextPreview(*doc, image, std::vector<int>(kTextPreviewLength + 5, 128), 1);
}

} // namespace
} // namespace korvex
