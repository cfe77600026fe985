#include "render/mask_drawing.h"

#include "core/font_codec.h"
#include "core/glyph_code.h"
#include "render/glyph_drawing.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace korvex {
namespace {

constexpr int64_t kGrey170 = 0xAAAAAA;
constexpr int kLayerAlpha = 170;
constexpr int kBackgroundAlpha = 17;

int pairValue(const GlyphBytes& rows, int column, int row) {
    return glyphPair(rows, column, row);
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
    const GlyphBytes& current = doc.fontGlyphs(font)[glyph];
    const bool hasLayer = font + 1 < kFontCount;
    const GlyphBytes& next = doc.fontGlyphs(hasLayer ? font + 1 : font)[glyph];

    const int savedAlpha = canvas.alpha();
    for (int row = 0; row < 8; ++row) {
        for (int column = 0; column < 8; column += 2) {
            const int dotX = x + (column / 2) * dotWidth, dotY = y + row * dotHeight;
            // Everything a dot draws lies within it and the pixel past each edge.
            if (!canvas.touches(dotX, dotY, dotWidth + 1, dotHeight + 1))
                continue;
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

namespace {

// One dot of the grid: whether its cell holds a glyph, the rule of that glyph, and
// the pair values of the current font and of the next font's layer.
struct MaskDot {
    bool glyph = false;
    bool inverse = false;
    uint8_t value = 0, below = 0;
};

// The colours a dot can end up in, for one rule. The layer's fill and the
// background are blended over black, or over the grey of a crossing line that
// reached the pixel from a dot drawn before.
struct MaskColours {
    QRgb opaque[4];    // value 1..3
    QRgb overBlack[4]; // value 0, by the layer's pair value
    QRgb overCross[4]; // value 0 over a neighbour's crossing line, by layer value
    QRgb onCross;      // value 0 on its own crossing line
};

MaskColours maskColours(const std::array<int64_t, 7>& colours, bool inverse, bool hasLayer) {
    MaskColours out{};
    const QRgb black = toQRgb(0), cross = toQRgb(kGrey170);
    const QRgb background = toQRgb(colours[size_t(fourColourRegister(0, inverse))]);
    for (int v = 0; v < 4; ++v) {
        const QRgb colour = toQRgb(colours[size_t(fourColourRegister(v, inverse))]);
        out.opaque[v] = colour;
        const QRgb layer = blendPixel(colour, black, kLayerAlpha);
        out.overBlack[v] = blendPixel(background, hasLayer ? layer : black, kBackgroundAlpha);
        out.overCross[v] =
            blendPixel(background, blendPixel(colour, cross, kLayerAlpha), kBackgroundAlpha);
    }
    out.onCross = blendPixel(background, cross, kBackgroundAlpha);
    return out;
}

// Where the two crossing lines of a dot of w x h fall, drawn once with the
// canvas's own line so they match it: the pixels inside the dot scanline by
// scanline, and whether the pixels they reach outside it are the ones the grid
// drawing expects, three corners and the pixel before the lower right one.
struct Crossing {
    int width = 0, height = 0;
    std::vector<std::vector<int>> inside;
    bool firstOnLine = false, lastOnLine = false, reachesExpected = false;
};

Crossing crossingOf(int w, int h) {
    QImage scratch(w + 1, h + 1, QImage::Format_RGB32);
    scratch.fill(Qt::black);
    Canvas canvas(scratch);
    canvas.line(0, 0, w, h, kGrey170);
    canvas.line(0, h, w, 0, kGrey170);
    Crossing crossing{w, h, std::vector<std::vector<int>>(size_t(h)), false, false, true};
    for (int y = 0; y <= h; ++y)
        for (int x = 0; x <= w; ++x) {
            if (canvas.pixel(x, y) != kGrey170)
                continue;
            if (x < w && y < h)
                crossing.inside[size_t(y)].push_back(x);
            else if (!((y == h && (x == 0 || x == w - 1 || x == w)) || (x == w && y == 0)))
                crossing.reachesExpected = false;
        }
    const auto& top = crossing.inside[0];
    crossing.firstOnLine = std::find(top.begin(), top.end(), 0) != top.end();
    crossing.lastOnLine = std::find(top.begin(), top.end(), w - 1) != top.end();
    return crossing;
}

// One dot's pixels of a scanline; the dot widths in use are unrolled.
template <int Width> void fillDotOf(QRgb* out, QRgb colour) {
    for (int i = 0; i < Width; ++i)
        out[i] = colour;
}

void fillDot(QRgb* out, int width, QRgb colour) {
    constexpr int kSetCanvasDot = 20, kEditorDot = 60;
    if (width == kSetCanvasDot)
        fillDotOf<kSetCanvasDot>(out, colour);
    else if (width == kEditorDot)
        fillDotOf<kEditorDot>(out, colour);
    else
        fillPixels(out, width, colour);
}

} // namespace

bool drawMaskGlyphGrid(const Document& doc, QImage& image, const int16_t* codes, int cellColumns,
                       int cellRows, int dotWidth, int dotHeight, int64_t emptyColour) {
    const int64_t font = doc.CurrentFont;
    const int columns = 4 * cellColumns, rows = 8 * cellRows;
    if (font < 1 || font > kFontCount || image.format() != QImage::Format_RGB32 || dotWidth < 2 ||
        dotHeight < 1 || image.width() != columns * dotWidth || image.height() != rows * dotHeight)
        return false;
    const bool hasLayer = font + 1 < kFontCount;
    const GlyphBytes* current = doc.fontGlyphs(font);
    const GlyphBytes* next = doc.fontGlyphs(hasLayer ? font + 1 : font);

    // Each cell's glyph rows as bits, then every dot's pair values from them.
    std::vector<MaskDot> dots(size_t(columns) * size_t(rows));
    for (int cellRow = 0; cellRow < cellRows; ++cellRow)
        for (int cellColumn = 0; cellColumn < cellColumns; ++cellColumn) {
            const int16_t code = codes[cellRow * cellColumns + cellColumn];
            const int glyph = glyphOfCode(code);
            if (glyph < 0)
                continue;
            const uint64_t currentRows = glyphRowBits(current[glyph]);
            const uint64_t nextRows = hasLayer ? glyphRowBits(next[glyph]) : 0;
            for (int row = 0; row < 8; ++row)
                for (int pair = 0; pair < 4; ++pair) {
                    const int shift = 8 * row + 6 - 2 * pair;
                    MaskDot& dot = dots[size_t(8 * cellRow + row) * size_t(columns) +
                                        size_t(4 * cellColumn + pair)];
                    dot.glyph = true;
                    dot.inverse = isInverseCode(code);
                    dot.value = uint8_t((currentRows >> shift) & 3);
                    dot.below = uint8_t((nextRows >> shift) & 3);
                }
        }
    const auto colours = workingColours(doc);
    const MaskColours byRule[2] = {maskColours(colours, false, hasLayer),
                                   maskColours(colours, true, hasLayer)};
    const QRgb empty = toQRgb(emptyColour), cross = toQRgb(kGrey170);
    auto dotAt = [&](int column, int row) -> const MaskDot& {
        return dots[size_t(row) * size_t(columns) + size_t(column)];
    };
    // Whether a dot draws its crossing lines, which also reach one pixel past it.
    auto crosses = [&](int column, int row) {
        if (column < 0 || row < 0)
            return false;
        const MaskDot& dot = dotAt(column, row);
        return dot.glyph && dot.below != 0;
    };

    const Canvas canvas(image);
    auto line = [&](int y) { return canvas.scanline(y); };
    const size_t rowBytes = size_t(image.width()) * sizeof(QRgb);
    std::vector<QRgb> composed(size_t(image.width()));
    // The few dot sizes in use are worked out once each.
    static thread_local std::vector<Crossing> crossings;
    auto known = std::find_if(crossings.begin(), crossings.end(), [&](const Crossing& c) {
        return c.width == dotWidth && c.height == dotHeight;
    });
    if (known == crossings.end()) {
        constexpr size_t kMostSizes = 8;
        if (crossings.size() == kMostSizes)
            crossings.clear();
        crossings.push_back(crossingOf(dotWidth, dotHeight));
        known = crossings.end() - 1;
    }
    const Crossing& crossing = *known;
    if (!crossing.reachesExpected)
        return false;

    for (int row = 0; row < rows; ++row) {
        const int top = row * dotHeight;
        // Every dot in its one colour, composed apart and then copied down the dot
        // row, so that the image is written whole scanlines at a time.
        QRgb* first = composed.data();
        for (int column = 0; column < columns; ++column) {
            const MaskDot& dot = dotAt(column, row);
            const MaskColours& c = byRule[dot.inverse];
            const QRgb colour = !dot.glyph       ? empty
                                : dot.value != 0 ? c.opaque[dot.value]
                                                 : c.overBlack[dot.below];
            fillDot(first + column * dotWidth, dotWidth, colour);
        }
        for (int y = top; y < top + dotHeight; ++y)
            std::memcpy(line(y), first, rowBytes);
        first = line(top);
        // A background dot shows its own crossing lines.
        for (int column = 0; column < columns; ++column) {
            const MaskDot& dot = dotAt(column, row);
            if (!dot.glyph || dot.value != 0 || dot.below == 0)
                continue;
            const QRgb onCross = byRule[dot.inverse].onCross;
            for (int y = 0; y < dotHeight; ++y) {
                QRgb* out = line(top + y) + column * dotWidth;
                for (int x : crossing.inside[size_t(y)])
                    out[x] = onCross;
            }
        }
        // The two pixels of a dot's top scanline that the crossing lines of the dots
        // above and to the left reach: its first pixel (from the dots up-left, up and
        // left) and its last (from the dot above).
        for (int column = 0; column < columns; ++column) {
            const MaskDot& dot = dotAt(column, row);
            const bool crossedFirst = crosses(column - 1, row - 1) || crosses(column, row - 1) ||
                                      crosses(column - 1, row);
            const bool crossedLast = crosses(column, row - 1);
            QRgb* out = first + column * dotWidth;
            auto finish = [&](QRgb& pixel, bool crossed, bool onOwnCross) {
                if (!dot.glyph) {
                    if (crossed)
                        pixel = cross;
                    return;
                }
                if (dot.value != 0 || !crossed)
                    return;
                const MaskColours& c = byRule[dot.inverse];
                pixel = onOwnCross ? c.onCross : c.overCross[dot.below];
            };
            finish(out[0], crossedFirst, dot.below != 0 && crossing.firstOnLine);
            finish(out[dotWidth - 1], crossedLast, dot.below != 0 && crossing.lastOnLine);
        }
    }
    return true;
}

} // namespace korvex
