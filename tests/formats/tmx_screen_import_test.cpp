// Maps into screens: codes and row fonts and modes from the tilesets Korvex writes,
// the recorded row table kept where the tiles agree with it, maps of other sizes,
// and the cells that cannot become screen cells.

#include "core/screen_replace.h"
#include "core/screens.h"
#include "formats/tmx_screen_import.h"
#include "test_document.h"
#include "tmx_samples.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace korvex;
using namespace korvex::test;

namespace {

// Three tilesets: font 1 mode 2 from id 1, font 3 mode 4 from 257, font 2 mode 5 from 513.
const std::string kTilesets = embedded(1, korvexTilesetXml(1, 2)) +
                              embedded(257, korvexTilesetXml(3, 4)) +
                              embedded(513, korvexTilesetXml(2, 5));

TmxMap mapOf(int width, int height, const std::vector<uint32_t>& cells,
             const std::string& properties = {}, const std::string& tilesets = kTilesets) {
    const TmxReadResult read =
        parseTmxMap(bytesOf(mapXml(width, height, tilesets, csvData(cells), properties)),
                    [](const std::string&) { return TmxFileRead{}; });
    EXPECT_TRUE(read.map) << read.error;
    return read.map ? *read.map : TmxMap{};
}

std::string property(const std::string& name, const std::string& value) {
    return "<property name=\"" + name + "\" value=\"" + value + "\"/>";
}

std::string rowList(std::vector<int> values) {
    values.resize(24, 0);
    std::string text;
    for (size_t i = 0; i < values.size(); ++i)
        text += (i ? "," : "") + std::to_string(values[i]);
    return text;
}

TEST(TmxScreenImport, TilesGiveCodesAndTheirTilesetGivesTheRow) {
    // Row 0 font 1 mode 2, row 1 font 3 mode 4, row 2 font 2 mode 5, the rest no tile.
    std::vector<uint32_t> cells(40 * 24, 0);
    for (int c = 0; c < 40; ++c) {
        cells[size_t(c)] = 1 + uint32_t(c * 6);          // codes 0, 6, .. 234
        cells[size_t(40 + c)] = 257 + 255 - uint32_t(c); // codes 255 .. 216
    }
    cells[80 + 7] = 513 + 130;
    const ScreenFromMapResult result = screenFromTmxMap(mapOf(40, 24, cells));
    ASSERT_TRUE(result.screen) << result.error;
    const ScreenFromMap& screen = *result.screen;
    for (int c = 0; c < 40; ++c) {
        EXPECT_EQ(screen.cells[size_t(c)], c * 6);
        EXPECT_EQ(screen.cells[size_t(40 + c)], 255 - c);
    }
    EXPECT_EQ(screen.cells[80 + 7], 130);
    EXPECT_EQ(screen.cells[80 + 6], 0);
    RowTable expected;
    expected.font[0] = 1, expected.mode[0] = 2;
    expected.font[1] = 3, expected.mode[1] = 4;
    expected.font[2] = 2, expected.mode[2] = 5;
    EXPECT_EQ(std::memcmp(&screen.rows, &expected, sizeof expected), 0);
    EXPECT_TRUE(screen.notes.empty());
}

TEST(TmxScreenImport, TheRecordedRowTableStaysWhereTheTilesAgree) {
    // Recorded: row 0 follows (font 3 mode 4 on export), row 1 font 3 follow mode,
    // row 2 font 1 mode 2, row 3 font 2 mode 5.
    const std::string recorded = property("korvex-row-fonts", rowList({0, 3, 1, 2})) +
                                 property("korvex-row-modes", rowList({0, 0, 2, 5})) +
                                 property("korvex-follow-font", "3") +
                                 property("korvex-follow-mode", "4");
    std::vector<uint32_t> cells(40 * 24, 0);
    cells[0] = 257 + 1;  // font 3 mode 4: as row 0 was
    cells[40] = 257 + 2; // font 3 mode 4: as row 1 was
    cells[80] = 257 + 3; // font 3 mode 4, where row 2 was font 1 mode 2
    // Row 3 without tiles keeps its entry; so do the rows below.
    const ScreenFromMapResult result = screenFromTmxMap(mapOf(40, 24, cells, recorded));
    ASSERT_TRUE(result.screen) << result.error;
    const RowTable& rows = result.screen->rows;
    EXPECT_EQ(rows.font[0], 0);
    EXPECT_EQ(rows.mode[0], 0);
    EXPECT_EQ(rows.font[1], 3);
    EXPECT_EQ(rows.mode[1], 0);
    EXPECT_EQ(rows.font[2], 3);
    EXPECT_EQ(rows.mode[2], 4);
    EXPECT_EQ(rows.font[3], 2);
    EXPECT_EQ(rows.mode[3], 5);

    // A damaged record counts as none: the tiles alone decide.
    const std::string damaged = property("korvex-row-fonts", rowList({0, 3}) + ",1") +
                                property("korvex-row-modes", rowList({})) +
                                property("korvex-follow-font", "3") +
                                property("korvex-follow-mode", "4");
    const ScreenFromMapResult plain = screenFromTmxMap(mapOf(40, 24, cells, damaged));
    ASSERT_TRUE(plain.screen);
    EXPECT_EQ(plain.screen->rows.font[0], 3);
    EXPECT_EQ(plain.screen->rows.mode[0], 4);
    EXPECT_EQ(plain.screen->rows.font[3], 0);
}

TEST(TmxScreenImport, OtherSizesTakeTheTopLeftOrLeaveTheRestEmpty) {
    // 45 x 30: cell (column, row) holds code (column + row) of font 1 mode 2, and a
    // flipped tile beyond the 40 x 24 taken, which is never looked at.
    std::vector<uint32_t> big(45 * 30);
    for (int r = 0; r < 30; ++r)
        for (int c = 0; c < 45; ++c)
            big[size_t(r * 45 + c)] = 1 + uint32_t(c + r);
    big[size_t(25 * 45 + 3)] |= 0x80000000u;
    const ScreenFromMapResult cut = screenFromTmxMap(mapOf(45, 30, big));
    ASSERT_TRUE(cut.screen) << cut.error;
    EXPECT_EQ(cut.screen->cells[0], 0);
    EXPECT_EQ(cut.screen->cells[23 * 40 + 39], 62);
    EXPECT_EQ(cut.screen->notes,
              std::vector<std::string>{"the map is 45 x 30 tiles; its top-left 40 x 24 are taken"});

    const ScreenFromMapResult wide = screenFromTmxMap(mapOf(41, 2, std::vector<uint32_t>(82, 5)));
    ASSERT_TRUE(wide.screen);
    EXPECT_EQ(wide.screen->notes[0], "the map is 41 x 2 tiles; its top-left 40 x 24 are taken "
                                     "(cells beyond it are left empty)");

    const ScreenFromMapResult small = screenFromTmxMap(mapOf(2, 2, {2, 3, 4, 5}));
    ASSERT_TRUE(small.screen);
    EXPECT_EQ(small.screen->cells[0], 1);
    EXPECT_EQ(small.screen->cells[1], 2);
    EXPECT_EQ(small.screen->cells[2], 0);
    EXPECT_EQ(small.screen->cells[40], 3);
    EXPECT_EQ(small.screen->cells[41], 4);
    EXPECT_EQ(small.screen->rows.font[2], 0);
    EXPECT_EQ(small.screen->notes,
              std::vector<std::string>{"the map is 2 x 2 tiles; the rest of the 40 x 24 screen "
                                       "is left empty"});
}

TEST(TmxScreenImport, CellsThatCannotBeScreenCellsAreNamed) {
    const std::string foreign = kTilesets + embedded(769, tilesetXml("bricks", 16));
    std::vector<uint32_t> cells(40 * 24, 1);
    const auto refusal = [&](size_t at, uint32_t gid) {
        std::vector<uint32_t> changed = cells;
        changed[at] = gid;
        return screenFromTmxMap(mapOf(40, 24, changed, {}, foreign)).error;
    };
    EXPECT_EQ(refusal(2 * 40 + 5, 0x80000001u),
              "the tile at row 2, column 5 is flipped or rotated; screen cells cannot be");
    EXPECT_EQ(refusal(0, 0x20000001u),
              "the tile at row 0, column 0 is flipped or rotated; screen cells cannot be");
    EXPECT_EQ(refusal(23 * 40 + 39, 770),
              "the tile at row 23, column 39 is of the tileset \"bricks\", which Korvex did not "
              "write; only tiles of the tilesets Korvex exports can become screen cells");
    EXPECT_EQ(refusal(7 * 40 + 9, 300),
              "the tile at row 7, column 9 is of font 3 mode 4, the tiles before it in its row of "
              "font 1 mode 2; a screen row shows one font in one mode");
    // A tileset with Korvex's properties out of range is another tileset.
    const std::string odd = embedded(1, korvexTilesetXml(11, 2));
    EXPECT_NE(screenFromTmxMap(mapOf(1, 1, {1}, {}, odd)).error.find("which Korvex did not write"),
              std::string::npos);
    // Without properties the name is enough.
    const std::string named = embedded(1, tilesetXml("Korvex font 7 mode 4", 256));
    const ScreenFromMapResult byName = screenFromTmxMap(mapOf(1, 1, {9}, {}, named));
    ASSERT_TRUE(byName.screen) << byName.error;
    EXPECT_EQ(byName.screen->rows.font[0], 7);
    EXPECT_EQ(byName.screen->cells[0], 8);
}

TEST(TmxScreenImport, TheImportIsOneUndoStep) {
    auto doc = freshDocument();
    setCell(*doc, 4, 0, 0, 77);
    std::array<uint8_t, kScreenCells> cells{};
    cells[1] = 5;
    cells[kScreenCells - 1] = 200;
    RowTable rows;
    rows.font[3] = 9;
    rows.mode[3] = 5;
    replaceScreen(*doc, 4, cells, rows, "Import from Tiled");
    EXPECT_EQ(getCell(*doc, 4, 0, 0), 0);
    EXPECT_EQ(getCell(*doc, 4, 1, 0), 5);
    EXPECT_EQ(getCell(*doc, 4, 39, 23), 200);
    EXPECT_EQ(doc->rowTables[4].font[3], 9);
    ASSERT_EQ(doc->history.undoCount(), 1u);
    EXPECT_EQ(doc->history.undoName(), "Import from Tiled");
    ASSERT_TRUE(doc->history.undo(*doc));
    EXPECT_EQ(getCell(*doc, 4, 0, 0), 77);
    EXPECT_EQ(getCell(*doc, 4, 39, 23), 0);
    EXPECT_EQ(doc->rowTables[4].font[3], 0);
    EXPECT_EQ(doc->rowTables[4].mode[3], 0);
    ASSERT_TRUE(doc->history.redo(*doc));
    EXPECT_EQ(doc->rowTables[4].mode[3], 5);
    ASSERT_TRUE(doc->history.undo(*doc));
    // A screen outside 0..8 changes nothing, and records nothing.
    replaceScreen(*doc, 9, cells, rows, "Import from Tiled");
    EXPECT_EQ(doc->history.undoCount(), 0u);
    EXPECT_EQ(doc->history.redoCount(), 1u);
}

} // namespace
