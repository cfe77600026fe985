#include "core/palette.h"

#include "core/font_codec.h"
#include "core/glyph_code.h"

namespace korvex {

namespace {

struct Rgb {
    uint8_t r, g, b;
};

// [hue][luminance column]; luminance 0, 2, ..., 14.
constexpr Rgb kAtariPalette[16][8] = {
    {{0, 0, 0},
     {37, 37, 37},
     {70, 70, 70},
     {107, 107, 107},
     {131, 131, 131},
     {168, 168, 168},
     {202, 202, 202},
     {238, 238, 238}},
    {{63, 0, 0},
     {99, 24, 0},
     {133, 58, 0},
     {169, 94, 6},
     {194, 119, 31},
     {231, 156, 68},
     {255, 189, 101},
     {255, 226, 138}},
    {{80, 0, 0},
     {117, 5, 0},
     {150, 39, 22},
     {187, 75, 59},
     {211, 100, 84},
     {248, 137, 120},
     {255, 170, 154},
     {255, 207, 191}},
    {{84, 0, 3},
     {121, 0, 39},
     {154, 27, 73},
     {191, 63, 109},
     {216, 88, 134},
     {252, 125, 171},
     {255, 158, 204},
     {255, 195, 241}},
    {{79, 0, 53},
     {116, 0, 89},
     {149, 20, 123},
     {186, 56, 159},
     {210, 81, 184},
     {247, 118, 221},
     {255, 151, 254},
     {255, 188, 255}},
    {{61, 0, 104},
     {97, 0, 141},
     {131, 19, 174},
     {167, 56, 211},
     {192, 80, 236},
     {229, 117, 255},
     {255, 150, 255},
     {255, 187, 255}},
    {{32, 0, 139},
     {69, 0, 175},
     {102, 27, 209},
     {139, 63, 246},
     {164, 88, 255},
     {200, 125, 255},
     {234, 158, 255},
     {255, 195, 255}},
    {{0, 0, 137},
     {2, 28, 173},
     {35, 61, 207},
     {72, 98, 243},
     {97, 123, 255},
     {133, 159, 255},
     {167, 193, 255},
     {203, 229, 255}},
    {{0, 12, 101},
     {0, 49, 137},
     {7, 83, 171},
     {44, 119, 207},
     {69, 144, 232},
     {105, 180, 255},
     {139, 214, 255},
     {176, 251, 255}},
    {{0, 31, 48},
     {0, 68, 84},
     {0, 102, 118},
     {27, 138, 154},
     {52, 163, 179},
     {88, 200, 216},
     {122, 233, 249},
     {158, 255, 255}},
    {{0, 43, 0},
     {0, 80, 34},
     {0, 113, 68},
     {23, 150, 104},
     {47, 175, 129},
     {84, 211, 165},
     {118, 245, 199},
     {154, 255, 236}},
    {{0, 51, 0},
     {0, 88, 0},
     {9, 121, 0},
     {46, 158, 2},
     {71, 183, 27},
     {107, 219, 64},
     {141, 253, 97},
     {178, 255, 134}},
    {{0, 43, 0},
     {4, 80, 0},
     {38, 114, 0},
     {74, 150, 0},
     {99, 175, 0},
     {136, 211, 29},
     {169, 245, 63},
     {206, 255, 99}},
    {{1, 28, 0},
     {38, 65, 0},
     {72, 99, 0},
     {108, 135, 0},
     {133, 160, 0},
     {170, 196, 18},
     {203, 230, 51},
     {240, 255, 88}},
    {{35, 9, 0},
     {72, 45, 0},
     {105, 79, 0},
     {142, 115, 0},
     {166, 140, 0},
     {203, 177, 31},
     {237, 210, 65},
     {255, 247, 101}},
    {{63, 0, 0},
     {99, 24, 0},
     {133, 58, 0},
     {169, 94, 6},
     {194, 119, 31},
     {231, 156, 68},
     {255, 189, 101},
     {255, 226, 138}},
};

constexpr int kCell = 16;     // label and grid cell size
constexpr int kGridEnd = 144; // last grid column (x); the last grid row is 272
constexpr int kGridBottom = 272;

// Font glyph of a hexadecimal digit: "0".."9" are glyphs 16..25, "A".."F" 33..38.
int digitGlyph(int digit) {
    return digit < 10 ? 16 + digit : 33 + (digit - 10);
}

void fill(RgbPicture& pic, int x0, int y0, int w, int h, uint32_t colour) {
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x)
            pic.pixels[size_t(y) * size_t(pic.width) + size_t(x)] = colour;
}

// Draws a digit in black, centred in the 16 x 16 cell whose top-left is (cx, cy).
void drawLabel(RgbPicture& pic, int cx, int cy, int digit) {
    const uint8_t* rows = defaultFontBytes() + 8 * digitGlyph(digit);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            if (rows[y] & (0x80 >> x))
                fill(pic, cx + 4 + x, cy + 4 + y, 1, 1, 0);
}

} // namespace

int64_t atariRgb(int value) {
    const int v = value & 0xFF;
    const Rgb& c = kAtariPalette[v >> 4][(v & 15) >> 1];
    return int64_t(c.r) + 256 * int64_t(c.g) + 65536 * int64_t(c.b);
}

int atariValueOfRgb(int64_t rgb) {
    const int r = int(rgb & 0xFF), g = int((rgb >> 8) & 0xFF), b = int((rgb >> 16) & 0xFF);
    int best = 0;
    int bestDistance = -1;
    for (int value = 0; value < 256; value += 2) {
        const Rgb& c = kAtariPalette[value >> 4][(value & 15) >> 1];
        const int dr = c.r - r, dg = c.g - g, db = c.b - b;
        const int distance = dr * dr + dg * dg + db * db;
        if (bestDistance < 0 || distance < bestDistance) {
            best = value;
            bestDistance = distance;
        }
    }
    return best;
}

RgbPicture renderPalettePicture() {
    RgbPicture pic;
    pic.width = kPalettePictureWidth;
    pic.height = kPalettePictureHeight;
    pic.pixels.assign(size_t(pic.width) * size_t(pic.height), kPaletteBackground);

    for (int x = kCell; x <= kGridEnd; x += kCell)
        fill(pic, x, kCell, 1, kGridBottom - kCell + 1, kPaletteGridLine);
    for (int y = kCell; y <= kGridBottom; y += kCell)
        fill(pic, kCell, y, kGridEnd - kCell + 1, 1, kPaletteGridLine);

    for (int h = 0; h < 16; ++h)
        for (int c = 0; c < 8; ++c)
            fill(pic, 17 + kCell * c, 17 + kCell * h, 15, 15, uint32_t(atariRgb(16 * h + 2 * c)));

    for (int c = 0; c < 8; ++c)
        drawLabel(pic, kCell * (c + 1), 0, 2 * c);
    for (int h = 0; h < 16; ++h)
        drawLabel(pic, 0, kCell * (h + 1), h);
    return pic;
}

PalettePointer palettePointerAt(int mx, int my) {
    if (mx < 0 || my < 0)
        return {};
    const int column = mx / kCell;
    const int row = my / kCell;
    if (column < 1 || column > 8 || row < 1 || row > 16)
        return {};
    return {true, 16 * (row - 1) + 2 * (column - 1)};
}

std::string paletteValueText(int value) {
    return std::to_string(value) + ", $" + hexDigits(uint64_t(value));
}

std::string palettePointerText(int value) {
    static const char digits[] = "0123456789ABCDEF";
    const int v = value & 0xFF;
    return std::to_string(value) + ", $" + digits[v >> 4] + digits[v & 15];
}

} // namespace korvex
