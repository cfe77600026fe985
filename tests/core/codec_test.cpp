#include "core/font_codec.h"
#include "core/glyph_code.h"
#include "test_document.h"

#include <gtest/gtest.h>
#include <random>

using namespace korvex;

namespace {

std::array<uint8_t, 8> glyphBytes(const uint8_t* font, int g) {
    std::array<uint8_t, 8> out{};
    std::copy(font + 8 * g, font + 8 * g + 8, out.begin());
    return out;
}

TEST(DefaultFont, HoldsTheAtariCharacterSet) {
    const uint8_t* font = defaultFontBytes();
    EXPECT_EQ(glyphBytes(font, 0), (std::array<uint8_t, 8>{0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(glyphBytes(font, 1),
              (std::array<uint8_t, 8>{0x00, 0x18, 0x18, 0x18, 0x18, 0x00, 0x18, 0x00}));
    EXPECT_EQ(glyphBytes(font, 33),
              (std::array<uint8_t, 8>{0x00, 0x18, 0x3C, 0x66, 0x66, 0x7E, 0x66, 0x00}));
    // Fletcher-16 style checksum over the whole table guards against a wrong copy.
    uint32_t a = 0, b = 0;
    for (int i = 0; i < 1024; ++i) {
        a = (a + font[i]) % 65521;
        b = (b + a) % 65521;
    }
    EXPECT_EQ((b << 16) | a, 0x3368dd47u);
}

TEST(Codec, DecodeSetsBitsLeftToRightAndLeavesOtherFonts) {
    auto doc = test::freshDocument();
    doc->setPixel(2, 5, 3, 3, 1);
    std::fill(std::begin(doc->FontBuffer), std::end(doc->FontBuffer), 0);
    doc->FontBuffer[8 * 7 + 2] = 0x81;
    decodeFont(*doc, 3);
    for (int x = 0; x < 8; ++x)
        EXPECT_EQ(doc->pixel(3, 7, x, 2), (x == 0 || x == 7) ? 1 : 0) << x;
    EXPECT_EQ(doc->pixel(2, 5, 3, 3), 1);  // other font untouched
    EXPECT_EQ(doc->pixel(1, 33, 3, 2), 1); // font 1 still the default font
}

TEST(Codec, ZeroBufferGivesClearFontAndBack) {
    auto doc = test::freshDocument();
    std::fill(std::begin(doc->FontBuffer), std::end(doc->FontBuffer), 0);
    decodeFont(*doc, 1);
    for (int g = 0; g < 128; ++g)
        for (int x = 0; x < 8; ++x)
            for (int y = 0; y < 8; ++y)
                ASSERT_EQ(doc->pixel(1, g, x, y), 0);
    std::fill(std::begin(doc->FontBuffer), std::end(doc->FontBuffer), 0xAA);
    encodeFont(*doc, 1);
    for (int i = 0; i < 1024; ++i)
        ASSERT_EQ(doc->FontBuffer[i], 0);
}

TEST(Codec, EncodeAfterDecodeReproducesRandomBuffers) {
    auto doc = test::freshDocument();
    std::mt19937 rng(1234);
    for (int round = 0; round < 20; ++round) {
        uint8_t original[1024];
        for (auto& b : original)
            b = uint8_t(rng());
        std::copy(original, original + 1024, doc->FontBuffer);
        doc->FontBuffer[1024] = 0x5A;
        decodeFont(*doc, 4);
        std::fill(doc->FontBuffer, doc->FontBuffer + 1024, 0);
        encodeFont(*doc, 4);
        ASSERT_TRUE(std::equal(original, original + 1024, doc->FontBuffer));
        ASSERT_EQ(doc->FontBuffer[1024], 0x5A); // spare byte untouched
    }
}

TEST(Codec, EncodeMinusOneMeansCurrentFont) {
    auto doc = test::freshDocument();
    doc->setPixel(3, 0, 0, 0, 1);
    doc->CurrentFont = 3;
    encodeFont(*doc, -1);
    EXPECT_EQ(doc->FontBuffer[0], 0x80);
    EXPECT_EQ(doc->FontBuffer[8 * 33 + 1], 0); // font 1's "A" is not in font 3
    doc->CurrentFont = 1;
    encodeFont(*doc, 3);
    EXPECT_EQ(doc->FontBuffer[0], 0x80);
}

TEST(ColourRule, TwoColourAndInverse) {
    auto doc = test::freshDocument();
    // Glyph 33 "A", row 1 = 0x18: columns 3 and 4 set.
    EXPECT_EQ(colourRegisterAt(*doc, 1, 33, 3, 1), LUM);
    EXPECT_EQ(colourRegisterAt(*doc, 1, 33, 0, 1), BAK);
    EXPECT_EQ(colourRegisterAt(*doc, 1, 33 + 128, 3, 1), BAK);
    EXPECT_EQ(colourRegisterAt(*doc, 1, 33 + 128, 0, 1), LUM);
}

TEST(ColourRule, FourColourPairsAndPf3ForInverse) {
    auto doc = test::freshDocument();
    doc->FourColourMode = 1;
    std::fill(std::begin(doc->FontBuffer), std::end(doc->FontBuffer), 0);
    doc->FontBuffer[8 * 72] = 0x81; // pairs 10 00 00 01
    doc->FontBuffer[8 * 72 + 1] = 0xFF;
    decodeFont(*doc, 1);
    EXPECT_EQ(colourRegisterAt(*doc, 1, 72, 0, 0), PF1);
    EXPECT_EQ(colourRegisterAt(*doc, 1, 72, 1, 0), PF1);
    EXPECT_EQ(colourRegisterAt(*doc, 1, 72, 2, 0), BAK);
    EXPECT_EQ(colourRegisterAt(*doc, 1, 72, 4, 0), BAK);
    EXPECT_EQ(colourRegisterAt(*doc, 1, 72, 7, 0), PF0);
    EXPECT_EQ(colourRegisterAt(*doc, 1, 72, 0, 1), PF2);
    EXPECT_EQ(colourRegisterAt(*doc, 1, 200, 0, 1), PF3); // code 200 shows glyph 72
    EXPECT_EQ(colourRegisterAt(*doc, 1, 200, 7, 0), PF0);
}

TEST(GlyphCode, OutOfRangeCodesHaveNoGlyph) {
    EXPECT_EQ(glyphOfCode(-1), -1);
    EXPECT_EQ(glyphOfCode(256), -1);
    EXPECT_EQ(glyphOfCode(-32768), -1);
    EXPECT_EQ(glyphOfCode(193), 65);
    EXPECT_EQ(glyphOfCode(65), 65);
    auto doc = test::freshDocument();
    EXPECT_EQ(colourRegisterAt(*doc, 1, 300, 0, 0), 0);
}

TEST(GlyphCode, CodeFormShowsTwosComplementHex) {
    EXPECT_EQ(codeForm(0), "$0 (0)");
    EXPECT_EQ(codeForm(127), "$7F (127)");
    EXPECT_EQ(codeForm(65), "$41 (65)");
    EXPECT_EQ(codeForm(-1), "$FFFFFFFFFFFFFFFF (-1)");
}

} // namespace
