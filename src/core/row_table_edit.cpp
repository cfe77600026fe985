#include "core/row_table_edit.h"

#include <cstring>
#include <iterator>

namespace korvex {

namespace {

constexpr int kLastFont = kFontCount;

bool validScreen(int screen) {
    return screen >= 0 && screen < kScreenCount;
}

bool validPlace(int screen, int row) {
    return validScreen(screen) && row >= 0 && row < kRowTableRows;
}

// Replaces a screen's table in one history step, when it differs.
bool replaceTable(Document& doc, int screen, const RowTable& table, const char* stepName) {
    RowTable& target = doc.rowTables[screen];
    if (std::memcmp(&target, &table, sizeof table) == 0)
        return false;
    HistoryStep step(doc, stepName);
    target = table;
    return true;
}

} // namespace

bool setRowFont(Document& doc, int screen, int row, int font) {
    if (!validPlace(screen, row) || font < kRowFontFollow || font > kLastFont)
        return false;
    RowTable table = doc.rowTables[screen];
    table.font[row] = uint8_t(font);
    return replaceTable(doc, screen, table, "Row Font");
}

bool setRowMode(Document& doc, int screen, int row, RowMode mode) {
    if (!validPlace(screen, row) || !isRowMode(int(mode)))
        return false;
    RowTable table = doc.rowTables[screen];
    table.mode[row] = uint8_t(mode);
    return replaceTable(doc, screen, table, "Row Mode");
}

bool applyRowToAllRows(Document& doc, int screen, int row) {
    if (!validPlace(screen, row))
        return false;
    const RowTable& current = doc.rowTables[screen];
    RowTable table;
    std::memset(table.font, current.font[row], sizeof table.font);
    std::memset(table.mode, current.mode[row], sizeof table.mode);
    return replaceTable(doc, screen, table, "Row to All Rows");
}

bool copyRowTable(Document& doc, int from, int to) {
    if (!validScreen(from) || !validScreen(to))
        return false;
    return replaceTable(doc, to, doc.rowTables[from], "Copy Row Table");
}

bool setRowTable(Document& doc, int screen, const RowTable& table) {
    if (!validScreen(screen))
        return false;
    for (int row = 0; row < kRowTableRows; ++row)
        if (table.font[row] > kLastFont || !isRowMode(table.mode[row]))
            return false;
    return replaceTable(doc, screen, table, "Row Table");
}

int steppedRowFont(int font, int delta) {
    constexpr int kChoices = kLastFont + 1; // follow and the fonts
    const int place = font >= 1 && font <= kLastFont ? font : kRowFontFollow;
    return ((place + delta) % kChoices + kChoices) % kChoices;
}

RowMode steppedRowMode(RowMode mode, int delta) {
    static constexpr RowMode kCycle[] = {RowMode::Follow, RowMode::TwoColour, RowMode::FourColour,
                                         RowMode::FourColourTall};
    constexpr int kChoices = int(std::size(kCycle));
    int place = 0;
    for (int i = 0; i < kChoices; ++i)
        if (kCycle[i] == mode)
            place = i;
    return kCycle[((place + delta) % kChoices + kChoices) % kChoices];
}

} // namespace korvex
