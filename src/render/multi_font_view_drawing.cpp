#include "render/multi_font_view_drawing.h"

#include "render/canvas.h"
#include "render/glyph_drawing.h"

namespace korvex {
namespace {

bool rowShown(int64_t selection) {
    return selection >= 0 && selection <= 9;
}

} // namespace

void drawMultiFontView(const Document& doc, QImage& image) {
    Canvas canvas(image);
    // The drawn area is 540 x 650; the rest of the canvas is black too, like the
    // scrolling area around it.
    canvas.fillRect(0, 0, canvas.width(), canvas.height(), 0x000000);
    int shown = 0;
    for (int row = 1; row <= 5; ++row)
        shown += rowShown(doc.MultiViewFonts[row]);
    int n = 0;
    for (int row = 1; row <= 5; ++row) {
        if (!rowShown(doc.MultiViewFonts[row]))
            continue;
        const int64_t font = doc.MultiViewFonts[row] + 1;
        for (int j = 0; j < 8; ++j)
            for (int c = 0; c < 32; ++c)
                drawGlyphDots(doc, canvas, font, doc.FontColours[font], 32 * j + c, 16 * c,
                              16 * (j * shown + n), 2);
        ++n;
    }
}

} // namespace korvex
