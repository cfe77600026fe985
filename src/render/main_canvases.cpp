#include "render/main_canvases.h"

#include "core/glyph_code.h"
#include "core/glyph_places.h"
#include "render/canvas_sizes.h"
#include "render/glyph_drawing.h"
#include "render/mask_drawing.h"
#include "render/unused_glyph_marks.h"

#include <cstring>

namespace korvex {
namespace {

constexpr int64_t kBlack = 0x000000;
constexpr int64_t kGrey48 = 0x303030;
constexpr int64_t kGrey64 = 0x404040;
constexpr int64_t kGrey80 = 0x505050;
constexpr int64_t kGrey112 = 0x707070;
constexpr int64_t kGrey170 = 0xAAAAAA;

constexpr int kSetRows = 5, kSetColumns = 5;

// Cells of a set, or nullptr for a set number outside the table.
const int16_t* setCells(const Document& doc, int64_t set) {
    if (set < 0 || set > kSetCount)
        return nullptr;
    return doc.Sets[set];
}

// A cell counts as holding a glyph only if its code is 0..255; anything else
// (the empty mark -1 or bad data from a file) is drawn as an empty cell.
bool holdsGlyph(int16_t cell) {
    return glyphOfCode(cell) >= 0;
}

bool maskView(const Document& doc) {
    return maskViewShown(doc);
}

// Whether glyphs of CurrentFont drawn without the Mask view cover their whole cell
// with opaque dots, so the background under them need not be drawn first.
bool glyphsCoverTheirCells(const Document& doc) {
    return doc.CurrentFont >= 1 && doc.CurrentFont <= kFontCount && !maskView(doc);
}

bool hasSize(const QImage& image, CanvasSize size) {
    return image.format() == QImage::Format_RGB32 && image.width() == size.width &&
           image.height() == size.height;
}

// The scanlines of an image, taken once so that writing them costs no check per row.
class Scanlines {
public:
    explicit Scanlines(QImage& image)
        : bits_(image.bits()), stride_(image.bytesPerLine()), width_(image.width()) {}
    int width() const { return width_; }
    QRgb* operator[](int y) const {
        return reinterpret_cast<QRgb*>(bits_ + qsizetype(y) * stride_);
    }
    void fill(int y, int64_t colour) const { fillPixels((*this)[y], width_, toQRgb(colour)); }
    // Copies a scanline's worth of pixels to scanlines y0 to y1, ends included.
    void copyTo(int y0, int y1, const QRgb* pixels) const {
        for (int y = y0; y <= y1; ++y)
            std::memcpy((*this)[y], pixels, size_t(width_) * sizeof(QRgb));
    }

private:
    uchar* bits_;
    qsizetype stride_;
    int width_;
};

// The font grid drawn whole a scanline at a time: the first scanline of each dot
// row is written dot by dot with the grid's columns, then copied. Gives the pixels
// of the step-by-step drawing for a valid CurrentFont at the canvas's own size.
bool drawWholeFontGrid(const Document& doc, QImage& image) {
    if (!hasSize(image, kFontCanvasSize) || doc.CurrentFont < 1 || doc.CurrentFont > kFontCount)
        return false;
    const Scanlines lines(image);
    const int width = image.width(), height = image.height();
    const auto colours = workingColours(doc);
    const bool fourColour = doc.FourColourMode != 0;
    constexpr int kCellStep = 17, kCellsPerRow = 32, kCellRows = 8, kDotSize = 2;
    const HalfRowPixels<kDotSize> halves[2] = {
        halfRowPixels<kDotSize>(colours.data(), false, fourColour),
        halfRowPixels<kDotSize>(colours.data(), true, fourColour)};
    uint64_t glyphRows[kGlyphCount];
    for (int glyph = 0; glyph < kGlyphCount; ++glyph)
        glyphRows[glyph] = glyphRowBits(doc.fontGlyphs(doc.CurrentFont)[glyph]);
    const QRgb black = toQRgb(kBlack), grey = toQRgb(kGrey48);
    for (int cellRow = 0; cellRow < kCellRows; ++cellRow) {
        const int top = kCellStep * cellRow;
        const int firstCode =
            cellRow < 4 ? kCellsPerRow * cellRow : 128 + kCellsPerRow * (cellRow - 4);
        for (int dotRow = 0; dotRow < 8; ++dotRow) {
            const int y = top + kDotSize * dotRow;
            // Composed apart from the image, so that the image is only written
            // whole scanlines at a time.
            QRgb line[kFontCanvasSize.width];
            for (int column = 0; column < kCellsPerRow; ++column) {
                const int code = firstCode + column, x = kCellStep * column;
                writeGlyphScanline(line + x, glyphRows[code & 127], dotRow, halves[code >= 128]);
                if (x + 16 < width)
                    line[x + 16] = black;
            }
            for (int column = 1; column < kCellsPerRow; ++column)
                line[kCellStep * column] = grey;
            const bool underLine = dotRow == 0 && cellRow > 0;
            if (underLine)
                lines.fill(y, kGrey48);
            lines.copyTo(underLine ? y + 1 : y, y + kDotSize - 1, line);
        }
        if (top + 16 < height) {
            QRgb* gap = lines[top + 16];
            lines.fill(top + 16, kBlack);
            for (int column = 1; column < kCellsPerRow; ++column)
                gap[kCellStep * column] = grey;
        }
    }
    if (doc.MarkUnusedGlyphs == 1)
        drawUnusedGlyphMarks(doc, image);
    return true;
}

// The set canvas's grid over a whole drawing: grey dots every ten pixels on every
// tenth scanline, then the lines between the cells over them.
void drawSetCanvasGrid(const Scanlines& lines) {
    constexpr int kCellSize = 80, kDotSpacing = 10;
    const int width = lines.width();
    for (int y = kDotSpacing; y < kSetCanvasSize.height; y += kDotSpacing)
        for (int x = 0; x < width; x += kDotSpacing)
            lines[y][x] = toQRgb(kGrey112);
    for (int y = 0; y < kSetCanvasSize.height; ++y) {
        if (y > 0 && y % kCellSize == 0) {
            lines.fill(y, kGrey64);
            continue;
        }
        for (int x = kCellSize; x < width; x += kCellSize)
            lines[y][x] = toQRgb(kGrey64);
    }
}

// The Mask view of the set canvas drawn whole, for a valid CurrentFont.
bool drawWholeMaskSetCanvas(const Document& doc, QImage& image) {
    if (!hasSize(image, kSetCanvasSize))
        return false;
    int16_t codes[kSetCells];
    const int16_t* cells = setCells(doc, doc.CurrentSet);
    for (int k = 0; k < kSetCells; ++k)
        codes[k] = cells ? cells[k] : int16_t(-1);
    constexpr int kDotWidth = 20, kDotHeight = 10;
    if (!drawMaskGlyphGrid(doc, image, codes, kSetColumns, kSetRows, kDotWidth, kDotHeight,
                           kGrey48))
        return false;
    if (doc.SetEditorGridOn == 1)
        drawSetCanvasGrid(Scanlines(image));
    return true;
}

// The set canvas drawn whole a scanline at a time, as the font grid: for a valid
// CurrentFont, where every cell is grey or a glyph.
bool drawWholeSetCanvas(const Document& doc, QImage& image) {
    if (maskView(doc))
        return drawWholeMaskSetCanvas(doc, image);
    if (!hasSize(image, kSetCanvasSize) || !glyphsCoverTheirCells(doc))
        return false;
    const Scanlines lines(image);
    const auto colours = workingColours(doc);
    const bool fourColour = doc.FourColourMode != 0;
    constexpr int kCellSize = 80, kDotSize = 10;
    const HalfRowPixels<kDotSize> halves[2] = {
        halfRowPixels<kDotSize>(colours.data(), false, fourColour),
        halfRowPixels<kDotSize>(colours.data(), true, fourColour)};
    const int16_t* cells = setCells(doc, doc.CurrentSet);
    uint64_t cellRows[kSetCells] = {};
    for (int k = 0; cells && k < kSetCells; ++k)
        if (holdsGlyph(cells[k]))
            cellRows[k] = glyphRowBits(doc.fontGlyphs(doc.CurrentFont)[cells[k] & 127]);
    for (int setRow = 0; setRow < kSetRows; ++setRow) {
        for (int dotRow = 0; dotRow < 8; ++dotRow) {
            const int y = kCellSize * setRow + kDotSize * dotRow;
            QRgb line[kSetCanvasSize.width];
            for (int setColumn = 0; setColumn < kSetColumns; ++setColumn) {
                const int k = kSetColumns * setRow + setColumn;
                const int16_t cell = cells ? cells[k] : -1;
                QRgb* out = line + kCellSize * setColumn;
                if (!holdsGlyph(cell)) {
                    fillPixels(out, kCellSize, toQRgb(kGrey48));
                    continue;
                }
                writeGlyphScanline(out, cellRows[k], dotRow, halves[cell >= 128]);
            }
            lines.copyTo(y, y + kDotSize - 1, line);
        }
    }
    if (doc.SetEditorGridOn == 1)
        drawSetCanvasGrid(lines);
    return true;
}

// The grey dots at the inner corners of the magnified editor's dots.
void drawEditorCornerDots(Canvas& canvas) {
    for (int i = 1; i <= 7; ++i)
        for (int j = 0; j <= 7; ++j)
            canvas.setPixel(30 * j, 30 * i, kGrey64);
}

QImage blankImage(CanvasSize size) {
    QImage image(size.width, size.height, QImage::Format_RGB32);
    image.fill(Qt::black);
    return image;
}

} // namespace

void drawFontGrid(const Document& doc, QImage& image) {
    if (!drawWholeFontGrid(doc, image))
        drawFontGrid(doc, image, image.rect());
}

void drawFontGrid(const Document& doc, QImage& image, const QRect& area) {
    Canvas canvas(image, area);
    if (doc.CurrentFont >= 1 && doc.CurrentFont <= kFontCount) {
        // Only the pixel lines between the cells show the background.
        for (int i = 0; i < 8; ++i)
            canvas.fillRect(0, 17 * i + 16, 570, 1, kBlack);
        for (int j = 0; j < 32; ++j)
            canvas.fillRect(17 * j + 16, 0, 1, 135, kBlack);
    } else {
        canvas.fillRect(0, 0, 570, 135, kBlack);
    }
    const auto colours = workingColours(doc);
    constexpr int kCellsPerRow = 32;
    for (int rowStart = 0; rowStart < 256; rowStart += kCellsPerRow) {
        // Cell rows outside the drawn area are passed over whole.
        if (!canvas.touches(0, fontGridCell(rowStart).y(), 570, 16))
            continue;
        for (int code = rowStart; code < rowStart + kCellsPerRow; ++code) {
            const QRect cell = fontGridCell(code);
            if (canvas.touches(cell.x(), cell.y(), cell.width(), cell.height()))
                drawGlyphDots(doc, canvas, doc.CurrentFont, colours.data(), code, cell.x(),
                              cell.y(), 2);
        }
    }
    for (int i = 1; i <= 7; ++i)
        canvas.fillRect(0, 17 * i, 570, 1, kGrey48);
    for (int j = 1; j <= 31; ++j)
        canvas.fillRect(17 * j, 0, 1, 140, kGrey48);
    if (doc.MarkUnusedGlyphs == 1)
        drawUnusedGlyphMarks(doc, image);
}

QRect fontGridCell(int64_t code) {
    const int n = int(code & 127), inverseRows = code >= 128 ? 68 : 0;
    return {17 * (n % 32), 17 * (n / 32) + inverseRows, 16, 16};
}

void drawGlyphEditor(const Document& doc, QImage& image) {
    if (maskView(doc) && hasSize(image, kEditorCanvasSize)) {
        const int16_t code[1] = {
            int16_t(glyphOfCode(doc.CurrentGlyph) >= 0 ? doc.CurrentGlyph : -1)};
        constexpr int kDotWidth = 60, kDotHeight = 30;
        if (drawMaskGlyphGrid(doc, image, code, 1, 1, kDotWidth, kDotHeight, kBlack)) {
            Canvas canvas(image);
            drawEditorCornerDots(canvas);
            return;
        }
    }
    drawGlyphEditor(doc, image, image.rect());
}

void drawGlyphEditor(const Document& doc, QImage& image, const QRect& area) {
    Canvas canvas(image, area);
    if (glyphOfCode(doc.CurrentGlyph) < 0 || !glyphsCoverTheirCells(doc))
        canvas.fillRect(0, 0, 240, 240, kBlack);
    if (glyphOfCode(doc.CurrentGlyph) >= 0) {
        if (maskView(doc)) {
            drawMaskGlyph(doc, canvas, doc.CurrentGlyph, 0, 0, 60, 30);
        } else {
            const auto colours = workingColours(doc);
            drawGlyphDots(doc, canvas, doc.CurrentFont, colours.data(), doc.CurrentGlyph, 0, 0, 30);
        }
    }
    drawEditorCornerDots(canvas);
}

void drawGlyphPreview(const Document& doc, QImage& image) {
    Canvas canvas(image);
    if (glyphOfCode(doc.PickedGlyph) < 0 || doc.CurrentFont < 1 || doc.CurrentFont > kFontCount)
        canvas.fillRect(0, 0, 64, 64, kBlack);
    const auto colours = workingColours(doc);
    drawGlyphDots(doc, canvas, doc.CurrentFont, colours.data(), doc.PickedGlyph, 0, 0, 8);
}

void drawLargeGlyph(const Document& doc, Canvas& canvas, int64_t code, int x, int y) {
    if (maskView(doc)) {
        drawMaskGlyph(doc, canvas, code, x, y, 20, 10);
        return;
    }
    const auto colours = workingColours(doc);
    drawGlyphDots(doc, canvas, doc.CurrentFont, colours.data(), code, x, y, 10);
}

QRect setCanvasCell(int cell) {
    // The crossed dots of the Mask view reach one pixel past the cell.
    return {80 * (cell % kSetColumns), 80 * (cell / kSetColumns), 81, 81};
}

void drawSetCanvas(const Document& doc, QImage& image) {
    if (!drawWholeSetCanvas(doc, image))
        drawSetCanvas(doc, image, image.rect());
}

void drawSetCanvas(const Document& doc, QImage& image, const QRect& area) {
    Canvas canvas(image, area);
    // Every cell is then either grey or a glyph.
    if (!glyphsCoverTheirCells(doc))
        canvas.fillRect(0, 0, 400, 400, kBlack);
    const int16_t* cells = setCells(doc, doc.CurrentSet);
    for (int k = 0; k < kSetCells; ++k) {
        const int x = 80 * (k % kSetColumns), y = 80 * (k / kSetColumns);
        if (!cells || !holdsGlyph(cells[k]))
            canvas.fillRect(x, y, 80, 80, kGrey48);
    }
    for (int k = 0; cells && k < kSetCells; ++k) {
        const QRect cell = setCanvasCell(k);
        if (holdsGlyph(cells[k]) && canvas.touches(cell.x(), cell.y(), cell.width(), cell.height()))
            drawLargeGlyph(doc, canvas, cells[k], cell.x(), cell.y());
    }
    if (doc.SetEditorGridOn != 1)
        return;
    for (int k = 1; k <= 39; ++k) {
        if (!canvas.touches(0, 10 * k, 400, 1))
            continue;
        for (int l = 0; l <= 39; ++l)
            if (canvas.touches(10 * l, 10 * k, 1, 1))
                canvas.setPixel(10 * l, 10 * k, kGrey112);
    }
    for (int k = 1; k <= 4; ++k) {
        canvas.fillRect(0, 80 * k, 400, 1, kGrey64);
        canvas.fillRect(80 * k, 0, 1, 400, kGrey64);
    }
}

QRect setPreviewCell(int cell) {
    return {16 * (cell % kSetColumns), 16 * (cell / kSetColumns), 16, 16};
}

void drawSetPreview(const Document& doc, QImage& image) {
    drawSetPreview(doc, image, image.rect());
}

void drawSetPreview(const Document& doc, QImage& image, const QRect& area) {
    Canvas canvas(image, area);
    canvas.fillRect(0, 0, 120, 120, kBlack);
    const int16_t* cells = setCells(doc, doc.CurrentSet);
    for (int k = 0; k < kSetCells; ++k) {
        const int column = k % kSetColumns, row = k / kSetColumns;
        if (!cells || !holdsGlyph(cells[k]))
            canvas.fillRect(16 * column, 16 * row, 16, 16, kGrey64);
    }
    for (int k = 0; cells && k < kSetCells; ++k) {
        const QRect cell = setPreviewCell(k);
        if (holdsGlyph(cells[k]) && canvas.touches(cell.x(), cell.y(), cell.width(), cell.height()))
            drawGlyph(doc, canvas, k % kSetColumns, k / kSetColumns, cells[k], 0, 0);
    }
    if (doc.SetPreviewGridOn != 1)
        return;
    for (int k = 1; k <= 4; ++k) {
        canvas.fillRect(0, 16 * k, 120, 1, kGrey80);
        canvas.fillRect(16 * k, 0, 1, 120, kGrey80);
    }
}

void drawCopyBuffer(const Document& doc, QImage& image) {
    Canvas canvas(image);
    canvas.fillRect(0, 0, 20, 20, kBlack);
    const auto colours = workingColours(doc);
    drawPlaneDots(canvas, doc.GlyphClipboard, false, doc.FourColourMode != 0, colours.data(), 0, 0,
                  2);
}

void drawAnimationFrame(const Document& doc, QImage& image, int64_t set) {
    Canvas canvas(image);
    canvas.fillRect(0, 0, 120, 120, kBlack);
    const int16_t* cells = setCells(doc, set);
    for (int k = 0; cells && k < kSetCells; ++k)
        if (holdsGlyph(cells[k]))
            drawGlyph(doc, canvas, k % kSetColumns, k / kSetColumns, cells[k], 0, 0);
}

QRect setsStripCell(int position, int cell) {
    return setPreviewCell(cell).translated(80 * position, 0);
}

void drawSetsStrip(const Document& doc, QImage& image) {
    drawSetsStrip(doc, image, image.rect());
}

void drawSetsStrip(const Document& doc, QImage& image, const QRect& area) {
    Canvas canvas(image, area);
    canvas.fillRect(0, 0, 800, 80, kGrey64);
    for (int i = 0; i < kSetsStripLength; ++i) {
        const int64_t set = doc.SetsViewerFirst + i;
        const int16_t* cells = set >= 1 ? setCells(doc, set) : nullptr;
        for (int k = 0; cells && k < kSetCells; ++k) {
            const QRect cell = setsStripCell(i, k);
            if (holdsGlyph(cells[k]) &&
                canvas.touches(cell.x(), cell.y(), cell.width(), cell.height()))
                drawGlyph(doc, canvas, k % kSetColumns, k / kSetColumns, cells[k], 80 * i, 0);
        }
    }
    for (int j = 1; j <= 9; ++j)
        canvas.fillRect(80 * j, 0, 1, 80, kGrey170);
}

void fillColourSwatch(QImage& image, int64_t colour) {
    Canvas canvas(image);
    canvas.fillRect(0, 0, 30, 20, colour);
}

MainCanvasImages makeMainCanvasImages() {
    MainCanvasImages images;
    images.font = blankImage(kFontCanvasSize);
    images.setPreview = blankImage(kSetPreviewCanvasSize);
    images.set = blankImage(kSetCanvasSize);
    images.editor = blankImage(kEditorCanvasSize);
    images.glyphPreview = blankImage(kGlyphPreviewCanvasSize);
    images.copyBuffer = blankImage(kCopyBufferCanvasSize);
    images.anim = blankImage(kAnimCanvasSize);
    for (QImage& swatch : images.swatch)
        swatch = blankImage(kSwatchSize);
    return images;
}

void renderMainCanvases(const Document& doc, MainCanvasImages& images) {
    drawFontGrid(doc, images.font);
    drawSetPreview(doc, images.setPreview);
    drawSetCanvas(doc, images.set);
    drawGlyphEditor(doc, images.editor);
    drawGlyphPreview(doc, images.glyphPreview);
    for (int r = LUM; r <= PF3; ++r)
        fillColourSwatch(images.swatch[r], workingColour(doc, r));
    drawCopyBuffer(doc, images.copyBuffer);
}

} // namespace korvex
