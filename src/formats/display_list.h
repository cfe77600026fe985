#pragma once
// The ANTIC display list of a screen with a row table, as assembler source text,
// with the tables a display-list interrupt routine loads between rows.
//
// The list: three "8 blank lines" instructions ($70), row 0 as its mode + $40 (load
// memory scan) and the screen address (low byte, high byte), rows 1..23 as their
// mode byte (2, 4 or 5), and $41 (jump and wait for vertical blank) with the list's
// own address: 32 bytes. A row's byte has $80 added (interrupt at the row's end)
// when the next row has another font or other colours.
//
// Then two tables for the interrupt routine: the CHBASE value of every row (the
// high byte of its font's address) and the five colour registers of every row in
// hardware order COLPF0, COLPF1, COLPF2, COLPF3, COLBK. A four-colour row loads PF0,
// PF1, PF2, PF3 and BAK of its colour set. A two-colour row shows its set bits in
// COLPF2's hue at COLPF1's luminance on COLPF2, so it loads PF0, LUM, BAK, PF3 and
// BAK: the colours the editor draws it in, up to the hue of LUM. Colour values are
// the palette entries of the RGB colours the rows are drawn in (atariValueOfRgb).

#include "core/document.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace korvex {

constexpr int kDisplayListBytes = 32;
constexpr int kFontAlignment = 1024;      // a font starts on a 1 KB boundary
constexpr int kDisplayListWindow = 1024;  // a display list stays inside one 1 KB block
constexpr int kScreenMemoryWindow = 4096; // screen memory stays inside one 4 KB block
constexpr int kRowColourRegisters = 5;    // COLPF0..COLPF3, COLBK
constexpr int kNoFontAddress = -1;

struct DisplayListRequest {
    int screen = 0;
    int followFont = 1;            // what rows with font 0 show
    bool followFourColour = false; // what rows with mode 0 show
    int screenAddress = 0;         // 0..65535
    int listAddress = 0;           // 0..65535
    // By font 1..10 (index 0 unused): 0..65535, or kNoFontAddress.
    std::array<int, kFontCount + 1> fontAddresses{};
    DisplayListRequest() { fontAddresses.fill(kNoFontAddress); }
};

struct DisplayList {
    std::array<uint8_t, kDisplayListBytes> list{};
    std::array<uint8_t, kScreenRows> chbase{};
    std::array<std::array<uint8_t, kRowColourRegisters>, kScreenRows> colours{};
    int scanlines = 0; // of the screen's rows, without the 24 blank ones on top
};

// Why the request cannot give a working display list, or "" when it can. Checked:
// the screen number, that every font a row shows has an address, that font
// addresses are multiples of 1024, that the list does not cross a 1 KB boundary and
// that the screen memory (960 bytes) does not cross a 4 KB boundary (the list has
// one load memory scan), and that neither runs past $FFFF.
std::string displayListProblem(const Document& doc, const DisplayListRequest& request);

// The bytes and tables; only for a request displayListProblem accepts.
DisplayList buildDisplayList(const Document& doc, const DisplayListRequest& request);

// The list and the tables as source text in the assembler syntax of the export
// window (language 0 decimal, 1 hexadecimal): labels DISPLAY_LIST, ROW_CHBASE and
// ROW_COLORS, each followed by .BYTE lines.
std::vector<std::string> displayListSource(const DisplayList& list, bool hex);

} // namespace korvex
