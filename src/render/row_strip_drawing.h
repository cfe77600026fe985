#pragma once
// The View Editor's row strip: beside each of the 24 canvas rows, one 16-pixel band
// with the row's font (column F) and mode (column M) as the current screen's row
// table holds them. Follow entries show "-"; a double-height (mode 5) row has its
// mode on an orange mark, since the canvas draws it at the height of the others.

#include "core/document.h"
#include "render/canvas_sizes.h"

#include <QImage>
#include <QString>
#include <optional>

namespace korvex {

constexpr int kRowStripBandHeight = 16; // as a canvas row
constexpr int kRowStripColumnWidth = kRowStripSize.width / 2;

enum class RowStripColumn { Font, Mode };

struct RowStripPlace {
    int row = 0; // 0..23
    RowStripColumn column = RowStripColumn::Font;
};

// The band and column at (x, y) of the strip's drawing, or none outside it.
std::optional<RowStripPlace> rowStripPlaceAt(int x, int y);

// What a band shows of a font (kRowFontFollow or 1..10) and a mode value.
QString rowFontText(int font);
QString rowModeText(int mode);

// The strip of the current screen (kRowStripSize), with row `currentRow` (0..23,
// or none when outside) highlighted.
void drawRowStrip(const Document& doc, QImage& image, int currentRow);

// The colours of the bands, for tests and for the window around the strip.
constexpr QRgb kRowStripBackground = 0xFFF0F0F0;
constexpr QRgb kRowStripCurrentRow = 0xFF1C3C8C;
constexpr QRgb kRowStripTallMark = 0xFFFFA830;
constexpr QRgb kRowStripLine = 0xFFB4B4B4;

} // namespace korvex
