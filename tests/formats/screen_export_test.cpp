#include "formats/source_export.h"

#include "core/glyph_code.h"
#include "core/screens.h"
#include "test_document.h"

#include <gtest/gtest.h>

using namespace korvex;

namespace {

uint8_t pattern(int x, int y) {
    return uint8_t(x * 7 + y * 13 + 1);
}

// Current screen 2 filled with a pattern; the other screens hold 0xEE so that a
// read from the wrong screen shows.
std::unique_ptr<Document> patternedScreen() {
    auto doc = test::freshDocument();
    doc->currentScreen = 2;
    for (int s = 0; s < kScreenCount; ++s)
        for (int y = 0; y < kScreenRows; ++y)
            for (int x = 0; x < kScreenColumns; ++x)
                setCell(*doc, s, x, y, s == 2 ? pattern(x, y) : 0xEE);
    return doc;
}

std::string values(int y, int x0, int x1, const std::string& sep, bool hex) {
    std::string out;
    for (int x = x0; x <= x1; ++x) {
        if (x > x0)
            out += sep;
        out += hex ? "$" + hexDigits(pattern(x, y)) : std::to_string(pattern(x, y));
    }
    return out;
}

TEST(ScreenExport, WholeScreenInEveryLanguage) {
    auto doc = patternedScreen();
    doc->exportKind = "screen";

    const auto asmDec = generateScreenExport(*doc, 0);
    ASSERT_EQ(asmDec.size(), 25u);
    EXPECT_EQ(asmDec[0], "SCREEN");
    for (int y = 0; y < 24; ++y)
        ASSERT_EQ(asmDec[1 + y], "    .BYTE " + values(y, 0, 39, ",", false));

    const auto asmHex = generateScreenExport(*doc, 1);
    EXPECT_EQ(asmHex[24], "    .BYTE " + values(23, 0, 39, ",", true));

    const auto action = generateScreenExport(*doc, 3);
    ASSERT_EQ(action.size(), 27u);
    EXPECT_EQ(action[0], "PROC screen()=[");
    EXPECT_EQ(action[1], values(0, 0, 39, " ", true));
    EXPECT_EQ(action[25], "]");
    EXPECT_EQ(action[26], "MODULE");

    const auto basic = generateScreenExport(*doc, 4);
    ASSERT_EQ(basic.size(), 25u);
    EXPECT_EQ(basic[0], "10000 REM .oO DATA SCREEN Oo.");
    EXPECT_EQ(basic[1], "10010 DATA " + values(0, 0, 39, ",", false));
    EXPECT_EQ(basic[24], "10240 DATA " + values(23, 0, 39, ",", false));

    // MadPascal: "," alone between values, the last row without its final comma.
    const auto pascal = generateScreenExport(*doc, 5);
    ASSERT_EQ(pascal.size(), 26u);
    EXPECT_EQ(pascal[0], "kvx_screen: array [0..959] of byte = (");
    for (int y = 0; y < 23; ++y)
        ASSERT_EQ(pascal[1 + y], "\t" + values(y, 0, 39, ",", true) + ",");
    EXPECT_EQ(pascal[24], "\t" + values(23, 0, 39, ",", true));
    EXPECT_EQ(pascal[25], ");");

    const auto fast = generateScreenExport(*doc, 6);
    ASSERT_EQ(fast.size(), 24u);
    EXPECT_EQ(fast[0], "data screen() byte = " + values(0, 0, 39, ",", false) + ",");
    EXPECT_EQ(fast[1], "data byte = " + values(1, 0, 39, ",", false) + ",");
    EXPECT_EQ(fast[23], "data byte = " + values(23, 0, 39, ",", false));

    EXPECT_TRUE(generateScreenExport(*doc, 7).empty());
}

TEST(ScreenExport, AllZeroScreenAndBadScreenNumber) {
    auto doc = test::freshDocument();
    doc->exportKind = "screen";
    std::string zeros = "    .BYTE $0";
    for (int i = 1; i < 40; ++i)
        zeros += ",$0";
    auto lines = generateScreenExport(*doc, 1);
    ASSERT_EQ(lines.size(), 25u);
    EXPECT_EQ(lines[7], zeros);

    // A screen number from a damaged project reads as blank rather than out of bounds.
    doc->currentScreen = 200;
    lines = generateScreenExport(*doc, 1);
    ASSERT_EQ(lines.size(), 25u);
    EXPECT_EQ(lines[24], zeros);
}

TEST(RangeExport, SmallRangeInActionAndPascal) {
    auto doc = patternedScreen();
    doc->exportKind = "range";
    doc->rangeX = 10;
    doc->rangeY = 5;
    doc->rangeWidth = 3;
    doc->rangeHeight = 2;

    EXPECT_EQ(generateScreenExport(*doc, 2),
              (std::vector<std::string>{"PROC range()=[", values(5, 10, 12, " ", false),
                                        values(6, 10, 12, " ", false), "]", "MODULE"}));
    EXPECT_EQ(generateScreenExport(*doc, 5),
              (std::vector<std::string>{"kvx_range: array [0..5] of byte = (",
                                        "\t" + values(5, 10, 12, ",", true) + ",",
                                        "\t" + values(6, 10, 12, ",", true), ");"}));
    EXPECT_EQ(generateScreenExport(*doc, 0),
              (std::vector<std::string>{"RANGE", "    .BYTE " + values(5, 10, 12, ",", false),
                                        "    .BYTE " + values(6, 10, 12, ",", false)}));
    EXPECT_EQ(generateScreenExport(*doc, 4)[0], "10000 REM .oO DATA RANGE Oo.");

    doc->rangeHeight = 1;
    EXPECT_EQ(generateScreenExport(*doc, 6),
              (std::vector<std::string>{"data range() byte = " + values(5, 10, 12, ",", false)}));
}

TEST(RangeExport, ClippedAtTheRightAndBottomEdges) {
    auto doc = patternedScreen();
    doc->exportKind = "range";
    doc->rangeX = 38;
    doc->rangeY = 22;
    doc->rangeWidth = 5;
    doc->rangeHeight = 200;
    EXPECT_EQ(generateScreenExport(*doc, 5),
              (std::vector<std::string>{"kvx_range: array [0..3] of byte = (",
                                        "\t" + values(22, 38, 39, ",", true) + ",",
                                        "\t" + values(23, 38, 39, ",", true), ");"}));
    doc->rangeX = 0;
    doc->rangeY = 0;
    doc->rangeWidth = 255;
    doc->rangeHeight = 255;
    EXPECT_EQ(generateScreenExport(*doc, 5)[0], "kvx_range: array [0..959] of byte = (");
}

TEST(RangeExport, EmptyRangeGivesOnlyTheFrameLines) {
    auto doc = patternedScreen();
    doc->exportKind = "range";
    struct Rect {
        uint8_t x, y, w, h;
    };
    for (const Rect r : {Rect{40, 0, 5, 5}, Rect{255, 255, 255, 255}, Rect{0, 24, 5, 5},
                         Rect{3, 3, 0, 5}, Rect{3, 3, 5, 0}}) {
        SCOPED_TRACE(std::to_string(r.x) + "," + std::to_string(r.y) + " " + std::to_string(r.w) +
                     "x" + std::to_string(r.h));
        doc->rangeX = r.x;
        doc->rangeY = r.y;
        doc->rangeWidth = r.w;
        doc->rangeHeight = r.h;
        using Lines = std::vector<std::string>;
        EXPECT_EQ(generateScreenExport(*doc, 0), Lines{"RANGE"});
        EXPECT_EQ(generateScreenExport(*doc, 3), (Lines{"PROC range()=[", "]", "MODULE"}));
        EXPECT_EQ(generateScreenExport(*doc, 4), Lines{"10000 REM .oO DATA RANGE Oo."});
        EXPECT_EQ(generateScreenExport(*doc, 5),
                  (Lines{"kvx_range: array [0..0] of byte = (", ");"}));
        EXPECT_TRUE(generateScreenExport(*doc, 6).empty());
    }
}

} // namespace
