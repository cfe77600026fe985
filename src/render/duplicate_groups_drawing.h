#pragma once
// The list of duplicate glyph groups: one group after the other, each starting a
// new line and wrapping after kGroupLineGlyphs glyphs, every glyph drawn from
// CurrentFont at twice its size in the working colours and display mode.

#include "core/document.h"
#include "core/glyph_duplicates.h"
#include "render/canvas_sizes.h"

#include <QImage>
#include <vector>

namespace korvex {

constexpr int kGroupLineGlyphs = 24;
constexpr int kGroupGlyphPitch = 18; // 16 pixels of glyph and a gap
constexpr int kGroupLinePitch = 20;
constexpr int kGroupMargin = 4;

// Drawing size for the groups (at least one line high).
CanvasSize duplicateGroupsSize(const std::vector<GlyphGroup>& groups);

// Draws the groups on black; the group `selected` (an index into groups, or -1)
// gets a white frame.
void drawDuplicateGroups(const Document& doc, QImage& image, const std::vector<GlyphGroup>& groups,
                         int selected);

struct GroupPlace {
    int group = -1; // -1: no glyph there
    int index = -1; // position in the group
};

// The glyph drawn at (x, y), if any.
GroupPlace duplicateGroupAt(const std::vector<GlyphGroup>& groups, int x, int y);

} // namespace korvex
