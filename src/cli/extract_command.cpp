// extract: one part of a project, read as the editor opens it, in the file the
// editor would save that part as.

#include "cli/cli_failure.h"
#include "cli/commands.h"
#include "cli/document_inputs.h"
#include "cli/option_values.h"
#include "cli/output.h"
#include "cli/project_input.h"
#include "core/font_codec.h"
#include "formats/colour_file.h"
#include "formats/font_file_bytes.h"
#include "formats/set_files.h"
#include "formats/view_editor_files.h"

namespace korvex::cli {

void extractCommand(const ParsedCommand& command) {
    const int chosen = int(command.has("--font")) + int(command.has("--sets")) +
                       int(command.has("--screens")) + int(command.has("--colours"));
    if (chosen != 1)
        usageFailure("choose exactly one of --font N, --sets, --screens, --colours N",
                     command.form->name);
    const int font = command.has("--font") ? numberOption(command, "--font", 1, kFontCount, 1)
                                           : numberOption(command, "--colours", 1, kFontCount, 1);

    std::vector<std::string> keys;
    std::string part;
    if (command.has("--font")) {
        keys = numberedKeys("FONT_DATA_", font, font);
        part =
            "font " + std::to_string(font) + " (no FONT_DATA_" + std::to_string(font) + "= line)";
    } else if (command.has("--colours")) {
        keys = numberedKeys("FONT_COLOR_", font, font);
        part = "colours of font " + std::to_string(font) + " (no FONT_COLOR_" +
               std::to_string(font) + "= line)";
    } else if (command.has("--sets")) {
        keys = numberedKeys("SET_", 1, kSetCount);
        part = "sets (no SET_ lines)";
    } else {
        keys = numberedKeys("SCREEN_", 0, kScreenCount - 1);
        part = "screens (no SCREEN_ lines)";
    }

    auto doc = startUpDocument();
    loadProjectInput(*doc, command.inputs[0], keys, part);

    Bytes bytes;
    if (command.has("--font")) {
        // As "Save Font" with the font chosen: encoded through FontBuffer.
        doc->CurrentFont = font;
        encodeFont(*doc, -1);
        bytes = fontFileBytes(*doc);
    } else if (command.has("--colours")) {
        // The font's colours as the working colours; a project holds no register
        // values, so those are the start-up ones.
        doc->CurrentFont = font;
        loadFontColours(*doc, font);
        bytes = colourFileBytes(*doc);
    } else if (command.has("--sets")) {
        bytes = setsFileBytes(*doc);
    } else {
        bytes = viewEditorDataBytes(*doc);
    }
    writeOutputFile(*command.output(), bytes);
}

} // namespace korvex::cli
