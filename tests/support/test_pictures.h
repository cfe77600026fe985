#pragma once
// The photographs and drawings the picture-to-screen tests and benchmark convert:
// tests/data/pictures/, listed with their origin in tests/data/pictures/SOURCES.
// KORVEX_SOURCE_DIR must be defined by the build.

#include "core/document.h"
#include "formats/file_io.h"
#include "formats/png_codec.h"

#include <optional>
#include <string>
#include <vector>

namespace korvex {

// Photographs of 320 x 192 and drawings of other sizes.
inline const std::vector<std::string>& testPhotographs() {
    static const std::vector<std::string> names{"astronaut", "camera", "chelsea", "coffee"};
    return names;
}
inline const std::vector<std::string>& testPictures() {
    static const std::vector<std::string> names{"astronaut", "camera", "chelsea", "coffee",  "rose",
                                                "wizard",    "logo",   "granite", "netscape"};
    return names;
}

inline std::optional<RgbPicture> loadTestPicture(const std::string& name) {
    const auto bytes =
        readFileBytes(std::string(KORVEX_SOURCE_DIR) + "/tests/data/pictures/" + name + ".png");
    if (!bytes)
        return std::nullopt;
    return decodePng(ByteView(bytes->data(), bytes->size()));
}

} // namespace korvex
