#pragma once
// The only access to the View Editor's nine screens. Any screen, column or row is
// accepted: reads outside the screens give 0, writes outside them are dropped.

#include "core/document.h"

namespace korvex {

void setCell(Document& doc, int64_t screen, int64_t column, int64_t row, int64_t value);
uint8_t getCell(const Document& doc, int64_t screen, int64_t column, int64_t row);

} // namespace korvex
