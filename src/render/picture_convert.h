#pragma once
// RgbPicture <-> QImage, pixel for pixel.

#include "core/document.h"

#include <QImage>

namespace korvex {

// An RGB32 image of the picture; a null image for an empty or inconsistent one.
QImage toQImage(const RgbPicture& picture);

// The image's colours without alpha; empty for a null image.
RgbPicture fromQImage(const QImage& image);

} // namespace korvex
