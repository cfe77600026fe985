#include "core/view_editor.h"

#include "core/hit_areas.h"
#include "core/screens.h"

#include <algorithm>

namespace korvex {

namespace {

constexpr int64_t kLastViewEditorArea = kViewEditorAreas + kScreenCells - 1;
constexpr int kSetSide = 5;

// Entry k of the current set, or -1 when the set number is out of range.
int64_t currentSetEntry(const Document& doc, int k) {
    if (doc.CurrentSet < 1 || doc.CurrentSet > kSetCount)
        return -1;
    return doc.Sets[doc.CurrentSet][k];
}

void fillCurrentScreen(Document& doc, int64_t value) {
    for (int row = 0; row < kScreenRows; ++row)
        for (int column = 0; column < kScreenColumns; ++column)
            setCell(doc, doc.currentScreen, column, row, value);
}

} // namespace

std::optional<ScreenPosition> viewEditorCellAt(const Document& doc, int64_t x, int64_t y) {
    const int64_t area = findHitArea(doc, kViewEditorAreas, kLastViewEditorArea, x, y);
    if (area == -1)
        return std::nullopt;
    return ScreenPosition{doc.HitAreas[area].column, doc.HitAreas[area].row};
}

void paintCell(Document& doc, int64_t column, int64_t row) {
    setCell(doc, doc.currentScreen, column, row, doc.PickedGlyph);
}

void stampSet(Document& doc, int64_t column, int64_t row) {
    for (int i = 0; i < kSetSide; ++i)
        for (int j = 0; j < kSetSide; ++j) {
            const int64_t entry = currentSetEntry(doc, i * kSetSide + j);
            if (column + j < kScreenColumns && row + i < kScreenRows && entry != -1)
                setCell(doc, doc.currentScreen, column + j, row + i, entry & 0xFF);
        }
}

void eraseCell(Document& doc, int64_t column, int64_t row) {
    setCell(doc, doc.currentScreen, column, row, 0);
}

void pickCell(Document& doc, int64_t column, int64_t row) {
    const int64_t code = getCell(doc, doc.currentScreen, column, row);
    doc.PickedGlyph = code;
    doc.CurrentGlyph = code;
}

void clearScreen(Document& doc) {
    fillCurrentScreen(doc, 0);
}

void fillScreen(Document& doc) {
    fillCurrentScreen(doc, doc.PickedGlyph);
}

void clearAllScreens(Document& doc) {
    std::fill(std::begin(doc.screens), std::end(doc.screens), 0);
}

void selectScreen(Document& doc, int column, int row) {
    doc.currentScreen = uint8_t(column + 3 * row);
}

int sheetColumnOf(const Document& doc) {
    return std::min<int>(doc.currentScreen, 8) % 3;
}

int sheetRowOf(const Document& doc) {
    return std::min<int>(doc.currentScreen, 8) / 3;
}

ViewEditorMouseResult viewEditorMouse(Document& doc, int64_t x, int64_t y, int buttons,
                                      bool& controlDown) {
    const std::optional<ScreenPosition> cell = viewEditorCellAt(doc, x, y);
    if (buttons == 1) {
        if (controlDown && cell) {
            pickCell(doc, cell->column, cell->row);
            return ViewEditorMouseResult::Picked;
        }
        controlDown = false;
        if (!cell)
            return ViewEditorMouseResult::None;
        if (doc.setDrawing == 1)
            stampSet(doc, cell->column, cell->row);
        else
            paintCell(doc, cell->column, cell->row);
        return ViewEditorMouseResult::Painted;
    }
    if (buttons == 2 && cell) {
        eraseCell(doc, cell->column, cell->row);
        return ViewEditorMouseResult::Erased;
    }
    return ViewEditorMouseResult::None;
}

int rangeFieldValue(const std::string& text, int maximum) {
    int value = 0;
    for (char c : text)
        if (c >= '0' && c <= '9')
            value = (value * 10 + (c - '0')) % 256;
    return std::min(value, maximum);
}

} // namespace korvex
