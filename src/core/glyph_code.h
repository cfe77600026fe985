#pragma once
// Glyph codes: 0..127 are glyphs, 128..255 the inverse forms of glyph code - 128.
// Set cells may hold any 16-bit value after a file load, so every path from a
// code to a glyph goes through glyphOfCode, which refuses codes outside 0..255.

#include <cstdint>
#include <string>

namespace korvex {

// Glyph slot 0..127 of a code 0..255, or -1 for anything else (empty cell, bad data).
inline int glyphOfCode(int64_t code) {
    if (code < 0 || code > 255)
        return -1;
    return int(code & 127);
}

inline bool isInverseCode(int64_t code) {
    return code >= 128 && code <= 255;
}

// "$" + upper-case hex of the 64-bit two's-complement value + " (" + decimal + ")".
std::string codeForm(int64_t code);

// Upper-case hexadecimal without leading zeros ("0" for zero).
std::string hexDigits(uint64_t value);

} // namespace korvex
