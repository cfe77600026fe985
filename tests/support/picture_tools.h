#pragma once
// Helpers for picture tests: binary PPM files (simple enough to write and read
// here, so they are an independent path into and out of ImageMagick), and running
// ImageMagick's convert.

#include "core/document.h"
#include "formats/file_io.h"

#include "child_process.h"

#include <cctype>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace korvex::test {

inline Bytes toPpm(const RgbPicture& p) {
    const std::string head =
        "P6\n" + std::to_string(p.width) + " " + std::to_string(p.height) + "\n255\n";
    Bytes out(head.begin(), head.end());
    for (uint32_t v : p.pixels) {
        out.push_back(uint8_t(v));
        out.push_back(uint8_t(v >> 8));
        out.push_back(uint8_t(v >> 16));
    }
    return out;
}

// Reads the P6 form that ImageMagick writes (maximum 255, no comments).
inline std::optional<RgbPicture> fromPpm(const Bytes& data) {
    size_t pos = 0;
    auto number = [&]() -> long {
        while (pos < data.size() && std::isspace(data[pos]))
            ++pos;
        long v = -1;
        while (pos < data.size() && std::isdigit(data[pos]))
            v = (v < 0 ? 0 : v * 10) + (data[pos++] - '0');
        return v;
    };
    if (data.size() < 2 || data[0] != 'P' || data[1] != '6')
        return std::nullopt;
    pos = 2;
    RgbPicture p;
    p.width = int(number());
    p.height = int(number());
    if (number() != 255 || p.width <= 0 || p.height <= 0)
        return std::nullopt;
    ++pos;
    if (data.size() - pos < size_t(p.width) * size_t(p.height) * 3)
        return std::nullopt;
    for (size_t i = 0; i < size_t(p.width) * size_t(p.height); ++i, pos += 3)
        p.pixels.push_back(data[pos] | data[pos + 1] << 8 | data[pos + 2] << 16);
    return p;
}

// ImageMagick's convert: the real program when installed in the system folder,
// otherwise whatever the search path offers; empty when there is none.
inline std::string convertProgram() {
    if (access("/usr/bin/convert", X_OK) == 0)
        return "/usr/bin/convert";
    return findProgram("convert");
}

// Runs convert with the arguments; true when it exited with 0.
inline bool runConvert(const std::vector<std::string>& arguments) {
    return runProgram(convertProgram(), arguments).ok;
}

// convert's arguments: the source, the options (separated by single spaces), the
// target.
inline std::vector<std::string>
convertArguments(const std::string& source, const std::string& options, const std::string& target) {
    std::vector<std::string> arguments{source, std::string()};
    for (const char c : options) {
        if (c == ' ')
            arguments.emplace_back();
        else
            arguments.back() += c;
    }
    arguments.push_back(target);
    return arguments;
}

// Little-endian fields of a file, for checking what a converter produced.
inline uint32_t le16(const Bytes& d, size_t o) {
    return d[o] | d[o + 1] << 8;
}
inline uint32_t le32(const Bytes& d, size_t o) {
    return le16(d, o) | le16(d, o + 2) << 16;
}

} // namespace korvex::test
