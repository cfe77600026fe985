#include "core/glyph_code.h"

namespace korvex {

std::string hexDigits(uint64_t value) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    do {
        out.insert(out.begin(), digits[value & 15]);
        value >>= 4;
    } while (value != 0);
    return out;
}

std::string codeForm(int64_t code) {
    return "$" + hexDigits(uint64_t(code)) + " (" + std::to_string(code) + ")";
}

} // namespace korvex
