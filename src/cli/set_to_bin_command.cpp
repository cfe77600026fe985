// set-to-bin: the glyph bytes of one set's filled cells, as "Export Set to bin...".

#include "cli/commands.h"
#include "cli/document_inputs.h"
#include "cli/option_values.h"
#include "cli/output.h"
#include "formats/set_files.h"

namespace korvex::cli {

void setToBinCommand(const ParsedCommand& command) {
    // --set picks a set from a file of all sets; without it the file holds one set.
    const bool allSets = command.has("--set");
    const int set = numberOption(command, "--set", 1, kSetCount, 1);
    auto doc = startUpDocument();
    loadSetInput(*doc, command.inputs[0], allSets ? SetFileKind::Sets : SetFileKind::Set);
    loadFontInput(*doc, command.inputs[1]);
    doc->CurrentSet = set;
    writeOutputFile(*command.output(), setBinBytes(*doc));
}

} // namespace korvex::cli
