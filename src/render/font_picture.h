#pragma once
// The picture of the current font that "Export to image" saves: 256m x 64m pixels
// for scale m = 1..4, glyphs 0..127 in four rows of 32 at the top and their inverse
// forms in four rows below, in the current display mode and working colours.

#include "core/document.h"

#include <QImage>

namespace korvex {

// Scale m of a scale index 0..3 (anything else is clamped into that range).
int fontPictureScale(int scaleIndex);

// Fills the image black and draws the font into it (clipped to the image).
void drawFontPicture(const Document& doc, QImage& image, int scaleIndex);

// A 256m x 64m picture of the font.
RgbPicture fontPicture(const Document& doc, int scaleIndex);

} // namespace korvex
