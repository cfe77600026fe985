#include "render/view_editor_drawing.h"

#include "core/atari_view.h"
#include "core/row_table.h"
#include "core/screens.h"
#include "render/canvas.h"
#include "render/glyph_drawing.h"

#include <algorithm>
#include <array>

namespace korvex {
namespace {

constexpr int64_t kBlack = 0x000000;
constexpr int64_t kGrey48 = 0x303030;
constexpr int64_t kWhite = 0xFFFFFF;

// How one row of a screen is drawn: its font, display mode and colours.
struct RowLook {
    int64_t font = 0;
    bool fourColour = false;
    std::array<int64_t, 7> colours{};
};

// Row 0..23 of `screen` as its row table says. A follow entry takes the current
// font and mode as they are, so that a table of follow entries draws exactly what
// the screen showed before it had one (nothing for a current font out of range).
RowLook rowLook(const Document& doc, int64_t screen, int row) {
    static const RowTable kFollowTable{};
    const RowTable& table =
        screen >= 0 && screen < kScreenCount ? doc.rowTables[screen] : kFollowTable;
    const ResolvedRow resolved = resolveRow(table, row, 1, doc.FourColourMode != 0);
    const int font = table.font[row];
    RowLook look;
    look.font = font >= 1 && font <= kFontCount ? font : doc.CurrentFont;
    look.fourColour = resolved.mode != RowMode::TwoColour;
    const auto colours = atariRowColours(doc, int(look.font));
    for (size_t r = 0; r < colours.size(); ++r)
        look.colours[r] = colours[r];
    return look;
}

// A screen cell, or a set cell of the preview, in the look of a row at (x, y).
void drawCell(const Document& doc, Canvas& canvas, const RowLook& look, int64_t code, int x, int y,
              int magnification) {
    drawGlyphDotsInMode(doc, canvas, look.font, look.colours.data(), code, look.fourColour, x, y,
                        magnification);
}

void drawRangeFrame(const Document& doc, Canvas& canvas) {
    const int x = doc.rangeX * 16, y = doc.rangeY * 16;
    const bool load = doc.rangeMode == RangeMode::Load;
    const int w = load ? 16 : doc.rangeWidth * 16;
    const int h = load ? 16 : doc.rangeHeight * 16;
    canvas.fillRect(x, y, w, 1, kWhite);
    canvas.fillRect(x, y, 1, h, kWhite);
    canvas.fillRect(x + w, y, 1, h, kWhite);
    canvas.fillRect(x, y + h, w, 1, kWhite);
}

} // namespace

QRect viewEditorCell(int cell) {
    return {16 * (cell % kScreenColumns), 16 * (cell / kScreenColumns), 16, 16};
}

void drawViewEditor(const Document& doc, QImage& image, int previewX, int previewY) {
    drawViewEditor(doc, image, previewX, previewY, image.rect());
}

void drawViewEditor(const Document& doc, QImage& image, int previewX, int previewY,
                    const QRect& area) {
    Canvas canvas(image, area);
    canvas.fillRect(0, 0, 640, 384, kBlack);
    for (int row = 0; row < kScreenRows; ++row) {
        if (!canvas.touches(0, row * 16, 640, 16))
            continue;
        const RowLook look = rowLook(doc, doc.currentScreen, row);
        for (int column = 0; column < kScreenColumns; ++column)
            if (canvas.touches(column * 16, row * 16, 16, 16))
                drawCell(doc, canvas, look, getCell(doc, doc.currentScreen, column, row),
                         column * 16, row * 16, 2);
    }

    // The set preview shows each of its cells as the row under it would show it
    // once stamped; a cell past the first or last row takes that row's look.
    if (previewX >= 0 && doc.CurrentSet >= 0 && doc.CurrentSet <= kSetCount) {
        const int16_t* cells = doc.Sets[doc.CurrentSet];
        for (int i = 0; i < 5; ++i) {
            const int y = previewY + i * 16;
            const int row = std::clamp(y / 16, 0, kScreenRows - 1);
            const RowLook look = rowLook(doc, doc.currentScreen, row);
            for (int j = 0; j < 5; ++j)
                if (cells[i * 5 + j] != -1 && canvas.touches(previewX + j * 16, y, 16, 16))
                    drawCell(doc, canvas, look, cells[i * 5 + j], previewX + j * 16, y, 2);
        }
    }

    if (doc.gridShown == 1) {
        for (int i = 1; i <= 24; ++i)
            canvas.fillRect(0, 16 * i, 960, 1, kGrey48);
        for (int i = 1; i <= 39; ++i)
            canvas.fillRect(16 * i, 0, 1, 640, kGrey48);
    }
    if (doc.rangeFrameShown == 1)
        drawRangeFrame(doc, canvas);
}

void drawViewAllScreens(const Document& doc, QImage& image) {
    Canvas canvas(image);
    canvas.fillRect(0, 0, 960, 576, kBlack);
    // Every row in its font, colours and mode; a double-height row keeps its
    // 8 lines here, so the sheet stays a grid of whole screens.
    for (int a = 0; a < 3; ++a)
        for (int b = 0; b < 3; ++b) {
            const int screen = 3 * a + b;
            for (int row = 0; row < kScreenRows; ++row) {
                const RowLook look = rowLook(doc, screen, row);
                for (int column = 0; column < kScreenColumns; ++column)
                    drawCell(doc, canvas, look, getCell(doc, screen, column, row),
                             b * 320 + column * 8, a * 192 + row * 8, 1);
            }
        }
}

} // namespace korvex
