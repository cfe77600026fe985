#pragma once
// PNG pictures through libpng. Every colour type and bit depth is read and turned
// into 8-bit RGB; 16-bit samples are scaled to 8 bits. Transparency (an alpha
// channel or a tRNS chunk) is composited over black, the colour of the canvases a
// picture is shown on, so a transparent pixel reads as black. No gamma correction
// is applied: the stored sample values are the colours.
// Pictures wider or taller than kMaxPictureSide are refused before any pixel
// memory is allocated.

#include "core/document.h"
#include "formats/file_io.h"
#include "formats/picture_alpha.h"

#include <optional>
#include <string>

namespace korvex {

constexpr int kMaxPictureSide = 16384;

// True when the bytes start with the eight-byte PNG signature.
bool looksLikePng(ByteView data);

// The picture, or nothing for a damaged, truncated or oversized file (`error`,
// when given, then receives a short reason). With PictureAlpha::Kept the
// transparency is kept instead of composited (see picture_alpha.h).
std::optional<RgbPicture> decodePng(ByteView data, std::string* error = nullptr,
                                    PictureAlpha alpha = PictureAlpha::OverBlack);

// An 8-bit RGB, non-interlaced PNG file; empty for an empty picture or when
// encoding fails.
Bytes encodePng(const RgbPicture& picture);

} // namespace korvex
