// font-report: the duplicate and empty glyphs of a font and, with a project, how
// often its sets and screens use each glyph.

#include "cli/cli_failure.h"
#include "cli/commands.h"
#include "cli/document_inputs.h"
#include "cli/font_report.h"
#include "cli/option_values.h"
#include "cli/output.h"
#include "cli/project_input.h"

namespace korvex::cli {

void fontReportCommand(const ParsedCommand& command) {
    const bool withProject = command.has("--project");
    if (withProject != command.has("--font"))
        usageFailure("--project and --font go together: --project P.proj2 --font N",
                     command.form->name);
    const int font = numberOption(command, "--font", 1, kFontCount, 1);
    const bool mirror = command.has("--mirror");
    const DuplicateOptions options{command.has("--inverse"), mirror, mirror, false};

    auto doc = startUpDocument();
    if (withProject) {
        std::vector<std::string> keys = numberedKeys("SET_", 1, kSetCount);
        for (const std::string& key : numberedKeys("SCREEN_", 0, kScreenCount - 1))
            keys.push_back(key);
        loadProjectInput(*doc, *command.value("--project"), keys,
                         "sets or screens (no SET_ or SCREEN_ lines)");
    }
    // The font takes the place of the project's font N, as "Load Font" would put it
    // there with that font current.
    doc->CurrentFont = font;
    loadFontInput(*doc, command.inputs[0]);

    FontReport report;
    report.duplicates = findDuplicateGroups(*doc, font, options);
    report.empty = emptyGlyphs(*doc, font);
    if (withProject)
        report.uses = countGlyphUses(*doc);
    writePlainText(command.output(),
                   command.has("--json") ? fontReportJson(report) : fontReportText(report));
}

} // namespace korvex::cli
