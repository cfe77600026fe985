#pragma once
// Reading the converter's input files. Every reader throws a CliFailure (status 1)
// whose message names the file and says what is wrong with it.

#include "formats/file_io.h"

#include <cstdint>
#include <string>

namespace korvex::cli {

// The file's first bytes, at most maxBytes of them: the most its format can use.
Bytes readInputFile(const std::string& path, size_t maxBytes);

// Throws unless the path names a regular file that can be opened for reading.
void requireReadableFile(const std::string& path);

// The file's length in bytes (the file is known to exist).
uintmax_t inputFileSize(const std::string& path);

// Prints "korvex-cli: warning: ..." on standard error; the run goes on.
void warn(const std::string& message);

// Warns when a headerless file is not `expected` bytes long: the editor reads what
// there is and leaves the rest, which in a build is more often a mistake.
void warnUnlessSize(const std::string& path, uintmax_t expected, const std::string& kind);

} // namespace korvex::cli
