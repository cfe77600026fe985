#include "render/multi_font_view_drawing.h"

#include "render/canvas.h"
#include "render/glyph_drawing.h"

namespace korvex {
namespace {

bool rowShown(int64_t selection) {
    return selection >= 0 && selection <= 9;
}

} // namespace

QRect multiFontViewCell(int64_t code, int position, int shown) {
    const int c = int(code) % 32, j = int(code) / 32;
    return {16 * c, 16 * (j * shown + position), 16, 16};
}

void drawMultiFontView(const Document& doc, QImage& image) {
    drawMultiFontView(doc, image, image.rect());
}

void drawMultiFontView(const Document& doc, QImage& image, const QRect& area) {
    Canvas canvas(image, area);
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
        for (int code = 0; code < 256; ++code) {
            const QRect cell = multiFontViewCell(code, n, shown);
            if (canvas.touches(cell.x(), cell.y(), cell.width(), cell.height()))
                drawGlyphDots(doc, canvas, font, doc.FontColours[font], code, cell.x(), cell.y(),
                              2);
        }
        ++n;
    }
}

} // namespace korvex
