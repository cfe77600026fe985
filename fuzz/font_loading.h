#pragma once
// Loading a font from bytes held in memory, for the font harnesses.

#include "core/document.h"
#include "formats/file_io.h"
#include "formats/font_file.h"

#include <string>
#include <sys/mman.h>
#include <unistd.h>

namespace korvex::fuzz {

// The font loader reads a path, so the bytes go through an in-memory file.
inline bool loadFontFromBytes(Document& doc, const Bytes& bytes) {
    const int fd = memfd_create("font", 0);
    if (fd < 0)
        return false;
    const bool written =
        bytes.empty() || write(fd, bytes.data(), bytes.size()) == ssize_t(bytes.size());
    const bool loaded = written && loadFontFile(doc, "/proc/self/fd/" + std::to_string(fd));
    close(fd);
    return loaded;
}

} // namespace korvex::fuzz
