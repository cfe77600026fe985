#include "render/canvas.h"

#include <algorithm>
#include <cstdlib>

namespace korvex {

void Canvas::fillRect(int x, int y, int w, int h, int64_t colour) {
    const int x0 = std::max(x, 0), y0 = std::max(y, 0);
    const int x1 = std::min<int64_t>(int64_t(x) + w, image_.width());
    const int y1 = std::min<int64_t>(int64_t(y) + h, image_.height());
    if (x0 >= x1 || y0 >= y1)
        return;
    const QRgb src = toQRgb(colour);
    for (int yy = y0; yy < y1; ++yy) {
        auto* row = reinterpret_cast<QRgb*>(image_.scanLine(yy));
        if (alpha_ == 255) {
            std::fill(row + x0, row + x1, src);
            continue;
        }
        const int a = alpha_;
        for (int xx = x0; xx < x1; ++xx) {
            const QRgb d = row[xx];
            row[xx] = qRgb((qRed(src) * a + qRed(d) * (255 - a)) / 255,
                           (qGreen(src) * a + qGreen(d) * (255 - a)) / 255,
                           (qBlue(src) * a + qBlue(d) * (255 - a)) / 255);
        }
    }
}

void Canvas::line(int x0, int y0, int x1, int y1, int64_t colour) {
    const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        setPixel(x0, y0, colour);
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
    if (x < 0 || y < 0 || x >= image_.width() || y >= image_.height())
        return 0;
    return fromQRgb(image_.pixel(x, y));
}

} // namespace korvex
