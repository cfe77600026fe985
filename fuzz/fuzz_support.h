#pragma once
// What every fuzz harness shares: documents to load into without building one per
// input, the check that stops the run when a property fails, and comparisons of the
// parts of a document the file kinds carry.
//
// A harness defines LLVMFuzzerTestOneInput. libFuzzer calls it in the fuzz build;
// replay_main.cpp calls it for kept inputs in the ordinary builds.

#include "core/document.h"
#include "formats/file_io.h"
#include "formats/png_codec.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace korvex::fuzz {

// Stops the run when a property does not hold; libFuzzer keeps the input that
// broke it.
inline void require(bool holds, const char* property) {
    if (holds)
        return;
    std::fprintf(stderr, "property broken: %s\n", property);
    std::fflush(stderr);
    std::abort();
}

// A document as the program has it after start-up. Building one (hit areas, the
// default font) costs far more than copying one, so one is built and kept.
inline const Document& startupDocument() {
    static const std::unique_ptr<Document> kept = [] {
        auto doc = std::make_unique<Document>();
        initDocument(*doc);
        return doc;
    }();
    return *kept;
}

// Two documents for a round trip: the first load and the load of what it saved.
enum class Slot { First, Second };

// The slot's document, untouched since the last call; harnesses reset the parts
// their loader may leave as they were (see freshDocument for a whole reset).
inline Document& slotDocument(Slot slot) {
    static const std::unique_ptr<Document> docs[2] = {
        std::make_unique<Document>(startupDocument()),
        std::make_unique<Document>(startupDocument())};
    return *docs[slot == Slot::First ? 0 : 1];
}

// The slot's document reset to the start-up state as a whole.
inline Document& freshDocument(Slot slot) {
    Document& doc = slotDocument(slot);
    doc = startupDocument();
    return doc;
}

inline Bytes bytesOf(const uint8_t* data, size_t size) {
    return Bytes(data, data + size);
}

// Whether `saved` is `length` bytes: the file's first bytes, then `fill` for those
// the file lacks.
inline bool fileThenFill(const Bytes& saved, ByteView file, size_t length, uint8_t fill) {
    const size_t given = std::min(file.size(), length);
    return saved.size() == length &&
           std::equal(file.begin(), file.begin() + given, saved.begin()) &&
           std::all_of(saved.begin() + given, saved.end(), [=](uint8_t b) { return b == fill; });
}

inline Bytes bytesOfText(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

template <typename T, size_t N> bool sameArray(const T (&a)[N], const T (&b)[N]) {
    return std::memcmp(a, b, sizeof a) == 0;
}

// A font name as a project stores it: control characters become spaces so the
// name stays on its line.
inline std::string storedFontName(std::string name) {
    for (char& c : name)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = ' ';
    return name;
}

// Everything a project file carries, compared; the first part that differs, or
// nullptr when they agree. `loaded` is the document the file was first read into,
// `reloaded` the one its saved form was read into.
inline const char* projectDifference(const Document& loaded, const Document& reloaded) {
    if (!sameArray(loaded.Glyphs, reloaded.Glyphs))
        return "font pixels";
    if (!sameArray(loaded.FontColours, reloaded.FontColours))
        return "font colours";
    for (int i = 1; i <= kFontCount; ++i)
        if (storedFontName(loaded.FontName[i]) != reloaded.FontName[i])
            return "font names";
    if (!sameArray(loaded.Sets, reloaded.Sets))
        return "sets";
    if (!sameArray(loaded.screens, reloaded.screens))
        return "screens";
    if (std::memcmp(loaded.rowTables, reloaded.rowTables, sizeof loaded.rowTables) != 0)
        return "row tables";
    if (!sameArray(loaded.MultiViewFonts, reloaded.MultiViewFonts))
        return "multi font view rows";
    if (loaded.gridShown != reloaded.gridShown || loaded.setDrawing != reloaded.setDrawing ||
        loaded.alwaysOnTop != reloaded.alwaysOnTop || loaded.rangeMode != reloaded.rangeMode ||
        loaded.rangeModeOther != reloaded.rangeModeOther)
        return "view editor switches";
    if (loaded.rangeX != reloaded.rangeX || loaded.rangeY != reloaded.rangeY ||
        loaded.rangeWidth != reloaded.rangeWidth || loaded.rangeHeight != reloaded.rangeHeight)
        return "range rectangle";
    return nullptr;
}

// A picture decoder given any bytes gives a picture or nothing, and a picture it gives
// has the pixels its size says, each a 24-bit colour; encoded again, it decodes to the
// same pixels. The round trip is left out for the largest pictures: encoding costs
// more than decoding, and a smaller picture finds the same faults.
template <typename Decode, typename Encode>
void checkPictureRoundTrip(const uint8_t* data, size_t size, Decode decode, Encode encode) {
    constexpr size_t kLargestRoundTrip = 256 * 1024;
    constexpr uint32_t kLargestRgb = 0xFFFFFF;
    const auto picture = decode(bytesOf(data, size));
    if (!picture)
        return;
    require(!picture->empty() && picture->width <= kMaxPictureSide &&
                picture->height <= kMaxPictureSide &&
                picture->pixels.size() == size_t(picture->width) * size_t(picture->height),
            "a decoded picture has the pixels its size says");
    require(std::all_of(picture->pixels.begin(), picture->pixels.end(),
                        [](uint32_t rgb) { return rgb <= kLargestRgb; }),
            "every pixel is a 24-bit colour");
    if (picture->pixels.size() > kLargestRoundTrip)
        return;
    const auto again = decode(encode(*picture));
    require(again && again->width == picture->width && again->height == picture->height &&
                again->pixels == picture->pixels,
            "an encoded picture decodes to the same pixels");
}

} // namespace korvex::fuzz
