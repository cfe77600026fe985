#include "formats/picture_codec.h"

#include "formats/bmp_codec.h"
#include "formats/png_codec.h"

namespace korvex {

std::optional<RgbPicture> decodePicture(ByteView data, std::string* error, PictureAlpha alpha) {
    if (looksLikePng(data))
        return decodePng(data, error, alpha);
    if (looksLikeBmp(data))
        return decodeBmp(data, error, alpha);
    if (error)
        *error = "neither a PNG nor a BMP file";
    return std::nullopt;
}

} // namespace korvex
