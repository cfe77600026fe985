#include "render/glyph_areas.h"

#include "render/main_canvases.h"
#include "render/multi_font_view_drawing.h"
#include "render/view_editor_drawing.h"

namespace korvex {

std::vector<QRect> fontGridAreasShowing(const Document& doc, GlyphRef changed) {
    if (!changed.valid() || changed.font != doc.CurrentFont)
        return {};
    return {fontGridCell(changed.glyph), fontGridCell(changed.glyph + 128)};
}

std::vector<QRect> setCanvasAreasShowing(const Document& doc, GlyphRef changed) {
    std::vector<QRect> areas;
    for (int cell : setCellsShowing(doc, doc.CurrentSet, changed, maskViewShown(doc)))
        areas.push_back(setCanvasCell(cell));
    return areas;
}

std::vector<QRect> setPreviewAreasShowing(const Document& doc, GlyphRef changed) {
    std::vector<QRect> areas;
    for (int cell : setCellsShowing(doc, doc.CurrentSet, changed, false))
        areas.push_back(setPreviewCell(cell));
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
