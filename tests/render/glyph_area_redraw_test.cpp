// Redrawing only the areas that show a changed glyph gives every canvas exactly the
// pixels of a whole redraw, whatever the view, the font, the grids and the screens'
// row tables.

#include "core/glyph_places.h"
#include "random_document.h"
#include "render/glyph_areas.h"
#include "render/main_canvases.h"
#include "render/multi_font_view_drawing.h"
#include "render/view_editor_drawing.h"
#include "render_test_helpers.h"
#include "test_document.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

namespace korvex {
namespace {

using namespace korvex::test;

using DrawArea = std::function<void(const Document&, QImage&, const QRect&)>;
using AreasOf = std::function<std::vector<QRect>(const Document&, GlyphRef)>;

struct AreaCanvas {
    const char* name;
    CanvasSize size;
    DrawArea draw;
    AreasOf areas;
};

std::vector<AreaCanvas> areaCanvases() {
    return {
        {"font grid", kFontCanvasSize,
         [](const Document& d, QImage& i, const QRect& a) { drawFontGrid(d, i, a); },
         fontGridAreasShowing},
        {"set canvas", kSetCanvasSize,
         [](const Document& d, QImage& i, const QRect& a) { drawSetCanvas(d, i, a); },
         setCanvasAreasShowing},
        {"glyph editor", kEditorCanvasSize,
         [](const Document& d, QImage& i, const QRect& a) { drawGlyphEditor(d, i, a); },
         glyphEditorAreasShowing},
        {"set preview", kSetPreviewCanvasSize,
         [](const Document& d, QImage& i, const QRect& a) { drawSetPreview(d, i, a); },
         setPreviewAreasShowing},
        {"sets strip", kSetsStripSize,
         [](const Document& d, QImage& i, const QRect& a) { drawSetsStrip(d, i, a); },
         [](const Document& d, GlyphRef g) { return fewAreas(setsStripAreasShowing(d, g)); }},
        {"multi font view", kMultiFontViewSize,
         [](const Document& d, QImage& i, const QRect& a) { drawMultiFontView(d, i, a); },
         multiFontViewAreasShowing},
        {"view editor", kViewEditorCanvasSize,
         [](const Document& d, QImage& i, const QRect& a) { drawViewEditor(d, i, -1, -1, a); },
         [](const Document& d, GlyphRef g) { return fewAreas(viewEditorAreasShowing(d, g)); }},
    };
}

TEST(GlyphAreaRedraw, RedrawingTheAreasOfAChangedGlyphEqualsAWholeRedraw) {
    std::mt19937 random(1919);
    for (int trial = 0; trial < 60; ++trial) {
        auto doc = freshDocument();
        randomiseDocument(*doc, random);
        // Every other trial the screens have row tables, so rows show other fonts.
        if (trial % 2 == 1)
            randomiseRowTables(*doc, random);
        // Mostly the current font's glyphs change (painting), sometimes the next
        // font's (the Mask view's layer) or another's.
        const int pick = int(random() % 4);
        const int64_t font = pick < 2    ? doc->CurrentFont
                             : pick == 2 ? std::min<int64_t>(doc->CurrentFont + 1, kFontCount)
                                         : 1 + int64_t(random() % kFontCount);
        const GlyphRef changed{font, int(random() % 6)};
        for (const AreaCanvas& canvas : areaCanvases()) {
            QImage partial = blankImage(canvas.size);
            canvas.draw(*doc, partial, partial.rect());
            for (int flips = 0; flips < 3; ++flips) {
                const int x = int(random() % 8), y = int(random() % 8);
                doc->setPixel(font, changed.glyph, x, y, !doc->pixel(font, changed.glyph, x, y));
            }
            for (const QRect& area : canvas.areas(*doc, changed))
                canvas.draw(*doc, partial, area);
            QImage whole = blankImage(canvas.size);
            canvas.draw(*doc, whole, whole.rect());
            ASSERT_EQ(partial, whole) << canvas.name << " trial " << trial;
        }
    }
}

TEST(GlyphAreaRedraw, RedrawingTheDotsOfOnePaintedPixelEqualsAWholeRedraw) {
    std::mt19937 random(4242);
    for (int trial = 0; trial < 80; ++trial) {
        auto doc = freshDocument();
        randomiseDocument(*doc, random);
        if (trial % 4 == 1)
            randomiseRowTables(*doc, random);
        // Paint where the editor and the set canvas show the glyph, often in the
        // Mask view, where a dot's crossing lines reach into its neighbours.
        if (trial % 2 == 0) {
            doc->FourColourMode = 1;
            doc->SetViewMode = SetView::Mask;
        }
        const int64_t code = doc->Sets[doc->CurrentSet][random() % kSetCells];
        doc->CurrentGlyph = code;
        const int column = int(random() % 8), row = int(random() % 8);
        const GlyphRef painted = pixelOfCurrentFont(*doc, code, column, row);
        if (!painted.valid())
            continue;
        for (const AreaCanvas& canvas : areaCanvases()) {
            QImage partial = blankImage(canvas.size);
            canvas.draw(*doc, partial, partial.rect());
            auto flip = [&] {
                doc->setPixel(painted.font, painted.glyph, column, row,
                              !doc->pixel(painted.font, painted.glyph, column, row));
            };
            flip();
            for (const QRect& area : canvas.areas(*doc, painted))
                canvas.draw(*doc, partial, area);
            QImage whole = blankImage(canvas.size);
            canvas.draw(*doc, whole, whole.rect());
            flip();
            ASSERT_EQ(partial, whole)
                << canvas.name << " trial " << trial << " pixel " << column << "," << row;
        }
    }
}

TEST(GlyphAreaRedraw, AnAreaForOnePixelCoversOnlyItsDot) {
    auto doc = freshDocument();
    doc->CurrentFont = 2;
    doc->CurrentGlyph = 7;
    doc->Sets[doc->CurrentSet][6] = 7;
    const GlyphRef painted = pixelOfCurrentFont(*doc, 7, 3, 5);
    // Two-colour: the pair of dots holding the pixel, which a four-colour dot spans.
    EXPECT_EQ(glyphEditorAreasShowing(*doc, painted), (std::vector<QRect>{QRect(60, 150, 60, 30)}));
    EXPECT_EQ(fontGridAreasShowing(*doc, painted),
              (std::vector<QRect>{QRect(17 * 7 + 4, 10, 4, 2), QRect(17 * 7 + 4, 68 + 10, 4, 2)}));
    // The Mask view reaches one pixel further right and down.
    doc->FourColourMode = 1;
    doc->SetViewMode = SetView::Mask;
    EXPECT_EQ(setCanvasAreasShowing(*doc, painted),
              (std::vector<QRect>{QRect(80 + 20, 80 + 50, 21, 11)}));
}

TEST(GlyphAreaRedraw, EditorAndPreviewAreRedrawnWhenTheyShowTheGlyph) {
    auto doc = freshDocument();
    doc->CurrentFont = 4;
    doc->CurrentGlyph = 130;
    doc->PickedGlyph = 2;
    EXPECT_TRUE(glyphEditorShows(*doc, GlyphRef{4, 2}));
    EXPECT_TRUE(glyphPreviewShows(*doc, GlyphRef{4, 2}));
    EXPECT_FALSE(glyphEditorShows(*doc, GlyphRef{5, 2}));
    doc->FourColourMode = 1;
    doc->SetViewMode = SetView::Mask;
    EXPECT_TRUE(glyphEditorShows(*doc, GlyphRef{5, 2})); // the Mask view's layer
    EXPECT_FALSE(glyphPreviewShows(*doc, GlyphRef{5, 2}));
}

TEST(GlyphAreaRedraw, ManyAreasBecomeTheOneRectangleHoldingThem) {
    std::vector<QRect> areas;
    for (int i = 0; i < int(kMostAreas); ++i)
        areas.emplace_back(16 * i, 0, 16, 16);
    EXPECT_EQ(fewAreas(areas).size(), kMostAreas);
    areas.emplace_back(0, 100, 16, 16);
    EXPECT_EQ(fewAreas(areas), (std::vector<QRect>{QRect(0, 0, 16 * int(kMostAreas), 116)}));
}

} // namespace
} // namespace korvex
