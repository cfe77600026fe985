#pragma once
// The tileset files a map names. A map may name only files in its own folder or
// below it: a path that is absolute or climbs out through ".." is refused, and so
// is a file that a symbolic link places outside the folder.

#include "formats/tmx_map.h"

#include <optional>
#include <string>

namespace korvex {

// `path` as the map names it, with "." and ".." parts taken out ("a/./b/../c.tsx"
// gives "a/c.tsx"); nothing, with the reason in `error`, when it is empty or
// absolute or leaves the map's folder.
std::optional<std::string> tilesetPathInMapFolder(const std::string& path, std::string* error);

// The folder part of a file path ("." for a bare name).
std::string folderOfPath(const std::string& path);

// Reads paths (relative, already checked) from `folder`, each file at most
// `maxBytes` long; a longer file gives its first maxBytes + 1 bytes, so the reader
// sees it is too long. A file whose real place is outside the folder is refused.
TmxFileSource folderFileSource(const std::string& folder, size_t maxBytes);

} // namespace korvex
