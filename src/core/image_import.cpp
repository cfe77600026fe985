#include "core/image_import.h"

#include <algorithm>

namespace korvex {

namespace {
// Frame positions far off the canvas all behave alike; bounding them keeps the
// sums below from overflowing.
int64_t bounded(int64_t v) {
    return std::clamp<int64_t>(v, -100000, 100000);
}
} // namespace

bool onImportFrame(const Document& doc, int64_t x, int64_t y) {
    const int64_t left = bounded(doc.importX), top = bounded(doc.importY);
    const bool acrossTopOrBottom =
        x >= left && x < left + kImportBlockWidth && (y == top || y == top + kImportBlockHeight);
    const bool downLeftOrRight =
        y >= top && y < top + kImportBlockHeight && (x == left || x == left + kImportBlockWidth);
    return acrossTopOrBottom || downLeftOrRight;
}

int64_t importCanvasColourAt(const Document& doc, int64_t x, int64_t y, bool withFrame) {
    if (x < 0 || y < 0 || x >= kImportCanvasWidth || y >= kImportCanvasHeight)
        return -1;
    if (withFrame && onImportFrame(doc, x, y))
        return kImportFrameColour;
    const RgbPicture& picture = doc.importPicture;
    const bool whole = picture.pixels.size() == size_t(picture.width) * size_t(picture.height);
    if (whole && x < picture.width && y < picture.height)
        return picture.at(int(x), int(y)) & 0xFFFFFF;
    return 0;
}

void importPictureToFont(Document& doc, int64_t colour0) {
    const int64_t font = doc.CurrentFont;
    if (font < 1 || font > kFontCount)
        return;
    for (int g = 0; g < kGlyphCount; ++g) {
        const int64_t left = bounded(doc.importX) + 8 * (g % 32);
        const int64_t top = bounded(doc.importY) + 8 * (g / 32);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) {
                const int64_t colour = importCanvasColourAt(doc, left + x, top + y, false);
                const bool background = colour < 0 || colour == colour0;
                doc.setPixel(font, g, x, y, !background);
            }
    }
}

} // namespace korvex
