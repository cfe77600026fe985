#include "core/hit_areas.h"

namespace korvex {

namespace {

// One range of the table: a grid of equal squares, row after row from its first
// index. Squares are `side` wide and high and `step` apart, so neighbours share a
// border line when step == side. A grid that tells its cells apart gives each
// rectangle the column and row of its square, counted modulo `cellWrap` (the set
// pixel grid repeats the 8 x 8 glyph); the others give 0, 0.
struct HitGrid {
    int64_t first;
    int columns, rows;
    int64_t step, side;
    int64_t cellWrap; // 0: no column and row
};

constexpr int64_t kWholeGrid = 64; // larger than any grid's columns and rows
constexpr int64_t kGlyphSide = 8;

// The font canvas: 128 glyphs in four rows, their inverse forms in the four
// below, all in one run of 17-pixel steps.
constexpr HitGrid kHitGrids[] = {
    {kFontAreas, 32, 8, 17, 16, 0},
    {kEditorAreas, 8, 8, 30, 30, kWholeGrid},
    {kSetCellAreas, 5, 5, 80, 80, 0},
    {kSetPixelAreas, 40, 40, 10, 10, kGlyphSide},
    {kSetPreviewAreas, 5, 5, 16, 16, 0},
    {kSetsStripAreas, 10, 1, 80, 80, kWholeGrid},
    {kViewEditorAreas, kScreenColumns, kScreenRows, 16, 16, kWholeGrid},
};

// Rectangle `index` of the fixed layout.
HitArea fixedHitArea(int64_t index) {
    for (const HitGrid& grid : kHitGrids) {
        const int64_t cell = index - grid.first;
        if (cell < 0 || cell >= int64_t(grid.columns) * grid.rows)
            continue;
        const int64_t column = cell % grid.columns, row = cell / grid.columns;
        HitArea area{grid.step * column, grid.step * row, grid.side, grid.side, 0, 0};
        if (grid.cellWrap != 0) {
            area.column = column % grid.cellWrap;
            area.row = row % grid.cellWrap;
        }
        return area;
    }
    return HitArea{};
}

// The whole fixed layout, laid out once per process on first use: the mouse looks
// rectangles up by the thousand, and a program that never asks (the converter)
// never pays for it.
const std::vector<HitArea>& fixedLayout() {
    static const std::vector<HitArea> layout = [] {
        std::vector<HitArea> areas;
        areas.reserve(kHitAreaCount);
        for (int64_t i = 0; i < kHitAreaCount; ++i)
            areas.push_back(fixedHitArea(i));
        return areas;
    }();
    return layout;
}

} // namespace

HitArea HitAreaTable::operator[](int64_t index) const {
    const std::vector<HitArea>& areas = fixedLayout();
    return index >= 0 && index < int64_t(areas.size()) ? areas[size_t(index)] : HitArea{};
}

int64_t findHitArea(const Document& doc, int64_t first, int64_t last, int64_t x, int64_t y) {
    if (first < 0)
        first = 0;
    if (last >= kHitAreaCount)
        last = kHitAreaCount - 1;
    for (int64_t i = first; i <= last; ++i) {
        const HitArea a = doc.HitAreas[i];
        if (x >= a.x && x <= a.x + a.width && y >= a.y && y <= a.y + a.height)
            return i;
    }
    return -1;
}

} // namespace korvex
