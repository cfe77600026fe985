#pragma once
// Windows bitmap files, read and written without any library.
//
// Read: the old core header and the info headers (40, 52, 56, 108 and 124 bytes);
// 1, 4 and 8 bits per pixel with a colour table, uncompressed or run-length
// encoded (RLE8, RLE4); 16 bits (5-5-5 by default, any masks with BI_BITFIELDS),
// 24 bits and 32 bits (any masks with BI_BITFIELDS); bottom-up and top-down rows.
// A file with an alpha mask (BI_BITFIELDS with a 56-, 108- or 124-byte header,
// or BI_ALPHABITFIELDS) has its pixels composited over black, as PNG transparency
// is, so a picture reads the same from either kind of file; without one the fourth
// byte of a 32-bit pixel is ignored, being unused in most files. Pixels that a
// run-length stream skips stay black; pixels a run puts beyond the right edge
// (into the row padding) are dropped. A damaged file (cut short, a colour index
// outside the table, a run past the bitmap, a size beyond kMaxPictureSide) gives
// no picture at all. Before the pixels are allocated, a file must hold every row
// of an uncompressed picture and, when run-length encoded, two bytes for every 255
// pixels, so a small file cannot claim a huge picture.
//
// Written: 24-bit bottom-up with a 40-byte info header.

#include "core/document.h"
#include "formats/file_io.h"
#include "formats/picture_alpha.h"

#include <optional>
#include <string>

namespace korvex {

// True when the bytes start with "BM".
bool looksLikeBmp(ByteView data);

// With PictureAlpha::Kept the alpha mask's value is kept beside the straight colour
// (see picture_alpha.h); pixels of a file without one, and pixels a run-length
// stream skips, read as opaque.
std::optional<RgbPicture> decodeBmp(ByteView data, std::string* error = nullptr,
                                    PictureAlpha alpha = PictureAlpha::OverBlack);

// Empty for an empty picture.
Bytes encodeBmp(const RgbPicture& picture);

} // namespace korvex
