// Numbers written by hand ("12", "-1", "$FF", "%101"): any text reads as some 64-bit
// value, and that value written back in decimal, hexadecimal, binary or negated
// form reads as the same value. Blanks before a number and text after it change
// nothing.

#include "formats/text_number.h"
#include "fuzz_support.h"

#include <string>
#include <string_view>

using namespace korvex;
using namespace korvex::fuzz;

namespace {

std::string inBase(uint64_t value, unsigned base) {
    std::string digits;
    do {
        digits.insert(digits.begin(), "0123456789ABCDEF"[value % base]);
        value /= base;
    } while (value != 0);
    return digits;
}

bool onlyBlanks(std::string_view text) {
    return text.find_first_not_of(" \t") == std::string_view::npos;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const int64_t value = readTextNumber(text);
    const uint64_t bits = uint64_t(value);
    require(readTextNumber(std::to_string(value)) == value, "decimal form reads back");
    require(readTextNumber("+" + inBase(bits, 10)) == value, "unsigned form reads back");
    require(readTextNumber("$" + inBase(bits, 16)) == value, "hexadecimal form reads back");
    require(readTextNumber("%" + inBase(bits, 2)) == value, "binary form reads back");
    require(readTextNumber("-" + inBase(0 - bits, 10)) == value, "negated form reads back");
    require(readTextNumber(" \t" + text) == value, "leading blanks are skipped");
    if (!onlyBlanks(text))
        require(readTextNumber(text + " 7") == value, "reading stops at a blank");
    return 0;
}
