// screen-to-tmx and tmx-to-screen: a View Editor screen to and from Tiled's maps.

#include "cli/cli_failure.h"
#include "cli/commands.h"
#include "cli/document_inputs.h"
#include "cli/input_files.h"
#include "cli/option_values.h"
#include "cli/output.h"
#include "cli/project_input.h"
#include "cli/screen_document.h"
#include "core/screen_replace.h"
#include "formats/project_file.h"
#include "formats/tmx_map.h"
#include "formats/tmx_screen_import.h"
#include "formats/tmx_writer.h"

namespace korvex::cli {

namespace {

std::vector<std::string> screenKeys() {
    return numberedKeys("SCREEN_", 0, kScreenCount - 1);
}

} // namespace

void screenToTmxCommand(const ParsedCommand& command) {
    const int screen = numberOption(command, "--screen", 0, kScreenCount - 1, 0);
    const FollowSettings follow = followOptions(command);
    const std::string mapPath = *command.output();
    if (withExtension(mapPath, ".tmx") != mapPath)
        usageFailure("the output " + mapPath + " must end in .tmx", command.form->name);

    // Drawn as screen-to-image draws the screen.
    auto doc = screenDocument(command, screen, follow);
    const std::vector<TmxExportFile> files =
        tmxExportFiles(*doc, screen, follow.font, follow.fourColour, mapPath);
    if (files.empty())
        fileFailure(mapPath, "the tileset pictures could not be encoded");
    // The tilesets are outputs too, and may not take the place of the project.
    for (const TmxExportFile& file : files)
        refuseOutputOverInputs(command.form->name, file.path, command.inputFiles());
    for (const TmxExportFile& file : files)
        writeOutputFile(file.path, file.bytes);
}

void tmxToScreenCommand(const ParsedCommand& command) {
    const int screen = numberOption(command, "--screen", 0, kScreenCount - 1, 0);
    const std::string& mapPath = command.inputs[0];
    const std::string projectPath = *command.value("--into");
    requireReadableFile(mapPath);

    // The map first: a map that cannot be taken leaves the project unread.
    const TmxReadResult read = readTmxMapFile(mapPath);
    if (!read.map)
        fileFailure(mapPath, read.error);
    const ScreenFromMapResult imported = screenFromTmxMap(*read.map);
    if (!imported.screen)
        fileFailure(mapPath, imported.error);

    auto doc = startUpDocument();
    loadProjectInput(*doc, projectPath, screenKeys(), "View Editor screens (no SCREEN_ lines)");
    replaceScreen(*doc, screen, imported.screen->cells, imported.screen->rows, kTiledImportStepName);
    for (const std::string& note : imported.screen->notes)
        warn(mapPath + ": " + note);
    const std::string project = joinCrLf(writeProjectLines(*doc));
    writeOutputFile(*command.output(), Bytes(project.begin(), project.end()));
}

} // namespace korvex::cli
