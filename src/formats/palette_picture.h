#pragma once
// The palette picture the palette window shows, decoded from the PNG compiled into
// the program.

#include "core/document.h"

namespace korvex {

// 161 x 289 RGB picture; the PNG is decoded on the first call only.
RgbPicture palettePicture();

} // namespace korvex
