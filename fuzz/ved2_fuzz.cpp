// All nine View Editor screens (.ved2): the file's first 8640 bytes become the
// cells, the rest stay as they were, and the screens save back to those bytes.

#include "formats/view_editor_files.h"
#include "fuzz_support.h"

#include <algorithm>

using namespace korvex;
using namespace korvex::fuzz;

namespace {
constexpr uint8_t kUntouched = 0xA5; // what cells the file does not reach keep
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const ByteView file(data, size);
    Document& loaded = slotDocument(Slot::First);
    std::fill(std::begin(loaded.screens), std::end(loaded.screens), kUntouched);
    loadViewEditorData(loaded, file);
    const Bytes saved = viewEditorDataBytes(loaded);
    require(fileThenFill(saved, file, kViewEditorDataBytes, kUntouched),
            "saved screens are the file's bytes, the rest as they were");

    Document& reloaded = slotDocument(Slot::Second);
    std::fill(std::begin(reloaded.screens), std::end(reloaded.screens), kUntouched);
    loadViewEditorData(reloaded, saved);
    require(sameArray(loaded.screens, reloaded.screens), "saved screens load back the same");
    return 0;
}
