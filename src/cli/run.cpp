#include "cli/run.h"

#include "cli/arguments.h"
#include "cli/cli_failure.h"
#include "cli/commands.h"
#include "cli/help_text.h"

#include <new>

#ifndef KORVEX_VERSION
#error "the build passes KORVEX_VERSION"
#endif

namespace korvex::cli {

int runCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    try {
        const CommandLine line = parseCommandLine(args);
        switch (line.request) {
        case Request::GeneralHelp:
            out << generalHelp();
            break;
        case Request::Version:
            out << "korvex-cli " << KORVEX_VERSION << '\n';
            break;
        case Request::CommandHelp:
            out << commandHelp(line.command.form->name);
            break;
        case Request::RunCommand:
            runCommand(line.command);
            break;
        }
        out.flush();
        return out ? kExitOk : kExitInputFailure;
    } catch (const CliFailure& failure) {
        err << "korvex-cli: " << failure.message << '\n';
        if (failure.status == kExitUsage) {
            if (!failure.command.empty())
                err << "Usage: " << commandUsage(failure.command) << "\nTry 'korvex-cli "
                    << failure.command << " --help'.\n";
            else
                err << "Try 'korvex-cli --help'.\n";
        }
        return failure.status;
    } catch (const std::bad_alloc&) {
        err << "korvex-cli: out of memory\n";
        return kExitInputFailure;
    }
}

} // namespace korvex::cli
