#pragma once
// Pictures with an alpha channel, and 8-bit RGBA PNG files of them written here, so
// that tests of transparency do not rest on the program's own encoder.

#include "formats/file_io.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdint>
#include <vector>

namespace korvex::test {

// A picture with an alpha channel: red, green, blue, alpha bytes per pixel.
struct RgbaPicture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgba;
};

inline void appendBe32(Bytes& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(uint8_t(v >> shift));
}

inline void appendChunk(Bytes& out, const char* type, const Bytes& data) {
    appendBe32(out, uint32_t(data.size()));
    Bytes typed(type, type + 4);
    typed.insert(typed.end(), data.begin(), data.end());
    out.insert(out.end(), typed.begin(), typed.end());
    appendBe32(out, uint32_t(crc32(0, typed.data(), uInt(typed.size()))));
}

// An 8-bit RGBA PNG, written here so the test does not rest on the encoder.
inline Bytes rgbaPng(const RgbaPicture& p) {
    Bytes raw;
    for (int y = 0; y < p.height; ++y) {
        raw.push_back(0); // no filter
        const auto row = p.rgba.begin() + ptrdiff_t(y) * p.width * 4;
        raw.insert(raw.end(), row, row + p.width * 4);
    }
    Bytes packed(compressBound(uLong(raw.size())));
    uLongf packedSize = uLongf(packed.size());
    EXPECT_EQ(compress(packed.data(), &packedSize, raw.data(), uLong(raw.size())), Z_OK);
    packed.resize(packedSize);

    Bytes out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    Bytes header;
    appendBe32(header, uint32_t(p.width));
    appendBe32(header, uint32_t(p.height));
    header.insert(header.end(), {8, 6, 0, 0, 0}); // 8 bits, RGBA
    appendChunk(out, "IHDR", header);
    appendChunk(out, "IDAT", packed);
    appendChunk(out, "IEND", {});
    return out;
}

} // namespace korvex::test
