#pragma once
// The picture file that "Export to image" saves: the font picture at a scale index
// 0..3, encoded as PNG or as BMP.

#include "core/document.h"
#include "formats/file_io.h"

namespace korvex {

enum class PictureFileKind { Png, Bmp };

Bytes fontPictureFileBytes(const Document& doc, int scaleIndex, PictureFileKind kind);

} // namespace korvex
