#include "formats/picture_codec.h"

#include "formats/bmp_codec.h"
#include "formats/png_codec.h"

namespace korvex {

std::optional<RgbPicture> decodePicture(ByteView data, std::string* error) {
    if (looksLikePng(data))
        return decodePng(data, error);
    if (looksLikeBmp(data))
        return decodeBmp(data, error);
    if (error)
        *error = "neither a PNG nor a BMP file";
    return std::nullopt;
}

} // namespace korvex
