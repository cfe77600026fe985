#include "core/text_codes.h"

#include <gtest/gtest.h>

namespace korvex {
namespace {

TEST(TextCodes, EveryAsciiCharacterMapsToItsScreenCode) {
    for (char32_t c = 0; c < 128; ++c) {
        const int expected = c < 32 ? int(c) + 64 : (c < 96 ? int(c) - 32 : int(c));
        EXPECT_EQ(screenCodeOfCharacter(c), expected) << int(c);
        EXPECT_EQ(screenCodesOfText(std::u32string(1, c), true), std::vector<int>{expected + 128});
    }
    // Landmarks of the mapping.
    EXPECT_EQ(screenCodesOfText(U" A0@_`az\x7f\x1b", false),
              (std::vector<int>{0, 33, 16, 32, 63, 96, 97, 122, 127, 91}));
}

TEST(TextCodes, CharactersBeyondAsciiShowAsAQuestionMark) {
    EXPECT_EQ(screenCodesOfText(U"\u00e9\u20ac\U0001F600\x80", false),
              (std::vector<int>{31, 31, 31, 31}));
    EXPECT_TRUE(screenCodesOfText(U"", true).empty());
}

} // namespace
} // namespace korvex
