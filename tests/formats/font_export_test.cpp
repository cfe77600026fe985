#include "formats/source_export.h"

#include "core/font_codec.h"
#include "test_document.h"

#include <cstring>
#include <gtest/gtest.h>

using namespace korvex;

namespace {

// Current font 2: glyph 0 is the "!" shape, glyph 127 holds awkward byte values,
// every other glyph is blank. FontBuffer is wiped afterwards so that a test only
// passes when the export encodes the pixels itself.
std::unique_ptr<Document> exclamationFont() {
    auto doc = test::freshDocument();
    doc->CurrentFont = 2;
    std::memset(doc->FontBuffer, 0, kFontBytes);
    const uint8_t bang[8] = {0, 24, 24, 24, 24, 0, 24, 0};
    const uint8_t last[8] = {255, 10, 0, 1, 16, 128, 170, 9};
    std::memcpy(doc->FontBuffer, bang, 8);
    std::memcpy(doc->FontBuffer + 1016, last, 8);
    decodeFont(*doc, 2);
    std::memset(doc->FontBuffer, 0x5A, kFontBytes);
    return doc;
}

struct FontCase {
    int language;
    size_t lineCount;
    std::vector<std::string> firstLines;
    std::string glyph0;
    std::string glyph1;
    std::string glyph127;
    std::vector<std::string> lastLines;
};

TEST(FontExport, EveryLanguageTemplate) {
    const std::vector<FontCase> cases = {
        {0,
         129,
         {"FONT"},
         "    .BYTE 0,24,24,24,24,0,24,0",
         "    .BYTE 0,0,0,0,0,0,0,0",
         "    .BYTE 255,10,0,1,16,128,170,9",
         {}},
        {1,
         129,
         {"FONT"},
         "    .BYTE $0,$18,$18,$18,$18,$0,$18,$0",
         "    .BYTE $0,$0,$0,$0,$0,$0,$0,$0",
         "    .BYTE $FF,$A,$0,$1,$10,$80,$AA,$9",
         {}},
        {2,
         131,
         {"PROC font()=["},
         "0 24 24 24 24 0 24 0",
         "0 0 0 0 0 0 0 0",
         "255 10 0 1 16 128 170 9",
         {"]", "MODULE"}},
        {3,
         131,
         {"PROC font()=["},
         "$0 $18 $18 $18 $18 $0 $18 $0",
         "$0 $0 $0 $0 $0 $0 $0 $0",
         "$FF $A $0 $1 $10 $80 $AA $9",
         {"]", "MODULE"}},
        {4,
         129,
         {"10000 REM .oO DATA FONT Oo."},
         "10010 DATA 0,24,24,24,24,0,24,0",
         "10020 DATA 0,0,0,0,0,0,0,0",
         "11280 DATA 255,10,0,1,16,128,170,9",
         {}},
        {5,
         130,
         {"kvx_font: array [0..1023] of byte = ("},
         "\t$0, $18, $18, $18, $18, $0, $18, $0,",
         "\t$0, $0, $0, $0, $0, $0, $0, $0,",
         "\t$FF, $A, $0, $1, $10, $80, $AA, $9",
         {");"}},
        {6,
         128,
         {},
         "data font() byte = 0,24,24,24,24,0,24,0,",
         "data byte = 0,0,0,0,0,0,0,0,",
         "data byte = 255,10,0,1,16,128,170,9",
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.language);
        auto doc = exclamationFont();
        const auto lines = generateFontExport(*doc, c.language);
        ASSERT_EQ(lines.size(), c.lineCount);
        const size_t first = c.firstLines.size();
        for (size_t i = 0; i < first; ++i)
            EXPECT_EQ(lines[i], c.firstLines[i]);
        EXPECT_EQ(lines[first], c.glyph0);
        EXPECT_EQ(lines[first + 1], c.glyph1);
        EXPECT_EQ(lines[first + 127], c.glyph127);
        for (size_t i = 0; i < c.lastLines.size(); ++i)
            EXPECT_EQ(lines[first + 128 + i], c.lastLines[i]);
        // The export leaves the encoded font in the buffer.
        EXPECT_EQ(doc->FontBuffer[1], 24);
    }
}

TEST(FontExport, NumberingAndContinuationRules) {
    auto doc = exclamationFont();
    const auto basic = generateFontExport(*doc, 4);
    for (int g = 0; g < 128; ++g)
        ASSERT_EQ(basic[1 + g].substr(0, 11), std::to_string(10010 + 10 * g) + " DATA ");

    // MadPascal and FastBasic end every glyph but the last with a comma.
    const auto pascal = generateFontExport(*doc, 5);
    for (int g = 0; g < 127; ++g)
        ASSERT_EQ(pascal[1 + g].back(), ',') << g;
    EXPECT_NE(pascal[128].back(), ',');
    const auto fast = generateFontExport(*doc, 6);
    for (int g = 1; g < 127; ++g) {
        ASSERT_EQ(fast[g].rfind("data byte = ", 0), 0u) << g;
        ASSERT_EQ(fast[g].back(), ',') << g;
    }
}

TEST(FontExport, AllZeroFontGivesIdenticalLines) {
    auto doc = test::freshDocument();
    doc->CurrentFont = 4; // never loaded: blank
    const auto lines = generateFontExport(*doc, 0);
    ASSERT_EQ(lines.size(), 129u);
    for (int g = 0; g < 128; ++g)
        ASSERT_EQ(lines[1 + g], "    .BYTE 0,0,0,0,0,0,0,0");
}

TEST(FontExport, LanguageOutsideTheListGivesNothing) {
    auto doc = exclamationFont();
    EXPECT_TRUE(generateFontExport(*doc, -1).empty());
    EXPECT_TRUE(generateFontExport(*doc, 7).empty());
    EXPECT_TRUE(generateExport(*doc, 100).empty());
    doc->exportKind = "screen";
    EXPECT_TRUE(generateExport(*doc, 7).empty());
}

TEST(FontExport, ExportKindChoosesTheGenerator) {
    auto doc = exclamationFont();
    EXPECT_EQ(generateExport(*doc, 0).front(), "FONT");
    doc->exportKind = "screen";
    EXPECT_EQ(generateExport(*doc, 0).front(), "SCREEN");
    doc->exportKind = "range";
    EXPECT_EQ(generateExport(*doc, 0).front(), "RANGE");
    doc->exportKind = "anything";
    EXPECT_EQ(generateExport(*doc, 0).front(), "SCREEN");
}

TEST(FontExport, LanguageNames) {
    const auto& names = exportLanguageNames();
    ASSERT_EQ(names.size(), 7u);
    EXPECT_EQ(names[0], "Assembler: Byte in decimal");
    EXPECT_EQ(names[3], "Action!: Byte in hexadecimal");
    EXPECT_EQ(names[5], "MadPascal: Array byte in hexadecimal");
    EXPECT_EQ(names[6], "FastBasic");

    const char* keys[] = {"asm-dec", "asm-hex",   "action-dec", "action-hex",
                          "basic",   "madpascal", "fastbasic"};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(exportLanguageFromName(keys[i]), i);
        EXPECT_EQ(exportLanguageFromName(std::to_string(i)), i);
    }
    for (const char* bad : {"", "7", "-1", "01", "basic ", "Assembler", "x"})
        EXPECT_EQ(exportLanguageFromName(bad), -1) << bad;
}

} // namespace
