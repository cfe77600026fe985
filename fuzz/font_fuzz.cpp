// Font files (.fnt): any bytes load; the font saved afterwards is the file's first
// 1024 bytes (a short file padded with zeros) and loads back to the same glyphs.

#include "core/font_codec.h"
#include "formats/font_file.h"
#include "formats/font_file_bytes.h"
#include "fuzz_support.h"

#include <algorithm>

using namespace korvex;
using namespace korvex::fuzz;

namespace {
const std::string kFileName = "fuzzed.fnt";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const ByteView file(data, size);
    // A load replaces FontBuffer and every glyph of the current font, so nothing
    // from an earlier input survives it.
    Document& loaded = slotDocument(Slot::First);
    require(loadFontBytes(loaded, file, kFileName), "any bytes load as a font");

    encodeFont(loaded, loaded.CurrentFont);
    const Bytes saved = fontFileBytes(loaded);
    require(fileThenFill(saved, file, kFontBytes, 0),
            "the saved font is the file's first 1024 bytes");

    Document& reloaded = slotDocument(Slot::Second);
    require(loadFontBytes(reloaded, saved, kFileName), "a saved font loads");
    require(
        sameArray(loaded.Glyphs[loaded.CurrentFont - 1], reloaded.Glyphs[reloaded.CurrentFont - 1]),
        "a saved font loads back to the same glyphs");
    return 0;
}
