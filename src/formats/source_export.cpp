#include "formats/source_export.h"

#include "core/font_codec.h"
#include "core/glyph_code.h"
#include "core/screens.h"
#include "formats/range_rect.h"

#include <cstdint>

namespace korvex {

namespace {

using Row = std::vector<uint8_t>;

// What the templates need to know about the exported data.
struct ExportData {
    std::string kind;      // "font", "screen" or "range"
    std::string upperKind; // "FONT", "SCREEN" or "RANGE"
    std::string pascalValueSeparator;
    int cellCount = 0;
    std::vector<Row> rows;
};

std::string decimal(uint8_t v) {
    return std::to_string(v);
}
std::string hexadecimal(uint8_t v) {
    return "$" + hexDigits(v);
}

// Values of a row, each followed by `separator` except the last.
std::string joined(const Row& row, const std::string& separator, bool hex) {
    std::string out;
    for (size_t i = 0; i < row.size(); ++i) {
        if (i > 0)
            out += separator;
        out += hex ? hexadecimal(row[i]) : decimal(row[i]);
    }
    return out;
}

std::vector<std::string> render(const ExportData& data, int language) {
    std::vector<std::string> lines;
    const auto& rows = data.rows;
    const size_t last = rows.size() - 1; // only used when rows is not empty
    switch (language) {
    case 0:
    case 1:
        lines.push_back(data.upperKind);
        for (const Row& row : rows)
            lines.push_back("    .BYTE " + joined(row, ",", language == 1));
        break;
    case 2:
    case 3:
        lines.push_back("PROC " + data.kind + "()=[");
        for (const Row& row : rows)
            lines.push_back(joined(row, " ", language == 3));
        lines.push_back("]");
        lines.push_back("MODULE");
        break;
    case 4:
        lines.push_back("10000 REM .oO DATA " + data.upperKind + " Oo.");
        for (size_t k = 0; k < rows.size(); ++k)
            lines.push_back(std::to_string(10010 + 10 * k) + " DATA " +
                            joined(rows[k], ",", false));
        break;
    case 5: {
        const int lastIndex = data.cellCount > 0 ? data.cellCount - 1 : 0;
        lines.push_back("kvx_" + data.kind + ": array [0.." + std::to_string(lastIndex) +
                        "] of byte = (");
        for (size_t k = 0; k < rows.size(); ++k) {
            std::string line = "\t" + joined(rows[k], data.pascalValueSeparator, true);
            if (k != last)
                line += ",";
            lines.push_back(line);
        }
        lines.push_back(");");
        break;
    }
    case 6:
        for (size_t k = 0; k < rows.size(); ++k) {
            std::string line = k == 0 ? "data " + data.kind + "() byte = " : "data byte = ";
            line += joined(rows[k], ",", false);
            if (k != last)
                line += ",";
            lines.push_back(line);
        }
        break;
    default:
        break;
    }
    return lines;
}

ExportData fontData(const Document& doc) {
    ExportData data{"font", "FONT", ", ", kFontBytes, {}};
    for (int g = 0; g < kGlyphCount; ++g)
        data.rows.emplace_back(doc.FontBuffer + 8 * g, doc.FontBuffer + 8 * g + 8);
    return data;
}

ExportData screenData(const Document& doc) {
    const int screen = doc.currentScreen;
    if (doc.exportKind != "range") {
        ExportData data{"screen", "SCREEN", ",", kScreenCells, {}};
        for (int y = 0; y < kScreenRows; ++y) {
            Row row;
            for (int x = 0; x < kScreenColumns; ++x)
                row.push_back(getCell(doc, screen, x, y));
            data.rows.push_back(std::move(row));
        }
        return data;
    }
    const ClippedRange r = clippedRange(doc);
    ExportData data{"range", "RANGE", ",", r.cells(), {}};
    if (r.cells() == 0)
        return data;
    for (int y = r.y; y < r.y + r.height; ++y) {
        Row row;
        for (int x = r.x; x < r.x + r.width; ++x)
            row.push_back(getCell(doc, screen, x, y));
        data.rows.push_back(std::move(row));
    }
    return data;
}

} // namespace

const std::vector<std::string>& exportLanguageNames() {
    static const std::vector<std::string> names = {
        "Assembler: Byte in decimal",
        "Assembler: Byte in hexadecimal",
        "Action!: Byte in decimal",
        "Action!: Byte in hexadecimal",
        "Atari Basic",
        "MadPascal: Array byte in hexadecimal",
        "FastBasic",
    };
    return names;
}

int exportLanguageFromName(const std::string& name) {
    static const char* const keys[kExportLanguageCount] = {
        "asm-dec", "asm-hex", "action-dec", "action-hex", "basic", "madpascal", "fastbasic"};
    for (int i = 0; i < kExportLanguageCount; ++i)
        if (name == keys[i] || name == std::to_string(i))
            return i;
    return -1;
}

std::vector<std::string> generateFontExport(Document& doc, int language) {
    if (language < 0 || language >= kExportLanguageCount)
        return {};
    encodeFont(doc, -1);
    return render(fontData(doc), language);
}

std::vector<std::string> generateScreenExport(const Document& doc, int language) {
    return render(screenData(doc), language);
}

std::vector<std::string> generateExport(Document& doc, int language) {
    if (doc.exportKind.empty())
        return generateFontExport(doc, language);
    return generateScreenExport(doc, language);
}

} // namespace korvex
