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
const OptionSpec* findOption(const CommandSpec& form, const std::string& arg) {
    const auto matches = [&](const OptionSpec& o) {
        return arg == o.name || (!o.shortName.empty() && arg == o.shortName);
    };
    for (const OptionSpec& o : form.options)
        if (matches(o))
            return &o;
    if (matches(kOutputOption))
        return &kOutputOption;
    return nullptr;
}

ParsedCommand parseCommand(const CommandSpec& form, const std::vector<std::string>& args) {
    ParsedCommand parsed;
    parsed.form = &form;
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
        const OptionSpec* option = findOption(form, name);
        if (!option)
            usageFailure("unknown option '" + name + "' for " + form.name, form.name);
        if (parsed.has(option->name))
            usageFailure("option " + option->name + " given twice", form.name);
        std::string value;
        if (option->takesValue) {
            if (attached) {
                value = *attached;
            } else if (i + 1 < args.size()) {
                value = args[++i];
            } else {
                usageFailure("option " + option->name + " needs a value", form.name);
            }
        } else if (attached) {
            usageFailure("option " + option->name + " takes no value", form.name);
        }
        parsed.options[option->name] = value;
    }

    if (parsed.inputs.size() < form.inputs.size())
        usageFailure("missing input " + form.inputs[parsed.inputs.size()], form.name);
    if (parsed.inputs.size() > form.inputs.size())
        usageFailure("unexpected argument '" + parsed.inputs[form.inputs.size()] + "'", form.name);
    for (const OptionSpec& o : form.options)
        if (o.required && !parsed.has(o.name))
            usageFailure("missing option " + o.name, form.name);
    if (form.output != OutputKind::Text && !parsed.output())
        usageFailure(
            form.name +
                (form.output == OutputKind::Binary ? " writes binary data" : " writes a project") +
                ": name the output file with -o OUT (-o - for standard output)",
            form.name);
    if (parsed.output() && parsed.output()->empty())
        usageFailure("the output file name is empty", form.name);
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
        {"font-report",
         {"FONT.fnt"},
         {{"--project", "", true, false, true},
          {"--font", "", true, false},
          {"--inverse", "", false, false},
          {"--mirror", "", false, false},
          {"--json", "", false, false}},
         OutputKind::Text},
        {"merge-duplicates", {"PROJECT.proj2"}, {{"--font", "", true, true}}, OutputKind::Project},
        {"screen-to-image",
         {"PROJECT.proj2"},
         {{"--screen", "", true, true},
          {"--font", "", true, false},
          {"--mode", "", true, false},
          {"--scale", "", true, false}},
         OutputKind::Binary},
        {"display-list",
         {"PROJECT.proj2"},
         {{"--screen", "", true, true},
          {"--screen-address", "", true, true},
          {"--dl-address", "", true, true},
          {"--font-address", "", true, true},
          {"--font", "", true, false},
          {"--mode", "", true, false},
          {"--lang", "", true, false}},
         OutputKind::Text},
        {"screen-to-tmx",
         {"PROJECT.proj2"},
         {{"--screen", "", true, true}, {"--font", "", true, false}, {"--mode", "", true, false}},
         OutputKind::Binary},
        {"tmx-to-screen",
         {"MAP.tmx"},
         {{"--into", "", true, true, true}, {"--screen", "", true, true}},
         OutputKind::Project},
        {"picture-to-screen",
         {"IMAGE"},
         {{"--into", "", true, false, true},
          {"--screen", "", true, false},
          {"--mode", "", true, false},
          {"--fonts", "", true, false},
          {"--first-font", "", true, false},
          {"--dither", "", false, false},
          {"--json", "", false, false}},
         OutputKind::Project},
    };
    return specs;
}

const CommandSpec* findCommand(const std::string& name) {
    for (const CommandSpec& form : commandSpecs())
        if (form.name == name)
            return &form;
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
    for (const OptionSpec& o : form->options)
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
            const CommandSpec* form = findCommand(args[1]);
            if (!form)
                usageFailure("unknown command '" + args[1] + "'");
            line.request = Request::CommandHelp;
            line.command.form = form;
            return line;
        }
        line.request = Request::GeneralHelp;
        return line;
    }
    if (first == "--version") {
        line.request = Request::Version;
        return line;
    }
    const CommandSpec* form = findCommand(first);
    if (!form)
        usageFailure("unknown command '" + first + "'");

    const std::vector<std::string> rest(args.begin() + 1, args.end());
    const auto end = std::find(rest.begin(), rest.end(), "--");
    if (std::any_of(rest.begin(), end, isHelp)) {
        line.request = Request::CommandHelp;
        line.command.form = form;
        return line;
    }
    line.request = Request::RunCommand;
    line.command = parseCommand(*form, rest);
    return line;
}

} // namespace korvex::cli
