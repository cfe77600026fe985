#include "formats/tmx_layer_data.h"

#include "formats/base64_text.h"
#include "formats/bounded_inflate.h"

#include <cstring>

namespace korvex {

namespace {

constexpr size_t kBytesPerCell = 4;

TmxLayerCells failure(std::string error) {
    TmxLayerCells result;
    result.error = std::move(error);
    return result;
}

std::string wrongCount(int64_t found, int64_t count, bool atLeast) {
    return std::string("the layer data holds ") + (atLeast ? "more than " : "") +
           std::to_string(found) + " tiles; the layer's size needs " + std::to_string(count);
}

// A character of the text for a message: itself when printable, else its byte.
std::string shown(char c) {
    static const char* digits = "0123456789ABCDEF";
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7F)
        return "\"" + std::string(1, c) + "\"";
    return std::string("the byte 0x") + digits[byte >> 4] + digits[byte & 0xF];
}

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

TmxLayerCells readCsv(const char* text, int64_t count) {
    std::vector<uint32_t> cells;
    cells.reserve(size_t(count));
    const char* at = text;
    while (true) {
        while (isSpace(*at))
            ++at;
        if (*at == '\0')
            break;
        if (*at < '0' || *at > '9')
            return failure("the CSV layer data holds " + shown(*at) + " where a tile id should be");
        uint64_t value = 0;
        while (*at >= '0' && *at <= '9') {
            value = value * 10 + uint64_t(*at - '0');
            if (value > UINT32_MAX)
                return failure("the CSV layer data holds a tile id beyond 4294967295");
            ++at;
        }
        if (int64_t(cells.size()) == count)
            return failure(wrongCount(count, count, true));
        cells.push_back(uint32_t(value));
        while (isSpace(*at))
            ++at;
        if (*at == ',')
            ++at;
        else if (*at != '\0')
            return failure("the CSV layer data holds " + shown(*at) + " where a comma should be");
    }
    if (int64_t(cells.size()) != count)
        return failure(wrongCount(int64_t(cells.size()), count, false));
    TmxLayerCells result;
    result.cells = std::move(cells);
    return result;
}

TmxLayerCells readBase64(const char* text, const std::string& compression, int64_t count) {
    const size_t needed = size_t(count) * kBytesPerCell;
    // Plain data may not be longer than the cells; compressed data is smaller than
    // its output, except for a few bytes of header when it does not compress.
    const size_t textBound = needed + needed / 2 + 1024;
    const auto decoded = decodeBase64(text, textBound);
    if (!decoded)
        return failure(std::strlen(text) / 4 * 3 > textBound
                           ? "the base64 layer data is far longer than the layer's size needs"
                           : "the base64 layer data is not valid base64");
    Bytes bytes;
    if (compression.empty()) {
        bytes = *decoded;
    } else if (compression == "zlib" || compression == "gzip") {
        const CompressedForm form =
            compression == "zlib" ? CompressedForm::Zlib : CompressedForm::Gzip;
        InflateResult inflated = inflateBounded(*decoded, form, needed);
        if (inflated.outcome == InflateOutcome::TooLarge)
            return failure("the " + compression + " layer data expands beyond the " +
                           std::to_string(needed) + " bytes of the layer's " +
                           std::to_string(count) + " tiles");
        if (inflated.outcome == InflateOutcome::Damaged)
            return failure("the " + compression + " layer data is damaged or cut short");
        bytes = std::move(inflated.bytes);
    } else {
        return failure("the layer data is compressed with \"" + compression +
                       "\", which is not read; save the map with CSV, uncompressed, zlib or "
                       "gzip base64 layer data");
    }
    if (bytes.size() % kBytesPerCell != 0 || bytes.size() != needed)
        return failure("the base64 layer data holds " + std::to_string(bytes.size()) +
                       " bytes; the layer's " + std::to_string(count) + " tiles take " +
                       std::to_string(needed));
    std::vector<uint32_t> cells(static_cast<size_t>(count));
    for (size_t i = 0; i < cells.size(); ++i) {
        const uint8_t* b = bytes.data() + i * kBytesPerCell;
        cells[i] =
            uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
    }
    TmxLayerCells result;
    result.cells = std::move(cells);
    return result;
}

TmxLayerCells readTileElements(const pugi::xml_node& data, int64_t count) {
    std::vector<uint32_t> cells;
    cells.reserve(size_t(count));
    for (const pugi::xml_node tile : data.children("tile")) {
        if (int64_t(cells.size()) == count)
            return failure(wrongCount(count, count, true));
        cells.push_back(tile.attribute("gid").as_uint(0));
    }
    if (int64_t(cells.size()) != count)
        return failure(wrongCount(int64_t(cells.size()), count, false));
    TmxLayerCells result;
    result.cells = std::move(cells);
    return result;
}

} // namespace

TmxLayerCells readTmxLayerData(const pugi::xml_node& data, int64_t count) {
    if (data.child("chunk"))
        return failure("the layer data comes in chunks, as in an infinite map; save the map "
                       "with a fixed size");
    const std::string encoding = data.attribute("encoding").value();
    const std::string compression = data.attribute("compression").value();
    if (encoding == "csv")
        return readCsv(data.text().get(), count);
    if (encoding == "base64")
        return readBase64(data.text().get(), compression, count);
    if (encoding.empty())
        return readTileElements(data, count);
    return failure("the layer data has the encoding \"" + encoding + "\"; CSV and base64 are read");
}

} // namespace korvex
