#include "render/picture_convert.h"

#include "render/canvas.h"

namespace korvex {

QImage toQImage(const RgbPicture& picture) {
    if (picture.empty() || picture.pixels.size() != size_t(picture.width) * size_t(picture.height))
        return {};
    QImage image(picture.width, picture.height, QImage::Format_RGB32);
    if (image.isNull())
        return {};
    for (int y = 0; y < picture.height; ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < picture.width; ++x)
            row[x] = toQRgb(picture.at(x, y));
    }
    return image;
}

RgbPicture fromQImage(const QImage& image) {
    RgbPicture picture;
    if (image.isNull())
        return picture;
    const QImage rgb = image.format() == QImage::Format_RGB32
                           ? image
                           : image.convertToFormat(QImage::Format_RGB32);
    picture.width = rgb.width();
    picture.height = rgb.height();
    picture.pixels.resize(size_t(picture.width) * size_t(picture.height));
    for (int y = 0; y < picture.height; ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < picture.width; ++x)
            picture.pixels[size_t(y) * size_t(picture.width) + size_t(x)] =
                uint32_t(fromQRgb(row[x]));
    }
    return picture;
}

} // namespace korvex
