#include "render/import_canvas.h"

#include "core/image_import.h"
#include "render/canvas.h"

#include <algorithm>

namespace korvex {

void drawImportCanvas(const Document& doc, QImage& image, bool withFrame) {
    Canvas canvas(image);
    canvas.fillRect(0, 0, kImportCanvasWidth, kImportCanvasHeight, 0);
    const RgbPicture& picture = doc.importPicture;
    if (picture.pixels.size() == size_t(picture.width) * size_t(picture.height)) {
        const int w = std::min({picture.width, kImportCanvasWidth, canvas.width()});
        const int h = std::min({picture.height, kImportCanvasHeight, canvas.height()});
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                canvas.setPixel(x, y, picture.at(x, y));
    }
    if (!withFrame)
        return;
    // Far-off frames draw nothing; bounding them keeps the sums from overflowing.
    const int left = int(std::clamp<int64_t>(doc.importX, -100000, 100000));
    const int top = int(std::clamp<int64_t>(doc.importY, -100000, 100000));
    const int64_t pink = kImportFrameColour;
    canvas.fillRect(left, top, kImportBlockWidth, 1, pink);
    canvas.fillRect(left, top, 1, kImportBlockHeight, pink);
    canvas.fillRect(left + kImportBlockWidth, top, 1, kImportBlockHeight, pink);
    canvas.fillRect(left, top + kImportBlockHeight, kImportBlockWidth, 1, pink);
}

} // namespace korvex
