#pragma once
// The colour file (.col), 34 bytes: "KVXC", the six Atari register values LUM, BAK,
// PF0, PF1, PF2, PF3 as one byte each, then the six working RGB colours in the same
// order as 32-bit little-endian integers (red, green, blue, 0).

#include "core/document.h"
#include "formats/file_io.h"

namespace korvex {

// The file's size; a loader reads no further.
constexpr size_t kColourFileBytes = 4 + 6 + 6 * 4;

Bytes colourFileBytes(const Document& doc);

// Reads a colour file into AtariColour[1..6] and the working colours, then copies
// the working colours into FontColours[CurrentFont]. False, with nothing changed,
// when the magic is wrong. Bytes past the end of a short file read as 0. Only the
// low 24 bits of each stored colour are kept, so every working colour stays a plain
// RGB value (the fourth byte is 0 in every file this program writes).
bool loadColourBytes(Document& doc, ByteView bytes);

// Text for a file refused by loadColourBytes.
const char* wrongColourMagicMessage();

} // namespace korvex
