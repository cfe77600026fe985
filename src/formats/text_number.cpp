#include "formats/text_number.h"

namespace korvex {

static int digitValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return 99;
}

int64_t readTextNumber(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    unsigned base = 10;
    if (i < text.size() && text[i] == '$') {
        base = 16;
        ++i;
    } else if (i < text.size() && text[i] == '%') {
        base = 2;
        ++i;
    }
    // Unsigned arithmetic wraps instead of overflowing.
    uint64_t value = 0;
    if (base == 10) {
        // Files hold thousands of plain decimal numbers: only digits can follow.
        for (; i < text.size(); ++i) {
            const unsigned d = static_cast<unsigned char>(text[i]) - unsigned('0');
            if (d > 9)
                break;
            value = value * 10 + d;
        }
    } else {
        for (; i < text.size(); ++i) {
            const int d = digitValue(text[i]);
            if (d >= int(base))
                break;
            value = value * base + uint64_t(d);
        }
    }
    if (negative)
        value = 0 - value;
    return int64_t(value);
}

bool readAddress(std::string_view text, int& out) {
    constexpr int64_t kLastAddress = 0xFFFF;
    constexpr size_t kLongest = 17; // "%" and sixteen binary digits
    size_t i = !text.empty() && text[0] == '+' ? 1 : 0;
    int base = 10;
    if (i < text.size() && (text[i] == '$' || text[i] == '%')) {
        base = text[i] == '$' ? 16 : 2;
        ++i;
    }
    if (i >= text.size() || text.size() > kLongest + 1)
        return false;
    int64_t value = 0;
    for (; i < text.size(); ++i) {
        const int digit = digitValue(text[i]);
        if (digit >= base)
            return false;
        value = value * base + digit;
    }
    if (value > kLastAddress)
        return false;
    out = int(value);
    return true;
}

} // namespace korvex
