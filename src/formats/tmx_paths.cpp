#include "formats/tmx_paths.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <memory>
#include <vector>

namespace korvex {

namespace {

// The real path of an existing file or folder, symbolic links resolved; empty when
// it cannot be resolved.
std::string realPathOf(const std::string& path) {
    std::unique_ptr<char, decltype(&std::free)> resolved(realpath(path.c_str(), nullptr),
                                                         &std::free);
    return resolved ? std::string(resolved.get()) : std::string();
}

bool isInsideFolder(const std::string& file, const std::string& folder) {
    if (folder == "/")
        return true;
    return file.size() > folder.size() && file.compare(0, folder.size(), folder) == 0 &&
           file[folder.size()] == '/';
}

} // namespace

std::optional<std::string> tilesetPathInMapFolder(const std::string& path, std::string* error) {
    const auto refuse = [&](const std::string& why) -> std::optional<std::string> {
        if (error)
            *error = why;
        return std::nullopt;
    };
    if (path.empty())
        return refuse("a tileset has an empty file name");
    if (path.front() == '/')
        return refuse("the tileset path \"" + path +
                      "\" is absolute; only files in the map's folder or below it are read");
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= path.size()) {
        const size_t slash = std::min(path.find('/', start), path.size());
        const std::string part = path.substr(start, slash - start);
        start = slash + 1;
        if (part.empty() || part == ".")
            continue;
        if (part == "..") {
            if (parts.empty())
                return refuse("the tileset path \"" + path +
                              "\" leaves the map's folder; only files in the map's folder or "
                              "below it are read");
            parts.pop_back();
            continue;
        }
        parts.push_back(part);
    }
    if (parts.empty())
        return refuse("the tileset path \"" + path + "\" names no file");
    std::string joined;
    for (const std::string& part : parts)
        joined += (joined.empty() ? "" : "/") + part;
    return joined;
}

std::string folderOfPath(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

TmxFileSource folderFileSource(const std::string& folder, size_t maxBytes) {
    return [folder, maxBytes](const std::string& path) {
        TmxFileRead read;
        const std::string full = folder + "/" + path;
        const std::string realFolder = realPathOf(folder);
        const std::string realFile = realPathOf(full);
        if (realFile.empty()) {
            read.error = "the tileset \"" + path + "\" is missing";
            return read;
        }
        if (realFolder.empty() || !isInsideFolder(realFile, realFolder)) {
            read.error = "the tileset \"" + path +
                         "\" lies outside the map's folder (through a symbolic link); only "
                         "files in the map's folder or below it are read";
            return read;
        }
        read.bytes = readFileBytes(realFile, maxBytes + 1);
        if (!read.bytes)
            read.error = "the tileset \"" + path + "\" cannot be read";
        return read;
    };
}

} // namespace korvex
