#include "render/atari_view_drawing.h"

#include "core/atari_view.h"
#include "core/screens.h"
#include "render/canvas.h"

#include <algorithm>

namespace korvex {

namespace {

constexpr int kGlyphPixels = 8;
// The first hidden scanline is a dashed line of two colours, each dash this many
// Atari pixels long.
constexpr int kDashLength = 4;
const QRgb kDashColours[2] = {qRgb(255, 48, 48), qRgb(0, 0, 0)};
// The hidden scanlines are blended half and half with this colour.
constexpr QRgb kHiddenTint = 0xFF800000u;

// Rows that follow show the current font, as the screen exports take it.
int followFont(const Document& doc) {
    return int(doc.CurrentFont);
}

// The image pixel at (x, y) for an Atari pixel of `colour` (red + 256 green +
// 65536 blue), with the mark of the hidden scanlines.
QRgb viewPixel(uint32_t colour, int x, int y, int zoom) {
    const QRgb rgb = toQRgb(colour);
    if (y < kMaxDisplayScanlines * zoom)
        return rgb;
    if (y < (kMaxDisplayScanlines + 1) * zoom)
        return kDashColours[(x / (kDashLength * zoom)) % 2];
    return qRgb((qRed(rgb) + qRed(kHiddenTint)) / 2, (qGreen(rgb) + qGreen(kHiddenTint)) / 2,
                (qBlue(rgb) + qBlue(kHiddenTint)) / 2);
}

// The picture's rectangle of cell `column`, `row` at `zoom`.
QRect cellRect(const Document& doc, int column, int row, int zoom) {
    const int screen = doc.currentScreen;
    const int top = rowTopScanline(doc, screen, row);
    const int bottom = rowTopScanline(doc, screen, row + 1);
    return QRect(column * kGlyphPixels * zoom, top * zoom, kGlyphPixels * zoom,
                 (bottom - top) * zoom);
}

} // namespace

int atariViewZoom(int zoom) {
    return std::clamp(zoom, kAtariViewSmallestZoom, kAtariViewLargestZoom);
}

QSize atariViewSize(const Document& doc, int zoom) {
    zoom = atariViewZoom(zoom);
    return QSize(kAtariViewWidth * zoom, screenScanlines(doc, doc.currentScreen) * zoom);
}

void drawAtariView(const Document& doc, QImage& image, int zoom) {
    zoom = atariViewZoom(zoom);
    const RgbPicture picture =
        drawAtariScreen(doc, doc.currentScreen, followFont(doc), doc.FourColourMode);
    const int width = std::min(image.width(), picture.width * zoom);
    const int height = std::min(image.height(), picture.height * zoom);
    for (int y = 0; y < height; ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        // The lines of one scanline are alike.
        if (y % zoom != 0) {
            std::copy_n(reinterpret_cast<const QRgb*>(image.constScanLine(y - 1)), width, line);
            continue;
        }
        for (int x = 0; x < width; ++x)
            line[x] = viewPixel(picture.at(x / zoom, y / zoom), x, y, zoom);
    }
}

void drawAtariView(const Document& doc, QImage& image, int zoom, const QRect& area) {
    zoom = atariViewZoom(zoom);
    const QRect target = area & image.rect() & QRect(QPoint(0, 0), atariViewSize(doc, zoom));
    if (target.isEmpty())
        return;
    const RowTable& table = doc.rowTables[doc.currentScreen];
    RgbPicture tile;
    tile.width = tile.height = kGlyphPixels;
    tile.pixels.resize(size_t(kGlyphPixels * kGlyphPixels));
    const int cellWidth = kGlyphPixels * zoom;
    const int firstColumn = target.left() / cellWidth;
    const int lastColumn = std::min(target.right() / cellWidth, kScreenColumns - 1);
    int top = 0; // of the row, in image lines
    for (int row = 0; row < kScreenRows && top <= target.bottom(); ++row) {
        const ResolvedRow resolved = resolveRow(table, row, followFont(doc), doc.FourColourMode);
        const int repeat = rowScanlines(resolved.mode) / kGlyphPixels;
        const int rowHeight = rowScanlines(resolved.mode) * zoom;
        const int rowTop = top;
        top += rowHeight;
        if (rowTop + rowHeight <= target.top())
            continue;
        for (int column = firstColumn; column <= lastColumn; ++column) {
            const QRect cell(column * cellWidth, rowTop, cellWidth, rowHeight);
            const QRect part = cell & target;
            // A tall row's glyph is the four-colour one with every line twice.
            drawAtariGlyph(doc, resolved.font, resolved.mode,
                           getCell(doc, doc.currentScreen, column, row), tile, 0, 0);
            for (int y = part.top(); y <= part.bottom(); ++y) {
                const int line = (y - cell.top()) / zoom / repeat;
                QRgb* out = reinterpret_cast<QRgb*>(image.scanLine(y));
                for (int x = part.left(); x <= part.right(); ++x)
                    out[x] = viewPixel(tile.at((x - cell.left()) / zoom, line), x, y, zoom);
            }
        }
    }
}

std::vector<QRect> atariViewAreasShowing(const Document& doc, int zoom, GlyphRef changed) {
    zoom = atariViewZoom(zoom);
    std::vector<QRect> areas;
    for (int cell : screenCellsShowing(doc, doc.currentScreen, changed))
        areas.push_back(cellRect(doc, cell % kScreenColumns, cell / kScreenColumns, zoom));
    return areas;
}

} // namespace korvex
