// merge-duplicates: "Merge into first" for every group of exact duplicates of one
// font of a project, written as a new project.

#include "cli/commands.h"
#include "cli/document_inputs.h"
#include "cli/option_values.h"
#include "cli/output.h"
#include "cli/project_input.h"
#include "core/glyph_merge.h"
#include "formats/project_file.h"

namespace korvex::cli {

void mergeDuplicatesCommand(const ParsedCommand& command) {
    const int font = numberOption(command, "--font", 1, kFontCount, 1);
    const std::string number = std::to_string(font);
    auto doc = startUpDocument();
    loadProjectInput(*doc, command.inputs[0], numberedKeys("FONT_DATA_", font, font),
                     "font " + number + " (no FONT_DATA_" + number + "= line)");

    const std::vector<GlyphGroup> groups = findDuplicateGroups(*doc, font);
    const MergeCount count = mergeGlyphGroups(*doc, font, groups);
    const std::string project = joinCrLf(writeProjectLines(*doc));
    writeOutputFile(*command.output(), Bytes(project.begin(), project.end()));

    if (groups.empty()) {
        writePlainText(std::nullopt,
                       "font " + number + " has no duplicate glyphs: nothing merged\n");
        return;
    }
    writePlainText(std::nullopt, "font " + number + ": " + std::to_string(count.glyphs) +
                                     " glyphs merged in " + std::to_string(groups.size()) +
                                     " groups, " + std::to_string(count.setCells) +
                                     " set cells and " + std::to_string(count.screenCells) +
                                     " screen cells rewritten\n");
}

} // namespace korvex::cli
