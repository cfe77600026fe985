#pragma once
// The editor's whole working state: one Document shared by every window.
// Field names follow the program's own vocabulary (FontPixels, CurrentFont, ...).
// Fonts (1..10), sets (1..100) and colour registers (1..6) count from 1; index 0
// of those dimensions exists and is unused. Glyphs, set cells and screens count from 0.

#include "core/history.h"

#include <cstdint>
#include <string>
#include <vector>

namespace korvex {

constexpr int kFontCount = 10;
constexpr int kSetCount = 100;
constexpr int kGlyphCount = 128;
constexpr int kSetCells = 25;
constexpr int kFontBytes = 1024;
constexpr int kHitAreaCount = 12001;
constexpr int kHistoryEntries = 65;
constexpr int kHistoryMax = 63;
constexpr int kScreenCount = 9;
constexpr int kScreenColumns = 40;
constexpr int kScreenRows = 24;
constexpr int kScreenCells = kScreenColumns * kScreenRows;

// Colour register numbers.
enum Register : int { LUM = 1, BAK = 2, PF0 = 3, PF1 = 4, PF2 = 5, PF3 = 6 };

constexpr int32_t rangeModeLoad = 5129;
constexpr int32_t rangeModeSave = 5130;

struct HitArea {
    int64_t x = 0, y = 0, width = 0, height = 0, column = 0, row = 0;
};

// The rectangles of every clickable grid, indices 0 .. kHitAreaCount - 1 (see
// hit_areas.h for the ranges). The program's layout is fixed, so every document
// shares one copy of it, made on first use; a document takes a copy of its own
// into `moved` only when setHitArea moves a rectangle.
// Indices no grid uses, and those outside the table, give an empty rectangle at 0,0.
struct HitAreaTable {
    std::vector<HitArea> moved; // empty: the fixed layout
    HitArea operator[](int64_t index) const;
};

// A picture as 24-bit RGB values packed red + 256 * green + 65536 * blue, row-major.
struct RgbPicture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
    bool empty() const { return width <= 0 || height <= 0; }
    uint32_t at(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
};

// The View Editor's record: screens, switches and the range rectangle.
struct ViewEditorState {
    uint8_t gridShown = 0;
    uint8_t alwaysOnTop = 0;
    uint8_t setDrawing = 0;
    uint8_t screens[kScreenCount * kScreenCells] = {}; // use setCell / getCell
    uint8_t currentScreen = 0;
    uint8_t rangeFrameShown = 0;
    std::string exportKind; // "", "screen" or "range"
    int32_t viewEditorX = 0, viewEditorY = 0;
    int32_t rangeMode = 0;
    uint8_t rangeX = 0, rangeY = 0, rangeWidth = 5, rangeHeight = 5;
};

struct Document : ViewEditorState {
    // [font][glyph][column x][row y]; 1 = set pixel.
    uint8_t FontPixels[kFontCount + 1][257][9][9] = {};
    uint8_t FontBuffer[kFontBytes + 1] = {};
    std::string FontName[kFontCount + 1];
    std::string FontPath[kFontCount + 1];
    int16_t Sets[kSetCount + 1][kSetCells + 1] = {};
    int16_t SetClipboard[kSetCells + 1] = {};
    uint8_t GlyphClipboard[9][9] = {};
    int64_t EditHistory[kHistoryEntries][9][9] = {};
    int64_t AtariColour[7] = {};
    int64_t FontColours[kFontCount + 1][7] = {};
    int64_t MultiViewFonts[6] = {};
    HitAreaTable HitAreas;

    int64_t CurrentFont = 1;
    int64_t CurrentGlyph = -1;
    int64_t PickedGlyph = 1;
    int64_t CurrentSetCell = 0;
    int64_t CurrentSet = 1;
    int64_t FourColourMode = 0;
    int64_t LeftColour = LUM;
    int64_t RightColour = BAK;
    int64_t SavedLeftColour4 = PF0;
    int64_t SavedRightColour4 = BAK;
    int64_t ColourLUM = 0, ColourBAK = 0, ColourPF0 = 0, ColourPF1 = 0, ColourPF2 = 0,
            ColourPF3 = 0;
    int64_t SetPreviewGridOn = 1;
    int64_t SetEditorGridOn = 1;
    int64_t DrawOnSet = 1;
    int64_t SetViewMode = 1; // 1 Normal, 2 Mask
    int64_t AnimRunning = 0;
    int64_t AnimFirst = 0, AnimLast = 0;
    int64_t AnimFrame = 0;
    int64_t AnimTicksLeft = 0;
    int64_t HistoryCount = 0;
    int64_t SetsViewerFirst = 1;
    int64_t MarkUnusedGlyphs = 0; // 1: the font canvas marks glyphs no set or screen uses

    // Image import window state that outlives the window.
    int64_t importX = 0, importY = 0;
    RgbPicture importPicture;

    // Full path of the project last opened or saved.
    std::string projectPath;

    // Undo and redo of every change to the work.
    History history;
};

// The data steps of start-up, in the order the program runs them around the
// opening of the main window:
// setStartValues: CurrentGlyph -1, working and per-font colours, font names,
//   Multi Font View rows, range size;
// prepareFontsAndSets: empty sets, the default font into font 1;
// setStartRegisterValues: the Atari values of the six registers.
void setStartValues(Document& doc);
void prepareFontsAndSets(Document& doc);
void setStartRegisterValues(Document& doc);

// All of the above in order, then CurrentGlyph = 1: a document as the program has
// it after start-up.
void initDocument(Document& doc);

// Working colour of register 1..6 (ColourLUM .. ColourPF3); register 0 or out of
// range falls back to ColourBAK so a bad number never reaches memory.
int64_t& workingColour(Document& doc, int64_t reg);
int64_t workingColour(const Document& doc, int64_t reg);

// FontColours[font][1..6] = working colours, and back.
void storeFontColours(Document& doc);
void loadFontColours(Document& doc, int64_t font);

} // namespace korvex
