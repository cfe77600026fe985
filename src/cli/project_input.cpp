#include "cli/project_input.h"

#include "cli/cli_failure.h"
#include "cli/input_files.h"
#include "formats/project_file.h"
#include "formats/project_lines.h"

#include <algorithm>

namespace korvex::cli {

namespace {

bool holdsAnyKey(const std::vector<std::string>& lines, const std::vector<std::string>& keys) {
    const size_t count = std::min(lines.size(), kMaxProjectLines);
    for (size_t i = 0; i < count; ++i)
        for (const std::string& key : keys)
            if (lines[i].find(key) != std::string::npos)
                return true;
    return false;
}

} // namespace

std::vector<std::string> numberedKeys(const std::string& prefix, int first, int last) {
    std::vector<std::string> keys;
    for (int n = first; n <= last; ++n)
        keys.push_back(prefix + std::to_string(n) + "=");
    return keys;
}

void loadProjectInput(Document& doc, const std::string& path, const std::vector<std::string>& keys,
                      const std::string& part) {
    // Read once: the lines the editor would look at.
    requireReadableFile(path);
    const auto lines = readProjectFileLines(path);
    if (!lines)
        fileFailure(path, "cannot be read");
    if (!holdsAnyKey(*lines, keys))
        fileFailure(path, "holds no " + part + "; is it a project file?");
    readProjectLines(doc, *lines);
}

} // namespace korvex::cli
