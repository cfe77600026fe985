#include "formats/png_codec.h"

#include <png.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

namespace korvex {

namespace {

// libpng reports errors by longjmp back to the frame that called setjmp. The
// functions that call setjmp below hold no object with a destructor and keep
// everything they fill in structures owned by their callers, so a jump only
// abandons plain data.

constexpr png_alloc_size_t kMaxChunkBytes = 16u << 20; // ancillary chunks

struct ErrorText {
    char text[160] = {};
};

void onError(png_structp png, png_const_charp message) {
    auto* error = static_cast<ErrorText*>(png_get_error_ptr(png));
    if (error)
        std::snprintf(error->text, sizeof error->text, "%s", message ? message : "PNG error");
    png_longjmp(png, 1);
}

void onWarning(png_structp, png_const_charp) {}

struct MemoryReader {
    const uint8_t* data = nullptr;
    size_t size = 0;
    size_t position = 0;
};

void readFromMemory(png_structp png, png_bytep out, size_t length) {
    auto* reader = static_cast<MemoryReader*>(png_get_io_ptr(png));
    if (length > reader->size - reader->position)
        png_error(png, "file is truncated");
    std::memcpy(out, reader->data + reader->position, length);
    reader->position += length;
}

struct ReadHandles {
    png_structp png = nullptr;
    png_infop info = nullptr;
    ~ReadHandles() { png_destroy_read_struct(&png, info ? &info : nullptr, nullptr); }
};

// Reads the header and sets the transformations that turn every kind of PNG into
// 8-bit RGBA rows. False on a damaged header or a picture too large.
bool readHeader(png_structp png, png_infop info, png_uint_32* width, png_uint_32* height) {
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_user_limits(png, kMaxPictureSide, kMaxPictureSide);
    png_set_chunk_malloc_max(png, kMaxChunkBytes);
    png_read_info(png, info);
    int bitDepth = 0, colourType = 0;
    png_get_IHDR(png, info, width, height, &bitDepth, &colourType, nullptr, nullptr, nullptr);
    if (*width == 0 || *height == 0 || *width > png_uint_32(kMaxPictureSide) ||
        *height > png_uint_32(kMaxPictureSide))
        png_error(png, "picture size out of range");

    png_set_expand(png); // palette -> RGB, small grey depths -> 8 bits, tRNS -> alpha
    png_set_scale_16(png);
    if (!(colourType & PNG_COLOR_MASK_COLOR))
        png_set_gray_to_rgb(png);
    if (!(colourType & PNG_COLOR_MASK_ALPHA) && !png_get_valid(png, info, PNG_INFO_tRNS))
        png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);

    if (png_get_bit_depth(png, info) != 8 || png_get_channels(png, info) != 4 ||
        png_get_rowbytes(png, info) != size_t(*width) * 4)
        png_error(png, "unexpected row format");
    return true;
}

// Reads every pass of every row into the prepared row pointers, then the rest of
// the file up to its end chunk, so a file cut short is refused as a whole.
bool readRows(png_structp png, png_bytepp rows) {
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_read_image(png, rows);
    png_read_end(png, nullptr);
    return true;
}

constexpr unsigned kOpaque = 255;

// The RGBA bytes of each pixel, read in place, become the packed RGB value,
// composited over black, or with the alpha kept in the top byte.
void packPixels(RgbPicture& picture, PictureAlpha alpha) {
    for (uint32_t& pixel : picture.pixels) {
        uint8_t rgba[4];
        std::memcpy(rgba, &pixel, 4);
        const unsigned a = rgba[3];
        if (alpha == PictureAlpha::Kept) {
            pixel = rgba[0] | (unsigned(rgba[1]) << 8) | (unsigned(rgba[2]) << 16) |
                    (uint32_t(a) << kAlphaShift);
            continue;
        }
        if (a == kOpaque) { // the usual case, where compositing changes nothing
            pixel = rgba[0] | (unsigned(rgba[1]) << 8) | (unsigned(rgba[2]) << 16);
            continue;
        }
        auto over = [a](unsigned c) { return (c * a + 127) / 255; };
        pixel = over(rgba[0]) | (over(rgba[1]) << 8) | (over(rgba[2]) << 16);
    }
}

// The most bytes deflate can give for one byte of compressed data: a length and
// a distance of one bit each stand for 258 bytes.
constexpr uint64_t kLargestInflateRatio = 1032;
constexpr size_t kSignatureBytes = 8;
constexpr size_t kChunkFrameBytes = 12; // length, type and checksum around the data

uint32_t bigEndian32(const uint8_t* p) {
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | uint32_t(p[3]);
}

// Walks the chunks before libpng reads any: nothing when one declares more data
// than the file holds (libpng would take the memory for it before finding out);
// otherwise the bytes of compressed picture data, those of every IDAT chunk.
std::optional<uint64_t> pictureDataBytes(ByteView data) {
    uint64_t total = 0;
    size_t at = kSignatureBytes;
    while (data.size() - at >= kChunkFrameBytes) {
        const uint64_t length = bigEndian32(&data[at]);
        if (length + kChunkFrameBytes > data.size() - at)
            return std::nullopt;
        if (std::memcmp(&data[at + 4], "IDAT", 4) == 0)
            total += length;
        if (std::memcmp(&data[at + 4], "IEND", 4) == 0)
            break;
        at += size_t(length) + kChunkFrameBytes;
    }
    return total;
}

// Whether `compressedBytes` can hold the picture the header declares: the samples
// alone, at deflate's best ratio. Checked before the pixels are allocated, so a
// small file cannot claim a huge picture.
bool holdsPicture(ByteView data, png_uint_32 width, png_uint_32 height, uint64_t compressedBytes) {
    // The header chunk comes first (libpng has checked it): depth and colour type.
    const unsigned bitDepth = data[24];
    const unsigned colourType = data[25];
    const unsigned channels = colourType == PNG_COLOR_TYPE_RGB          ? 3
                              : colourType == PNG_COLOR_TYPE_GRAY_ALPHA ? 2
                              : colourType == PNG_COLOR_TYPE_RGB_ALPHA  ? 4
                                                                        : 1;
    const uint64_t sampleBytes = uint64_t(width) * height * channels * bitDepth / 8;
    return sampleBytes <= compressedBytes * kLargestInflateRatio;
}

void setError(std::string* error, const char* text) {
    if (error)
        *error = text;
}

struct WriteHandles {
    png_structp png = nullptr;
    png_infop info = nullptr;
    ~WriteHandles() { png_destroy_write_struct(&png, info ? &info : nullptr); }
};

struct MemoryWriter {
    Bytes* out = nullptr;
    bool outOfMemory = false;
};

void writeToMemory(png_structp png, png_bytep data, size_t length) {
    auto* writer = static_cast<MemoryWriter*>(png_get_io_ptr(png));
    try {
        writer->out->insert(writer->out->end(), data, data + length);
    } catch (const std::bad_alloc&) {
        writer->outOfMemory = true;
    }
    if (writer->outOfMemory)
        png_error(png, "out of memory");
}

void flushMemory(png_structp) {}

// The filter of a row is the one whose filtered bytes, read as signed, have the
// smallest sum of magnitudes; on a tie the first in the order None, Sub, Up,
// Average, Paeth. That is libpng's own adaptive choice, which the files have always
// been written with; working it out here lets libpng apply one filter per row
// instead of trying all five.
constexpr int kRgbBytes = 3;

// The sum of the filtered bytes' magnitudes, `filtered(i)` giving byte i filtered,
// added to `sum`. A row holds at most 3 * kMaxPictureSide bytes, so sums fit 32
// bits. Stops early once the sum reaches `limit`: that filter can no longer win.
// The bytes go in blocks of a fixed length, which the compiler turns into vector code.
template <typename Filter>
uint32_t magnitudeSum(uint32_t sum, size_t length, uint32_t limit, Filter filtered) {
    constexpr size_t kBlock = 32;
    auto magnitude = [](uint8_t byte) { return byte < 128 ? uint32_t(byte) : 256u - byte; };
    size_t i = 0;
    for (; i + kBlock <= length && sum < limit; i += kBlock)
        for (size_t k = 0; k < kBlock; ++k)
            sum += magnitude(filtered(i + k));
    for (; i < length && sum < limit; ++i)
        sum += magnitude(filtered(i));
    return sum;
}

// In 16 bits (the distances reach at most 510), which lets the compiler work on
// many bytes at once.
uint8_t paethPredictor(uint8_t left, uint8_t up, uint8_t upLeft) {
    auto distance = [](int16_t d) { return int16_t(d < 0 ? -d : d); };
    const int16_t l = left, u = up, ul = upLeft;
    const int16_t fromLeft = distance(int16_t(u - ul)); // how far the estimate is from left
    const int16_t fromUp = distance(int16_t(l - ul));
    const int16_t fromUpLeft = distance(int16_t(l + u - 2 * ul));
    const uint8_t upOrUpLeft = fromUp <= fromUpLeft ? up : upLeft;
    return (fromLeft <= fromUp) & (fromLeft <= fromUpLeft) ? left : upOrUpLeft;
}

int chosenRowFilter(const uint8_t* row, const uint8_t* previous, size_t length) {
    if (std::memcmp(row, previous, length) == 0) {
        // Up sums to 0, and so do None and Sub only for a row of zeros.
        const bool zeros = std::all_of(row, row + length, [](uint8_t byte) { return byte == 0; });
        return zeros ? PNG_FILTER_NONE : PNG_FILTER_UP;
    }
    constexpr uint32_t kNoLimit = UINT32_MAX;
    int chosen = PNG_FILTER_NONE;
    uint32_t smallest = magnitudeSum(0, length, kNoLimit, [&](size_t i) { return row[i]; });
    auto consider = [&](int filter, uint32_t sum) {
        if (sum < smallest) {
            smallest = sum;
            chosen = filter;
        }
    };
    // The first pixel has no left neighbour: its left and upper left bytes count as 0.
    const size_t first = std::min<size_t>(kRgbBytes, length), rest = length - first;
    const uint8_t* right = row + first;
    const uint8_t* below = previous + first;
    uint32_t sum = magnitudeSum(0, first, kNoLimit, [&](size_t i) { return row[i]; });
    consider(PNG_FILTER_SUB, magnitudeSum(sum, rest, smallest,
                                          [&](size_t i) { return uint8_t(right[i] - row[i]); }));
    consider(PNG_FILTER_UP, magnitudeSum(0, length, smallest,
                                         [&](size_t i) { return uint8_t(row[i] - previous[i]); }));
    sum = magnitudeSum(0, first, kNoLimit,
                       [&](size_t i) { return uint8_t(row[i] - previous[i] / 2); });
    consider(PNG_FILTER_AVG, magnitudeSum(sum, rest, smallest, [&](size_t i) {
                 return uint8_t(right[i] - (row[i] + below[i]) / 2);
             }));
    sum = magnitudeSum(0, first, kNoLimit, [&](size_t i) { return uint8_t(row[i] - previous[i]); });
    consider(PNG_FILTER_PAETH, magnitudeSum(sum, rest, smallest, [&](size_t i) {
                 return uint8_t(right[i] - paethPredictor(row[i], below[i], previous[i]));
             }));
    return chosen;
}

// Row y of the picture as 8-bit RGB, into a buffer with one spare byte at its end:
// on a little-endian machine each pixel's four bytes are copied whole (red, green,
// blue and a zero the next pixel overwrites).
void packRow(const RgbPicture& picture, int y, uint8_t* out) {
    const uint32_t* pixel = picture.pixels.data() + size_t(y) * size_t(picture.width);
    for (int x = 0; x < picture.width; ++x, out += kRgbBytes) {
        if constexpr (std::endian::native == std::endian::little) {
            std::memcpy(out, pixel + x, sizeof(uint32_t));
        } else {
            out[0] = uint8_t(pixel[x]);
            out[1] = uint8_t(pixel[x] >> 8);
            out[2] = uint8_t(pixel[x] >> 16);
        }
    }
}

// Rows are packed one at a time into two buffers of the caller (this row and the
// one above, which the filter choice compares it with).
bool writeAll(png_structp png, png_infop info, const RgbPicture& picture, uint8_t* rowBuffers[2]) {
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_IHDR(png, info, png_uint_32(picture.width), png_uint_32(picture.height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    // The first row goes through libpng's own choice, so the compressor starts with
    // every filter allowed and picks its settings for filtered data.
    packRow(picture, 0, rowBuffers[0]);
    png_write_row(png, rowBuffers[0]);
    const size_t rowBytes = size_t(picture.width) * kRgbBytes;
    for (int y = 1; y < picture.height; ++y) {
        uint8_t* row = rowBuffers[y % 2];
        const uint8_t* above = rowBuffers[(y - 1) % 2];
        packRow(picture, y, row);
        png_set_filter(png, PNG_FILTER_TYPE_BASE, chosenRowFilter(row, above, rowBytes));
        png_write_row(png, row);
    }
    png_write_end(png, nullptr);
    return true;
}

} // namespace

bool looksLikePng(ByteView data) {
    return data.size() >= 8 && png_sig_cmp(data.data(), 0, 8) == 0;
}

std::optional<RgbPicture> decodePng(ByteView data, std::string* error, PictureAlpha alpha) {
    if (!looksLikePng(data)) {
        setError(error, "not a PNG file");
        return std::nullopt;
    }
    const std::optional<uint64_t> compressedBytes = pictureDataBytes(data);
    if (!compressedBytes) {
        setError(error, "file is truncated");
        return std::nullopt;
    }
    ErrorText errorText;
    MemoryReader reader{data.data(), data.size(), 0};
    ReadHandles handles;
    handles.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &errorText, onError, onWarning);
    if (!handles.png || !(handles.info = png_create_info_struct(handles.png))) {
        setError(error, "out of memory");
        return std::nullopt;
    }
    png_set_read_fn(handles.png, &reader, readFromMemory);

    png_uint_32 width = 0, height = 0;
    if (!readHeader(handles.png, handles.info, &width, &height)) {
        setError(error, errorText.text);
        return std::nullopt;
    }
    if (!holdsPicture(data, width, height, *compressedBytes)) {
        setError(error, "file is truncated");
        return std::nullopt;
    }
    RgbPicture picture;
    std::vector<png_bytep> rows;
    try {
        picture.pixels.resize(size_t(width) * height);
        rows.resize(height);
    } catch (const std::bad_alloc&) {
        setError(error, "out of memory");
        return std::nullopt;
    }
    picture.width = int(width);
    picture.height = int(height);
    for (png_uint_32 y = 0; y < height; ++y)
        rows[y] = reinterpret_cast<png_bytep>(picture.pixels.data() + size_t(y) * width);
    if (!readRows(handles.png, rows.data())) {
        setError(error, errorText.text);
        return std::nullopt;
    }
    packPixels(picture, alpha);
    return picture;
}

Bytes encodePng(const RgbPicture& picture) {
    if (picture.empty() || picture.pixels.size() != size_t(picture.width) * size_t(picture.height))
        return {};
    Bytes out;
    std::vector<uint8_t> rows;
    const size_t rowBytes = size_t(picture.width) * kRgbBytes;
    try {
        rows.resize(2 * (rowBytes + 1)); // packRow's spare byte after each
    } catch (const std::bad_alloc&) {
        return {};
    }
    uint8_t* rowBuffers[2] = {rows.data(), rows.data() + rowBytes + 1};

    ErrorText errorText;
    MemoryWriter writer{&out, false};
    WriteHandles handles;
    handles.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &errorText, onError, onWarning);
    if (!handles.png || !(handles.info = png_create_info_struct(handles.png)))
        return {};
    png_set_write_fn(handles.png, &writer, writeToMemory, flushMemory);
    if (!writeAll(handles.png, handles.info, picture, rowBuffers))
        return {};
    return out;
}

} // namespace korvex
