// Addresses typed by hand (the converter's options, the export window's fields):
// the whole text is the number, in decimal, $hexadecimal or %binary, 0..65535.

#include "formats/text_number.h"

#include <gtest/gtest.h>

using namespace korvex;

namespace {

TEST(AddressText, TakesTheThreeFormsOfAWholeNumberUpTo65535) {
    const std::pair<const char*, int> good[] = {{"0", 0},           {"40000", 40000},
                                                {"+7", 7},          {"$9c40", 0x9C40},
                                                {"$FFFF", 0xFFFF},  {"%1111111111111111", 0xFFFF},
                                                {"00065535", 65535}};
    for (const auto& [text, value] : good) {
        int out = -1;
        EXPECT_TRUE(readAddress(text, out)) << text;
        EXPECT_EQ(out, value) << text;
    }
    for (const char* text : {"", "$", "%", "+", "-1", "65536", "$10000", "%12", "$9C4G", " 12",
                             "12 ", "1e3", "99999999999999999999", "%00000000000000000001"}) {
        int out = 123;
        EXPECT_FALSE(readAddress(text, out)) << text;
        EXPECT_EQ(out, 123) << text;
    }
}

} // namespace
