#pragma once
// One line of screen codes as the Atari shows it: on the background colour, in
// CurrentFont, the working colours and the display mode.

#include "core/document.h"
#include "render/canvas_sizes.h"

#include <QImage>
#include <vector>

namespace korvex {

// Characters in a preview line: one line of an Atari text screen.
constexpr int kTextPreviewLength = kScreenColumns;

// Drawing size of a line at magnification 1 (true size) or more.
CanvasSize textPreviewSize(int magnification);

// Fills the image with the background register and draws the codes side by side
// from the left; codes beyond kTextPreviewLength and codes outside 0..255 are not
// drawn.
void drawTextPreview(const Document& doc, QImage& image, const std::vector<int>& codes,
                     int magnification);

} // namespace korvex
