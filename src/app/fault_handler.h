#pragma once
// Catches fatal faults (invalid memory access, bus error, illegal instruction,
// arithmetic fault, abort), reports them and ends the program.

#include <string>

namespace korvex {

// File name of the program that shows the report in a message box.
inline constexpr const char* kFaultReporterName = "korvex-fault-report";

// Folder of the reporter in an installed tree, relative to the folder of the
// installed editor (bin/../libexec/korvex unless the install folders were changed).
extern const char* const kInstalledReporterFolder;

// The reporter for a program that runs from programFolder: the installed one when
// it is there and executable, else the one beside the program (the build tree).
// The second path is returned even when it does not exist.
std::string findFaultReporter(const std::string& programFolder);

// Installs the handler, with the reporter program found by findFaultReporter for
// the folder of this executable.
// On a fault the report goes to standard error (lines ended by line feeds), then,
// when a display is available, into a message box shown by the reporter; once the
// box is closed the program ends with exit status 128 + the signal number.
void installFaultHandler();

// The same with the given reporter program; nullptr or "" reports to standard
// error only.
void installFaultHandler(const char* reporterPath);

} // namespace korvex
