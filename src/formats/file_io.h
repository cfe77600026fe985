#pragma once
// Whole-file reading and atomic writing. Every save of the program goes through
// writeFileAtomic: the data goes to a temporary file beside the target, is flushed
// to disk and then renamed over it, so a failed or interrupted save leaves the old
// file as it was.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace korvex {

using Bytes = std::vector<uint8_t>;

// The first maxBytes bytes of the file (all of it when maxBytes is 0), or nothing
// when it cannot be opened or read.
std::optional<Bytes> readFileBytes(const std::string& path, size_t maxBytes = 0);

// Writes the file atomically; false (and the old file untouched) on any failure.
// On failure `error` (when given) receives a short reason.
bool writeFileAtomic(const std::string& path, const Bytes& data, std::string* error = nullptr);
bool writeFileAtomic(const std::string& path, const std::string& data,
                     std::string* error = nullptr);

// Lines joined with CR LF after every line, as every text file of the program.
std::string joinCrLf(const std::vector<std::string>& lines);

// The part of a path after its last separator ("/" or "\"); the whole path if none.
std::string fileNamePart(const std::string& path);

// Appends `extension` (e.g. ".fnt") unless the name already ends in it, compared
// case-insensitively.
std::string withExtension(const std::string& name, const std::string& extension);

} // namespace korvex
