#pragma once
// How a run of the converter ends when it cannot do its job. Commands throw a
// CliFailure; main prints its message on standard error and exits with its status.

#include <string>

namespace korvex::cli {

constexpr int kExitOk = 0;
constexpr int kExitInputFailure = 1; // an input is unusable or the output cannot be written
constexpr int kExitUsage = 2;        // unknown command or option, missing or bad argument

struct CliFailure {
    int status;
    std::string message;
    std::string command; // for usage failures: the command whose help to point at
};

[[noreturn]] inline void usageFailure(const std::string& message, const std::string& command = {}) {
    throw CliFailure{kExitUsage, message, command};
}

// `file` names the input or output the message is about.
[[noreturn]] inline void fileFailure(const std::string& file, const std::string& message) {
    throw CliFailure{kExitInputFailure, file + ": " + message, {}};
}

} // namespace korvex::cli
