#include "core/hit_areas.h"

namespace korvex {

void setHitArea(Document& doc, int64_t index, int64_t x, int64_t y, int64_t width, int64_t height,
                int64_t column, int64_t row) {
    if (index < 0 || index >= kHitAreaCount)
        return;
    doc.HitAreas[index] = HitArea{x, y, width, height, column, row};
}

int64_t findHitArea(const Document& doc, int64_t first, int64_t last, int64_t x, int64_t y) {
    if (first < 0)
        first = 0;
    if (last >= kHitAreaCount)
        last = kHitAreaCount - 1;
    for (int64_t i = first; i <= last; ++i) {
        const HitArea& a = doc.HitAreas[i];
        if (x >= a.x && x <= a.x + a.width && y >= a.y && y <= a.y + a.height)
            return i;
    }
    return -1;
}

void initHitAreas(Document& doc) {
    for (auto& set : doc.Sets)
        for (int c = 0; c < kSetCells; ++c)
            set[c] = -1;

    int64_t i = kFontAreas;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 32; ++c)
            setHitArea(doc, i++, 17 * c, 17 * r, 16, 16, 0, 0);
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 32; ++c)
            setHitArea(doc, i++, 17 * c, 68 + 17 * r, 16, 16, 0, 0);

    i = kEditorAreas;
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 8; ++c)
            setHitArea(doc, i++, 30 * c, 30 * r, 30, 30, c, r);

    i = kSetCellAreas;
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 5; ++c)
            setHitArea(doc, i++, 80 * c, 80 * r, 80, 80, 0, 0);

    i = kSetPixelAreas;
    for (int r = 0; r < 40; ++r)
        for (int c = 0; c < 40; ++c)
            setHitArea(doc, i++, 10 * c, 10 * r, 10, 10, c % 8, r % 8);

    i = kSetPreviewAreas;
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 5; ++c)
            setHitArea(doc, i++, 16 * c, 16 * r, 16, 16, 0, 0);

    i = kSetsStripAreas;
    for (int c = 0; c < 10; ++c)
        setHitArea(doc, i++, 80 * c, 0, 80, 80, c, 0);

    i = kViewEditorAreas;
    for (int r = 0; r < kScreenRows; ++r)
        for (int c = 0; c < kScreenColumns; ++c)
            setHitArea(doc, i++, 16 * c, 16 * r, 16, 16, c, r);
}

} // namespace korvex
