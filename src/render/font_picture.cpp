#include "render/font_picture.h"

#include "core/font_codec.h"
#include "render/canvas.h"
#include "render/picture_convert.h"

#include <algorithm>

namespace korvex {

int fontPictureScale(int scaleIndex) {
    return std::clamp(scaleIndex, 0, 3) + 1;
}

namespace {

// One block of 8m x 8m at (left, top): glyph g as code g, or as its inverse code.
void drawGlyphBlock(Canvas& canvas, const Document& doc, int g, bool inverse, int left, int top,
                    int m) {
    const auto& pixels = doc.FontPixels[doc.CurrentFont][g];
    const int64_t lum = doc.ColourLUM, bak = doc.ColourBAK;
    for (int y = 0; y < 8; ++y) {
        if (doc.FourColourMode == 0) {
            for (int x = 0; x < 8; ++x) {
                const bool set = pixels[x][y] == 1;
                canvas.fillRect(left + x * m, top + y * m, m, m, set != inverse ? lum : bak);
            }
            continue;
        }
        for (int x = 0; x < 8; x += 2) {
            const int v = 2 * (pixels[x][y] == 1) + (pixels[x + 1][y] == 1);
            canvas.fillRect(left + x * m, top + y * m, 2 * m, m,
                            workingColour(doc, fourColourRegister(v, inverse)));
        }
    }
}

} // namespace

void drawFontPicture(const Document& doc, QImage& image, int scaleIndex) {
    Canvas canvas(image);
    canvas.fillRect(0, 0, canvas.width(), canvas.height(), 0);
    if (doc.CurrentFont < 1 || doc.CurrentFont > kFontCount)
        return;
    const int m = fontPictureScale(scaleIndex);
    for (int inverse = 0; inverse < 2; ++inverse)
        for (int g = 0; g < kGlyphCount; ++g) {
            const int c = g % 32, r = g / 32;
            drawGlyphBlock(canvas, doc, g, inverse == 1, 8 * m * c, 8 * m * r + inverse * 32 * m,
                           m);
        }
}

RgbPicture fontPicture(const Document& doc, int scaleIndex) {
    const int m = fontPictureScale(scaleIndex);
    QImage image(256 * m, 64 * m, QImage::Format_RGB32);
    drawFontPicture(doc, image, scaleIndex);
    return fromQImage(image);
}

} // namespace korvex
