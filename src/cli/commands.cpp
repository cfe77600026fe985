#include "cli/commands.h"

#include "cli/output.h"

#include <map>

namespace korvex::cli {

void runCommand(const ParsedCommand& command) {
    using Runner = void (*)(const ParsedCommand&);
    static const std::map<std::string, Runner> runners = {
        {"export-font", exportFontCommand},
        {"export-screen", exportScreenCommand},
        {"font-to-image", fontToImageCommand},
        {"image-to-font", imageToFontCommand},
        {"set-to-bin", setToBinCommand},
        {"extract", extractCommand},
        {"font-report", fontReportCommand},
        {"merge-duplicates", mergeDuplicatesCommand},
        {"screen-to-image", screenToImageCommand},
        {"display-list", displayListCommand},
        {"screen-to-tmx", screenToTmxCommand},
        {"tmx-to-screen", tmxToScreenCommand},
        {"picture-to-screen", pictureToScreenCommand},
    };
    if (const auto output = command.output())
        refuseOutputOverInputs(command.form->name, *output, command.inputFiles());
    runners.at(command.form->name)(command);
}

} // namespace korvex::cli
