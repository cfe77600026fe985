#pragma once
// The work as the history keeps it, as one byte string: glyph pixels, sets,
// screens, each font's colours, the Atari colours, and the font names and paths.
// Two documents hold the same work when their strings are equal. The working
// colours are left out: they are the colours of the font shown, and an undo or
// redo that returns to another font loads them from that font's row.

#include "core/document.h"

#include <string>

namespace korvex::test {

inline std::string workBytes(const Document& doc) {
    std::string out;
    auto add = [&out](const void* data, size_t size) {
        out.append(static_cast<const char*>(data), size);
    };
    auto addText = [&](const std::string& text) {
        const size_t size = text.size();
        add(&size, sizeof size);
        out += text;
    };
    add(&doc.Glyphs, sizeof doc.Glyphs);
    add(&doc.Sets, sizeof doc.Sets);
    add(&doc.screens, sizeof doc.screens);
    add(&doc.rowTables, sizeof doc.rowTables);
    add(&doc.FontColours, sizeof doc.FontColours);
    add(&doc.AtariColour, sizeof doc.AtariColour);
    for (const std::string& name : doc.FontName)
        addText(name);
    for (const std::string& path : doc.FontPath)
        addText(path);
    return out;
}

} // namespace korvex::test
