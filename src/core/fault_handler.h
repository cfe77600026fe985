#pragma once
// Catches fatal faults (invalid memory access, bus error, illegal instruction,
// arithmetic fault, abort), reports them and ends the program.

namespace korvex {

// File name of the program that shows the report in a message box; it is looked up
// in the folder of the running executable.
inline constexpr const char* kFaultReporterName = "korvex-fault-report";

// Installs the handler, with the reporter program found beside this executable.
// On a fault the report goes to standard error (lines ended by line feeds), then,
// when a display is available, into a message box shown by the reporter; once the
// box is closed the program ends with exit status 128 + the signal number.
void installFaultHandler();

// The same with the given reporter program; nullptr or "" reports to standard
// error only.
void installFaultHandler(const char* reporterPath);

} // namespace korvex
