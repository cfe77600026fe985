#include "render/font_picture.h"

#include "render/canvas.h"

#include <algorithm>

namespace korvex {

void drawFontPicture(const Document& doc, QImage& image, int scaleIndex) {
    Canvas canvas(image);
    canvas.fillRect(0, 0, canvas.width(), canvas.height(), 0);
    if (canvas.width() == 0)
        return;
    const RgbPicture picture = fontPicture(doc, scaleIndex);
    const int width = std::min(picture.width, canvas.width());
    const int height = std::min(picture.height, canvas.height());
    for (int y = 0; y < height; ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x)
            row[x] = toQRgb(picture.at(x, y));
    }
}

} // namespace korvex
