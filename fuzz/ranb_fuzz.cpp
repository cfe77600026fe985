// Range blocks (.ranb): width, height, then the cells. A block is placed with its
// corner at the range position, once where it fits and once where the screen edges
// cut it; cells beyond the edges are dropped. The range saved over the placed block
// loads back to the same screen, and a block without cells changes nothing.

#include "core/screens.h"
#include "formats/view_editor_files.h"
#include "fuzz_support.h"

#include <algorithm>

using namespace korvex;
using namespace korvex::fuzz;

namespace {

struct Corner {
    uint8_t x, y;
};
constexpr Corner kCorners[] = {{0, 0}, {kScreenColumns - 7, kScreenRows - 5}};

void placeBlock(Document& doc, Corner at, const Bytes& block) {
    std::fill(std::begin(doc.screens), std::end(doc.screens), 0);
    doc.currentScreen = 0;
    doc.rangeX = at.x;
    doc.rangeY = at.y;
    loadRangeBlock(doc, block);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const Bytes file = bytesOf(data, size);
    const int width = size > 0 ? int8_t(file[0]) : 0;
    const int height = size > 1 ? int8_t(file[1]) : 0;
    for (const Corner at : kCorners) {
        Document& loaded = slotDocument(Slot::First);
        placeBlock(loaded, at, file);
        if (width <= 0 || height <= 0) {
            require(std::all_of(std::begin(loaded.screens), std::end(loaded.screens),
                                [](uint8_t c) { return c == 0; }),
                    "a block without cells changes nothing");
            continue;
        }
        bool placed = true;
        for (int row = 0; row < height && at.y + row < kScreenRows; ++row)
            for (int column = 0; column < width && at.x + column < kScreenColumns; ++column) {
                const size_t offset = 2 + size_t(row) * width + column;
                const uint8_t want = offset < file.size() ? file[offset] : 0;
                placed = placed && getCell(loaded, 0, at.x + column, at.y + row) == want;
            }
        require(placed, "every cell on the screen is the file's, missing ones 0");
        // The range the user would save is the block just placed.
        loaded.rangeWidth = uint8_t(width);
        loaded.rangeHeight = uint8_t(height);
        const Bytes saved = rangeBlockBytes(loaded);
        const int keptWidth = std::min(width, kScreenColumns - at.x);
        const int keptHeight = std::min(height, kScreenRows - at.y);
        require(saved.size() == 2 + size_t(keptWidth) * keptHeight && saved[0] == keptWidth &&
                    saved[1] == keptHeight,
                "the saved range is the part of the block on the screen");

        Document& reloaded = slotDocument(Slot::Second);
        placeBlock(reloaded, at, saved);
        require(sameArray(loaded.screens, reloaded.screens), "a saved range loads back the same");
    }
    return 0;
}
