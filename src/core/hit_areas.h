#pragma once
// The table of rectangles through which every clickable grid turns a mouse
// position into a cell. Edges are inclusive, so touching rectangles share their
// border line and the lower index wins.

#include "core/document.h"

namespace korvex {

// First index in [first, last] whose rectangle contains (x, y), or -1.
// Indices outside the table are skipped.
int64_t findHitArea(const Document& doc, int64_t first, int64_t last, int64_t x, int64_t y);

// First indices of the ranges.
constexpr int64_t kFontAreas = 0;          // 0..255, index = glyph code
constexpr int64_t kEditorAreas = 500;      // 500..563
constexpr int64_t kSetCellAreas = 600;     // 600..624
constexpr int64_t kSetPixelAreas = 1000;   // 1000..2599 (looked up to 2600)
constexpr int64_t kSetPreviewAreas = 3000; // 3000..3024
constexpr int64_t kSetsStripAreas = 7500;  // 7500..7509
constexpr int64_t kViewEditorAreas = 9000; // 9000..9959

} // namespace korvex
