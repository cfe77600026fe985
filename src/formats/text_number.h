#pragma once
// Reading a number written by hand in a text field: "12", "-1", "+7", "$FF" (hex),
// "%101" (binary). Leading spaces and tabs are skipped, reading stops at the first
// character that does not belong to the number, and no digits at all give 0.
// Values too large for 64 bits wrap modulo 2^64 (never undefined behaviour); the
// caller then cuts the result to the width of its target.

#include <cstdint>
#include <string_view>

namespace korvex {

int64_t readTextNumber(std::string_view text);

// A memory address 0..65535 typed as a whole: decimal, "$" hexadecimal or "%"
// binary, with an optional leading "+" and nothing else. False for anything else,
// `out` then unchanged.
bool readAddress(std::string_view text, int& out);

// The number cut to the width of a target, keeping the low bits.
inline uint8_t asByte(int64_t v) {
    return uint8_t(uint64_t(v) & 0xFFu);
}
inline int16_t asInt16(int64_t v) {
    return int16_t(uint16_t(uint64_t(v) & 0xFFFFu));
}
inline int32_t asInt32(int64_t v) {
    return int32_t(uint32_t(uint64_t(v) & 0xFFFFFFFFu));
}

} // namespace korvex
