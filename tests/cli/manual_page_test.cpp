// The manual page of korvex-cli says what its help says: the same usage lines, every
// command with the usage its help gives, and every option and language name.

#include "cli/arguments.h"
#include "cli/help_text.h"
#include "manual_page.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <set>
#include <sstream>

namespace korvex {
namespace {

const std::string kPagePath = std::string(KORVEX_SOURCE_DIR) + "/doc/korvex-cli.1.in";

// Options in a help text: words of one or two dashes and a letter, standing alone.
std::set<std::string> optionsIn(const std::string& help) {
    static const std::regex option(R"((^|[\s\[(|"])(--?[a-z][a-z0-9-]*))");
    std::set<std::string> found;
    for (auto it = std::sregex_iterator(help.begin(), help.end(), option);
         it != std::sregex_iterator(); ++it)
        found.insert((*it)[2]);
    return found;
}

// The usage forms at the head of the general help, "Usage: " taken off.
std::vector<std::string> usageForms(const std::string& help) {
    std::vector<std::string> forms;
    std::istringstream in(help);
    for (std::string line; std::getline(in, line) && !line.empty();) {
        const size_t start = line.find("korvex-cli");
        forms.push_back(line.substr(start));
    }
    return forms;
}

bool contains(const std::vector<std::string>& list, const std::string& item) {
    return std::find(list.begin(), list.end(), item) != list.end();
}

TEST(CliManualPageTest, SynopsisAndCommandsMatchTheHelp) {
    const auto page = test::readManualPage(kPagePath);
    ASSERT_FALSE(page.empty()) << kPagePath;

    EXPECT_EQ(test::manualParagraphs(test::manualSection(page, "SYNOPSIS")),
              usageForms(cli::generalHelp()));

    const auto terms = test::manualTerms(test::manualSection(page, "COMMANDS"));
    ASSERT_EQ(cli::commandSpecs().size(), 13u);
    for (const cli::CommandSpec& command : cli::commandSpecs()) {
        const std::string usage = cli::commandUsage(command.name).substr(sizeof "korvex-cli");
        EXPECT_TRUE(contains(terms, usage)) << "no entry \"" << usage << "\"";
    }
}

TEST(CliManualPageTest, EveryOptionAndLanguageOfTheHelpIsDescribed) {
    const auto page = test::readManualPage(kPagePath);
    const std::string text = test::manualText(page);

    std::string help = cli::generalHelp();
    for (const cli::CommandSpec& command : cli::commandSpecs())
        help += cli::commandHelp(command.name);
    const std::set<std::string> options = optionsIn(help);
    // A sample of what the help holds, so that a broken search cannot pass quietly.
    for (const char* known : {"-o", "--lang", "--range", "--four-colour", "--set", "--version"})
        EXPECT_TRUE(options.count(known)) << known;
    for (const std::string& option : options)
        EXPECT_TRUE(optionsIn(text).count(option)) << option << " is not in the manual page";

    // "  0 asm-dec     Assembler: ..." lines name the languages.
    static const std::regex language(R"(\n  ([0-6]) ([a-z-]+) )");
    int languages = 0;
    for (auto it = std::sregex_iterator(help.begin(), help.end(), language);
         it != std::sregex_iterator(); ++it, ++languages) {
        const std::string term = (*it)[1].str() + "  " + (*it)[2].str();
        EXPECT_TRUE(contains(test::manualTerms(test::manualSection(page, "LANGUAGES")), term))
            << term;
    }
    EXPECT_GE(languages, 7);
}

} // namespace
} // namespace korvex
