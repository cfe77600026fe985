// screen-to-image and display-list: a screen of a project as the machine shows it,
// every row in the font and mode of its row table.

#include "cli/cli_failure.h"
#include "cli/commands.h"
#include "cli/document_inputs.h"
#include "cli/input_files.h"
#include "cli/option_values.h"
#include "cli/output.h"
#include "cli/project_input.h"
#include "cli/screen_document.h"
#include "core/atari_view.h"
#include "core/main_commands.h"
#include "formats/display_list.h"
#include "formats/screen_picture_file.h"
#include "formats/source_export.h"
#include "formats/text_number.h"

namespace korvex::cli {

namespace {

constexpr int kAssemblerDecimal = 0;
constexpr int kAssemblerHexadecimal = 1;

void warnWhenTooTall(const Document& doc, int screen) {
    const int scanlines = screenScanlines(doc, screen);
    if (scanlines > kMaxDisplayScanlines)
        warn("screen " + std::to_string(screen) + " has " + std::to_string(scanlines) +
             " scanlines, more than the " + std::to_string(kMaxDisplayScanlines) +
             " a display list can show");
}

// "F=ADDR,F=ADDR,...": the address of each named font 1..10.
std::array<int, kFontCount + 1> fontAddresses(const ParsedCommand& command) {
    const std::string text = command.value("--font-address").value_or("");
    std::array<int, kFontCount + 1> addresses;
    addresses.fill(kNoFontAddress);
    const auto bad = [&](const std::string& why) {
        usageFailure("bad value '" + text + "' for --font-address (" + why + ")",
                     command.form->name);
    };
    size_t start = 0;
    while (true) {
        const size_t comma = text.find(',', start);
        const std::string piece = text.substr(start, comma - start);
        const size_t equals = piece.find('=');
        if (equals == std::string::npos)
            bad("each entry is FONT=ADDRESS, entries separated by commas");
        int font = 0, at = 0;
        if (!readWholeNumber(piece.substr(0, equals), 1, kFontCount, font))
            bad("a font is 1..10");
        if (!readAddress(piece.substr(equals + 1), at))
            bad("an address is 0..65535: decimal, $hexadecimal or %binary");
        if (addresses[size_t(font)] != kNoFontAddress)
            bad("font " + std::to_string(font) + " is given twice");
        addresses[size_t(font)] = at;
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    return addresses;
}

} // namespace

void screenToImageCommand(const ParsedCommand& command) {
    // Every option is checked before the project is read.
    const int screen = numberOption(command, "--screen", 0, kScreenCount - 1, 0);
    const FollowSettings follow = followOptions(command);
    const int scale = numberOption(command, "--scale", 1, kLargestScreenPictureScale, 1);
    const PictureFileKind kind = pictureKindOfOutput(command);
    auto doc = screenDocument(command, screen, follow);
    warnWhenTooTall(*doc, screen);
    const Bytes bytes =
        screenPictureFileBytes(*doc, screen, follow.font, follow.fourColour, scale, kind);
    if (bytes.empty())
        fileFailure(*command.output(), "the picture could not be encoded");
    writeOutputFile(*command.output(), bytes);
}

void displayListCommand(const ParsedCommand& command) {
    DisplayListRequest request;
    request.screen = numberOption(command, "--screen", 0, kScreenCount - 1, 0);
    const FollowSettings follow = followOptions(command);
    request.followFont = follow.font;
    request.followFourColour = follow.fourColour;
    request.screenAddress = addressOption(command, "--screen-address");
    request.listAddress = addressOption(command, "--dl-address");
    request.fontAddresses = fontAddresses(command);
    int language = kAssemblerHexadecimal;
    if (command.has("--lang")) {
        language = languageOption(command);
        if (language != kAssemblerDecimal && language != kAssemblerHexadecimal)
            usageFailure("bad value '" + *command.value("--lang") +
                             "' for --lang (asm-dec or asm-hex: a display list is assembler "
                             "source)",
                         command.form->name);
    }

    auto doc = screenDocument(command, request.screen, follow);
    const std::string problem = displayListProblem(*doc, request);
    if (!problem.empty())
        usageFailure(problem, command.form->name);
    warnWhenTooTall(*doc, request.screen);
    const DisplayList list = buildDisplayList(*doc, request);
    writeTextOutput(command.output(), displayListSource(list, language == kAssemblerHexadecimal));
}

} // namespace korvex::cli
