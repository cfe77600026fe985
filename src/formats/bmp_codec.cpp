#include "formats/bmp_codec.h"

#include "formats/png_codec.h"

#include <new>

namespace korvex {

namespace {

constexpr size_t kFileHeaderBytes = 14;
constexpr size_t kCoreHeaderBytes = 12;
constexpr size_t kInfoHeaderBytes = 40;
// The shortest header holding an alpha mask (the V3 header; V4 and V5 have it too).
constexpr size_t kAlphaMaskHeaderBytes = 56;
// The most pixels one two-byte code of run-length data gives.
constexpr uint64_t kLongestRun = 255;

enum Compression : uint32_t {
    kRgb = 0,
    kRle8 = 1,
    kRle4 = 2,
    kBitFields = 3,
    kAlphaBitFields = 6,
};

// One colour channel of a 16- or 32-bit pixel: its mask, where the mask starts
// and how many bits it spans.
struct Channel {
    uint32_t mask = 0;
    int shift = 0;
    int bits = 0;

    explicit Channel(uint32_t m = 0) : mask(m) {
        if (mask == 0)
            return;
        while (!((mask >> shift) & 1))
            ++shift;
        for (uint32_t rest = mask >> shift; rest != 0; rest >>= 1)
            ++bits;
    }
    // The channel's value scaled to 0..255, rounded.
    uint32_t value(uint32_t pixel) const {
        if (bits == 0)
            return 0;
        const uint64_t v = (pixel & mask) >> shift;
        const uint64_t top = (uint64_t(1) << bits) - 1;
        return uint32_t((v * 510 + top) / (2 * top));
    }
};

struct Layout {
    int64_t width = 0;
    int64_t height = 0; // rows, always positive
    bool topDown = false;
    int bitsPerPixel = 0;
    uint32_t compression = kRgb;
    uint32_t dataBytes = 0; // declared size of the pixel data, 0 when not given
    Channel red, green, blue;
    Channel alpha;                 // no bits when the file declares no alpha channel
    std::vector<uint32_t> palette; // packed RGB
    size_t pixelOffset = 0;
};

class BmpReader {
public:
    BmpReader(ByteView data, PictureAlpha alpha) : d_(data), alpha_(alpha) {}

    std::optional<RgbPicture> read();
    const char* failure() const { return failure_; }

private:
    bool fail(const char* reason) {
        failure_ = reason;
        return false;
    }
    bool has(size_t offset, size_t length) const {
        return offset <= d_.size() && length <= d_.size() - offset;
    }
    uint32_t u16(size_t o) const { return uint32_t(d_[o]) | uint32_t(d_[o + 1]) << 8; }
    uint32_t u32(size_t o) const { return u16(o) | u16(o + 2) << 16; }
    int32_t i32(size_t o) const { return int32_t(u32(o)); }

    bool readHeaders();
    bool readPalette(size_t start, size_t entryBytes, size_t count);
    bool checkShape();
    // Whether the file holds enough pixel data for the declared size: rows in full,
    // or for run-length data two bytes for every run of at most 255 pixels.
    // Checked before the pixels are allocated, so a small file cannot claim a huge
    // picture.
    bool holdsPicture();
    size_t stride() const;
    // A 16- or 32-bit pixel as packed RGB, composited over black when the file has
    // an alpha channel (or with the alpha kept, when asked).
    uint32_t overBlack(uint32_t pixel) const;
    size_t runLengthBytes() const;
    bool decodeRows();
    bool decodeRunLength();
    bool putIndex(int64_t x, int64_t row, uint32_t index);

    ByteView d_;
    PictureAlpha alpha_;
    Layout l_;
    RgbPicture picture_;
    const char* failure_ = nullptr;
};

bool BmpReader::readHeaders() {
    if (!has(0, kFileHeaderBytes + 4))
        return fail("file is truncated");
    if (d_[0] != 'B' || d_[1] != 'M')
        return fail("not a BMP file");
    l_.pixelOffset = u32(10);
    const size_t headerBytes = u32(kFileHeaderBytes);
    const size_t h = kFileHeaderBytes;
    if (headerBytes == kCoreHeaderBytes) {
        if (!has(h, kCoreHeaderBytes))
            return fail("file is truncated");
        l_.width = u16(h + 4);
        l_.height = u16(h + 6);
        l_.bitsPerPixel = int(u16(h + 10));
        if (!checkShape())
            return false;
        if (l_.bitsPerPixel <= 8) {
            // The table has up to 2^bits three-byte entries, as many as fit before the pixels.
            const size_t start = h + kCoreHeaderBytes;
            const size_t room = l_.pixelOffset > start ? (l_.pixelOffset - start) / 3 : 0;
            const size_t full = size_t(1) << l_.bitsPerPixel;
            return readPalette(start, 3, room < full ? room : full);
        }
        return true;
    }
    if (headerBytes != kInfoHeaderBytes && headerBytes != 52 && headerBytes != 56 &&
        headerBytes != 108 && headerBytes != 124)
        return fail("unsupported BMP header");
    if (!has(h, headerBytes))
        return fail("file is truncated");
    l_.width = i32(h + 4);
    const int64_t height = i32(h + 8);
    l_.topDown = height < 0;
    l_.height = height < 0 ? -height : height;
    l_.bitsPerPixel = int(u16(h + 14));
    l_.compression = u32(h + 16);
    l_.dataBytes = u32(h + 20);
    const uint32_t coloursUsed = u32(h + 32);
    if (!checkShape())
        return false;

    size_t paletteStart = h + headerBytes;
    if (l_.compression == kBitFields || l_.compression == kAlphaBitFields) {
        // The masks follow a 40-byte header and sit inside the longer ones.
        const size_t maskBytes = l_.compression == kBitFields ? 12 : 16;
        if (!has(h + kInfoHeaderBytes, maskBytes))
            return fail("file is truncated");
        l_.red = Channel(u32(h + 40));
        l_.green = Channel(u32(h + 44));
        l_.blue = Channel(u32(h + 48));
        // The alpha mask follows the colour masks in the longer headers and with
        // BI_ALPHABITFIELDS.
        if (l_.compression == kAlphaBitFields || headerBytes >= kAlphaMaskHeaderBytes)
            l_.alpha = Channel(u32(h + 52));
        if (headerBytes == kInfoHeaderBytes)
            paletteStart += maskBytes;
    } else if (l_.bitsPerPixel == 16) {
        l_.red = Channel(0x7C00);
        l_.green = Channel(0x03E0);
        l_.blue = Channel(0x001F);
    } else if (l_.bitsPerPixel == 32) {
        l_.red = Channel(0xFF0000);
        l_.green = Channel(0x00FF00);
        l_.blue = Channel(0x0000FF);
    }
    if (l_.bitsPerPixel <= 8) {
        const size_t full = size_t(1) << l_.bitsPerPixel;
        const size_t count = coloursUsed == 0 || coloursUsed > full ? full : coloursUsed;
        return readPalette(paletteStart, 4, count);
    }
    return true;
}

bool BmpReader::checkShape() {
    if (l_.width < 1 || l_.height < 1 || l_.width > kMaxPictureSide || l_.height > kMaxPictureSide)
        return fail("picture size out of range");
    const int b = l_.bitsPerPixel;
    if (b != 1 && b != 4 && b != 8 && b != 16 && b != 24 && b != 32)
        return fail("unsupported bit depth");
    switch (l_.compression) {
    case kRgb:
        return true;
    case kRle8:
    case kRle4:
        if (b != (l_.compression == kRle8 ? 8 : 4))
            return fail("run-length coding does not match the bit depth");
        if (l_.topDown)
            return fail("run-length coded pictures cannot be top-down");
        return true;
    case kBitFields:
    case kAlphaBitFields:
        if (b != 16 && b != 32)
            return fail("bit fields need 16 or 32 bits per pixel");
        return true;
    default:
        return fail("unsupported compression");
    }
}

bool BmpReader::readPalette(size_t start, size_t entryBytes, size_t count) {
    if (count == 0)
        return fail("missing colour table");
    if (!has(start, count * entryBytes))
        return fail("colour table is cut short");
    l_.palette.resize(count);
    for (size_t i = 0; i < count; ++i) {
        const size_t o = start + i * entryBytes;
        l_.palette[i] = uint32_t(d_[o + 2]) | uint32_t(d_[o + 1]) << 8 | uint32_t(d_[o]) << 16;
    }
    return true;
}

bool BmpReader::putIndex(int64_t x, int64_t row, uint32_t index) {
    if (index >= l_.palette.size())
        return fail("colour index outside the colour table");
    picture_.pixels[size_t(row) * size_t(l_.width) + size_t(x)] = l_.palette[index];
    return true;
}

size_t BmpReader::stride() const {
    return size_t((l_.width * l_.bitsPerPixel + 31) / 32) * 4;
}

size_t BmpReader::runLengthBytes() const {
    const size_t available = d_.size() - l_.pixelOffset;
    return l_.dataBytes != 0 && l_.dataBytes <= available ? l_.dataBytes : available;
}

bool BmpReader::holdsPicture() {
    if (l_.pixelOffset >= d_.size())
        return fail("pixel data is cut short");
    const uint64_t pixels = uint64_t(l_.width) * uint64_t(l_.height);
    if (l_.compression == kRle8 || l_.compression == kRle4) {
        if (pixels > runLengthBytes() / 2 * kLongestRun)
            return fail("run-length data is cut short");
        return true;
    }
    if (uint64_t(stride()) * uint64_t(l_.height) > d_.size() - l_.pixelOffset)
        return fail("pixel data is cut short");
    return true;
}

uint32_t BmpReader::overBlack(uint32_t pixel) const {
    const uint32_t red = l_.red.value(pixel), green = l_.green.value(pixel),
                   blue = l_.blue.value(pixel);
    if (l_.alpha.bits == 0)
        return red | green << 8 | blue << 16;
    const uint32_t a = l_.alpha.value(pixel);
    if (alpha_ == PictureAlpha::Kept)
        return red | green << 8 | blue << 16 | a << kAlphaShift;
    // As PNG transparency is: each channel weighted by the alpha, rounded.
    auto over = [a](uint32_t c) { return (c * a + 127) / 255; };
    return over(red) | over(green) << 8 | over(blue) << 16;
}

bool BmpReader::decodeRows() {
    const int bpp = l_.bitsPerPixel;
    const size_t stride = this->stride();
    for (int64_t fileRow = 0; fileRow < l_.height; ++fileRow) {
        const int64_t row = l_.topDown ? fileRow : l_.height - 1 - fileRow;
        const uint8_t* src = d_.data() + l_.pixelOffset + size_t(fileRow) * stride;
        uint32_t* out = picture_.pixels.data() + size_t(row) * size_t(l_.width);
        for (int64_t x = 0; x < l_.width; ++x) {
            switch (bpp) {
            case 1:
            case 4:
            case 8: {
                const int64_t bit = x * bpp;
                const uint32_t byte = src[bit / 8];
                const uint32_t index = (byte >> (8 - bpp - bit % 8)) & ((1u << bpp) - 1);
                if (!putIndex(x, row, index))
                    return false;
                break;
            }
            case 24: {
                const uint8_t* p = src + 3 * x;
                out[x] = uint32_t(p[2]) | uint32_t(p[1]) << 8 | uint32_t(p[0]) << 16;
                break;
            }
            default: {
                const uint8_t* p = src + (bpp / 8) * x;
                uint32_t v = uint32_t(p[0]) | uint32_t(p[1]) << 8;
                if (bpp == 32)
                    v |= uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
                out[x] = overBlack(v);
                break;
            }
            }
        }
    }
    return true;
}

// Runs of RLE8 or RLE4 from the bottom row up. Every write is checked against the
// bitmap, every read against the data; a stream that stops before its end marker
// fails unless all rows were already complete.
bool BmpReader::decodeRunLength() {
    const size_t length = runLengthBytes();
    const uint8_t* s = d_.data() + l_.pixelOffset;
    const bool four = l_.compression == kRle4;
    size_t pos = 0;
    int64_t x = 0, line = 0; // line counts from the bottom
    auto rowOf = [this](int64_t fromBottom) { return l_.height - 1 - fromBottom; };
    // Encoders may run into the padding at the end of a row (ImageMagick does);
    // those pixels are dropped. Rows above the bitmap are refused.
    auto put = [&](uint32_t index) {
        const bool inside = x < l_.width;
        ++x;
        return !inside || putIndex(x - 1, rowOf(line), index);
    };

    while (true) {
        if (length - pos < 2)
            return line >= l_.height ? true : fail("run-length data is cut short");
        const uint32_t first = s[pos], second = s[pos + 1];
        pos += 2;
        if (first > 0) { // a run of one index (RLE8) or two alternating ones (RLE4)
            if (line >= l_.height)
                return fail("run-length data runs past the bitmap");
            for (uint32_t i = 0; i < first; ++i) {
                const uint32_t index = !four ? second : (i % 2 == 0 ? second >> 4 : second & 15);
                if (!put(index))
                    return false;
            }
            continue;
        }
        if (second == 0) { // end of line
            x = 0;
            ++line;
        } else if (second == 1) { // end of bitmap
            return true;
        } else if (second == 2) { // move right and up
            if (length - pos < 2)
                return fail("run-length data is cut short");
            x += s[pos];
            line += s[pos + 1];
            pos += 2;
            if (x > l_.width || line > l_.height)
                return fail("run-length data runs past the bitmap");
        } else { // literal indexes, padded to an even number of bytes
            const uint32_t count = second;
            size_t bytes = four ? (count + 1) / 2 : count;
            bytes += bytes & 1;
            if (length - pos < bytes)
                return fail("run-length data is cut short");
            if (line >= l_.height)
                return fail("run-length data runs past the bitmap");
            for (uint32_t i = 0; i < count; ++i) {
                const uint32_t index =
                    !four ? s[pos + i] : (i % 2 == 0 ? s[pos + i / 2] >> 4 : s[pos + i / 2] & 15);
                if (!put(index))
                    return false;
            }
            pos += bytes;
        }
    }
}

std::optional<RgbPicture> BmpReader::read() {
    if (!readHeaders() || !holdsPicture())
        return std::nullopt;
    try {
        picture_.pixels.assign(size_t(l_.width) * size_t(l_.height), 0);
    } catch (const std::bad_alloc&) {
        fail("out of memory");
        return std::nullopt;
    }
    picture_.width = int(l_.width);
    picture_.height = int(l_.height);
    const bool ok =
        l_.compression == kRle8 || l_.compression == kRle4 ? decodeRunLength() : decodeRows();
    if (!ok)
        return std::nullopt;
    if (alpha_ == PictureAlpha::Kept && l_.alpha.bits == 0)
        for (uint32_t& pixel : picture_.pixels)
            pixel |= kOpaqueAlphaBits;
    return std::move(picture_);
}

void put16(Bytes& out, size_t o, uint32_t v) {
    out[o] = uint8_t(v);
    out[o + 1] = uint8_t(v >> 8);
}
void put32(Bytes& out, size_t o, uint32_t v) {
    put16(out, o, v & 0xFFFF);
    put16(out, o + 2, v >> 16);
}

} // namespace

bool looksLikeBmp(ByteView data) {
    return data.size() >= 2 && data[0] == 'B' && data[1] == 'M';
}

std::optional<RgbPicture> decodeBmp(ByteView data, std::string* error, PictureAlpha alpha) {
    BmpReader reader(data, alpha);
    auto picture = reader.read();
    if (!picture && error)
        *error = reader.failure() ? reader.failure() : "BMP error";
    return picture;
}

Bytes encodeBmp(const RgbPicture& picture) {
    if (picture.empty() || picture.pixels.size() != size_t(picture.width) * size_t(picture.height))
        return {};
    const size_t stride = (size_t(picture.width) * 3 + 3) & ~size_t(3);
    const size_t dataBytes = stride * size_t(picture.height);
    const size_t headers = kFileHeaderBytes + kInfoHeaderBytes;
    if (headers + dataBytes > 0xFFFFFFFFu)
        return {};
    Bytes out(headers + dataBytes, 0);
    out[0] = 'B';
    out[1] = 'M';
    put32(out, 2, uint32_t(out.size()));
    put32(out, 10, uint32_t(headers));
    put32(out, 14, uint32_t(kInfoHeaderBytes));
    put32(out, 18, uint32_t(picture.width));
    put32(out, 22, uint32_t(picture.height)); // positive: bottom row first
    put16(out, 26, 1);                        // planes
    put16(out, 28, 24);
    put32(out, 30, kRgb);
    put32(out, 34, uint32_t(dataBytes));
    put32(out, 38, 2835); // 72 dots per inch
    put32(out, 42, 2835);
    for (int y = 0; y < picture.height; ++y) {
        uint8_t* row = out.data() + headers + size_t(picture.height - 1 - y) * stride;
        for (int x = 0; x < picture.width; ++x) {
            const uint32_t p = picture.at(x, y);
            row[3 * x] = uint8_t(p >> 16);
            row[3 * x + 1] = uint8_t(p >> 8);
            row[3 * x + 2] = uint8_t(p);
        }
    }
    return out;
}

} // namespace korvex
