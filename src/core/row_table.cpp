#include "core/row_table.h"

namespace korvex {

namespace {
constexpr int kFirstFont = 1;
constexpr int kLastFont = 10;
} // namespace

bool isRowMode(int value) {
    return value == int(RowMode::Follow) || value == int(RowMode::TwoColour) ||
           value == int(RowMode::FourColour) || value == int(RowMode::FourColourTall);
}

bool isDefaultRowTable(const RowTable& table) {
    for (int row = 0; row < kRowTableRows; ++row)
        if (table.font[row] != kRowFontFollow || table.mode[row] != uint8_t(RowMode::Follow))
            return false;
    return true;
}

ResolvedRow resolveRow(const RowTable& table, int row, int currentFont, bool fourColour) {
    ResolvedRow resolved;
    resolved.font =
        currentFont >= kFirstFont && currentFont <= kLastFont ? currentFont : kFirstFont;
    resolved.mode = fourColour ? RowMode::FourColour : RowMode::TwoColour;
    if (row < 0 || row >= kRowTableRows)
        return resolved;
    const int font = table.font[row];
    if (font >= kFirstFont && font <= kLastFont)
        resolved.font = font;
    const int mode = table.mode[row];
    if (mode != int(RowMode::Follow) && isRowMode(mode))
        resolved.mode = RowMode(mode);
    return resolved;
}

} // namespace korvex
