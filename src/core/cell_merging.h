#pragma once
// Sharing and merging the cells of a colour-matched screen into fonts of 128 glyphs.
//
// Cells that are equal, or equal after the mode's free transformation (two-colour:
// the inverse of codes 128..255; four-colour: PF3 for PF2 in codes 128..255), share
// one glyph. Where a band of rows holds more distinct glyphs than a font has, cells
// are merged: every cell is shown with one of at most 128 glyphs, chosen for the
// least error. The error of showing a cell with a glyph is the blurred squared
// difference the screen error measures (picture_error.h), taken for the cell alone:
// with the 3 x 3 box blur B, |B d|^2 = d' K d for the cell's difference d, where K
// is the blur's autocorrelation (weights 1 2 3 2 1 over 9 each way), so the cost of
// every cell with every glyph comes from small tables.

#include "core/picture_cells.h"

#include <array>
#include <vector>

namespace korvex {

// The distinct cells of a screen ("items": a glyph and how it is shown) and the
// distinct glyphs they need ("keys").
struct CellCatalogue {
    int mode = kTwoColourMode;
    std::vector<ScreenCell> items; // two-colour: the lesser of a glyph and its inverse
    std::vector<int> itemKey;      // the key of each item
    std::vector<GlyphBits> keys;   // glyphs, in order of first use
    std::array<int, kScreenCellCount> cellItem{};
};

CellCatalogue catalogueCells(const CellScreen& target);

// True when the two cells show the same Atari pixels (colours by register).
bool sameCellPixels(int mode, const ScreenCell& a, const ScreenCell& b);

// The cost of showing every item with every key, and the better way to show it
// (plain or inverse code).
class MergeCosts {
public:
    MergeCosts(const CellCatalogue& catalogue, const ColourRegisters& colours);
    float cost(int item, int key) const { return cost_[index(item, key)]; }
    bool inverse(int item, int key) const { return inverse_[index(item, key)] != 0; }
    // The item's cheapest keys of the whole screen, cheapest first (ties to the
    // lower key): nearKeyCount() of them.
    const int* nearKeys(int item) const { return &near_[size_t(item) * nearCount_]; }
    size_t nearKeyCount() const { return nearCount_; }

private:
    size_t index(int item, int key) const { return size_t(item) * keyCount_ + size_t(key); }
    size_t keyCount_ = 0;
    size_t nearCount_ = 0;
    std::vector<float> cost_;
    std::vector<uint8_t> inverse_;
    std::vector<int> near_;
};

// A band of rows: which items it holds, how often, and the keys they need.
struct BandCells {
    std::vector<int> items;
    std::vector<float> weights;
    std::vector<int> keys;
};

BandCells bandCells(const CellCatalogue& catalogue, int firstRow, int endRow);

// The key each of the band's items is shown with (in the order of `band.items`) and
// the summed cost.
struct BandMerge {
    std::vector<int> itemKey;
    double cost = 0;
};

// At most `budget` keys for the band: the key whose loss costs least dropped, one
// at a time; with `refine`, then improved by moving each group's glyph to the key
// that serves the group best and regrouping, while that lowers the cost.
BandMerge mergeBand(const CellCatalogue& catalogue, const MergeCosts& costs, const BandCells& band,
                    int budget, bool refine);

} // namespace korvex
