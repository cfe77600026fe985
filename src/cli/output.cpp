#include "cli/output.h"

#include "cli/cli_failure.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace korvex::cli {

namespace fs = std::filesystem;

namespace {

// The path with "." and ".." and symbolic links resolved as far as it exists;
// just tidied when even that fails.
fs::path resolved(const std::string& path) {
    std::error_code ec;
    fs::path absolute = fs::absolute(path, ec);
    if (ec)
        absolute = path;
    const fs::path canonical = fs::weakly_canonical(absolute, ec);
    return ec ? absolute.lexically_normal() : canonical;
}

} // namespace

bool sameFile(const std::string& a, const std::string& b) {
    std::error_code ec;
    if (fs::equivalent(a, b, ec) && !ec)
        return true;
    return resolved(a) == resolved(b);
}

void refuseOutputOverInputs(const std::string& command, const std::string& output,
                            const std::vector<std::string>& inputs) {
    if (isStandardOutput(output))
        return;
    for (const std::string& input : inputs)
        if (sameFile(output, input))
            usageFailure("the output file " + output + " is the input " + input +
                             "; an input is never overwritten",
                         command);
}

namespace {

void writeStandardOutput(const char* data, size_t size) {
    const size_t written = std::fwrite(data, 1, size, stdout);
    if (written != size || std::fflush(stdout) != 0)
        fileFailure("standard output",
                    std::string("cannot be written (") + std::strerror(errno) + ")");
}

} // namespace

void writeOutputFile(const std::string& path, const Bytes& bytes) {
    if (isStandardOutput(path)) {
        writeStandardOutput(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        return;
    }
    std::string error;
    if (!writeFileAtomic(path, bytes, &error))
        fileFailure(path, "cannot be written (" + error + ")");
}

void writeTextOutput(const std::optional<std::string>& path,
                     const std::vector<std::string>& lines) {
    writePlainText(path, joinCrLf(lines));
}

void writePlainText(const std::optional<std::string>& path, const std::string& text) {
    if (path) {
        writeOutputFile(*path, Bytes(text.begin(), text.end()));
        return;
    }
    writeStandardOutput(text.data(), text.size());
}

} // namespace korvex::cli
