#pragma once
// The preview of a picture conversion: the converted screen as the Atari view
// (320 x 192), at one or two canvas pixels to the view's pixel, centred on a grey.

#include "core/picture_error.h"
#include "core/picture_screen.h"

#include <QImage>

namespace korvex {

constexpr int kPreviewScale = 2; // the larger of the two sizes
constexpr int kPreviewWidth = kViewWidth * kPreviewScale;
constexpr int kPreviewHeight = kViewHeight * kPreviewScale;
constexpr uint32_t kPreviewSurround = 0x808080;

// Draws `converted` (nothing but the grey when null) into `canvas`, at twice the
// size when `doubled`.
void drawPictureScreenPreview(QImage& canvas, const PictureScreen* converted, bool doubled);

} // namespace korvex
