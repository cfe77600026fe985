#pragma once
// The converter's commands. Each reads its inputs into a fresh start-up document
// through the editor's own functions and writes what the editor would save. A
// command that cannot finish throws a CliFailure before any output is written.

#include "cli/arguments.h"

namespace korvex::cli {

// Checks that the output names none of the inputs, then runs the command.
void runCommand(const ParsedCommand& command);

void exportFontCommand(const ParsedCommand& command);
void exportScreenCommand(const ParsedCommand& command);
void fontToImageCommand(const ParsedCommand& command);
void imageToFontCommand(const ParsedCommand& command);
void setToBinCommand(const ParsedCommand& command);
void extractCommand(const ParsedCommand& command);
void fontReportCommand(const ParsedCommand& command);
void mergeDuplicatesCommand(const ParsedCommand& command);
void screenToImageCommand(const ParsedCommand& command);
void displayListCommand(const ParsedCommand& command);
void screenToTmxCommand(const ParsedCommand& command);
void tmxToScreenCommand(const ParsedCommand& command);
void pictureToScreenCommand(const ParsedCommand& command);

} // namespace korvex::cli
