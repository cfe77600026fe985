// The fast paths of the renderer must give exactly the pixels of the plain
// step-by-step drawing: one fillRect per dot, every layer blended in order.
#include "render/canvas.h"
#include "render/mask_drawing.h"
#include "render_test_helpers.h"
#include "test_document.h"

#include <gtest/gtest.h>

#include <random>

namespace korvex {
namespace {

using namespace korvex::test;

TEST(CanvasEquivalence, FillDotsMatchesOneFillPerDotAtAnyClipping) {
    std::mt19937 random(7);
    for (int trial = 0; trial < 300; ++trial) {
        const int x = int(random() % 60) - 30, y = int(random() % 60) - 30;
        const int w = int(random() % 9), h = int(random() % 9), count = 1 + int(random() % 8);
        int64_t colours[8];
        for (int64_t& c : colours)
            c = int64_t(random() & 0xFFFFFF);
        QImage fast = blankImage({40, 30}), plain = blankImage({40, 30});
        Canvas fastCanvas(fast), plainCanvas(plain);
        fastCanvas.fillDots(x, y, w, h, colours, count);
        for (int i = 0; i < count; ++i)
            plainCanvas.fillRect(x + i * w, y, w, h, colours[i]);
        ASSERT_EQ(fast, plain) << x << "," << y << " " << w << "x" << h << " * " << count;
    }
}

// The mask drawing written out step by step for every dot.
void plainMaskGlyph(const Document& doc, Canvas& canvas, int64_t code, int x, int y, int w, int h) {
    const int glyph = int(code & 127);
    const bool inverse = code >= 128;
    const int64_t font = doc.CurrentFont;
    auto pair = [&](int64_t f, int column, int row) {
        return 2 * doc.pixel(f, glyph, column, row) + doc.pixel(f, glyph, column + 1, row);
    };
    auto colour = [&](int v) {
        const int64_t byValue[4] = {doc.ColourBAK, doc.ColourPF0, doc.ColourPF1,
                                    inverse ? doc.ColourPF3 : doc.ColourPF2};
        return byValue[v];
    };
    for (int row = 0; row < 8; ++row)
        for (int column = 0; column < 8; column += 2) {
            const int dx = x + column / 2 * w, dy = y + row * h;
            if (font + 1 < 10) {
                const int below = pair(font + 1, column, row);
                canvas.setAlpha(170);
                canvas.fillRect(dx, dy, w, h, colour(below));
                if (below != 0) {
                    canvas.setAlpha(255);
                    canvas.line(dx, dy, dx + w, dy + h, kGrey170);
                    canvas.line(dx, dy + h, dx + w, dy, kGrey170);
                }
            }
            const int v = pair(font, column, row);
            canvas.setAlpha(v == 0 ? 17 : 255);
            canvas.fillRect(dx, dy, w, h, colour(v));
        }
    canvas.setAlpha(255);
}

TEST(MaskEquivalence, MatchesTheStepByStepDrawingForRandomGlyphs) {
    auto doc = freshDocument();
    useDistinctColours(*doc);
    doc->FourColourMode = 1;
    std::mt19937 random(11);
    for (int f = 1; f <= kFontCount; ++f)
        for (int x = 0; x < 8; ++x)
            for (int y = 0; y < 8; ++y)
                doc->setPixel(f, 5, x, y, uint8_t(random() % 2));
    for (int64_t font = 1; font <= kFontCount; ++font)
        for (int64_t code : {5, 133})
            for (auto [w, h] : {std::pair{20, 10}, std::pair{60, 30}}) {
                doc->CurrentFont = font;
                QImage fast = blankImage({260, 260}), plain = blankImage({260, 260});
                Canvas fastCanvas(fast), plainCanvas(plain);
                // Two glyphs side by side and overlapping the edge, as in the set canvas.
                for (int x : {-30, 4 * w - 30}) {
                    drawMaskGlyph(*doc, fastCanvas, code, x, 7, w, h);
                    plainMaskGlyph(*doc, plainCanvas, code, x, 7, w, h);
                }
                ASSERT_EQ(fast, plain) << "font " << font << " code " << code << " dot " << w;
            }
}

} // namespace
} // namespace korvex
