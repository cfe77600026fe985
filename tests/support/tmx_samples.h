#pragma once
// Tiled maps and tilesets written out for the tests, in the forms Tiled writes.

#include "formats/file_io.h"

#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace korvex::test {

// A tileset element as a map embeds it, or as the root of a .tsx file.
inline std::string tilesetXml(const std::string& name, int tiles, const std::string& inner = {}) {
    return "<tileset name=\"" + name + "\" tilewidth=\"8\" tileheight=\"8\" tilecount=\"" +
           std::to_string(tiles) + "\" columns=\"16\">" + inner + "</tileset>";
}

// The properties Korvex gives its tileset of a font and mode.
inline std::string korvexTilesetXml(int font, int mode) {
    return tilesetXml("Korvex font " + std::to_string(font) + " mode " + std::to_string(mode), 256,
                      "<properties><property name=\"korvex-font\" type=\"int\" value=\"" +
                          std::to_string(font) +
                          "\"/><property name=\"korvex-mode\" type=\"int\" value=\"" +
                          std::to_string(mode) + "\"/></properties>");
}

// An embedded tileset: the <tileset> of `xml` with a firstgid.
inline std::string embedded(uint32_t firstGid, const std::string& xml) {
    return "<tileset firstgid=\"" + std::to_string(firstGid) + "\"" + xml.substr(8);
}

inline std::string external(uint32_t firstGid, const std::string& source) {
    return "<tileset firstgid=\"" + std::to_string(firstGid) + "\" source=\"" + source + "\"/>";
}

inline std::string csvData(const std::vector<uint32_t>& cells) {
    std::string text = "<data encoding=\"csv\">\n";
    for (size_t i = 0; i < cells.size(); ++i)
        text += std::to_string(cells[i]) + (i + 1 < cells.size() ? "," : "\n");
    return text + "</data>";
}

inline Bytes littleEndianCells(const std::vector<uint32_t>& cells) {
    Bytes bytes;
    for (const uint32_t cell : cells)
        for (int i = 0; i < 4; ++i)
            bytes.push_back(uint8_t(cell >> (8 * i)));
    return bytes;
}

inline std::string base64Of(const Bytes& bytes) {
    static const char* digits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string text;
    for (size_t i = 0; i < bytes.size(); i += 3) {
        const size_t n = std::min<size_t>(3, bytes.size() - i);
        uint32_t group = uint32_t(bytes[i]) << 16;
        if (n > 1)
            group |= uint32_t(bytes[i + 1]) << 8;
        if (n > 2)
            group |= bytes[i + 2];
        for (size_t d = 0; d < 4; ++d)
            text += d <= n ? digits[(group >> (18 - 6 * d)) & 0x3F] : '=';
    }
    return text;
}

// zlib (gzip false) or gzip (true) of the bytes.
inline Bytes compressed(const Bytes& bytes, bool gzip) {
    z_stream stream{};
    deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, 15 + (gzip ? 16 : 0), 9,
                 Z_DEFAULT_STRATEGY);
    Bytes out(deflateBound(&stream, uLong(bytes.size())) + 32);
    stream.next_in = const_cast<Bytef*>(bytes.data());
    stream.avail_in = uInt(bytes.size());
    stream.next_out = out.data();
    stream.avail_out = uInt(out.size());
    deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return out;
}

inline std::string base64Data(const std::vector<uint32_t>& cells, const std::string& compression) {
    Bytes bytes = littleEndianCells(cells);
    if (!compression.empty())
        bytes = compressed(bytes, compression == "gzip");
    return "<data encoding=\"base64\"" +
           (compression.empty() ? std::string() : " compression=\"" + compression + "\"") +
           ">\n   " + base64Of(bytes) + "\n  </data>";
}

inline std::string mapXml(int width, int height, const std::string& tilesets,
                          const std::string& data, const std::string& properties = {}) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<map version=\"1.8\" "
           "orientation=\"orthogonal\" renderorder=\"right-down\" width=\"" +
           std::to_string(width) + "\" height=\"" + std::to_string(height) +
           "\" tilewidth=\"8\" tileheight=\"8\" infinite=\"0\">" +
           (properties.empty() ? "" : "<properties>" + properties + "</properties>") + tilesets +
           "<layer id=\"1\" name=\"Screen 0\" width=\"" + std::to_string(width) + "\" height=\"" +
           std::to_string(height) + "\">" + data + "</layer></map>\n";
}

inline Bytes bytesOf(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

} // namespace korvex::test
