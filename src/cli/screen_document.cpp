#include "cli/screen_document.h"

#include "cli/cli_failure.h"
#include "cli/document_inputs.h"
#include "cli/option_values.h"
#include "cli/project_input.h"

namespace korvex::cli {

FollowSettings followOptions(const ParsedCommand& command) {
    FollowSettings follow;
    follow.font = numberOption(command, "--font", 1, kFontCount, 1);
    const int mode = numberOption(command, "--mode", 2, 4, 2);
    if (mode == 3)
        usageFailure("bad value '3' for --mode (2 two-colour or 4 four-colour)",
                     command.form->name);
    follow.fourColour = mode == 4;
    return follow;
}

DocumentPtr screenDocument(const ParsedCommand& command, int screen, const FollowSettings& follow) {
    auto doc = startUpDocument();
    const std::string key = "SCREEN_" + std::to_string(screen) + "=";
    loadProjectInput(*doc, command.inputs[0], {key},
                     "screen " + std::to_string(screen) + " (no " + key + " line)");
    doc->CurrentFont = follow.font;
    loadFontColours(*doc, follow.font);
    doc->FourColourMode = follow.fourColour ? 1 : 0;
    doc->currentScreen = uint8_t(screen);
    return doc;
}

} // namespace korvex::cli
