// Row tables in project files and recovery copies: written only when a screen has
// one, after every older line, read back exactly, bad values read as 0.
#include "core/screens.h"
#include "formats/file_io.h"
#include "formats/project_file.h"
#include "formats/project_lines.h"
#include "formats/recovery_copy.h"
#include "temp_dir.h"
#include "test_document.h"

#include <cstring>
#include <gtest/gtest.h>

using namespace korvex;

namespace {

void giveTables(Document& doc) {
    const uint8_t modes[] = {0, 2, 4, 5};
    for (int row = 0; row < kRowTableRows; ++row) {
        doc.rowTables[0].font[row] = uint8_t(row % 11);
        doc.rowTables[0].mode[row] = modes[row % 4];
        doc.rowTables[8].mode[row] = row == 23 ? 5 : 0; // only a mode set
    }
    doc.rowTables[4].font[12] = 10; // only a font set
}

bool sameTables(const Document& a, const Document& b) {
    return std::memcmp(a.rowTables, b.rowTables, sizeof a.rowTables) == 0;
}

std::string text(const std::vector<std::string>& lines) {
    return joinCrLf(lines);
}

std::vector<std::string> linesOf(const std::string& t) {
    return splitFileLines(ByteView(reinterpret_cast<const uint8_t*>(t.data()), t.size()));
}

TEST(ProjectRowTables, OnlyScreensWithATableGetLinesAfterEveryOtherLine) {
    auto plain = test::freshDocument();
    auto doc = test::freshDocument();
    giveTables(*doc);
    const auto before = writeProjectLines(*plain);
    const auto lines = writeProjectLines(*doc);
    ASSERT_EQ(before.size(), 153u);
    ASSERT_EQ(lines.size(), 153u + 6u);
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 153), before);
    EXPECT_EQ(lines[153], "VE_ROW_FONTS_0=0,1,2,3,4,5,6,7,8,9,10,0,1,2,3,4,5,6,7,8,9,10,0,1");
    EXPECT_EQ(lines[154], "VE_ROW_MODES_0=0,2,4,5,0,2,4,5,0,2,4,5,0,2,4,5,0,2,4,5,0,2,4,5");
    EXPECT_EQ(lines[155], "VE_ROW_FONTS_4=0,0,0,0,0,0,0,0,0,0,0,0,10,0,0,0,0,0,0,0,0,0,0,0");
    EXPECT_EQ(lines[156], "VE_ROW_MODES_4=0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0");
    EXPECT_EQ(lines[157].rfind("VE_ROW_FONTS_8=", 0), 0u);
    EXPECT_EQ(lines[158].rfind("VE_ROW_MODES_8=", 0), 0u);

    // A table set back to all follow entries writes today's file again.
    for (RowTable& table : doc->rowTables)
        table = RowTable{};
    EXPECT_EQ(text(writeProjectLines(*doc)), text(before));
}

TEST(ProjectRowTables, SaveLoadSaveIsByteIdentical) {
    test::TempDir dir;
    ASSERT_TRUE(dir.isValid());
    auto doc = test::freshDocument();
    giveTables(*doc);
    ASSERT_TRUE(saveProjectFile(*doc, dir.filePath("a.proj2")));
    auto loaded = test::freshDocument();
    ASSERT_TRUE(loadProjectFile(*loaded, dir.filePath("a.proj2")));
    EXPECT_TRUE(sameTables(*doc, *loaded));
    ASSERT_TRUE(saveProjectFile(*loaded, dir.filePath("b.proj2")));
    EXPECT_EQ(readFileBytes(dir.filePath("a.proj2")), readFileBytes(dir.filePath("b.proj2")));

    // Opening a project without tables over work with them leaves no table behind.
    auto plain = test::freshDocument();
    ASSERT_TRUE(saveProjectFile(*plain, dir.filePath("plain.proj2")));
    ASSERT_TRUE(loadProjectFile(*loaded, dir.filePath("plain.proj2")));
    for (const RowTable& table : loaded->rowTables)
        EXPECT_TRUE(isDefaultRowTable(table));
}

// The reading rules of a program that knows only the older keys: a key's value is
// on the first line starting with it, else the first line containing it.
std::string oldReaderValue(const std::vector<std::string>& lines, const std::string& key) {
    for (const std::string& line : lines)
        if (line.rfind(key, 0) == 0)
            return line.substr(key.size());
    for (const std::string& line : lines)
        if (line.find(key) != std::string::npos)
            return line.size() > key.size() ? line.substr(key.size()) : std::string();
    return "<none>";
}

TEST(ProjectRowTables, AReaderOfTheOlderKeysReadsTheSameValues) {
    auto doc = test::freshDocument();
    giveTables(*doc);
    for (int row = 0; row < kRowTableRows; ++row)
        doc->rowTables[3].font[row] = doc->rowTables[5].mode[row] = 5; // "5" everywhere
    const auto lines = writeProjectLines(*doc);
    const std::vector<std::string> older(lines.begin(), lines.begin() + 153);
    std::vector<std::string> keys = {
        "MULTI_V_F=", "VE_GRID=",   "VE_SETDRAW=", "VE_TOP=", "VE_RANTRYB=",
        "VE_XSTART=", "VE_YSTART=", "VE_W=",       "VE_H=",   "VER$="};
    for (int i = 1; i <= 10; ++i)
        for (const char* stem : {"FONT_NAME_", "FONT_COLOR_", "FONT_DATA_"})
            keys.push_back(stem + std::to_string(i) + "=");
    for (int s = 1; s <= 100; ++s)
        keys.push_back("SET_" + std::to_string(s) + "=");
    for (int n = 0; n < 9; ++n)
        keys.push_back("SCREEN_" + std::to_string(n) + "=");
    for (const std::string& key : keys) {
        EXPECT_EQ(oldReaderValue(lines, key), oldReaderValue(older, key)) << key;
        for (size_t l = 153; l < lines.size(); ++l)
            EXPECT_EQ(lines[l].find(key), std::string::npos) << key << " in " << lines[l];
    }
}

TEST(ProjectRowTables, BadValuesReadAsZeroForTheirRow) {
    auto doc = test::freshDocument();
    auto lines = writeProjectLines(*doc);
    lines.push_back("VE_ROW_FONTS_1=1,11,255,-1,x,2x,,$5, 4 ,10,0,1000,3"); // 13 fields
    lines.push_back("VE_ROW_MODES_1=2,3,1,6,4,5,0,junk,5,2,4,2,4,2,4,2,4,2,4,2,4,2,4,2,5,5"); // 26
    lines.push_back("VE_ROW_FONTS_2=");
    lines.push_back("VE_ROW_MODES_2=9999999999999999999999,4");
    readProjectLines(*doc, lines);
    const uint8_t fonts[24] = {1, 0, 0, 0, 0, 0, 0, 0, 4, 10, 0, 0, 3};
    const uint8_t modes[24] = {2, 0, 0, 0, 4, 5, 0, 0, 5, 2, 4, 2,
                               4, 2, 4, 2, 4, 2, 4, 2, 4, 2, 4, 2};
    EXPECT_EQ(std::memcmp(doc->rowTables[1].font, fonts, 24), 0);
    EXPECT_EQ(std::memcmp(doc->rowTables[1].mode, modes, 24), 0);
    EXPECT_EQ(doc->rowTables[2].mode[0], 0);
    EXPECT_EQ(doc->rowTables[2].mode[1], 4);
    EXPECT_TRUE(isDefaultRowTable(doc->rowTables[0]));

    // Whatever was read writes back as a valid table that reads back the same.
    auto again = test::freshDocument();
    readProjectLines(*again, linesOf(text(writeProjectLines(*doc))));
    EXPECT_TRUE(sameTables(*doc, *again));
}

TEST(ProjectRowTables, RecoveryCopiesKeepThem) {
    auto doc = test::freshDocument();
    giveTables(*doc);
    const RecoverySnapshot snapshot = takeRecoverySnapshot(*doc);
    const std::string copy = snapshot.text();
    auto restored = test::freshDocument();
    ASSERT_TRUE(readRecoveryCopy(
        *restored, ByteView(reinterpret_cast<const uint8_t*>(copy.data()), copy.size())));
    EXPECT_TRUE(sameTables(*doc, *restored));
}

} // namespace
