#pragma once
// The main window's state changes that need no window: the set animation,
// stepping through fonts and sets, the display mode, the colour choice of the
// mouse buttons and the "Draw on SET" switch. The caller redraws afterwards.

#include "core/document.h"

namespace korvex {

// "Start": startIndex and stopIndex are the selected items (0 = set 1) of the two
// animation boxes. Returns false and changes nothing when the start frame lies
// after the stop frame (or an index is outside 0..99); otherwise (re)starts the
// animation.
bool startAnimation(Document& doc, int startIndex, int stopIndex);

// One tick of the animation timer: returns the set to draw now and advances the
// frame, or returns -1 when the animation is not running. A single-frame
// animation has no ticks left to count down and so never stops by itself.
int64_t animationTick(Document& doc);

// Menu items "Next"/"Previous" and the arrow keys: CurrentFont += delta when the
// result stays within 1..10; colours untouched. Returns whether it changed.
bool stepFont(Document& doc, int delta);

// Font buttons "<" / ">": as stepFont, and the working colours are stored into the
// old font's row of FontColours and loaded from the new font's row.
bool stepFontWithColours(Document& doc, int delta);

// Set "Next"/"Previous": CurrentSet += delta within 1..100. Returns whether it changed.
bool stepSet(Document& doc, int delta);

// Display mode switch. Four-colour mode brings back the buttons' four-colour
// registers; two-colour mode keeps them aside and starts with LUM / BAK.
void switchToFourColour(Document& doc);
void switchToTwoColour(Document& doc);

// F1..F6 (n = 1..6): chooses the left button's register if the mode can show it
// (four-colour: BAK..PF3 with F2..F6; two-colour: LUM with F1, BAK with F2).
void functionKey(Document& doc, int n);

// Click on the swatch of register 1..6: button 1 chooses the left button's
// register, button 2 the right one's, if the mode can paint that register.
void swatchClick(Document& doc, int reg, int button);

// Key D / the "Draw on SET" box.
void toggleDrawOnSet(Document& doc);

} // namespace korvex
