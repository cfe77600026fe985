#pragma once
// The picture of the current font that "Export to image" saves: 256m x 64m pixels
// for scale m = 1..4, glyphs 0..127 in four rows of 32 at the top and their inverse
// forms in four rows below, in the current display mode and working colours.
// Drawn straight into an RgbPicture, so the converter needs no toolkit for it.

#include "core/document.h"

namespace korvex {

// Scale m of a scale index 0..3 (anything else is clamped into that range).
int fontPictureScale(int scaleIndex);

// A 256m x 64m picture of the font; all black when CurrentFont is not 1..10.
RgbPicture fontPicture(const Document& doc, int scaleIndex);

} // namespace korvex
