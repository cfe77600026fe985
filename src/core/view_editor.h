#pragma once
// Editing of the View Editor's screens: painting, stamping the current set,
// erasing and picking cells, whole-screen commands, the screen selector and the
// rule of the range dialog's number fields. Cells go through setCell/getCell, so
// any screen, column or row number is safe.

#include "core/document.h"

#include <optional>
#include <string>

namespace korvex {

struct ScreenPosition {
    int64_t column = 0;
    int64_t row = 0;
};

// The cell under canvas pixel (x, y), from hit areas 9000..9959. Edges are
// inclusive, so a point on the line between two cells belongs to the upper or
// left one.
std::optional<ScreenPosition> viewEditorCellAt(const Document& doc, int64_t x, int64_t y);

// Cell of the current screen = PickedGlyph.
void paintCell(Document& doc, int64_t column, int64_t row);
// The current set with its top-left entry at the cell: empty entries (-1) and
// entries past the right or bottom screen edge are skipped; each entry's low
// byte is stored.
void stampSet(Document& doc, int64_t column, int64_t row);
// Cell of the current screen = 0.
void eraseCell(Document& doc, int64_t column, int64_t row);
// PickedGlyph and CurrentGlyph = the cell's code.
void pickCell(Document& doc, int64_t column, int64_t row);

void clearScreen(Document& doc);     // current screen = 0
void fillScreen(Document& doc);      // current screen = PickedGlyph
void clearAllScreens(Document& doc); // all nine screens = 0

// currentScreen from the scroll bars: sheet column + 3 * sheet row.
void selectScreen(Document& doc, int column, int row);
// The scroll-bar positions that show currentScreen; a value past the last
// screen shows the last one.
int sheetColumnOf(const Document& doc);
int sheetRowOf(const Document& doc);

enum class ViewEditorMouseResult { None, Picked, Painted, Erased };

// A mouse event at canvas pixel (x, y) with the buttons held (1 left only,
// 2 right only, anything else nothing). Left with Control held (the caller's
// state) picks the cell; left otherwise drops the Control state and paints (or
// stamps the set when setDrawing is 1); right erases one cell.
ViewEditorMouseResult viewEditorMouse(Document& doc, int64_t x, int64_t y, int buttons,
                                      bool& controlDown);

// The range dialog's number fields hold unsigned bytes: the digits of `text`
// taken modulo 256 (empty gives 0), then capped at `maximum`.
int rangeFieldValue(const std::string& text, int maximum);

// Maxima of the fields: start X, start Y, width, height.
constexpr int kRangeXMax = kScreenColumns - 1;
constexpr int kRangeYMax = kScreenRows - 1;
constexpr int kRangeWidthMax = kScreenColumns;
constexpr int kRangeHeightMax = kScreenRows;

} // namespace korvex
