#include "formats/font_picture_file.h"

#include "formats/bmp_codec.h"
#include "formats/font_picture.h"
#include "formats/png_codec.h"

namespace korvex {

Bytes fontPictureFileBytes(const Document& doc, int scaleIndex, PictureFileKind kind) {
    const RgbPicture picture = fontPicture(doc, scaleIndex);
    return kind == PictureFileKind::Png ? encodePng(picture) : encodeBmp(picture);
}

} // namespace korvex
