#include "core/font_codec.h"
#include "core/screens.h"
#include "formats/project_file.h"
#include "formats/text_number.h"
#include "temp_dir.h"
#include "test_document.h"

#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace korvex;

namespace {

// A document in which every field a project holds differs from the start values,
// and so do the fields it does not hold.
std::unique_ptr<Document> changedDocument() {
    auto doc = test::freshDocument();
    for (int r = 1; r <= 5; ++r)
        doc->MultiViewFonts[r] = 11 - r;
    doc->gridShown = 1;
    doc->setDrawing = 1;
    doc->alwaysOnTop = 1;
    doc->rangeMode = RangeMode::Save;
    doc->rangeX = 3;
    doc->rangeY = 7;
    doc->rangeWidth = 12;
    doc->rangeHeight = 200;
    for (int f = 1; f <= kFontCount; ++f) {
        doc->FontName[f] = "font number " + std::to_string(f) + " .fnt";
        for (int r = 1; r <= 6; ++r)
            doc->FontColours[f][r] = (f * 0x10101 + r * 0x30507) & 0xFFFFFF;
        for (int g = 0; g < kGlyphCount; ++g)
            for (int x = 0; x < 8; ++x)
                for (int y = 0; y < 8; ++y)
                    doc->setPixel(f, g, x, y, ((f + g + 3 * x + y) % 5) == 0);
    }
    for (int s = 1; s <= kSetCount; ++s)
        for (int c = 0; c < kSetCells; ++c)
            doc->Sets[s][c] = int16_t((s * 31 + c * 7) % 300 - 1);
    for (int n = 0; n < kScreenCount; ++n)
        for (int row = 0; row < kScreenRows; ++row)
            for (int col = 0; col < kScreenColumns; ++col)
                setCell(*doc, n, col, row, n * 17 + row * 3 + col);
    // State a project does not carry.
    doc->FontPath[2] = "/somewhere/two.fnt";
    doc->AtariColour[PF0] = 99;
    doc->CurrentFont = 4;
    doc->CurrentSet = 9;
    doc->CurrentGlyph = 77;
    doc->ColourPF1 = 0x123456;
    return doc;
}

void expectSameProjectState(const Document& a, const Document& b) {
    for (int r = 1; r <= 5; ++r)
        EXPECT_EQ(a.MultiViewFonts[r], b.MultiViewFonts[r]) << "row " << r;
    EXPECT_EQ(a.gridShown, b.gridShown);
    EXPECT_EQ(a.setDrawing, b.setDrawing);
    EXPECT_EQ(a.alwaysOnTop, b.alwaysOnTop);
    EXPECT_EQ(a.rangeMode, b.rangeMode);
    EXPECT_EQ(a.rangeModeOther, b.rangeModeOther);
    EXPECT_EQ(a.rangeX, b.rangeX);
    EXPECT_EQ(a.rangeY, b.rangeY);
    EXPECT_EQ(a.rangeWidth, b.rangeWidth);
    EXPECT_EQ(a.rangeHeight, b.rangeHeight);
    for (int f = 1; f <= kFontCount; ++f) {
        EXPECT_EQ(a.FontName[f], b.FontName[f]);
        for (int r = 1; r <= 6; ++r)
            EXPECT_EQ(a.FontColours[f][r], b.FontColours[f][r]) << "font " << f << " reg " << r;
        for (int g = 0; g < kGlyphCount; ++g)
            EXPECT_EQ(std::memcmp(a.fontGlyphs(f)[g].data(), b.fontGlyphs(f)[g].data(),
                                  sizeof a.fontGlyphs(f)[g]),
                      0)
                << "font " << f << " glyph " << g;
    }
    EXPECT_EQ(std::memcmp(a.Sets, b.Sets, sizeof a.Sets), 0);
    EXPECT_EQ(std::memcmp(a.screens, b.screens, sizeof a.screens), 0);
}

std::vector<std::string> freshLines() {
    auto doc = test::freshDocument();
    return writeProjectLines(*doc);
}

// Replaces the line that starts with `key`.
void replaceLine(std::vector<std::string>& lines, const std::string& key, const std::string& line) {
    for (auto& l : lines)
        if (l.rfind(key, 0) == 0) {
            l = line;
            return;
        }
    FAIL() << "no line " << key;
}

TEST(ProjectFile, WrittenLinesHaveTheFixedLayout) {
    auto doc = test::freshDocument();
    const auto lines = writeProjectLines(*doc);
    ASSERT_EQ(lines.size(), 153u);
    EXPECT_EQ(lines[0], "VER$=0.52");
    EXPECT_EQ(lines[1], "[GLOBAL]");
    EXPECT_EQ(lines[2], "MULTI_V_F=0 1 10 10 10 ");
    EXPECT_EQ(lines[3], "VE_GRID=0");
    EXPECT_EQ(lines[6], "VE_RANTRYB=0");
    EXPECT_EQ(lines[9], "VE_W=5");
    EXPECT_EQ(lines[10], "VE_H=5");
    EXPECT_EQ(lines[11], "[FONTS & COLOR]");
    EXPECT_EQ(lines[12], "FONT_NAME_1=Default.fnt");
    EXPECT_EQ(lines[13], "FONT_COLOR_1=15658734 0 2062274 1816391 13596460 8066197");
    EXPECT_EQ(lines[14].rfind("FONT_DATA_1=", 0), 0u);
    EXPECT_EQ(lines[39], "FONT_NAME_10=Empty.fnt");
    EXPECT_EQ(lines[42], "[SETS]");
    EXPECT_EQ(lines[43].rfind("SET_1=", 0), 0u);
    EXPECT_EQ(lines[142].rfind("SET_100=", 0), 0u);
    EXPECT_EQ(lines[143], "[VIEW EDITOR SCREENS]");
    EXPECT_EQ(lines[144].rfind("SCREEN_0=", 0), 0u);
    EXPECT_EQ(lines[152].rfind("SCREEN_8=", 0), 0u);

    // Font 1 is the built-in font, byte by byte, each number followed by a space.
    std::string expected = "FONT_DATA_1=";
    for (int b = 0; b < kFontBytes; ++b)
        expected += std::to_string(defaultFontBytes()[b]) + " ";
    EXPECT_EQ(lines[14], expected);
    // A blank screen: 960 zeros.
    std::string blank = "SCREEN_8=";
    for (int c = 0; c < kScreenCells; ++c)
        blank += "0 ";
    EXPECT_EQ(lines[152], blank);
}

TEST(ProjectFile, WritingEncodesEveryFontAndLeavesFontTenInTheBuffer) {
    auto doc = test::freshDocument();
    doc->setPixel(10, 0, 0, 0, 1); // byte 0 of font 10 becomes $80
    const auto lines = writeProjectLines(*doc);
    EXPECT_EQ(doc->FontBuffer[0], 0x80);
    EXPECT_EQ(lines[41].rfind("FONT_DATA_10=128 0 ", 0), 0u);
}

TEST(ProjectFile, NegativeValuesAreWrittenWithMinus) {
    auto doc = test::freshDocument();
    doc->Sets[3][0] = -1;
    doc->Sets[3][1] = 300;
    doc->rangeModeOther = -7;
    const auto lines = writeProjectLines(*doc);
    EXPECT_EQ(lines[6], "VE_RANTRYB=-7");
    EXPECT_EQ(lines[45].rfind("SET_3=-1 300 ", 0), 0u);
}

TEST(ProjectFile, RangeModesAreStoredAsTheirProjectNumbers) {
    auto doc = test::freshDocument();
    const std::pair<RangeMode, std::string> modes[] = {{RangeMode::Load, "VE_RANTRYB=5129"},
                                                       {RangeMode::Save, "VE_RANTRYB=5130"},
                                                       {RangeMode::None, "VE_RANTRYB=0"}};
    for (const auto& [mode, line] : modes) {
        doc->rangeMode = mode;
        const auto lines = writeProjectLines(*doc);
        EXPECT_EQ(lines[6], line);
        auto read = test::freshDocument();
        read->rangeModeOther = 9;
        readProjectLines(*read, lines);
        EXPECT_EQ(read->rangeMode, mode) << line;
        EXPECT_EQ(read->rangeModeOther, 0) << line;
    }
}

TEST(ProjectFile, RoundTripRestoresExactlyTheProjectState) {
    auto source = changedDocument();
    const auto lines = writeProjectLines(*source);
    auto target = test::freshDocument();
    readProjectLines(*target, lines);
    expectSameProjectState(*source, *target);

    // What a project does not hold stays as the target had it.
    auto fresh = test::freshDocument();
    EXPECT_EQ(target->FontPath[2], "");
    EXPECT_EQ(target->AtariColour[PF0], fresh->AtariColour[PF0]);
    EXPECT_EQ(target->CurrentFont, 1);
    EXPECT_EQ(target->CurrentSet, 1);
    EXPECT_EQ(target->CurrentGlyph, 1);
    EXPECT_EQ(target->ColourPF1, fresh->ColourPF1);
}

TEST(ProjectFile, SaveAndLoadThroughAFile) {
    test::TempDir dir;
    const std::string path = dir.filePath("game.proj2");
    auto source = changedDocument();
    std::string error;
    ASSERT_TRUE(saveProjectFile(*source, path, &error)) << error;
    EXPECT_EQ(source->projectPath, path);

    const auto bytes = readFileBytes(path);
    ASSERT_TRUE(bytes);
    const std::string text(bytes->begin(), bytes->end());
    EXPECT_EQ(text.rfind("VER$=0.52\r\n[GLOBAL]\r\n", 0), 0u); // no byte-order mark
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    size_t crlf = 0;
    for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2))
        ++crlf;
    EXPECT_EQ(crlf, 153u);
    EXPECT_EQ(text.find('\n'), text.find("\r\n") + 1); // no bare LF anywhere before

    auto target = test::freshDocument();
    ASSERT_TRUE(loadProjectFile(*target, path));
    expectSameProjectState(*source, *target);
    EXPECT_EQ(target->projectPath, path);
}

TEST(ProjectFile, UnreadableOrUnwritablePlacesChangeNothing) {
    test::TempDir dir;
    auto doc = test::freshDocument();
    doc->projectPath = "/before.proj2";
    EXPECT_FALSE(loadProjectFile(*doc, dir.filePath("missing.proj2")));
    EXPECT_EQ(doc->projectPath, "/before.proj2");

    // Places no one can write to: below a plain file, or over a folder.
    const std::string plain = dir.filePath("plain");
    ASSERT_TRUE(writeFileAtomic(plain, std::string("old")));
    std::string error;
    EXPECT_FALSE(saveProjectFile(*doc, plain + "/x.proj2", &error));
    EXPECT_FALSE(error.empty());
    const std::string folder = dir.filePath("folder");
    std::filesystem::create_directories(folder + "/inside");
    EXPECT_FALSE(saveProjectFile(*doc, folder));
    EXPECT_TRUE(std::filesystem::is_directory(folder + "/inside"));
    EXPECT_EQ(doc->projectPath, folder); // the chosen name is kept, as after a dialog

    // A read-only folder keeps the old file whole (root may write anyway).
    if (::geteuid() != 0) {
        std::filesystem::permissions(dir.path(), std::filesystem::perms::owner_read |
                                                     std::filesystem::perms::owner_exec);
        EXPECT_FALSE(saveProjectFile(*doc, plain));
        std::filesystem::permissions(dir.path(), std::filesystem::perms::owner_all);
    }
    EXPECT_EQ(*readFileBytes(plain), Bytes({'o', 'l', 'd'}));
}

TEST(ProjectFile, HandWrittenNumbersAndShortValues) {
    auto lines = freshLines();
    replaceLine(lines, "SET_5=", "SET_5=$FF %101 -1");
    replaceLine(lines, "VE_XSTART=", "VE_XSTART=$FF");
    replaceLine(lines, "VE_YSTART=", "VE_YSTART=257");   // cut to 8 bits
    replaceLine(lines, "VE_RANTRYB=", "VE_RANTRYB=-2");  // signed 32 bits
    replaceLine(lines, "MULTI_V_F=", "MULTI_V_F=7  -3"); // two spaces: field 2 empty
    replaceLine(lines, "VE_W=", "VE_W=");                // empty value: unchanged
    replaceLine(lines, "SET_6=", "SET_6=70000 -32769 abc 12abc");
    auto doc = test::freshDocument();
    for (int c = 0; c < kSetCells; ++c)
        doc->Sets[5][c] = -1;
    doc->rangeWidth = 9;
    readProjectLines(*doc, lines);

    EXPECT_EQ(doc->Sets[5][0], 255);
    EXPECT_EQ(doc->Sets[5][1], 5);
    EXPECT_EQ(doc->Sets[5][2], -1);
    for (int c = 3; c < kSetCells; ++c)
        EXPECT_EQ(doc->Sets[5][c], 0) << "cell " << c; // glyph 0, not empty
    EXPECT_EQ(doc->Sets[6][0], int16_t(70000 - 65536));
    EXPECT_EQ(doc->Sets[6][1], 32767);
    EXPECT_EQ(doc->Sets[6][2], 0);
    EXPECT_EQ(doc->Sets[6][3], 12);
    EXPECT_EQ(doc->rangeX, 255);
    EXPECT_EQ(doc->rangeY, 1);
    EXPECT_EQ(doc->rangeModeOther, -2);
    EXPECT_EQ(doc->rangeWidth, 9);
    EXPECT_EQ(doc->MultiViewFonts[1], 7);
    EXPECT_EQ(doc->MultiViewFonts[2], 0);
    EXPECT_EQ(doc->MultiViewFonts[3], -3);
    EXPECT_EQ(doc->MultiViewFonts[4], 0);
}

TEST(ProjectFile, MissingKeysLeaveTheirTargets) {
    auto source = changedDocument();
    auto lines = writeProjectLines(*source);
    std::erase_if(lines, [](const std::string& l) {
        return l.rfind("FONT_DATA_3=", 0) == 0 || l.rfind("SET_100=", 0) == 0 ||
               l.rfind("FONT_NAME_2=", 0) == 0 || l.rfind("SCREEN_4=", 0) == 0;
    });
    auto target = test::freshDocument();
    target->setPixel(3, 65, 2, 2, 1);
    target->Sets[100][0] = 42;
    setCell(*target, 4, 1, 1, 200);
    readProjectLines(*target, lines);
    EXPECT_EQ(target->pixel(3, 65, 2, 2), 1);
    EXPECT_EQ(std::memcmp(target->Glyphs[3], source->Glyphs[3], sizeof target->Glyphs[3]), 0);
    EXPECT_EQ(target->Sets[100][0], 42);
    EXPECT_EQ(target->Sets[99][0], source->Sets[99][0]);
    EXPECT_EQ(target->FontName[2], "Empty.fnt");
    EXPECT_EQ(getCell(*target, 4, 1, 1), 200);
    EXPECT_EQ(getCell(*target, 5, 1, 1), getCell(*source, 5, 1, 1));
}

TEST(ProjectFile, NamesAreRestoredWholeAndCannotCaptureOtherKeys) {
    auto source = test::freshDocument();
    source->FontName[1] = "  my  font with spaces .fnt  ";
    source->FontName[2] = std::string(100000, 'n');
    // A name holding another key's text must not take that key's place.
    source->FontName[3] = "SET_1=9 9 9 FONT_DATA_7=1 SCREEN_0=5";
    source->Sets[1][0] = 3;
    source->setPixel(7, 1, 1, 1, 1);
    const auto lines = writeProjectLines(*source);
    auto target = test::freshDocument();
    readProjectLines(*target, lines);
    for (int f = 1; f <= 3; ++f)
        EXPECT_EQ(target->FontName[f], source->FontName[f]);
    EXPECT_EQ(target->Sets[1][0], 3);
    EXPECT_EQ(target->Sets[1][1], source->Sets[1][1]);
    EXPECT_EQ(target->pixel(7, 1, 1, 1), 1);
    EXPECT_EQ(getCell(*target, 0, 0, 0), 0);
}

TEST(ProjectFile, ControlCharactersInNamesCannotBreakTheFile) {
    // Names come from file names, which may hold line breaks on this system.
    auto source = test::freshDocument();
    source->FontName[1] = "two\nlines.fnt";
    source->FontName[2] = std::string("cr\rtab\tnul") + '\0' + "del\x7f.fnt";
    source->FontName[3] = "\n";
    // Backslashes and non-ASCII text stay byte for byte.
    source->FontName[4] = "a\\b \xC5\xBC\xC3\xB3\xC5\x82w.fnt";
    source->FontName[5] = "\nSET_1=9 9 9";
    source->Sets[1][0] = 3;
    const std::string text = joinCrLf(writeProjectLines(*source));
    const auto lines = splitFileLines(Bytes(text.begin(), text.end()));
    ASSERT_EQ(lines.size(), 153u);
    EXPECT_EQ(lines[12], "FONT_NAME_1=two lines.fnt");

    auto target = test::freshDocument();
    readProjectLines(*target, lines);
    EXPECT_EQ(target->FontName[1], "two lines.fnt");
    EXPECT_EQ(target->FontName[2], "cr tab nul del .fnt");
    EXPECT_EQ(target->FontName[3], " ");
    EXPECT_EQ(target->FontName[4], source->FontName[4]);
    EXPECT_EQ(target->FontName[5], " SET_1=9 9 9");
    EXPECT_EQ(target->Sets[1][0], 3);
    EXPECT_EQ(target->Sets[1][1], -1);
    EXPECT_EQ(target->FontName[6], "Empty.fnt");
}

TEST(ProjectFile, KeysFoundInsideLinesUseTheDescribedCut) {
    // Without a line starting with the key, the first line containing it is used,
    // minus as many leading characters as the key has.
    auto doc = test::freshDocument();
    readProjectLines(*doc, {"garbage", "xxVE_GRID=7", "VE_GRID=8"});
    EXPECT_EQ(doc->gridShown, 8); // a line starting with the key wins
    doc->alwaysOnTop = 5;
    readProjectLines(*doc, {"  VE_TOP=3", "123VE_TOP=4"});
    EXPECT_EQ(doc->alwaysOnTop, 0); // value "P=3" reads 0
    readProjectLines(*doc, {"abcdefg89VE_TOP=4"});
    EXPECT_EQ(doc->alwaysOnTop, 89); // value "89VE_TOP=4" reads 89
    // "SET_1=" is not inside "SET_10=", and "VE_W=" is too long for "VE_W".
    readProjectLines(*doc, {"SET_10=4", "VE_W"});
    EXPECT_EQ(doc->Sets[10][0], 4);
    EXPECT_EQ(doc->Sets[1][0], -1);
    EXPECT_EQ(doc->rangeWidth, 5);
}

TEST(ProjectFile, OnlyTheFirst1023LinesCount) {
    std::vector<std::string> lines(2000, "filler");
    lines[1021] = "VE_GRID=1";
    lines[1022] = "VE_TOP=1";
    lines[1023] = "VE_SETDRAW=1";
    lines[1500] = "SET_2=5";
    auto doc = test::freshDocument();
    readProjectLines(*doc, lines);
    EXPECT_EQ(doc->gridShown, 1);
    EXPECT_EQ(doc->alwaysOnTop, 1);
    EXPECT_EQ(doc->setDrawing, 0);
    EXPECT_EQ(doc->Sets[2][0], -1);
}

TEST(ProjectFile, JunkEmptyAndHugeInputsAreHarmless) {
    auto doc = test::freshDocument();
    const auto before = writeProjectLines(*doc);
    readProjectLines(*doc, {});
    readProjectLines(*doc, splitFileLines(Bytes{}));
    Bytes junk;
    for (int i = 0; i < 70000; ++i)
        junk.push_back(uint8_t(i * 7919 % 251));
    readProjectLines(*doc, splitFileLines(junk));
    // One enormous line full of "=" and digits.
    std::string big(300000, '=');
    for (size_t i = 0; i < big.size(); i += 3)
        big[i] = '9';
    readProjectLines(*doc, {big, std::string(1, '\0'), "="});
    // Every byte of a font line far too long, every value far too large.
    std::string fontLine = "FONT_DATA_2=";
    for (int i = 0; i < 5000; ++i)
        fontLine += "99999999999999999999999999 ";
    std::string screenLine = "SCREEN_8=";
    for (int i = 0; i < 5000; ++i)
        screenLine += "-123456789 ";
    readProjectLines(*doc, {fontLine, screenLine, "MULTI_V_F=99999999999999999999999 -5 $ % +"});
    EXPECT_EQ(doc->MultiViewFonts[1], readTextNumber("99999999999999999999999"));
    EXPECT_EQ(doc->MultiViewFonts[2], -5);
    EXPECT_EQ(doc->MultiViewFonts[3], 0);
    EXPECT_EQ(getCell(*doc, 8, 39, 23), uint8_t(-123456789 & 0xFF));
    // Nothing here touched the sets or the other fonts.
    auto fresh = test::freshDocument();
    EXPECT_EQ(std::memcmp(doc->Sets, fresh->Sets, sizeof doc->Sets), 0);
    EXPECT_EQ(std::memcmp(doc->Glyphs[0], fresh->Glyphs[0], sizeof doc->Glyphs[0]), 0);
}

TEST(ProjectFile, ColoursReadFromTextAreKeptTo24Bits) {
    auto doc = test::freshDocument();
    readProjectLines(*doc, {"FONT_COLOR_2=-1 16777216 $123456789 5"});
    EXPECT_EQ(doc->FontColours[2][1], 0xFFFFFF);
    EXPECT_EQ(doc->FontColours[2][2], 0);
    EXPECT_EQ(doc->FontColours[2][3], 0x456789);
    EXPECT_EQ(doc->FontColours[2][4], 5);
    EXPECT_EQ(doc->FontColours[2][5], 0);
    EXPECT_EQ(doc->FontColours[2][6], 0);
}

TEST(TextNumber, ReadsEveryForm) {
    EXPECT_EQ(readTextNumber("$FF"), 255);
    EXPECT_EQ(readTextNumber("$ff"), 255);
    EXPECT_EQ(readTextNumber("%101"), 5);
    EXPECT_EQ(readTextNumber("%102"), 2);
    EXPECT_EQ(readTextNumber("-1"), -1);
    EXPECT_EQ(readTextNumber("+12"), 12);
    EXPECT_EQ(readTextNumber(" \t 42x"), 42);
    EXPECT_EQ(readTextNumber("-$10"), -16);
    EXPECT_EQ(readTextNumber(""), 0);
    EXPECT_EQ(readTextNumber("-"), 0);
    EXPECT_EQ(readTextNumber("$"), 0);
    EXPECT_EQ(readTextNumber("x5"), 0);
    EXPECT_EQ(readTextNumber("1 2"), 1);
    EXPECT_EQ(readTextNumber("9223372036854775807"), INT64_MAX);
    EXPECT_EQ(readTextNumber("-9223372036854775808"), INT64_MIN);
    // Past 64 bits the value wraps.
    EXPECT_EQ(readTextNumber("18446744073709551617"), 1);
    EXPECT_EQ(readTextNumber("$10000000000000005"), 5);
    EXPECT_EQ(asInt16(65535), -1);
    EXPECT_EQ(asByte(-1), 255);
    EXPECT_EQ(asInt32(0x1FFFFFFFFLL), -1);
}

TEST(SplitFileLines, AnyLineEndEndsALine) {
    auto split = [](const std::string& s) { return splitFileLines(Bytes(s.begin(), s.end())); };
    using Lines = std::vector<std::string>;
    EXPECT_EQ(split(""), Lines{});
    EXPECT_EQ(split("a"), Lines{"a"});
    EXPECT_EQ(split("a\r\n"), Lines{"a"});
    EXPECT_EQ(split("a\r\nb\nc\rd"), (Lines{"a", "b", "c", "d"}));
    EXPECT_EQ(split("a\n\r\nb\r\r"), (Lines{"a", "", "b", ""}));
    EXPECT_EQ(split("\r\n"), Lines{""});
    EXPECT_EQ(split("\xEF\xBB\xBFVE_GRID=1\r\n"), Lines{"VE_GRID=1"});
    EXPECT_EQ(split(std::string("x\0y", 3)), Lines{std::string("x\0y", 3)});
}

} // namespace
