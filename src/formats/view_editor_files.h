#pragma once
// The View Editor's raw files: all nine screens (.ved2, 8640 bytes), one screen
// (.sved2, 960 bytes) and a range block (.ranb: width, height, then the cells row
// by row). None has a header; loaders take what the file holds and leave the rest.

#include "core/document.h"
#include "formats/file_io.h"

namespace korvex {

constexpr int kViewEditorDataBytes = kScreenCount * kScreenCells;

// A range block's width and height are signed bytes, so no block holds more than
// 127 x 127 cells after its two size bytes.
constexpr int kLargestRangeSide = 127;
constexpr size_t kLargestRangeBlockBytes = 2 + kLargestRangeSide * kLargestRangeSide;

// Screens 0..8 in order, each row by row.
Bytes viewEditorDataBytes(const Document& doc);
// Stores the first 8640 bytes; a shorter file leaves the remaining cells unchanged.
void loadViewEditorData(Document& doc, ByteView bytes);

// The current screen, 960 bytes.
Bytes screenDataBytes(const Document& doc);
// Stores the first 960 bytes into the current screen; a shorter file leaves the rest.
void loadScreenData(Document& doc, ByteView bytes);

// Width and height of the range clipped at the screen edges, then its cells.
// A range starting outside the screen is written as width 0, height 0, no cells.
Bytes rangeBlockBytes(const Document& doc);

// Places a block with its top-left cell at (rangeX, rangeY) of the current screen.
// Width and height are signed bytes: a negative one (128 or more) means no cells.
// Bytes missing at the end count as 0; cells beyond the screen edges are dropped.
void loadRangeBlock(Document& doc, ByteView bytes);

} // namespace korvex
