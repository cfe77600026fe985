#include "formats/screen_picture_file.h"

#include "core/atari_view.h"
#include "formats/bmp_codec.h"
#include "formats/png_codec.h"

namespace korvex {

RgbPicture scaledPicture(const RgbPicture& picture, int scale) {
    if (scale < 1 || scale > kLargestScreenPictureScale || scale == 1 || picture.empty())
        return picture;
    RgbPicture out;
    out.width = picture.width * scale;
    out.height = picture.height * scale;
    out.pixels.resize(size_t(out.width) * size_t(out.height));
    for (int y = 0; y < picture.height; ++y) {
        uint32_t* first = &out.pixels[size_t(y) * size_t(scale) * size_t(out.width)];
        for (int x = 0; x < picture.width; ++x)
            for (int i = 0; i < scale; ++i)
                first[x * scale + i] = picture.at(x, y);
        for (int copy = 1; copy < scale; ++copy)
            std::copy(first, first + out.width, first + size_t(copy) * size_t(out.width));
    }
    return out;
}

Bytes screenPictureFileBytes(const Document& doc, int screen, int followFont, bool followFourColour,
                             int scale, PictureFileKind kind) {
    const RgbPicture picture =
        scaledPicture(drawAtariScreen(doc, screen, followFont, followFourColour), scale);
    if (picture.empty())
        return {};
    return kind == PictureFileKind::Png ? encodePng(picture) : encodeBmp(picture);
}

} // namespace korvex
