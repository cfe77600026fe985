#include "core/document.h"

#include "core/font_codec.h"

namespace korvex {

namespace {
constexpr int64_t kStartColours[7] = {0,        0xEEEEEE, 0x000000, 0x1F77C2,
                                      0x1BB747, 0xCF772C, 0x7B1495};
constexpr int64_t kStartAtariColours[7] = {0, 14, 0, 24, 184, 134, 68};
} // namespace

int64_t& workingColour(Document& doc, int64_t reg) {
    switch (reg) {
    case LUM:
        return doc.ColourLUM;
    case PF0:
        return doc.ColourPF0;
    case PF1:
        return doc.ColourPF1;
    case PF2:
        return doc.ColourPF2;
    case PF3:
        return doc.ColourPF3;
    default:
        return doc.ColourBAK;
    }
}

int64_t workingColour(const Document& doc, int64_t reg) {
    return workingColour(const_cast<Document&>(doc), reg);
}

void storeFontColours(Document& doc) {
    if (doc.CurrentFont < 1 || doc.CurrentFont > kFontCount)
        return;
    for (int r = 1; r <= 6; ++r)
        doc.FontColours[doc.CurrentFont][r] = workingColour(doc, r);
}

void loadFontColours(Document& doc, int64_t font) {
    if (font < 1 || font > kFontCount)
        return;
    for (int r = 1; r <= 6; ++r)
        workingColour(doc, r) = doc.FontColours[font][r];
}

void setStartValues(Document& doc) {
    doc.CurrentGlyph = -1;
    for (int r = 1; r <= 6; ++r)
        workingColour(doc, r) = kStartColours[r];
    for (int f = 1; f <= kFontCount; ++f)
        for (int r = 1; r <= 6; ++r)
            doc.FontColours[f][r] = kStartColours[r];

    doc.FontName[1] = "Default.fnt";
    for (int f = 2; f <= kFontCount; ++f)
        doc.FontName[f] = "Empty.fnt";

    const int64_t rows[6] = {0, 0, 1, 10, 10, 10};
    for (int r = 0; r <= 5; ++r)
        doc.MultiViewFonts[r] = rows[r];

    doc.rangeWidth = 5;
    doc.rangeHeight = 5;
}

void prepareFontsAndSets(Document& doc) {
    for (auto& set : doc.Sets)
        for (int c = 0; c < kSetCells; ++c)
            set[c] = -1;
    loadDefaultFont(doc);
    decodeFont(doc, doc.CurrentFont);
}

void setStartRegisterValues(Document& doc) {
    for (int r = 1; r <= 6; ++r)
        doc.AtariColour[r] = kStartAtariColours[r];
}

void initDocument(Document& doc) {
    setStartValues(doc);
    prepareFontsAndSets(doc);
    setStartRegisterValues(doc);
    doc.CurrentGlyph = 1;
}

} // namespace korvex
