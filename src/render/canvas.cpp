#include "render/canvas.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace korvex {

void fillPixels(QRgb* pixels, int n, QRgb colour) {
    constexpr int kSeed = 8;
    int filled = std::min(n, kSeed);
    for (int i = 0; i < filled; ++i)
        pixels[i] = colour;
    while (filled < n) {
        const int more = std::min(filled, n - filled);
        std::memcpy(pixels + filled, pixels, size_t(more) * sizeof(QRgb));
        filled += more;
    }
}

Canvas::Canvas(QImage& image) {
    if (image.isNull() || image.depth() != 32)
        return;
    bits_ = image.bits(); // detaches once, so later writes need no check per row
    stride_ = image.bytesPerLine();
    width_ = image.width();
    height_ = image.height();
    clipX1_ = width_;
    clipY1_ = height_;
}

Canvas::Canvas(QImage& image, const QRect& clip) : Canvas(image) {
    clipX0_ = std::clamp(clip.left(), 0, width_);
    clipY0_ = std::clamp(clip.top(), 0, height_);
    clipX1_ = std::clamp(clip.left() + std::max(clip.width(), 0), clipX0_, width_);
    clipY1_ = std::clamp(clip.top() + std::max(clip.height(), 0), clipY0_, height_);
}

void Canvas::fillRect(int x, int y, int w, int h, int64_t colour) {
    const int x0 = std::max(x, clipX0_), y0 = std::max(y, clipY0_);
    const int x1 = int(std::min<int64_t>(int64_t(x) + w, clipX1_));
    const int y1 = int(std::min<int64_t>(int64_t(y) + h, clipY1_));
    if (x0 >= x1 || y0 >= y1)
        return;
    const QRgb src = toQRgb(colour);
    if (alpha_ != 255) {
        blendRect(x0, y0, x1, y1, src);
        return;
    }
    // Narrow areas (grid lines, single pixels) are written pixel by pixel; wider
    // ones as one scanline and copies of it.
    constexpr int kNarrow = 16;
    if (x1 - x0 <= kNarrow) {
        for (int yy = y0; yy < y1; ++yy) {
            QRgb* r = row(yy);
            for (int xx = x0; xx < x1; ++xx)
                r[xx] = src;
        }
        return;
    }
    const QRgb* first = row(y0) + x0;
    fillPixels(row(y0) + x0, x1 - x0, src);
    for (int yy = y0 + 1; yy < y1; ++yy)
        std::memcpy(row(yy) + x0, first, size_t(x1 - x0) * sizeof(QRgb));
}

void Canvas::fillDots(int x, int y, int dotWidth, int dotHeight, const int64_t* colours,
                      int count) {
    if (alpha_ != 255 || dotWidth <= 0) {
        for (int i = 0; i < count; ++i)
            fillRect(x + i * dotWidth, y, dotWidth, dotHeight, colours[i]);
        return;
    }
    const int y0 = std::max(y, clipY0_);
    const int y1 = int(std::min<int64_t>(int64_t(y) + dotHeight, clipY1_));
    const int x0 = std::max(x, clipX0_);
    const int x1 = int(std::min<int64_t>(int64_t(x) + int64_t(dotWidth) * count, clipX1_));
    if (x0 >= x1 || y0 >= y1)
        return;
    // Paint the first scanline dot by dot, then copy it to the others.
    QRgb* first = row(y0);
    for (int i = 0; i < count; ++i) {
        const int64_t left = int64_t(x) + int64_t(i) * dotWidth;
        const int from = int(std::max<int64_t>(left, x0));
        const int to = int(std::min<int64_t>(left + dotWidth, x1));
        if (from < to)
            fillPixels(first + from, to - from, toQRgb(colours[i]));
    }
    for (int yy = y0 + 1; yy < y1; ++yy)
        std::memcpy(row(yy) + x0, first + x0, size_t(x1 - x0) * sizeof(QRgb));
}

// Blends pixel by pixel; the areas under a dot are mostly one colour, so the
// result for the last destination colour is kept and reused.
void Canvas::blendRect(int x0, int y0, int x1, int y1, QRgb src) {
    auto blend = [&](QRgb d) { return blendPixel(src, d, alpha_); };
    QRgb lastIn = row(y0)[x0];
    QRgb lastOut = blend(lastIn);
    auto blendRow = [&](QRgb* r) {
        for (int xx = x0; xx < x1; ++xx) {
            if (r[xx] != lastIn) {
                lastIn = r[xx];
                lastOut = blend(lastIn);
            }
            r[xx] = lastOut;
        }
    };
    // A row that holds what the first row held before blending becomes what the
    // first row became: the usual case under a dot, checked and copied at memory
    // speed. Rows wider than the kept copy are blended one by one.
    constexpr int kKeptWidth = 1024;
    const int width = x1 - x0;
    const size_t bytes = size_t(width) * sizeof(QRgb);
    QRgb before[kKeptWidth];
    const bool keep = width <= kKeptWidth;
    if (keep)
        std::memcpy(before, row(y0) + x0, bytes);
    blendRow(row(y0));
    const QRgb* after = row(y0) + x0;
    for (int yy = y0 + 1; yy < y1; ++yy) {
        QRgb* r = row(yy) + x0;
        if (keep && std::memcmp(r, before, bytes) == 0)
            std::memcpy(r, after, bytes);
        else
            blendRow(row(yy));
    }
}

void Canvas::line(int x0, int y0, int x1, int y1, int64_t colour) {
    const int left = std::min(x0, x1), top = std::min(y0, y1);
    const int width = std::abs(x1 - x0) + 1, height = std::abs(y1 - y0) + 1;
    if (!touches(left, top, width, height))
        return;
    // A line wholly inside that replaces pixels is written straight to them.
    const bool direct = opaqueInside(left, top, width, height);
    const QRgb src = toQRgb(colour);
    const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        if (direct || (alpha_ == 255 && opaqueInside(x0, y0, 1, 1)))
            row(y0)[x0] = src;
        else if (alpha_ != 255)
            fillRect(x0, y0, 1, 1, colour);
        if (x0 == x1 && y0 == y1)
            break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

int64_t Canvas::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return 0;
    return fromQRgb(row(y)[x] & 0xFFFFFF);
}

} // namespace korvex
