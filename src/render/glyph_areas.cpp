#include "render/glyph_areas.h"

#include "render/canvas_sizes.h"
#include "render/main_canvases.h"
#include "render/multi_font_view_drawing.h"
#include "render/view_editor_drawing.h"

namespace korvex {
namespace {

bool wholeGlyph(const GlyphPixelSpan& span) {
    return span.firstColumn <= 0 && span.lastColumn >= 7 && span.firstRow <= 0 && span.lastRow >= 7;
}

// The part of a glyph's cell that shows the changed pixels, whose top left dot
// is at the cell's corner. Columns widen to whole pairs (a four-colour dot);
// `reach` adds the pixels right of and below the dots that the Mask view's
// crossing lines reach.
QRect changedDots(const QRect& cell, int dotSize, const GlyphPixelSpan& span, int reach) {
    if (wholeGlyph(span))
        return cell;
    const int left = span.firstColumn & ~1, right = span.lastColumn | 1;
    return {cell.x() + left * dotSize, cell.y() + span.firstRow * dotSize,
            (right - left + 1) * dotSize + reach,
            (span.lastRow - span.firstRow + 1) * dotSize + reach};
}

constexpr int kSmallDot = 2, kSetCanvasDot = 10, kEditorDot = 30;

int crossingReach(const Document& doc) {
    return maskViewShown(doc) ? 1 : 0;
}

} // namespace

std::vector<QRect> fontGridAreasShowing(const Document& doc, GlyphRef changed) {
    if (!changed.valid() || changed.font != doc.CurrentFont)
        return {};
    return {changedDots(fontGridCell(changed.glyph), kSmallDot, changed.pixels, 0),
            changedDots(fontGridCell(changed.glyph + 128), kSmallDot, changed.pixels, 0)};
}

std::vector<QRect> setCanvasAreasShowing(const Document& doc, GlyphRef changed) {
    std::vector<QRect> areas;
    for (int cell : setCellsShowing(doc, doc.CurrentSet, changed, maskViewShown(doc)))
        areas.push_back(
            changedDots(setCanvasCell(cell), kSetCanvasDot, changed.pixels, crossingReach(doc)));
    return areas;
}

std::vector<QRect> setPreviewAreasShowing(const Document& doc, GlyphRef changed) {
    std::vector<QRect> areas;
    for (int cell : setCellsShowing(doc, doc.CurrentSet, changed, false))
        areas.push_back(changedDots(setPreviewCell(cell), kSmallDot, changed.pixels, 0));
    return areas;
}

std::vector<QRect> setsStripAreasShowing(const Document& doc, GlyphRef changed) {
    std::vector<QRect> areas;
    for (int position = 0; position < kSetsStripLength; ++position)
        for (int cell : setCellsShowing(doc, doc.SetsViewerFirst + position, changed, false))
            areas.push_back(setsStripCell(position, cell));
    return areas;
}

std::vector<QRect> multiFontViewAreasShowing(const Document& doc, GlyphRef changed) {
    std::vector<QRect> areas;
    if (!changed.valid())
        return areas;
    const MultiViewRows rows = multiViewRowsShowing(doc, changed.font);
    for (int position : rows.positions) {
        areas.push_back(multiFontViewCell(changed.glyph, position, rows.shown));
        areas.push_back(multiFontViewCell(changed.glyph + 128, position, rows.shown));
    }
    return areas;
}

std::vector<QRect> viewEditorAreasShowing(const Document& doc, GlyphRef changed) {
    std::vector<QRect> areas;
    for (int cell : screenCellsShowing(doc, doc.currentScreen, changed))
        areas.push_back(viewEditorCell(cell));
    return areas;
}

bool glyphEditorShows(const Document& doc, GlyphRef changed) {
    return codeShowsGlyph(doc, doc.CurrentGlyph, changed, maskViewShown(doc));
}

std::vector<QRect> glyphEditorAreasShowing(const Document& doc, GlyphRef changed) {
    if (!glyphEditorShows(doc, changed))
        return {};
    const QRect editor(0, 0, kEditorCanvasSize.width, kEditorCanvasSize.height);
    return {changedDots(editor, kEditorDot, changed.pixels, crossingReach(doc))};
}

bool glyphPreviewShows(const Document& doc, GlyphRef changed) {
    return codeShowsGlyph(doc, doc.PickedGlyph, changed, false);
}

} // namespace korvex

namespace korvex {

std::vector<QRect> fewAreas(std::vector<QRect> areas) {
    if (areas.size() <= kMostAreas)
        return areas;
    QRect all;
    for (const QRect& area : areas)
        all = all.united(area);
    return {all};
}

} // namespace korvex
