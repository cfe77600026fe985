#pragma once
// The editor's whole working state: one Document shared by every window.
// Field names follow the program's own vocabulary (CurrentFont, CurrentSet, ...).
// Fonts (1..10), sets (1..100) and colour registers (1..6) count from 1; in the
// set and colour arrays index 0 exists and is unused. Glyphs, set cells and
// screens count from 0.

#include "core/history.h"
#include "core/row_table.h"

#include <array>
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
constexpr int kScreenCount = 9;
constexpr int kScreenColumns = 40;
constexpr int kScreenRows = 24;
constexpr int kScreenCells = kScreenColumns * kScreenRows;
static_assert(kRowTableRows == kScreenRows);

// A glyph as the eight bytes the Atari stores for it: row 0 first, the leftmost
// pixel of a row in bit 7.
using GlyphBytes = std::array<uint8_t, 8>;
static_assert(sizeof(GlyphBytes) == 8);

// Pixel (x, y) of a glyph, x 0..7 from the left and y 0..7 from the top: the
// planes view in which the tools paint and the renderers draw.
constexpr bool glyphPixel(const GlyphBytes& rows, int x, int y) {
    return (rows[size_t(y)] >> (7 - x)) & 1u;
}
inline void setGlyphPixel(GlyphBytes& rows, int x, int y, bool on) {
    const auto bit = uint8_t(0x80u >> x);
    rows[size_t(y)] = on ? uint8_t(rows[size_t(y)] | bit) : uint8_t(rows[size_t(y)] & ~bit);
}
// Four-colour value 0..3 of the pixel pair starting at even column x: the left
// pixel is the high bit.
constexpr int glyphPair(const GlyphBytes& rows, int x, int y) {
    return (rows[size_t(y)] >> (6 - x)) & 3;
}

// Colour register numbers.
enum Register : int { LUM = 1, BAK = 2, PF0 = 3, PF1 = 4, PF2 = 5, PF3 = 6 };

// How the set canvas shows a four-colour font: as glyphs, or as a mask over the
// next font.
enum class SetView : uint8_t { Normal = 1, Mask = 2 };

// What the View Editor's range rectangle is for: placing a loaded range block, or
// choosing the screen part to save or export.
enum class RangeMode : uint8_t { None, Load, Save };

struct HitArea {
    int64_t x = 0, y = 0, width = 0, height = 0, column = 0, row = 0;
};

// The rectangles of every clickable grid, indices 0 .. kHitAreaCount - 1 (see
// hit_areas.h for the ranges). The program's layout is fixed, so every document
// shares one copy of it, made on first use.
// Indices no grid uses, and those outside the table, give an empty rectangle at 0,0.
struct HitAreaTable {
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
    RowTable rowTables[kScreenCount] = {}; // each screen's fonts and modes by row
    uint8_t rangeFrameShown = 0;
    std::string exportKind; // "", "screen" or "range"
    int32_t viewEditorX = 0, viewEditorY = 0;
    RangeMode rangeMode = RangeMode::None;
    // A range mode number read from a project that means neither mode; written
    // back unchanged while the mode stays None.
    int32_t rangeModeOther = 0;
    uint8_t rangeX = 0, rangeY = 0, rangeWidth = 5, rangeHeight = 5;
};

struct Document : ViewEditorState {
    // The glyphs of fonts 1..10, font f at index f - 1; use fontGlyphs, pixel,
    // setPixel, or glyphBytes / setGlyphBytes (glyph_bytes.h), which check ranges.
    GlyphBytes Glyphs[kFontCount][kGlyphCount] = {};
    uint8_t FontBuffer[kFontBytes + 1] = {};
    std::string FontName[kFontCount + 1];
    std::string FontPath[kFontCount + 1];
    int16_t Sets[kSetCount + 1][kSetCells + 1] = {};
    int16_t SetClipboard[kSetCells + 1] = {};
    GlyphBytes GlyphClipboard = {};
    int64_t AtariColour[7] = {};
    int64_t FontColours[kFontCount + 1][7] = {};
    int64_t MultiViewFonts[6] = {};
    HitAreaTable HitAreas;

    int64_t CurrentFont = 1;
    int64_t CurrentGlyph = -1;
    int64_t PickedGlyph = 1;
    int64_t CurrentSetCell = 0;
    int64_t CurrentSet = 1;
    bool FourColourMode = false;
    int64_t LeftColour = LUM;
    int64_t RightColour = BAK;
    int64_t SavedLeftColour4 = PF0;
    int64_t SavedRightColour4 = BAK;
    int64_t ColourLUM = 0, ColourBAK = 0, ColourPF0 = 0, ColourPF1 = 0, ColourPF2 = 0,
            ColourPF3 = 0;
    bool SetPreviewGridOn = true;
    bool SetEditorGridOn = true;
    bool DrawOnSet = true;
    SetView SetViewMode = SetView::Normal;
    bool AnimRunning = false;
    int64_t AnimFirst = 0, AnimLast = 0;
    int64_t AnimFrame = 0;
    int64_t AnimTicksLeft = 0;
    int64_t SetsViewerFirst = 1;
    bool MarkUnusedGlyphs = false; // the font canvas marks glyphs no set or screen uses

    // Image import window state that outlives the window.
    int64_t importX = 0, importY = 0;
    RgbPicture importPicture;

    // Full path of the project last opened or saved.
    std::string projectPath;

    // Undo and redo of every change to the work.
    History history;

    // The 128 glyphs of font 1..10. Unchecked: the caller keeps to those fonts.
    GlyphBytes* fontGlyphs(int64_t font) { return Glyphs[font - 1]; }
    const GlyphBytes* fontGlyphs(int64_t font) const { return Glyphs[font - 1]; }
    // Pixel (x, y) of glyph 0..127 of font 1..10; unchecked like fontGlyphs.
    bool pixel(int64_t font, int glyph, int x, int y) const {
        return glyphPixel(fontGlyphs(font)[glyph], x, y);
    }
    void setPixel(int64_t font, int glyph, int x, int y, bool on) {
        setGlyphPixel(fontGlyphs(font)[glyph], x, y, on);
    }
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
