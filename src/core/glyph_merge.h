#pragma once
// Merging glyphs that are drawn twice: every set cell and screen cell showing a
// later glyph of a group is rewritten to the group's first glyph (an inverse code
// stays inverse), and the later glyphs are cleared. Only glyphs whose bytes equal
// the first one's exactly are merged, so what the sets and screens show never
// changes. Cells holding codes outside 0..255 are left as they are.

#include "core/document.h"
#include "core/glyph_duplicates.h"

#include <cstdint>
#include <vector>

namespace korvex {

struct MergeCount {
    int64_t setCells = 0;    // set cells rewritten
    int64_t screenCells = 0; // screen cells rewritten
    int64_t glyphs = 0;      // glyphs merged into another and cleared

    int64_t cells() const { return setCells + screenCells; }
};

// The part of each group that can be merged: the first code and every code whose
// glyph in `font` equals it exactly. Groups left with fewer than two codes drop out,
// and a code already in an earlier group is not taken again.
std::vector<GlyphGroup> mergeableGroups(const Document& doc, int64_t font,
                                        const std::vector<GlyphGroup>& groups);

// What mergeGlyphGroups would change, without changing anything.
MergeCount countMergeChanges(const Document& doc, int64_t font,
                             const std::vector<GlyphGroup>& groups);

// Merges every group (as mergeableGroups cuts it) in font 1..10 in one step and
// says what changed; nothing changes when no group can be merged.
MergeCount mergeGlyphGroups(Document& doc, int64_t font, const std::vector<GlyphGroup>& groups);

} // namespace korvex
