#include "formats/palette_picture.h"

#include "core/palette.h"
#include "formats/png_codec.h"

namespace korvex {

extern const std::uint8_t kPalettePngData[];
extern const std::size_t kPalettePngDataSize;

namespace {

RgbPicture decodeBuiltInPalette() {
    const Bytes data(kPalettePngData, kPalettePngData + kPalettePngDataSize);
    std::optional<RgbPicture> picture = decodePng(data);
    // The compiled-in file is made from the same layout; should it ever fail to
    // decode, drawing the layout gives the identical picture.
    if (!picture || picture->width != kPalettePictureWidth ||
        picture->height != kPalettePictureHeight)
        return renderPalettePicture();
    return std::move(*picture);
}

} // namespace

RgbPicture palettePicture() {
    static const RgbPicture picture = decodeBuiltInPalette();
    return picture;
}

} // namespace korvex
