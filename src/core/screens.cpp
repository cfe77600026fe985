#include "core/screens.h"

namespace korvex {

static bool inside(int64_t screen, int64_t column, int64_t row) {
    return screen >= 0 && screen < kScreenCount && column >= 0 && column < kScreenColumns &&
           row >= 0 && row < kScreenRows;
}

void setCell(Document& doc, int64_t screen, int64_t column, int64_t row, int64_t value) {
    if (inside(screen, column, row))
        doc.screens[screen * kScreenCells + row * kScreenColumns + column] = uint8_t(value & 0xFF);
}

uint8_t getCell(const Document& doc, int64_t screen, int64_t column, int64_t row) {
    if (!inside(screen, column, row))
        return 0;
    return doc.screens[screen * kScreenCells + row * kScreenColumns + column];
}

} // namespace korvex
