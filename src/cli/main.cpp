// korvex-cli: converts the editor's files for build scripts, through the same
// code the editor saves with.

#include "cli/run.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    return korvex::cli::runCommandLine(args, std::cout, std::cerr);
}
