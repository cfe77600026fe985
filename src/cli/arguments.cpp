#include "cli/arguments.h"

#include "cli/cli_failure.h"

#include <algorithm>

namespace korvex::cli {

namespace {

const OptionSpec kOutputOption{"--output", "-o", true, false};
const OptionSpec kHelpOption{"--help", "-h", false, false};

bool isHelp(const std::string& arg) {
    return arg == "--help" || arg == "-h";
}

// The option `arg` names (long or short form), or null.
const OptionSpec* findOption(const CommandSpec& spec, const std::string& arg) {
    const auto matches = [&](const OptionSpec& o) {
        return arg == o.name || (!o.shortName.empty() && arg == o.shortName);
    };
    for (const OptionSpec& o : spec.options)
        if (matches(o))
            return &o;
    if (matches(kOutputOption))
        return &kOutputOption;
    return nullptr;
}

ParsedCommand parseCommand(const CommandSpec& spec, const std::vector<std::string>& args) {
    ParsedCommand parsed;
    parsed.spec = &spec;
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            parsed.inputs.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        // "--name=value" is the same as "--name value".
        std::string name = arg;
        std::optional<std::string> attached;
        const size_t equals = arg.find('=');
        if (arg.rfind("--", 0) == 0 && equals != std::string::npos) {
            name = arg.substr(0, equals);
            attached = arg.substr(equals + 1);
        }
        const OptionSpec* option = findOption(spec, name);
        if (!option)
            usageFailure("unknown option '" + name + "' for " + spec.name, spec.name);
        if (parsed.has(option->name))
            usageFailure("option " + option->name + " given twice", spec.name);
        std::string value;
        if (option->takesValue) {
            if (attached) {
                value = *attached;
            } else if (i + 1 < args.size()) {
                value = args[++i];
            } else {
                usageFailure("option " + option->name + " needs a value", spec.name);
            }
        } else if (attached) {
            usageFailure("option " + option->name + " takes no value", spec.name);
        }
        parsed.options[option->name] = value;
    }

    if (parsed.inputs.size() < spec.inputs.size())
        usageFailure("missing input " + spec.inputs[parsed.inputs.size()], spec.name);
    if (parsed.inputs.size() > spec.inputs.size())
        usageFailure("unexpected argument '" + parsed.inputs[spec.inputs.size()] + "'", spec.name);
    for (const OptionSpec& o : spec.options)
        if (o.required && !parsed.has(o.name))
            usageFailure("missing option " + o.name, spec.name);
    if (spec.output == OutputKind::Binary && !parsed.output())
        usageFailure(spec.name + " writes binary data: name the output file with -o OUT",
                     spec.name);
    if (parsed.output() && parsed.output()->empty())
        usageFailure("the output file name is empty", spec.name);
    return parsed;
}

} // namespace

const std::vector<CommandSpec>& commandSpecs() {
    static const std::vector<CommandSpec> specs = {
        {"export-font", {"FONT.fnt"}, {{"--lang", "", true, true}}, OutputKind::Text},
        {"export-screen",
         {"FILE"},
         {{"--lang", "", true, true}, {"--screen", "", true, false}, {"--range", "", true, false}},
         OutputKind::Text},
        {"font-to-image",
         {"FONT.fnt"},
         {{"--scale", "", true, false},
          {"--four-colour", "", false, false},
          {"--colours", "", true, false, true}},
         OutputKind::Binary},
        {"image-to-font",
         {"IMAGE"},
         {{"--at", "", true, false}, {"--background", "", true, false}},
         OutputKind::Binary},
        {"set-to-bin", {"SET", "FONT.fnt"}, {{"--set", "", true, false}}, OutputKind::Binary},
        {"extract",
         {"PROJECT.proj2"},
         {{"--font", "", true, false},
          {"--sets", "", false, false},
          {"--screens", "", false, false},
          {"--colours", "", true, false}},
         OutputKind::Binary},
    };
    return specs;
}

const CommandSpec* findCommand(const std::string& name) {
    for (const CommandSpec& spec : commandSpecs())
        if (spec.name == name)
            return &spec;
    return nullptr;
}

std::optional<std::string> ParsedCommand::value(const std::string& name) const {
    const auto found = options.find(name);
    if (found == options.end())
        return std::nullopt;
    return found->second;
}

std::vector<std::string> ParsedCommand::inputFiles() const {
    std::vector<std::string> files = inputs;
    for (const OptionSpec& o : spec->options)
        if (o.namesInputFile && has(o.name))
            files.push_back(*value(o.name));
    return files;
}

CommandLine parseCommandLine(const std::vector<std::string>& args) {
    CommandLine line;
    if (args.empty())
        usageFailure("no command given");
    const std::string& first = args[0];
    if (isHelp(first) || first == "help") {
        if (first == "help" && args.size() > 1) {
            const CommandSpec* spec = findCommand(args[1]);
            if (!spec)
                usageFailure("unknown command '" + args[1] + "'");
            line.request = Request::CommandHelp;
            line.command.spec = spec;
            return line;
        }
        line.request = Request::GeneralHelp;
        return line;
    }
    if (first == "--version") {
        line.request = Request::Version;
        return line;
    }
    const CommandSpec* spec = findCommand(first);
    if (!spec)
        usageFailure("unknown command '" + first + "'");

    const std::vector<std::string> rest(args.begin() + 1, args.end());
    const auto end = std::find(rest.begin(), rest.end(), "--");
    if (std::any_of(rest.begin(), end, isHelp)) {
        line.request = Request::CommandHelp;
        line.command.spec = spec;
        return line;
    }
    line.request = Request::RunCommand;
    line.command = parseCommand(*spec, rest);
    return line;
}

} // namespace korvex::cli
