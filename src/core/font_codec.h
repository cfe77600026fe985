#pragma once
// Conversion between a font's pixel planes and the 1024-byte Atari form in
// FontBuffer, plus the colour rule shared by every renderer.

#include "core/document.h"

namespace korvex {

// FontBuffer -> pixel planes of font 1..10 (other fonts untouched).
void decodeFont(Document& doc, int64_t font);

// Pixel planes of font 1..10, or -1 for CurrentFont -> FontBuffer.
void encodeFont(Document& doc, int64_t font);

// The built-in Atari character set, 1024 bytes.
const uint8_t* defaultFontBytes();

// Copies the built-in font into FontBuffer (name and path untouched).
void loadDefaultFont(Document& doc);

// Register (1..6) that shows at pixel (x, y) of a code 0..255 in `font`,
// following the current display mode. In four-colour mode x is rounded down to
// the pair start. Returns 0 for a code outside 0..255.
int colourRegisterAt(const Document& doc, int64_t font, int64_t code, int x, int y);

// Register shown by pair value v (0..3) in four-colour mode for a code.
inline int fourColourRegister(int v, bool inverse) {
    switch (v) {
    case 0:
        return BAK;
    case 1:
        return PF0;
    case 2:
        return PF1;
    default:
        return inverse ? PF3 : PF2;
    }
}

} // namespace korvex
