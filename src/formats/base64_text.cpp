#include "formats/base64_text.h"

#include <array>

namespace korvex {

namespace {

constexpr uint8_t kNotBase64 = 0xFF;
constexpr uint8_t kWhitespace = 0xFE;
constexpr uint8_t kPadding = 0xFD;

constexpr std::array<uint8_t, 256> makeDigitTable() {
    std::array<uint8_t, 256> table{};
    for (auto& entry : table)
        entry = kNotBase64;
    const char* alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    for (int i = 0; i < 64; ++i)
        table[uint8_t(alphabet[i])] = uint8_t(i);
    for (const char c : {' ', '\t', '\r', '\n'})
        table[uint8_t(c)] = kWhitespace;
    table[uint8_t('=')] = kPadding;
    return table;
}

constexpr std::array<uint8_t, 256> kDigits = makeDigitTable();

} // namespace

std::optional<Bytes> decodeBase64(std::string_view text, size_t maxBytes) {
    Bytes out;
    uint32_t group = 0; // the digits of the group read so far, 6 bits each
    int digits = 0;
    int padding = 0;
    bool ended = false; // a group with padding came: nothing but whitespace may follow
    for (const char c : text) {
        const uint8_t value = kDigits[uint8_t(c)];
        if (value == kWhitespace)
            continue;
        if (value == kNotBase64 || ended)
            return std::nullopt;
        if (value == kPadding) {
            // "=" only ends a group of which at least two digits came.
            if (digits < 2)
                return std::nullopt;
            ++padding;
            group <<= 6;
            ++digits;
        } else {
            if (padding > 0)
                return std::nullopt;
            group = (group << 6) | value;
            ++digits;
        }
        if (digits < 4)
            continue;
        const int bytes = 3 - padding;
        if (out.size() + size_t(bytes) > maxBytes)
            return std::nullopt;
        for (int i = 0; i < bytes; ++i)
            out.push_back(uint8_t(group >> (16 - 8 * i)));
        group = 0;
        digits = 0;
        ended = padding > 0;
    }
    if (digits != 0)
        return std::nullopt;
    return out;
}

} // namespace korvex
