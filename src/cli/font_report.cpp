#include "cli/font_report.h"

namespace korvex::cli {

namespace {

template <typename Numbers>
std::string joined(const Numbers& numbers, const std::string& separator) {
    std::string text;
    for (const auto number : numbers) {
        if (!text.empty())
            text += separator;
        text += std::to_string(number);
    }
    return text;
}

std::vector<int64_t> totals(const GlyphUses& uses) {
    std::vector<int64_t> counts;
    for (int glyph = 0; glyph < kGlyphCount; ++glyph)
        counts.push_back(uses.total(glyph));
    return counts;
}

// "name:" and, when there is something, a space and the items.
std::string line(const std::string& name, const std::string& items) {
    return name + ":" + (items.empty() ? "" : " " + items) + "\n";
}

template <typename Numbers> std::string jsonArray(const Numbers& numbers) {
    return "[" + joined(numbers, ",") + "]";
}

} // namespace

std::string fontReportText(const FontReport& report) {
    std::vector<std::string> groups;
    for (const GlyphGroup& group : report.duplicates)
        groups.push_back(joined(group, ","));
    std::string groupText;
    for (const std::string& group : groups)
        groupText += (groupText.empty() ? "" : " ") + group;

    std::string text = line("duplicates", groupText) + line("empty", joined(report.empty, " "));
    if (report.uses)
        text += line("uses", joined(totals(*report.uses), " ")) +
                line("unused", joined(unusedGlyphs(*report.uses), " "));
    return text;
}

std::string fontReportJson(const FontReport& report) {
    std::string groups;
    for (const GlyphGroup& group : report.duplicates)
        groups += (groups.empty() ? "" : ",") + jsonArray(group);
    std::string json = "{\"duplicates\":[" + groups + "],\"empty\":" + jsonArray(report.empty);
    if (report.uses)
        json += ",\"uses\":" + jsonArray(totals(*report.uses)) +
                ",\"unused\":" + jsonArray(unusedGlyphs(*report.uses));
    return json + "}\n";
}

} // namespace korvex::cli
