#include "render/text_preview_drawing.h"

#include "render/canvas.h"
#include "render/glyph_drawing.h"

#include <algorithm>

namespace korvex {

namespace {

constexpr int kGlyphPixels = 8;

} // namespace

CanvasSize textPreviewSize(int magnification) {
    return {kTextPreviewLength * kGlyphPixels * magnification, kGlyphPixels * magnification};
}

void drawTextPreview(const Document& doc, QImage& image, const std::vector<int>& codes,
                     int magnification) {
    Canvas canvas(image);
    const auto colours = workingColours(doc);
    canvas.fillRect(0, 0, canvas.width(), canvas.height(), colours[BAK]);
    const size_t count = std::min(codes.size(), size_t(kTextPreviewLength));
    for (size_t i = 0; i < count; ++i)
        drawGlyphDots(doc, canvas, doc.CurrentFont, colours.data(), codes[i],
                      int(i) * kGlyphPixels * magnification, 0, magnification);
}

} // namespace korvex
