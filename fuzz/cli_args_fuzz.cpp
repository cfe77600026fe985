// The command line of korvex-cli: arguments separated by NUL bytes. Parsing either
// refuses them with a usage failure or gives a command; a command written out again
// in canonical form ("--name=value" options, then "--" and the inputs) parses to the
// same command, and reading its option values never does worse than refusing them.

#include "cli/arguments.h"
#include "cli/cli_failure.h"
#include "cli/option_values.h"
#include "fuzz_support.h"

#include <climits>
#include <string>
#include <vector>

using namespace korvex;
using namespace korvex::cli;
using namespace korvex::fuzz;

namespace {

std::vector<std::string> splitArguments(const uint8_t* data, size_t size) {
    std::vector<std::string> args(1);
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0)
            args.emplace_back();
        else
            args.back() += char(data[i]);
    }
    return args;
}

// Whether the command's option `name` is a flag; -o/--output, common to all, is not.
bool isFlag(const CommandSpec& form, const std::string& name) {
    for (const OptionSpec& option : form.options)
        if (option.name == name)
            return !option.takesValue;
    return false;
}

std::vector<std::string> canonicalForm(const ParsedCommand& command) {
    std::vector<std::string> args{command.form->name};
    for (const auto& [name, value] : command.options)
        args.push_back(isFlag(*command.form, name) ? name : name + "=" + value);
    args.push_back("--");
    args.insert(args.end(), command.inputs.begin(), command.inputs.end());
    return args;
}

// Runs one reader of option values; a usage failure is a fine answer.
template <typename Read> void tryReading(Read read) {
    try {
        read();
    } catch (const CliFailure& failure) {
        require(failure.status == kExitUsage, "a bad option value is a usage failure");
    }
}

void readEveryValue(const ParsedCommand& command) {
    for (const auto& option : command.options) {
        const std::string& name = option.first;
        int number = 0;
        readWholeNumber(option.second, INT_MIN + 1, INT_MAX, number);
        tryReading([&] { numberOption(command, name, -1000, 1000, 0); });
        tryReading([&] { numberListOption(command, name, {0, 0}, {319, 191}); });
        tryReading([&] { numberListOption(command, name, {0, 0, 1, 1}, {39, 23, 40, 24}); });
        tryReading([&] { colourOption(command, name, 0); });
    }
    if (command.has("--lang"))
        tryReading([&] { languageOption(command); });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CommandLine line;
    try {
        line = parseCommandLine(splitArguments(data, size));
    } catch (const CliFailure& failure) {
        require(failure.status == kExitUsage && !failure.message.empty(),
                "a refused command line is a usage failure with a message");
        return 0;
    }
    if (line.request != Request::RunCommand)
        return 0;
    readEveryValue(line.command);

    CommandLine again;
    try {
        again = parseCommandLine(canonicalForm(line.command));
    } catch (const CliFailure&) {
        require(false, "a command written out again parses");
    }
    require(again.request == Request::RunCommand && again.command.form == line.command.form &&
                again.command.inputs == line.command.inputs &&
                again.command.options == line.command.options,
            "a command written out again parses to the same command");
    return 0;
}
