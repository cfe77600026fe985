#include "core/screen_replace.h"

#include "core/screens.h"

namespace korvex {

void replaceScreen(Document& doc, int screen, const std::array<uint8_t, kScreenCells>& cells,
                   const RowTable& rows, const std::string& stepName) {
    if (screen < 0 || screen >= kScreenCount)
        return;
    HistoryStep step(doc, stepName);
    for (int row = 0; row < kScreenRows; ++row)
        for (int column = 0; column < kScreenColumns; ++column)
            setCell(doc, screen, column, row, cells[size_t(row * kScreenColumns + column)]);
    doc.rowTables[screen] = rows;
}

} // namespace korvex
