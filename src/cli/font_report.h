#pragma once
// The report of font-report, as text or as JSON. Both hold the same facts:
//
//   duplicates: 3,7 5,40,90      groups (codes joined by ",", groups by " ")
//   empty: 100 101               glyphs with no pixel set
//   uses: 8638 0 2 ...           with a project: 128 use counts, glyph 0 first
//   unused: 1 3 4 ...            with a project: glyphs no set or screen uses
//
// Codes are decimal glyph codes 0..127, ascending; groups come in ascending order of
// their first code. A list with nothing in it leaves nothing after the colon. Every
// line ends in LF. The JSON form is one object on one line:
//   {"duplicates":[[3,7],[5,40,90]],"empty":[100,101],"uses":[...],"unused":[...]}
// where "uses" and "unused" appear only with a project.

#include "core/glyph_duplicates.h"
#include "core/glyph_usage.h"

#include <optional>
#include <string>
#include <vector>

namespace korvex::cli {

struct FontReport {
    std::vector<GlyphGroup> duplicates;
    std::vector<int> empty;
    std::optional<GlyphUses> uses; // with a project
};

std::string fontReportText(const FontReport& report);
std::string fontReportJson(const FontReport& report);

} // namespace korvex::cli
