#include "formats/range_rect.h"

#include <algorithm>

namespace korvex {

ClippedRange clippedRange(const Document& doc) {
    ClippedRange r;
    r.x = doc.rangeX;
    r.y = doc.rangeY;
    if (r.x >= kScreenColumns || r.y >= kScreenRows)
        return r;
    r.width = std::min<int>(doc.rangeWidth, kScreenColumns - r.x);
    r.height = std::min<int>(doc.rangeHeight, kScreenRows - r.y);
    return r;
}

} // namespace korvex
