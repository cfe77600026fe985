// merge-duplicates: "Merge into first" for every group of exact duplicates of one
// font of a project, written as a new project.

#include "cli/commands.h"
#include "cli/document_inputs.h"
#include "cli/option_values.h"
#include "cli/output.h"
#include "cli/project_input.h"
#include "core/counted_words.h"
#include "core/glyph_merge.h"
#include "formats/project_file.h"

#include <cstdio>

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

    const std::string summary =
        groups.empty() ? "font " + number + " has no duplicate glyphs: nothing merged\n"
                       : "font " + number + ": " + counted(count.glyphs, "glyph") + " merged in " +
                             counted(int64_t(groups.size()), "group") + ", " +
                             counted(count.setCells, "set cell") + " and " +
                             counted(count.screenCells, "screen cell") + " rewritten\n";
    // The project itself may be going to standard output; the line must not mix
    // into it.
    if (isStandardOutput(*command.output()))
        std::fputs(summary.c_str(), stderr);
    else
        writePlainText(std::nullopt, summary);
}

} // namespace korvex::cli
