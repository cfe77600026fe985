#pragma once
// Writing the converter's result: files always atomically (a failed run leaves no
// half-written file and any old file as it was), text to standard output when no
// file is named, and any output to standard output when it is named "-".

#include "formats/file_io.h"

#include <optional>
#include <string>
#include <vector>

namespace korvex::cli {

// True when both paths name the same file: the same path once "." and ".." and
// symbolic links are resolved, or (for existing files) the same file on disk.
bool sameFile(const std::string& a, const std::string& b);

// The output name that stands for standard output.
inline const std::string kStandardOutputName = "-";
inline bool isStandardOutput(const std::string& path) {
    return path == kStandardOutputName;
}

// Throws a usage CliFailure when `output` names one of `inputs`.
void refuseOutputOverInputs(const std::string& command, const std::string& output,
                            const std::vector<std::string>& inputs);

// Throws a CliFailure (status 1) naming the file when it cannot be written or is
// no regular file (see outputRefusal). "-" writes the bytes to standard output.
void writeOutputFile(const std::string& path, const Bytes& bytes);

// The text as it is, into the file or, without one, to standard output.
void writePlainText(const std::optional<std::string>& path, const std::string& text);

// The lines as the editor saves text (CR LF after every line), into the file or,
// without one, to standard output.
void writeTextOutput(const std::optional<std::string>& path, const std::vector<std::string>& lines);

} // namespace korvex::cli
