#include "cli/input_files.h"

#include "cli/cli_failure.h"
#include "formats/input_file.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>

namespace korvex::cli {

namespace fs = std::filesystem;

void requireReadableFile(const std::string& path) {
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (ec || !fs::exists(status))
        fileFailure(path, "no such file");
    if (fs::is_directory(status))
        fileFailure(path, "is a folder, not a file");
    // A named pipe could keep the run waiting for ever, a device may never end.
    if (!fs::is_regular_file(status))
        fileFailure(path, "is not a regular file");
    const InputFile file(path);
    if (!file.isOpen())
        fileFailure(path, std::string("cannot be opened (") + std::strerror(errno) + ")");
}

Bytes readInputFile(const std::string& path, size_t maxBytes) {
    requireReadableFile(path);
    auto bytes = readFileBytes(path, maxBytes);
    if (!bytes)
        fileFailure(path, "cannot be read");
    return std::move(*bytes);
}

uintmax_t inputFileSize(const std::string& path) {
    std::error_code ec;
    const uintmax_t size = fs::file_size(path, ec);
    return ec ? 0 : size;
}

void warn(const std::string& message) {
    std::cerr << "korvex-cli: warning: " << message << '\n';
}

void warnUnlessSize(const std::string& path, uintmax_t expected, const std::string& kind) {
    const uintmax_t size = inputFileSize(path);
    if (size < expected)
        warn(path + ": " + std::to_string(size) + " bytes, shorter than " + kind + " (" +
             std::to_string(expected) + " bytes); the missing bytes are taken as 0");
    else if (size > expected)
        warn(path + ": " + std::to_string(size) + " bytes, longer than " + kind + " (" +
             std::to_string(expected) + " bytes); the bytes past " + std::to_string(expected) +
             " are ignored");
}

} // namespace korvex::cli
