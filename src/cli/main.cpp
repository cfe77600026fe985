// korvex-cli: converts the editor's files for build scripts, through the same
// code the editor saves with.

#include "cli/arguments.h"
#include "cli/cli_failure.h"
#include "cli/commands.h"
#include "cli/help_text.h"

#include <iostream>
#include <string>
#include <vector>

#ifndef KORVEX_VERSION
#error "the build passes KORVEX_VERSION"
#endif

int main(int argc, char** argv) {
    using namespace korvex::cli;
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    try {
        const CommandLine line = parseCommandLine(args);
        switch (line.request) {
        case Request::GeneralHelp:
            std::cout << generalHelp();
            break;
        case Request::Version:
            std::cout << "korvex-cli " << KORVEX_VERSION << '\n';
            break;
        case Request::CommandHelp:
            std::cout << commandHelp(line.command.form->name);
            break;
        case Request::RunCommand:
            runCommand(line.command);
            break;
        }
        std::cout.flush();
        return std::cout ? kExitOk : kExitInputFailure;
    } catch (const CliFailure& failure) {
        std::cerr << "korvex-cli: " << failure.message << '\n';
        if (failure.status == kExitUsage) {
            if (!failure.command.empty())
                std::cerr << "Usage: " << commandUsage(failure.command) << "\nTry 'korvex-cli "
                          << failure.command << " --help'.\n";
            else
                std::cerr << "Try 'korvex-cli --help'.\n";
        }
        return failure.status;
    } catch (const std::bad_alloc&) {
        std::cerr << "korvex-cli: out of memory\n";
        return kExitInputFailure;
    }
}
