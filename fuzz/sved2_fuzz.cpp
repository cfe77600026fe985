// One View Editor screen (.sved2): the file's first 960 bytes become the current
// screen's cells, the rest of it and every other screen stay as they were, and the
// screen saves back to those bytes.

#include "formats/view_editor_files.h"
#include "fuzz_support.h"

#include <algorithm>

using namespace korvex;
using namespace korvex::fuzz;

namespace {
constexpr uint8_t kUntouched = 0x5A;
constexpr uint8_t kScreen = 4; // any screen but the first, to catch a wrong offset
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const ByteView file(data, size);
    Document& loaded = slotDocument(Slot::First);
    std::fill(std::begin(loaded.screens), std::end(loaded.screens), kUntouched);
    loaded.currentScreen = kScreen;
    loadScreenData(loaded, file);
    const Bytes saved = screenDataBytes(loaded);
    require(fileThenFill(saved, file, kScreenCells, kUntouched),
            "a saved screen is the file's bytes, the rest as it was");
    const size_t first = size_t(kScreen) * kScreenCells;
    require(std::all_of(std::begin(loaded.screens), std::begin(loaded.screens) + first,
                        [](uint8_t c) { return c == kUntouched; }) &&
                std::all_of(std::begin(loaded.screens) + first + kScreenCells,
                            std::end(loaded.screens), [](uint8_t c) { return c == kUntouched; }),
            "a screen file touches no other screen");

    Document& reloaded = slotDocument(Slot::Second);
    std::fill(std::begin(reloaded.screens), std::end(reloaded.screens), kUntouched);
    reloaded.currentScreen = kScreen;
    loadScreenData(reloaded, saved);
    require(sameArray(loaded.screens, reloaded.screens), "a saved screen loads back the same");
    return 0;
}
