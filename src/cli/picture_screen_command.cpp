// picture-to-screen: any picture as a View Editor screen, the fonts it uses with
// their colour sets and the screen's row table, written into a project.

#include "cli/cli_failure.h"
#include "cli/commands.h"
#include "cli/document_inputs.h"
#include "cli/input_files.h"
#include "cli/option_values.h"
#include "cli/output.h"
#include "cli/project_input.h"
#include "core/picture_fit.h"
#include "core/picture_screen.h"
#include "core/picture_screen_apply.h"
#include "core/picture_screen_report.h"
#include "formats/picture_codec.h"
#include "formats/project_file.h"
#include "formats/project_lines.h"

namespace korvex::cli {

namespace {

// Every option, checked before any file is read.
PictureScreenOptions conversionOptions(const ParsedCommand& command) {
    PictureScreenOptions options;
    options.mode = numberOption(command, "--mode", kTwoColourMode, kFourColourMode, kTwoColourMode);
    if (options.mode != kTwoColourMode && options.mode != kFourColourMode)
        usageFailure("bad value '" + *command.value("--mode") +
                         "' for --mode (2 two-colour or 4 four-colour)",
                     command.form->name);
    options.fonts = numberOption(command, "--fonts", 1, kFontCount, 1);
    options.firstFont = numberOption(command, "--first-font", 1, kFontCount, 1);
    const int lastFont = options.firstFont + options.fonts - 1;
    if (lastFont > kFontCount)
        usageFailure("--first-font " + std::to_string(options.firstFont) +
                         " has too few fonts after it for --fonts " +
                         std::to_string(options.fonts) + " (fonts " +
                         std::to_string(options.firstFont) + ".." + std::to_string(lastFont) +
                         "; there are " + std::to_string(kFontCount) +
                         "): the first font can be "
                         "at most " +
                         std::to_string(kFontCount + 1 - options.fonts),
                     command.form->name);
    options.dither = command.has("--dither");
    options.autoColours = true;
    return options;
}

// The picture with its transparency, which the conversion shows as background.
RgbPicture readPicture(const std::string& path) {
    const Bytes bytes = readInputFile(path, kMaxPictureFileBytes);
    std::string error;
    auto picture = decodePicture(bytes, &error, PictureAlpha::Kept);
    if (!picture)
        fileFailure(path, "not a picture the editor can read (" + error + ")");
    return std::move(*picture);
}

} // namespace

void pictureToScreenCommand(const ParsedCommand& command) {
    const PictureScreenOptions options = conversionOptions(command);
    const int screen = numberOption(command, "--screen", 0, kScreenCount - 1, 0);
    const std::string& picturePath = command.inputs[0];

    // The picture first: one that cannot be converted leaves the project unread.
    std::optional<PictureScreen> converted;
    {
        const RgbPicture picture = readPicture(picturePath);
        std::string error;
        converted = pictureToScreen(pictureRowsWithAlpha(picture), options, &error);
        if (!converted)
            fileFailure(picturePath, error);
    }

    auto doc = startUpDocument();
    if (const auto into = command.value("--into"))
        loadProjectInput(*doc, *into, numberedKeys("SCREEN_", 0, kScreenCount - 1),
                         "View Editor screens (no SCREEN_ lines)");
    applyPictureScreen(*doc, *converted, screen);
    const std::string project = joinCrLf(writeProjectLines(*doc));
    writeOutputFile(*command.output(), Bytes(project.begin(), project.end()));
    writePlainText(std::nullopt, command.has("--json") ? pictureScreenReportJson(*converted)
                                                       : pictureScreenReportText(*converted));
}

} // namespace korvex::cli
