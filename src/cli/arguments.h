#pragma once
// The command line of korvex-cli: which command, its input files and its options.
// Parsing checks only the shape (known command and options, values present, the
// right number of inputs); the commands read the values themselves.

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace korvex::cli {

struct OptionSpec {
    std::string name;      // long form, e.g. "--lang"
    std::string shortName; // e.g. "-o", or empty
    bool takesValue = true;
    bool required = false;
    bool namesInputFile = false; // the value is a file the command reads
};

// Text may go to standard output; Binary and Project need -o OUT.
enum class OutputKind { Text, Binary, Project };

struct CommandSpec {
    std::string name;
    std::vector<std::string> inputs; // names of the input files, in order
    std::vector<OptionSpec> options; // -o/--output and -h/--help come on top
    OutputKind output = OutputKind::Text;
};

// Every command, in the order the general help lists them.
const std::vector<CommandSpec>& commandSpecs();
const CommandSpec* findCommand(const std::string& name);

struct ParsedCommand {
    const CommandSpec* form = nullptr;
    std::vector<std::string> inputs;
    std::map<std::string, std::string> options; // by long name; flags hold ""

    bool has(const std::string& name) const { return options.count(name) != 0; }
    std::optional<std::string> value(const std::string& name) const;
    // Every file the command reads: the inputs and the values of file options.
    std::vector<std::string> inputFiles() const;
    // The -o file, if one was given.
    std::optional<std::string> output() const { return value("--output"); }
};

enum class Request { GeneralHelp, Version, CommandHelp, RunCommand };

struct CommandLine {
    Request request = Request::GeneralHelp;
    ParsedCommand command; // for CommandHelp and RunCommand
};

// Throws a usage CliFailure for an unknown command or option, an option given
// twice, a missing option value, a missing required option or a wrong number of
// input files. "--help" anywhere before "--" asks for the command's help.
CommandLine parseCommandLine(const std::vector<std::string>& args);

} // namespace korvex::cli
