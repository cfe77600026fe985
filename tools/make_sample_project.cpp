// Writes the sample project that tools/take_screenshots.sh opens for README's
// pictures: four fonts (the Atari font with a few drawn tiles, and bold, slanted and
// upside-down forms of it), tiles composed into sets, and a title screen in the View
// Editor whose rows show their own fonts, colours and modes. Build with `cmake --build build
// --target make_sample_project` and run
// `./build/make_sample_project doc/screenshots/sample.proj2`.
#include "core/document.h"
#include "core/font_codec.h"
#include "core/palette.h"
#include "core/row_table.h"
#include "core/screens.h"
#include "formats/project_file.h"

#include <array>
#include <cstdio>
#include <string>

using namespace korvex;

namespace {

using Rows = std::array<uint8_t, 8>;

// Glyph codes of the drawn tiles (they replace graphics characters of the Atari font).
enum Tile : int {
    Brick = 64,
    Grass,
    Water,
    TreeTopLeft,
    TreeTopRight,
    TreeFootLeft,
    TreeFootRight,
    RoofLeft,
    RoofRight,
    RoofTiles,
    Wall,
    Window,
    Door,
    Star,
    Heart,
    Cloud,
    Walker,
};
constexpr int kEmptyCell = -1;
constexpr int kInverse = 128;

const std::pair<Tile, Rows> kTiles[] = {
    {Brick, {0xFF, 0x10, 0x10, 0x10, 0xFF, 0x01, 0x01, 0x01}},
    {Grass, {0x00, 0x00, 0x44, 0xAA, 0x55, 0xFF, 0xFF, 0xFF}},
    {Water, {0x00, 0x66, 0x99, 0x00, 0x00, 0x33, 0xCC, 0x00}},
    {TreeTopLeft, {0x07, 0x1F, 0x3F, 0x7D, 0x7F, 0xFB, 0xFF, 0x7F}},
    {TreeTopRight, {0xE0, 0xF8, 0xDC, 0xFE, 0xBE, 0xFF, 0xF7, 0xFE}},
    {TreeFootLeft, {0x3F, 0x1F, 0x03, 0x01, 0x01, 0x01, 0x03, 0x07}},
    {TreeFootRight, {0xFC, 0xF8, 0xC0, 0x80, 0x80, 0x80, 0xC0, 0xE0}},
    {RoofLeft, {0x01, 0x03, 0x07, 0x0F, 0x1F, 0x3F, 0x7F, 0xFF}},
    {RoofRight, {0x80, 0xC0, 0xE0, 0xF0, 0xF8, 0xFC, 0xFE, 0xFF}},
    {RoofTiles, {0xFF, 0x55, 0xFF, 0xAA, 0xFF, 0x55, 0xFF, 0xAA}},
    {Wall, {0xFF, 0x88, 0x88, 0xFF, 0x22, 0x22, 0xFF, 0x88}},
    {Window, {0xFF, 0x81, 0xBD, 0xA5, 0xBD, 0xA5, 0x81, 0xFF}},
    {Door, {0x3C, 0x42, 0x42, 0x42, 0x4A, 0x42, 0x42, 0x42}},
    {Star, {0x10, 0x10, 0x7C, 0x38, 0x28, 0x44, 0x00, 0x00}},
    {Heart, {0x6C, 0xFE, 0xFE, 0xFE, 0x7C, 0x38, 0x10, 0x00}},
    {Cloud, {0x00, 0x1C, 0x3E, 0x7F, 0xFF, 0xFF, 0x7E, 0x00}},
    {Walker, {0x18, 0x18, 0x7E, 0x18, 0x18, 0x24, 0x42, 0x00}},
};

Rows glyphRows(const Document& doc, int font, int glyph) {
    Rows rows{};
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            if (doc.pixel(font, glyph, x, y))
                rows[y] |= uint8_t(0x80 >> x);
    return rows;
}

void setGlyphRows(Document& doc, int font, int glyph, const Rows& rows) {
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            doc.setPixel(font, glyph, x, y, (rows[y] & (0x80 >> x)) ? 1 : 0);
}

// Font `font` becomes font 1 with every glyph changed by `change`.
template <typename Change>
void deriveFont(Document& doc, int font, const char* name, Change change) {
    for (int g = 0; g < kGlyphCount; ++g)
        setGlyphRows(doc, font, g, change(glyphRows(doc, 1, g)));
    doc.FontName[font] = name;
}

// Screen code of a character as the Atari stores it on screen.
int screenCode(char c) {
    const int ascii = static_cast<unsigned char>(c);
    return ascii >= 32 && ascii < 96 ? ascii - 32 : ascii;
}

void writeText(Document& doc, int column, int row, const std::string& text, int offset = 0) {
    for (size_t i = 0; i < text.size(); ++i)
        setCell(doc, 0, column + int(i), row, screenCode(text[i]) + offset);
}

void placeSet(Document& doc, int set, int column, int row) {
    for (int c = 0; c < kSetCells; ++c)
        if (doc.Sets[set][c] != kEmptyCell)
            setCell(doc, 0, column + c % 5, row + c / 5, doc.Sets[set][c]);
}

void fillSet(Document& doc, int set, const std::array<int, kSetCells>& cells) {
    for (int c = 0; c < kSetCells; ++c)
        doc.Sets[set][c] = int16_t(cells[c]);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_sample_project OUT.proj2\n");
        return 2;
    }
    static Document doc;
    initDocument(doc);
    for (int s = 1; s <= kSetCount; ++s)
        for (int c = 0; c < kSetCells; ++c)
            doc.Sets[s][c] = kEmptyCell;

    for (const auto& [tile, rows] : kTiles)
        setGlyphRows(doc, 1, tile, rows);
    doc.FontName[1] = "Tiles.fnt";
    deriveFont(doc, 2, "Bold.fnt", [](Rows r) {
        for (uint8_t& row : r)
            row |= uint8_t(row >> 1);
        return r;
    });
    deriveFont(doc, 3, "Slanted.fnt", [](Rows r) {
        for (int y = 0; y < 3; ++y)
            r[y] = uint8_t(r[y] >> 1);
        for (int y = 5; y < 8; ++y)
            r[y] = uint8_t(r[y] << 1);
        return r;
    });
    deriveFont(doc, 4, "Upside down.fnt",
               [](Rows r) { return Rows{r[7], r[6], r[5], r[4], r[3], r[2], r[1], r[0]}; });
    const int64_t multiView[6] = {0, 0, 1, 2, 3, 10};
    for (int r = 0; r < 6; ++r)
        doc.MultiViewFonts[r] = multiView[r];

    // White on Atari blue, with warm playfield colours for the four-colour mode.
    const int atariValues[7] = {0, 0x0E, 0x94, 0x28, 0xC8, 0x46, 0x1C};
    for (int f = 1; f <= kFontCount; ++f)
        for (int r = 1; r <= 6; ++r)
            doc.FontColours[f][r] = atariRgb(atariValues[r]);
    // The bold and slanted fonts get colours of their own, which their rows show.
    const int boldValues[7] = {0, 0x1E, 0x32, 0x28, 0xC8, 0x46, 0x1C};
    const int slantedValues[7] = {0, 0xCC, 0x82, 0x28, 0xC8, 0x46, 0x1C};
    for (int r = 1; r <= 6; ++r) {
        doc.FontColours[2][r] = atariRgb(boldValues[r]);
        doc.FontColours[3][r] = atariRgb(slantedValues[r]);
    }
    loadFontColours(doc, 1);

    const int e = kEmptyCell;
    fillSet(doc, 1, {e,        RoofLeft,  RoofTiles, RoofRight, e,         //
                     RoofLeft, RoofTiles, RoofTiles, RoofTiles, RoofRight, //
                     e,        Window,    Wall,      Window,    e,         //
                     e,        Wall,      Door,      Wall,      e,         //
                     Grass,    Grass,     Grass,     Grass,     Grass});
    fillSet(doc, 2,
            {e,
             e,
             e,
             e,
             e, //
             e,
             TreeTopLeft,
             TreeTopRight,
             e,
             e, //
             e,
             TreeFootLeft,
             TreeFootRight,
             e,
             e, //
             e,
             e,
             e,
             e,
             e, //
             Grass,
             Grass,
             Grass,
             Grass,
             Grass});
    fillSet(doc, 3, {Brick, Brick, Brick, Brick, Brick, Brick, Brick, Brick, Brick,
                     Brick, Water, Water, Water, Water, Water, Water, Water, Water,
                     Water, Water, Water, Water, Water, Water, Water});
    fillSet(doc, 4, {e, Star, e, Star, e, Cloud, Cloud, e,     Heart, e,     e,     e,    Walker,
                     e, e,    e, e,    e, e,     e,     Grass, Grass, Grass, Grass, Grass});

    writeText(doc, 16, 1, "KORVEX 2", kInverse);
    writeText(doc, 10, 3, "FONTS FOR THE ATARI 8-BIT");
    for (int column : {3, 12, 27, 35})
        setCell(doc, 0, column, 6 + column % 3, Star);
    for (int column : {6, 7, 8, 22, 23, 31, 32, 33})
        setCell(doc, 0, column, 9 + (column > 20 ? 1 : 0), Cloud);
    for (int column = 0; column < kScreenColumns; column += 5)
        placeSet(doc, column % 15 == 5 ? 1 : 2, column, 14);
    setCell(doc, 0, 19, 16, Walker);
    setCell(doc, 0, 20, 15, Heart);
    for (int column = 0; column < kScreenColumns; ++column) {
        for (int row = 19; row < 21; ++row)
            setCell(doc, 0, column, row, Brick);
        for (int row = 21; row < kScreenRows; ++row)
            setCell(doc, 0, column, row, Water);
    }
    // The title in bold, the subtitle slanted, the wall in four colours and the
    // water in four colours at double height, as display-list interrupts would.
    RowTable& rows = doc.rowTables[0];
    rows.font[1] = 2;
    rows.font[3] = 3;
    for (int row = 19; row < kScreenRows; ++row) {
        rows.font[row] = 1;
        rows.mode[row] = uint8_t(row < 21 ? RowMode::FourColour : RowMode::FourColourTall);
    }
    doc.CurrentGlyph = TreeTopLeft;
    doc.PickedGlyph = TreeTopLeft;

    std::string error;
    if (!saveProjectFile(doc, argv[1], &error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    return 0;
}
