#pragma once
// A picture file of either kind the program reads, told apart by its first bytes.

#include "core/document.h"
#include "formats/file_io.h"
#include "formats/picture_alpha.h"

#include <optional>
#include <string>

namespace korvex {

// Reading a picture file stops here: a picture of the largest size the decoders
// accept is smaller, so a longer file cannot be one.
constexpr size_t kMaxPictureFileBytes = (size_t(1) << 30) + (size_t(1) << 20);

// PNG when the bytes start with the PNG signature, BMP when they start with "BM";
// nothing for any other file or a file that does not decode.
std::optional<RgbPicture> decodePicture(ByteView data, std::string* error = nullptr,
                                        PictureAlpha alpha = PictureAlpha::OverBlack);

} // namespace korvex
