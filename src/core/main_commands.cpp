#include "core/main_commands.h"

namespace korvex {

namespace {

// Registers the mouse buttons can paint in the current display mode.
bool paintableRegister(const Document& doc, int reg) {
    if (doc.FourColourMode != 0)
        return reg >= BAK && reg <= PF3;
    return reg == LUM || reg == BAK;
}

} // namespace

bool startAnimation(Document& doc, int startIndex, int stopIndex) {
    if (startIndex < 0 || startIndex >= kSetCount || stopIndex < 0 || stopIndex >= kSetCount)
        return false;
    const int64_t first = int64_t(startIndex) + 1;
    const int64_t last = int64_t(stopIndex) + 1;
    if (first > last)
        return false;
    doc.AnimFirst = first;
    doc.AnimLast = last;
    doc.AnimRunning = 1;
    doc.AnimFrame = first;
    doc.AnimTicksLeft = (last - first) * 10;
    return true;
}

int64_t animationTick(Document& doc) {
    if (doc.AnimRunning != 1)
        return -1;
    const int64_t frame = doc.AnimFrame;
    doc.AnimFrame += 1;
    if (doc.AnimFrame > doc.AnimLast)
        doc.AnimFrame = doc.AnimFirst;
    // Only exactly 0 stops: a single-frame run starts at 0 and counts down for ever.
    doc.AnimTicksLeft -= 1;
    if (doc.AnimTicksLeft == 0)
        doc.AnimRunning = 0;
    return frame;
}

bool stepFont(Document& doc, int delta) {
    const int64_t next = doc.CurrentFont + delta;
    if (delta == 0 || next < 1 || next > kFontCount)
        return false;
    doc.CurrentFont = next;
    return true;
}

bool stepFontWithColours(Document& doc, int delta) {
    const int64_t next = doc.CurrentFont + delta;
    if (delta == 0 || next < 1 || next > kFontCount)
        return false;
    storeFontColours(doc);
    doc.CurrentFont = next;
    loadFontColours(doc, next);
    return true;
}

bool stepSet(Document& doc, int delta) {
    const int64_t next = doc.CurrentSet + delta;
    if (delta == 0 || next < 1 || next > kSetCount)
        return false;
    doc.CurrentSet = next;
    return true;
}

void switchToFourColour(Document& doc) {
    doc.FourColourMode = 1;
    doc.LeftColour = doc.SavedLeftColour4;
    doc.RightColour = doc.SavedRightColour4;
}

void switchToTwoColour(Document& doc) {
    doc.FourColourMode = 0;
    doc.SavedLeftColour4 = doc.LeftColour;
    doc.SavedRightColour4 = doc.RightColour;
    doc.LeftColour = LUM;
    doc.RightColour = BAK;
}

void functionKey(Document& doc, int n) {
    if (paintableRegister(doc, n))
        doc.LeftColour = n;
}

void swatchClick(Document& doc, int reg, int button) {
    if (!paintableRegister(doc, reg))
        return;
    if (button == 1)
        doc.LeftColour = reg;
    else if (button == 2)
        doc.RightColour = reg;
}

void toggleDrawOnSet(Document& doc) {
    doc.DrawOnSet = doc.DrawOnSet == 1 ? 0 : 1;
}

} // namespace korvex
