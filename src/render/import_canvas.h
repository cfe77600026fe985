#pragma once
// The canvas of the image import window: the loaded picture at (0, 0) over black,
// and the pink import frame.

#include "core/document.h"

#include <QImage>

namespace korvex {

// Draws into an image of kImportCanvasWidth x kImportCanvasHeight (clipped to
// any other size); the frame only when `withFrame`.
void drawImportCanvas(const Document& doc, QImage& image, bool withFrame);

} // namespace korvex
