#pragma once
// The table of rectangles through which every clickable grid turns a mouse
// position into a cell. Edges are inclusive, so touching rectangles share their
// border line and the lower index wins.

#include "core/document.h"

namespace korvex {

// First index in [first, last] whose rectangle contains (x, y), or -1.
// Indices outside the table are skipped.
int64_t findHitArea(const Document& doc, int64_t first, int64_t last, int64_t x, int64_t y);

// First and last indices of the ranges.
constexpr int64_t kFontAreas = 0; // index = glyph code
constexpr int64_t kFontAreasLast = 255;
constexpr int64_t kEditorAreas = 500; // the magnified glyph's 64 pixels
constexpr int64_t kEditorAreasLast = 563;
constexpr int64_t kSetCellAreas = 600; // the 25 cells of the set canvas
constexpr int64_t kSetCellAreasLast = 624;
constexpr int64_t kSetPixelAreas = 1000; // the set canvas's pixels, 1000..2599
// The set canvas's pixel lookups run one index past the last pixel area, which
// no grid uses.
constexpr int64_t kSetPixelAreasLookedUpTo = 2600;
constexpr int64_t kSetPreviewAreas = 3000; // the set preview's 25 cells
constexpr int64_t kSetPreviewAreasLast = 3024;
constexpr int64_t kSetsStripAreas = 7500;  // 7500..7509
constexpr int64_t kViewEditorAreas = 9000; // 9000..9959

} // namespace korvex
