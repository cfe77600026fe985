#pragma once
// The figures of a picture conversion, as the converter prints them and the editor's
// window shows them, as text or as JSON. Both hold the same facts:
//
//   psnr: 31.42 dB               or "psnr: exact" when every Atari pixel matches
//   differing pixels: 1.2345%    share of Atari pixels unlike the colour-matched picture
//   font 1: rows 0-11, 128 glyphs    one line per font, top band first
//   merged cells: 42             cells shown with a glyph other than their own
//
// Every line ends in LF. The JSON form is one object on one line:
//   {"exact":false,"psnr_db":31.42,"differing_share":0.012345,"merged_cells":42,
//    "fonts":[{"font":1,"first_row":0,"last_row":11,"glyphs":128}]}
// where "psnr_db" is null for an exact result (its PSNR is infinite).

#include "core/picture_screen.h"

#include <string>

namespace korvex {

std::string pictureScreenReportText(const PictureScreen& converted);
std::string pictureScreenReportJson(const PictureScreen& converted);

} // namespace korvex
