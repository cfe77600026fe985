#pragma once
// What --help prints: the whole program or one command.

#include <string>

namespace korvex::cli {

std::string generalHelp();
// Empty for an unknown command.
std::string commandHelp(const std::string& command);
// The one-line usage of a command, e.g. "korvex-cli export-font FONT.fnt --lang LANG [-o OUT.txt]".
std::string commandUsage(const std::string& command);

} // namespace korvex::cli
