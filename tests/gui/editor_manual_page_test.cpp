// The manual page of the editor says what `korvex --help` says: the same usage, the
// same one-line summary, every file kind and every option with its description.

#include "app/editor_arguments.h"
#include "manual_page.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>

namespace korvex {
namespace {

const std::string kPagePath = std::string(KORVEX_SOURCE_DIR) + "/doc/korvex.1.in";

// What `korvex --help` prints.
const std::string kEditorHelp = editorHelpText();

std::vector<std::string> helpLines() {
    std::vector<std::string> lines;
    std::istringstream in(kEditorHelp);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

TEST(EditorManualPageTest, UsageAndSummaryMatchTheHelp) {
    const auto page = test::readManualPage(kPagePath);
    ASSERT_FALSE(page.empty()) << kPagePath;
    const auto help = helpLines();

    EXPECT_EQ(test::manualParagraphs(test::manualSection(page, "SYNOPSIS")),
              std::vector<std::string>{help[0].substr(std::string("Usage: ").size())});

    // "korvex - edit ... computers" against "Edit ... computers."
    std::string summary = help[1];
    summary[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(summary[0])));
    summary.pop_back();
    EXPECT_EQ(test::manualParagraphs(test::manualSection(page, "NAME")),
              std::vector<std::string>{"korvex - " + summary});
}

TEST(EditorManualPageTest, EveryFileKindAndOptionIsDescribed) {
    const auto page = test::readManualPage(kPagePath);
    const auto description = test::manualSection(page, "DESCRIPTION");
    std::string fileKinds;
    for (const std::string& term : test::manualTerms(description))
        fileKinds += term + ", ";

    static const std::regex extension(R"([ (](\.[a-z0-9]+)\b)");
    int extensions = 0;
    for (auto it = std::sregex_iterator(kEditorHelp.begin(), kEditorHelp.end(), extension);
         it != std::sregex_iterator(); ++it, ++extensions)
        EXPECT_NE(fileKinds.find((*it)[1].str() + ","), std::string::npos)
            << (*it)[1] << " has no entry among the file kinds: " << fileKinds;
    EXPECT_EQ(extensions, 9);

    // "  -h, --help     show this help and exit": the term and, below it, its text.
    const auto options = test::manualSection(page, "OPTIONS");
    const auto terms = test::manualTerms(options);
    const auto paragraphs = test::manualParagraphs(options);
    static const std::regex option(R"(^  (-[a-z], --[a-z-]+) +(.+)$)");
    int described = 0;
    for (const std::string& line : helpLines()) {
        std::smatch match;
        if (!std::regex_match(line, match, option))
            continue;
        ++described;
        EXPECT_NE(std::find(terms.begin(), terms.end(), match[1].str()), terms.end()) << match[1];
        EXPECT_NE(
            std::find(paragraphs.begin(), paragraphs.end(), match[1].str() + " " + match[2].str()),
            paragraphs.end())
            << match[0];
    }
    EXPECT_EQ(described, 2);
    EXPECT_EQ(terms.size(), 2u) << "the page describes options the help does not have";
}

} // namespace
} // namespace korvex
