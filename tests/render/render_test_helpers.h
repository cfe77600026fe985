#pragma once
// Small helpers for the pixel tests of the render layer.

#include "core/document.h"
#include "render/canvas.h"
#include "render/canvas_sizes.h"

#include <QImage>
#include <cstdint>

namespace korvex::test {

inline QImage blankImage(CanvasSize size, QRgb fill = qRgb(1, 2, 3)) {
    QImage image(size.width, size.height, QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

// Packed colour (red + 256 green + 65536 blue) of an image pixel.
inline int64_t colourAt(const QImage& image, int x, int y) {
    return fromQRgb(image.pixel(x, y) & 0xFFFFFF);
}

// Writes a glyph from eight Atari row bytes (bit 7 = column 0).
inline void setGlyphRows(Document& doc, int64_t font, int glyph, const uint8_t (&rows)[8]) {
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            doc.setPixel(font, glyph, x, y, (rows[y] >> (7 - x)) & 1);
}

// The blend rule of the canvas, channel by channel.
inline int64_t blend(int64_t src, int64_t dst, int alpha) {
    int64_t out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int64_t s = (src >> shift) & 0xFF, d = (dst >> shift) & 0xFF;
        out |= ((s * alpha + d * (255 - alpha)) / 255) << shift;
    }
    return out;
}

constexpr int64_t kBlack = 0x000000;
constexpr int64_t kGrey48 = 0x303030;
constexpr int64_t kGrey64 = 0x404040;
constexpr int64_t kGrey80 = 0x505050;
constexpr int64_t kGrey112 = 0x707070;
constexpr int64_t kGrey170 = 0xAAAAAA;
constexpr int64_t kWhite = 0xFFFFFF;

// Distinct working colours so every register can be told apart.
inline void useDistinctColours(Document& doc) {
    doc.ColourLUM = 0x0000F0;
    doc.ColourBAK = 0x101010;
    doc.ColourPF0 = 0x00C000;
    doc.ColourPF1 = 0xB00000;
    doc.ColourPF2 = 0x00A0A0;
    doc.ColourPF3 = 0x900090;
}

// Glyph rows whose first row has the pair values 3, 2, 1, 0 and the bits
// 1 1 1 0 0 1 0 0; the other rows are clear.
constexpr uint8_t kPairRows[8] = {0xE4, 0, 0, 0, 0, 0, 0, 0};

} // namespace korvex::test
