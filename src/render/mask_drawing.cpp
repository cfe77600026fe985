#include "render/mask_drawing.h"

#include "core/font_codec.h"
#include "core/glyph_code.h"
#include "render/glyph_drawing.h"

namespace korvex {
namespace {

constexpr int64_t kGrey170 = 0xAAAAAA;
constexpr int kLayerAlpha = 170;
constexpr int kBackgroundAlpha = 17;

int pairValue(const uint8_t (&pixels)[9][9], int column, int row) {
    return 2 * (pixels[column][row] == 1) + (pixels[column + 1][row] == 1);
}

} // namespace

void drawMaskGlyph(const Document& doc, Canvas& canvas, int64_t code, int x, int y, int dotWidth,
                   int dotHeight) {
    const int glyph = glyphOfCode(code);
    const int64_t font = doc.CurrentFont;
    if (glyph < 0 || font < 1 || font > kFontCount)
        return;
    const bool inverse = isInverseCode(code);
    const auto colours = workingColours(doc);
    auto colourOf = [&](int v) { return colours[size_t(fourColourRegister(v, inverse))]; };
    const auto& current = doc.FontPixels[font][glyph];
    const bool hasLayer = font + 1 < kFontCount;
    const auto& next = doc.FontPixels[hasLayer ? font + 1 : font][glyph];

    const int savedAlpha = canvas.alpha();
    for (int row = 0; row < 8; ++row) {
        for (int column = 0; column < 8; column += 2) {
            const int dotX = x + (column / 2) * dotWidth, dotY = y + row * dotHeight;
            const int v = pairValue(current, column, row);
            if (hasLayer) {
                const int below = pairValue(next, column, row);
                // An opaque dot hides the layer's fill, which lies wholly inside it.
                if (v == 0) {
                    canvas.setAlpha(kLayerAlpha);
                    canvas.fillRect(dotX, dotY, dotWidth, dotHeight, colourOf(below));
                }
                if (below != 0) {
                    canvas.setAlpha(255);
                    canvas.line(dotX, dotY, dotX + dotWidth, dotY + dotHeight, kGrey170);
                    canvas.line(dotX, dotY + dotHeight, dotX + dotWidth, dotY, kGrey170);
                }
            }
            canvas.setAlpha(v == 0 ? kBackgroundAlpha : 255);
            canvas.fillRect(dotX, dotY, dotWidth, dotHeight, colourOf(v));
        }
    }
    canvas.setAlpha(savedAlpha);
}

} // namespace korvex
