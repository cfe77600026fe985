// font-to-image and image-to-font: the editor's picture export and import.

#include "cli/cli_failure.h"
#include "cli/commands.h"
#include "cli/document_inputs.h"
#include "cli/input_files.h"
#include "cli/option_values.h"
#include "cli/output.h"
#include "core/font_codec.h"
#include "core/image_import.h"
#include "core/main_commands.h"
#include "formats/file_io.h"
#include "formats/font_file_bytes.h"
#include "formats/font_picture_file.h"

namespace korvex::cli {

namespace {

// Import frame positions beyond this lie far off the canvas and read nothing.
constexpr int kLargestFramePosition = 99999;

bool endsWith(const std::string& path, const std::string& extension) {
    return withExtension(path, extension) == path;
}

// The picture kind the output's name asks for; standard output takes PNG.
PictureFileKind pictureKindOf(const ParsedCommand& command) {
    const std::string path = *command.output();
    if (isStandardOutput(path) || endsWith(path, ".png"))
        return PictureFileKind::Png;
    if (endsWith(path, ".bmp"))
        return PictureFileKind::Bmp;
    usageFailure("the output " + path + " must end in .png or .bmp (it chooses the format)",
                 command.form->name);
}

// The import reads what the 576 x 342 canvas shows; say so when the frame takes
// pixels from beyond the picture, as a wrong --at is the likely cause.
void warnWhenFrameLeavesPicture(const Document& doc, const std::string& path) {
    const RgbPicture& picture = doc.importPicture;
    const int64_t right = doc.importX + kImportBlockWidth;
    const int64_t bottom = doc.importY + kImportBlockHeight;
    const bool insidePicture = right <= picture.width && bottom <= picture.height;
    const bool insideCanvas = right <= kImportCanvasWidth && bottom <= kImportCanvasHeight;
    if (insidePicture && insideCanvas)
        return;
    std::string message = path + ": the 256 x 32 frame at " + std::to_string(doc.importX) + "," +
                          std::to_string(doc.importY) + " reaches past";
    if (!insidePicture)
        message += " the " + std::to_string(picture.width) + " x " +
                   std::to_string(picture.height) + " picture (pixels there read as black)";
    if (!insidePicture && !insideCanvas)
        message += " and";
    if (!insideCanvas)
        message += " the 576 x 342 import canvas (pixels there read as the background colour)";
    warn(message);
}

} // namespace

void fontToImageCommand(const ParsedCommand& command) {
    const int scale = numberOption(command, "--scale", 1, 4, 1);
    const PictureFileKind kind = pictureKindOf(command);
    auto doc = startUpDocument();
    loadFontInput(*doc, command.inputs[0]);
    if (const auto colours = command.value("--colours"))
        loadColourInput(*doc, *colours);
    if (command.has("--four-colour"))
        switchToFourColour(*doc);
    const Bytes bytes = fontPictureFileBytes(*doc, scale - 1, kind);
    if (bytes.empty())
        fileFailure(*command.output(), "the picture could not be encoded");
    writeOutputFile(*command.output(), bytes);
}

void imageToFontCommand(const ParsedCommand& command) {
    std::vector<int> at = {0, 0};
    if (command.has("--at"))
        at = numberListOption(command, "--at", {0, 0},
                              {kLargestFramePosition, kLargestFramePosition});
    // Color 0 starts black each time the import window opens.
    const int64_t colour0 = colourOption(command, "--background", 0);
    auto doc = startUpDocument();
    loadImportPicture(*doc, command.inputs[0]);
    doc->importX = at[0];
    doc->importY = at[1];
    warnWhenFrameLeavesPicture(*doc, command.inputs[0]);
    importPictureToFont(*doc, colour0);
    encodeFont(*doc, -1);
    writeOutputFile(*command.output(), fontFileBytes(*doc));
}

} // namespace korvex::cli
