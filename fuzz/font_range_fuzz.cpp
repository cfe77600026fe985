// Font range files: whole glyphs, loaded like a short font file. The glyphs the file
// holds in full, saved as a range again (all of them, and a run inside them), give
// the file's bytes back, and the range loads back to the same glyphs.

#include "core/font_codec.h"
#include "formats/font_file.h"
#include "formats/font_file_bytes.h"
#include "fuzz_support.h"

#include <algorithm>

using namespace korvex;
using namespace korvex::fuzz;

namespace {

const std::string kFileName = "fuzzed.fnt";
constexpr int kGlyphBytes = 8;

bool sameSlice(ByteView bytes, size_t from, const Bytes& slice) {
    return from + slice.size() <= bytes.size() &&
           std::equal(slice.begin(), slice.end(), bytes.begin() + from);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const ByteView file(data, size);
    Document& loaded = slotDocument(Slot::First);
    require(loadFontBytes(loaded, file, kFileName), "any bytes load as a range");
    const int whole = int(std::min<size_t>(file.size(), kFontBytes) / kGlyphBytes);
    if (whole == 0)
        return 0;

    encodeFont(loaded, loaded.CurrentFont);
    const Bytes all = fontRangeBytes(loaded, 0, whole - 1);
    require(sameSlice(file, 0, all) && all.size() == size_t(whole) * kGlyphBytes,
            "the glyphs of a range saved again are the file's bytes");
    const int from = whole / 3;
    const Bytes part = fontRangeBytes(loaded, from, whole - 1);
    require(sameSlice(file, size_t(from) * kGlyphBytes, part) &&
                part.size() == size_t(whole - from) * kGlyphBytes,
            "a run of glyphs saved as a range is the file's bytes for them");

    Document& reloaded = slotDocument(Slot::Second);
    require(loadFontBytes(reloaded, all, kFileName), "a saved range loads");
    const auto& before = loaded.Glyphs[loaded.CurrentFont - 1];
    const auto& after = reloaded.Glyphs[reloaded.CurrentFont - 1];
    require(std::memcmp(before, after, sizeof before[0] * whole) == 0,
            "a saved range loads back to the same glyphs");
    return 0;
}
