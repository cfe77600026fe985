#include "core/picture_screen_report.h"

#include <cmath>
#include <cstdio>
#include <vector>

namespace korvex {

namespace {

struct FontFigures {
    int font = 0;
    int firstRow = 0;
    int lastRow = 0;
    int glyphs = 0;
};

// Each font with the rows it covers; a font no row shows is left out.
std::vector<FontFigures> fontFigures(const PictureScreen& converted) {
    std::vector<FontFigures> figures;
    for (const ScreenFont& font : converted.fonts) {
        FontFigures f{font.number, -1, -1, font.glyphsUsed};
        for (int row = 0; row < kScreenRows; ++row)
            if (converted.rowFont[size_t(row)] == font.number) {
                if (f.firstRow < 0)
                    f.firstRow = row;
                f.lastRow = row;
            }
        if (f.firstRow >= 0)
            figures.push_back(f);
    }
    return figures;
}

bool exactResult(const PictureScreen& converted) {
    return converted.exact || std::isinf(converted.psnr);
}

std::string formatted(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

} // namespace

std::string pictureScreenReportText(const PictureScreen& converted) {
    std::string text = exactResult(converted)
                           ? std::string("psnr: exact\n")
                           : "psnr: " + formatted("%.2f", converted.psnr) + " dB\n";
    text += "differing pixels: " + formatted("%.4f", 100 * converted.differingShare) + "%\n";
    for (const FontFigures& f : fontFigures(converted))
        text += "font " + std::to_string(f.font) + ": rows " + std::to_string(f.firstRow) + "-" +
                std::to_string(f.lastRow) + ", " + std::to_string(f.glyphs) + " glyphs\n";
    text += "merged cells: " + std::to_string(converted.mergedCells) + "\n";
    return text;
}

std::string pictureScreenReportJson(const PictureScreen& converted) {
    const bool exact = exactResult(converted);
    std::string json = std::string("{\"exact\":") + (exact ? "true" : "false") +
                       ",\"psnr_db\":" + (exact ? "null" : formatted("%.4f", converted.psnr)) +
                       ",\"differing_share\":" + formatted("%.6f", converted.differingShare) +
                       ",\"merged_cells\":" + std::to_string(converted.mergedCells) +
                       ",\"fonts\":[";
    bool first = true;
    for (const FontFigures& f : fontFigures(converted)) {
        json += first ? "" : ",";
        first = false;
        json += "{\"font\":" + std::to_string(f.font) +
                ",\"first_row\":" + std::to_string(f.firstRow) +
                ",\"last_row\":" + std::to_string(f.lastRow) +
                ",\"glyphs\":" + std::to_string(f.glyphs) + "}";
    }
    return json + "]}\n";
}

} // namespace korvex
