#pragma once
// The Atari view window's picture: the View Editor's current screen as the machine
// shows it (core/atari_view.h), rows that follow taking the editor's current font
// and two- or four-colour mode, every Atari pixel a zoom x zoom block. The
// scanlines past the most a display list shows (kMaxDisplayScanlines) are marked:
// the first of them is a dashed line, the others are tinted red. A screen
// of 240 scanlines or fewer is drawn exactly as drawAtariScreen draws it.

#include "core/document.h"
#include "core/glyph_places.h"

#include <QImage>
#include <QRect>
#include <QSize>
#include <vector>

namespace korvex {

constexpr int kAtariViewSmallestZoom = 1;
constexpr int kAtariViewLargestZoom = 4;

// The zoom taken into kAtariViewSmallestZoom..kAtariViewLargestZoom.
int atariViewZoom(int zoom);

// The picture's size for the current screen at `zoom`.
QSize atariViewSize(const Document& doc, int zoom);

// The whole picture into `image`, which has atariViewSize (pixels outside it are
// not drawn).
void drawAtariView(const Document& doc, QImage& image, int zoom);
// Only inside `area`, with exactly the pixels of the whole drawing.
void drawAtariView(const Document& doc, QImage& image, int zoom, const QRect& area);

// The cells of the picture that show `changed` (each row in its own font).
std::vector<QRect> atariViewAreasShowing(const Document& doc, int zoom, GlyphRef changed);

} // namespace korvex
