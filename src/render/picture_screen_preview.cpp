#include "render/picture_screen_preview.h"

#include "render/canvas.h"
#include "render/picture_convert.h"

#include <QPainter>

namespace korvex {

void drawPictureScreenPreview(QImage& canvas, const PictureScreen* converted, bool doubled) {
    canvas.fill(toQRgb(kPreviewSurround));
    if (!converted)
        return;
    const RgbPicture view{kViewWidth, kViewHeight, drawCellScreen(screenCells(*converted))};
    const int scale = doubled ? kPreviewScale : 1;
    const QSize size(kViewWidth * scale, kViewHeight * scale);
    const QPoint at((canvas.width() - size.width()) / 2, (canvas.height() - size.height()) / 2);
    QPainter painter(&canvas);
    // Whole pixels, no smoothing: each Atari pixel stays a sharp block.
    painter.drawImage(QRect(at, size), toQImage(view));
}

} // namespace korvex
