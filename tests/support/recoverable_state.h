#pragma once
// The state a recovery copy must bring back, as text, so two documents can be
// compared in one assertion (and across processes), with a readable difference.
// Written field by field from the document, independently of the file formats.

#include "core/document.h"

#include <sstream>
#include <string>

namespace korvex::test {

inline std::string recoverableState(const Document& doc) {
    std::ostringstream out;
    out << "multi view:";
    for (int r = 1; r <= 5; ++r)
        out << ' ' << doc.MultiViewFonts[r];
    out << "\nview editor: " << int(doc.gridShown) << ' ' << int(doc.setDrawing) << ' '
        << int(doc.alwaysOnTop) << ' ' << int(doc.rangeMode) << ' ' << doc.rangeModeOther << ' '
        << int(doc.rangeX) << ' ' << int(doc.rangeY) << ' ' << int(doc.rangeWidth) << ' '
        << int(doc.rangeHeight) << '\n';
    for (int f = 1; f <= kFontCount; ++f) {
        out << "font " << f << " [" << doc.FontName[f] << "] colours";
        for (int r = 1; r <= 6; ++r)
            out << ' ' << doc.FontColours[f][r];
        out << "\n pixels ";
        for (int g = 0; g < kGlyphCount; ++g)
            for (int y = 0; y < 8; ++y)
                for (int x = 0; x < 8; ++x)
                    out << char('0' + doc.pixel(f, g, x, y));
        out << '\n';
    }
    for (int s = 1; s <= kSetCount; ++s) {
        out << "set " << s << ':';
        for (int c = 0; c < kSetCells; ++c)
            out << ' ' << doc.Sets[s][c];
        out << '\n';
    }
    out << "screens:";
    for (const uint8_t cell : doc.screens)
        out << ' ' << int(cell);
    out << "\ncurrent font " << doc.CurrentFont << ", set " << doc.CurrentSet << ", glyph "
        << doc.CurrentGlyph << "\nworking colours";
    for (int r = LUM; r <= PF3; ++r)
        out << ' ' << workingColour(doc, r);
    out << "\nregister values";
    for (int r = LUM; r <= PF3; ++r)
        out << ' ' << doc.AtariColour[r];
    out << '\n';
    return out.str();
}

} // namespace korvex::test
