#include "render/view_editor_drawing.h"

#include "core/screens.h"
#include "render/canvas.h"
#include "render/glyph_drawing.h"

namespace korvex {
namespace {

constexpr int64_t kBlack = 0x000000;
constexpr int64_t kGrey48 = 0x303030;
constexpr int64_t kWhite = 0xFFFFFF;

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
    const auto colours = workingColours(doc);
    for (int row = 0; row < kScreenRows; ++row)
        for (int column = 0; column < kScreenColumns; ++column)
            if (canvas.touches(column * 16, row * 16, 16, 16))
                drawGlyphDots(doc, canvas, doc.CurrentFont, colours.data(),
                              getCell(doc, doc.currentScreen, column, row), column * 16, row * 16,
                              2);

    if (previewX >= 0 && doc.CurrentSet >= 0 && doc.CurrentSet <= kSetCount) {
        const int16_t* cells = doc.Sets[doc.CurrentSet];
        for (int i = 0; i < 5; ++i)
            for (int j = 0; j < 5; ++j)
                if (cells[i * 5 + j] != -1 &&
                    canvas.touches(previewX + j * 16, previewY + i * 16, 16, 16))
                    drawGlyphDots(doc, canvas, doc.CurrentFont, colours.data(), cells[i * 5 + j],
                                  previewX + j * 16, previewY + i * 16, 2);
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
    const auto colours = workingColours(doc);
    for (int a = 0; a < 3; ++a)
        for (int b = 0; b < 3; ++b) {
            const int screen = 3 * a + b;
            for (int row = 0; row < kScreenRows; ++row)
                for (int column = 0; column < kScreenColumns; ++column)
                    drawGlyphDots(doc, canvas, doc.CurrentFont, colours.data(),
                                  getCell(doc, screen, column, row), b * 320 + column * 8,
                                  a * 192 + row * 8, 1);
        }
}

} // namespace korvex
