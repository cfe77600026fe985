#pragma once
// The areas of each canvas that show one glyph, where a change to that glyph has
// to be redrawn: in the main window's canvases only the dots that show the
// changed pixels, in the other windows whole cells. Each area is to be redrawn with the canvas's
// drawing function for an area, which gives there exactly the pixels of a whole redraw.

#include "core/document.h"
#include "core/glyph_places.h"

#include <QRect>
#include <vector>

namespace korvex {

std::vector<QRect> fontGridAreasShowing(const Document& doc, GlyphRef changed);
std::vector<QRect> setCanvasAreasShowing(const Document& doc, GlyphRef changed);
std::vector<QRect> setPreviewAreasShowing(const Document& doc, GlyphRef changed);
std::vector<QRect> setsStripAreasShowing(const Document& doc, GlyphRef changed);
std::vector<QRect> multiFontViewAreasShowing(const Document& doc, GlyphRef changed);
// The current screen of the View Editor, without the set preview.
std::vector<QRect> viewEditorAreasShowing(const Document& doc, GlyphRef changed);

// Whether the magnified editor (CurrentGlyph) or the glyph preview (PickedGlyph)
// shows the glyph; the preview is redrawn whole, the editor where it shows the
// changed pixels.
bool glyphEditorShows(const Document& doc, GlyphRef changed);
std::vector<QRect> glyphEditorAreasShowing(const Document& doc, GlyphRef changed);
bool glyphPreviewShows(const Document& doc, GlyphRef changed);

// Many areas (a screen full of one glyph) cost more to redraw one by one than
// together: past kMostAreas they become the one rectangle that holds them all.
constexpr size_t kMostAreas = 32;
std::vector<QRect> fewAreas(std::vector<QRect> areas);

} // namespace korvex
