#include "core/glyph_edit.h"

#include "core/glyph_code.h"
#include "core/hit_areas.h"

namespace korvex {

namespace {

// The glyph a code stands for in CurrentFont, or nullptr when there is none.
GlyphBytes* glyphRows(Document& doc, int64_t code) {
    const int g = glyphOfCode(code);
    if (g < 0 || doc.CurrentFont < 1 || doc.CurrentFont > kFontCount)
        return nullptr;
    return &doc.fontGlyphs(doc.CurrentFont)[g];
}

// Two-colour mode: the left button paints what shows as LUM, the other as BAK.
bool paintTwoColour(GlyphBytes& p, bool inverse, int x, int y, bool left) {
    const bool value = left != inverse;
    const bool changed = glyphPixel(p, x, y) != value;
    setGlyphPixel(p, x, y, value);
    return changed;
}

// Four-colour mode: writes the pair holding column x with the pixel values that show
// `reg`. A register the glyph kind cannot show (LUM always, PF2 on inverse codes,
// PF3 on normal codes) leaves the pixels alone.
bool paintFourColour(GlyphBytes& p, bool inverse, int x, int y, int64_t reg) {
    int first = 0, second = 0;
    switch (reg) {
    case BAK:
        break;
    case PF0:
        second = 1;
        break;
    case PF1:
        first = 1;
        break;
    case PF2:
        if (inverse)
            return false;
        first = second = 1;
        break;
    case PF3:
        if (!inverse)
            return false;
        first = second = 1;
        break;
    default:
        return false;
    }
    const int x0 = x - x % 2;
    const bool changed = glyphPair(p, x0, y) != 2 * first + second;
    setGlyphPixel(p, x0, y, first != 0);
    setGlyphPixel(p, x0 + 1, y, second != 0);
    return changed;
}

bool paintAt(Document& doc, int64_t code, int x, int y, int button) {
    GlyphBytes* p = glyphRows(doc, code);
    if (!p || x < 0 || x > 7 || y < 0 || y > 7)
        return false;
    const bool left = button == 1;
    const bool inverse = isInverseCode(code);
    if (doc.FourColourMode == 0)
        return paintTwoColour(*p, inverse, x, y, left);
    return paintFourColour(*p, inverse, x, y, left ? doc.LeftColour : doc.RightColour);
}

// The glyph's pixels before a transform, [8 * x + y].
using GlyphCopy = uint8_t[64];

// Old pixel (x, y) of the glyph, read from the unchanged copy.
uint8_t old(const GlyphCopy& was, int x, int y) {
    return was[8 * x + y];
}

// Pixel (x, y) of the new glyph for the commands that rebuild the whole glyph.
uint8_t transformedPixel(const Document& doc, const GlyphCopy& was, int command, bool fourColour,
                         int x, int y) {
    switch (command) {
    case PasteGlyph:
        return glyphPixel(doc.GlyphClipboard, x, y) ? 1 : 0;
    case RotateGlyph:
        return old(was, y, 7 - x);
    case MirrorGlyphHorizontally:
        // Four-colour pairs move as units and keep their own bit order.
        return fourColour ? old(was, 6 - (x - x % 2) + x % 2, y) : old(was, 7 - x, y);
    case MirrorGlyphVertically:
        return old(was, x, 7 - y);
    case InverseGlyph:
        return old(was, x, y) ? 0 : 1;
    case ShiftGlyphRight:
        return fourColour ? old(was, (x + 6) % 8, y) : old(was, (x + 7) % 8, y);
    case ShiftGlyphLeft:
        return fourColour ? old(was, (x + 2) % 8, y) : old(was, (x + 1) % 8, y);
    case ShiftGlyphDown:
        return old(was, x, (y + 7) % 8);
    case ShiftGlyphUp:
        return old(was, x, (y + 1) % 8);
    default: // ClearGlyph
        return 0;
    }
}

} // namespace

bool paintPixel(Document& doc, int button, int64_t hitAreaIndex) {
    if (hitAreaIndex < kEditorAreas || hitAreaIndex > kEditorAreasLast)
        return false;
    const HitArea& area = doc.HitAreas[hitAreaIndex];
    if (area.column < 0 || area.column > 7 || area.row < 0 || area.row > 7)
        return false;
    return paintAt(doc, doc.CurrentGlyph, int(area.column), int(area.row), button);
}

bool paintSetPixel(Document& doc, int64_t code, int x, int y, int button) {
    return paintAt(doc, code, x, y, button);
}

GlyphRedraw transformGlyph(Document& doc, int command) {
    GlyphBytes* target = glyphRows(doc, doc.CurrentGlyph);
    if (!target || command < PasteGlyph || command > ShiftGlyphUp)
        return GlyphRedraw::Nothing;
    GlyphBytes& p = *target;
    const bool fourColour = doc.FourColourMode != 0;

    if (command == CopyGlyph) {
        doc.GlyphClipboard = p;
        return GlyphRedraw::CopyBuffer;
    }
    if (command == RotateGlyph && fourColour)
        return GlyphRedraw::Nothing;

    // Every new pixel is computed from the unchanged old glyph, then written back.
    GlyphCopy was;
    for (int x = 0; x < 8; ++x)
        for (int y = 0; y < 8; ++y)
            was[8 * x + y] = glyphPixel(p, x, y) ? 1 : 0;
    for (int x = 0; x < 8; ++x)
        for (int y = 0; y < 8; ++y)
            setGlyphPixel(p, x, y, transformedPixel(doc, was, command, fourColour, x, y) != 0);
    return GlyphRedraw::MainWindow;
}

} // namespace korvex
