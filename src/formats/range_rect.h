#pragma once
// The View Editor's range rectangle clipped to the screen, as both the range
// block file and the range export use it.

#include "core/document.h"

namespace korvex {

struct ClippedRange {
    int x = 0;
    int y = 0;
    int width = 0;  // 0..40
    int height = 0; // 0..24
    int cells() const { return width * height; }
};

// rangeX/rangeY/rangeWidth/rangeHeight cut at the right and bottom screen edges.
// The stored values may be any byte (project files), so a start outside the
// screen gives an empty rectangle (width = height = 0) instead of a negative size.
ClippedRange clippedRange(const Document& doc);

} // namespace korvex
