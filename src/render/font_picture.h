#pragma once
// The font picture of "Export to image" (formats/font_picture.h) shown in a QImage.

#include "core/document.h"
#include "formats/font_picture.h"

#include <QImage>

namespace korvex {

// Fills the image black and copies the font picture at the scale index into it
// (clipped to the image).
void drawFontPicture(const Document& doc, QImage& image, int scaleIndex);

} // namespace korvex
