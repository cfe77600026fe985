#pragma once
// Little-endian reading and writing of binary file contents. Reading never goes past
// the end of the data: every byte beyond it reads as 0, so a short file simply gives
// zeros for whatever it lacks.

#include "formats/file_io.h"

#include <cstring>

namespace korvex {

class ByteReader {
public:
    explicit ByteReader(ByteView bytes) : bytes_(bytes) {}

    uint8_t u8() {
        const uint8_t b = pos_ < bytes_.size() ? bytes_[pos_] : 0;
        ++pos_;
        return b;
    }
    uint16_t le16() {
        const uint16_t lo = u8();
        return uint16_t(lo | (uint16_t(u8()) << 8));
    }
    uint32_t le32() {
        const uint32_t lo = le16();
        return lo | (uint32_t(le16()) << 16);
    }
    // True when the next bytes are exactly `text` (which is consumed either way).
    bool magic(const char* text) {
        const size_t n = std::strlen(text);
        const bool match = bytes_.size() >= pos_ + n && std::memcmp(&bytes_[pos_], text, n) == 0;
        pos_ += n;
        return match;
    }

private:
    ByteView bytes_;
    size_t pos_ = 0;
};

inline void appendLe16(Bytes& out, uint16_t v) {
    out.push_back(uint8_t(v & 0xFF));
    out.push_back(uint8_t(v >> 8));
}

inline void appendLe32(Bytes& out, uint32_t v) {
    appendLe16(out, uint16_t(v & 0xFFFF));
    appendLe16(out, uint16_t(v >> 16));
}

} // namespace korvex
