// export-font and export-screen: the source text of the export window.

#include "cli/cli_failure.h"
#include "cli/commands.h"
#include "cli/document_inputs.h"
#include "cli/input_files.h"
#include "cli/option_values.h"
#include "cli/output.h"
#include "cli/screen_file_kind.h"
#include "formats/source_export.h"
#include "formats/view_editor_files.h"

namespace korvex::cli {

void exportFontCommand(const ParsedCommand& command) {
    const int language = languageOption(command);
    auto doc = startUpDocument();
    loadFontInput(*doc, command.inputs[0]);
    // An empty export kind makes the export window generate the font.
    doc->exportKind.clear();
    writeTextOutput(command.output(), generateExport(*doc, language));
}

void exportScreenCommand(const ParsedCommand& command) {
    // Every option is checked before any file is read.
    const int language = languageOption(command);
    const int screen = numberOption(command, "--screen", 0, kScreenCount - 1, 0);
    std::vector<int> range;
    if (command.has("--range"))
        // The limits of the range dialog's fields.
        range =
            numberListOption(command, "--range", {0, 0, 1, 1},
                             {kScreenColumns - 1, kScreenRows - 1, kScreenColumns, kScreenRows});
    const std::string& path = command.inputs[0];
    requireReadableFile(path);
    const ScreenFileKind kind = screenFileKind(path);
    if (kind == ScreenFileKind::OneScreen && command.has("--screen"))
        usageFailure(path + " holds one screen (" + describeScreenFileKind(path) +
                         "); --screen chooses among the nine screens of a .ved2 file",
                     command.form->name);

    auto doc = startUpDocument();
    if (kind == ScreenFileKind::AllScreens) {
        loadViewEditorData(*doc, readInputFile(path, kViewEditorDataBytes));
        warnUnlessSize(path, kViewEditorDataBytes, "View Editor data");
        doc->currentScreen = uint8_t(screen);
    } else {
        loadScreenData(*doc, readInputFile(path, kScreenCells));
        warnUnlessSize(path, kScreenCells, "View Editor screen data");
    }
    if (range.empty()) {
        doc->exportKind = "screen";
    } else {
        doc->exportKind = "range";
        doc->rangeX = uint8_t(range[0]);
        doc->rangeY = uint8_t(range[1]);
        doc->rangeWidth = uint8_t(range[2]);
        doc->rangeHeight = uint8_t(range[3]);
    }
    writeTextOutput(command.output(), generateExport(*doc, language));
}

} // namespace korvex::cli
