#pragma once
// Reading the manual pages' source (roff with the man macros) as the plain words a
// reader sees, to compare them with the programs' help texts.

#include <fstream>
#include <string>
#include <vector>

namespace korvex::test {

// One source line: its macro ("TP", "B", "SH", ...; empty for running text) and its
// text with font changes dropped, escapes turned into the characters they print and,
// for macros, the arguments joined as the macro prints them.
struct ManualLine {
    std::string macro;
    std::string text;
};

inline std::string plainRoffText(const std::string& roff) {
    std::string out;
    for (size_t i = 0; i < roff.size(); ++i) {
        if (roff[i] != '\\' || i + 1 == roff.size()) {
            out += roff[i];
            continue;
        }
        const char next = roff[++i];
        if (next == 'f') {
            ++i; // the font letter
        } else if (next == '(' && i + 2 < roff.size()) {
            const std::string name = roff.substr(i + 1, 2);
            out += name == "mu" ? "x" : (name == "lq" || name == "rq") ? "\"" : "?";
            i += 2;
        } else if (next == '-' || next == 'e') {
            out += next == '-' ? '-' : '\\';
        } // "\&" and anything else print nothing
    }
    return out;
}

// The arguments of a macro line, quoted ones kept whole, joined with nothing
// between them (as the alternating .BR, .BI and the like print them) or with
// spaces (.B, .I, .SH).
inline std::string joinedMacroArguments(const std::string& arguments, bool withSpaces) {
    std::string joined;
    size_t i = 0;
    bool first = true;
    while (i < arguments.size()) {
        while (i < arguments.size() && arguments[i] == ' ')
            ++i;
        if (i == arguments.size())
            break;
        std::string word;
        if (arguments[i] == '"') {
            const size_t end = arguments.find('"', i + 1);
            word = arguments.substr(i + 1, end == std::string::npos ? end : end - i - 1);
            i = end == std::string::npos ? arguments.size() : end + 1;
        } else {
            const size_t end = arguments.find(' ', i);
            word = arguments.substr(i, end == std::string::npos ? end : end - i);
            i = end == std::string::npos ? arguments.size() : end;
        }
        joined += (withSpaces && !first ? " " : "") + word;
        first = false;
    }
    return plainRoffText(joined);
}

// The page's lines without comments; empty when the file cannot be read.
inline std::vector<ManualLine> readManualPage(const std::string& path) {
    std::ifstream in(path);
    std::vector<ManualLine> lines;
    for (std::string line; std::getline(in, line);) {
        if (line.starts_with(".\\\""))
            continue;
        if (!line.starts_with(".")) {
            lines.push_back({"", plainRoffText(line)});
            continue;
        }
        const size_t space = line.find(' ');
        const std::string macro = line.substr(1, space == std::string::npos ? space : space - 1);
        const std::string arguments = space == std::string::npos ? "" : line.substr(space + 1);
        lines.push_back({macro, joinedMacroArguments(arguments, macro.size() < 2 || macro == "SH" ||
                                                                    macro == "TH")});
    }
    return lines;
}

// The lines after the heading `.SH name`, up to the next heading.
inline std::vector<ManualLine> manualSection(const std::vector<ManualLine>& page,
                                             const std::string& name) {
    std::vector<ManualLine> section;
    bool inside = false;
    for (const ManualLine& line : page) {
        if (line.macro == "SH")
            inside = line.text == name;
        else if (inside)
            section.push_back(line);
    }
    return section;
}

// The texts of the lines that follow a `.TP`: the terms of a section's list.
inline std::vector<std::string> manualTerms(const std::vector<ManualLine>& lines) {
    std::vector<std::string> terms;
    for (size_t i = 0; i + 1 < lines.size(); ++i)
        if (lines[i].macro == "TP")
            terms.push_back(lines[i + 1].text);
    return terms;
}

// Running text of the lines, joined by spaces; `.br`, `.PP` and `.TP` start a new
// entry.
inline std::vector<std::string> manualParagraphs(const std::vector<ManualLine>& lines) {
    std::vector<std::string> paragraphs(1);
    for (const ManualLine& line : lines) {
        if (line.macro == "br" || line.macro == "PP" || line.macro == "TP") {
            if (!paragraphs.back().empty())
                paragraphs.emplace_back();
            continue;
        }
        if (line.text.empty())
            continue;
        paragraphs.back() += (paragraphs.back().empty() ? "" : " ") + line.text;
    }
    if (paragraphs.back().empty())
        paragraphs.pop_back();
    return paragraphs;
}

// All the page's text in one string, line by line.
inline std::string manualText(const std::vector<ManualLine>& page) {
    std::string text;
    for (const ManualLine& line : page)
        text += line.text + "\n";
    return text;
}

} // namespace korvex::test
