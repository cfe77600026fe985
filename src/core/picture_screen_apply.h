#pragma once
// Writing a picture conversion into the work: the glyphs of each font it uses, the
// fonts' colour sets, one screen's codes and that screen's row table. The caller
// makes it one undo step (History begin / commit around it).

#include "core/document.h"
#include "core/picture_screen.h"

namespace korvex {

// Writes `converted` into screen 0..8 (another screen number changes nothing). Every
// glyph of every font used is written, the unused ones cleared; fonts outside the
// conversion keep everything. When the current font is among them, the working
// colours and the registers' Atari values become its new colour set.
void applyPictureScreen(Document& doc, const PictureScreen& converted, int screen);

// The Atari values of the colours the current font is drawn in now (its working
// colours), for a conversion that keeps them: a register's stored value where it
// still gives that colour, otherwise the palette's value of the colour.
ColourRegisters currentColourRegisters(const Document& doc);

} // namespace korvex
