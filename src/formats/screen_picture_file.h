#pragma once
// The picture "Export screen as image..." and screen-to-image save: a screen as
// the Atari view shows it (see core/atari_view.h), each pixel `scale` times wider
// and higher, encoded as PNG or BMP.

#include "core/document.h"
#include "formats/file_io.h"
#include "formats/font_picture_file.h"

namespace korvex {

constexpr int kLargestScreenPictureScale = 8;

// The picture with every pixel made a scale x scale block; scale outside
// 1..kLargestScreenPictureScale is taken as 1.
RgbPicture scaledPicture(const RgbPicture& picture, int scale);

// Empty for a screen outside 0..8 or a picture the encoder refuses.
Bytes screenPictureFileBytes(const Document& doc, int screen, int followFont, bool followFourColour,
                             int scale, PictureFileKind kind);

} // namespace korvex
