#pragma once
// The whole converter behind main: the arguments in, the exit status out.

#include <ostream>
#include <string>
#include <vector>

namespace korvex::cli {

// Runs the command line `args` (without the program's name). Help, the version and
// failure messages go to `out` and `err`; a command's text without -o goes to
// standard output. Returns kExitOk, kExitInputFailure or kExitUsage.
int runCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace korvex::cli
