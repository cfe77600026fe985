#pragma once
// Looking at files and folders from tests without Qt.

#include "formats/file_io.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace korvex::test {

// The names in the folder, hidden ones included, sorted.
inline std::vector<std::string> folderEntries(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// The file's bytes as text, "<missing>" when it cannot be read.
inline std::string fileText(const std::string& path) {
    const auto bytes = readFileBytes(path);
    return bytes ? std::string(bytes->begin(), bytes->end()) : std::string("<missing>");
}

} // namespace korvex::test
