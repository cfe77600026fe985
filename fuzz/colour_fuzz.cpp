// Colour files (.col): a file with the magic sets the register values and working
// colours and saves back to its first 34 bytes with each colour's unused top byte
// cleared; any other file changes nothing.

#include "formats/colour_file.h"
#include "fuzz_support.h"

#include <algorithm>

using namespace korvex;
using namespace korvex::fuzz;

namespace {

constexpr size_t kFirstColourByte = 4 + 6;

// Every part of the document a colour file reaches.
void resetColours(Document& doc) {
    const Document& start = startupDocument();
    std::copy_n(start.AtariColour, 7, doc.AtariColour);
    std::copy_n(&start.FontColours[0][0], (kFontCount + 1) * 7, &doc.FontColours[0][0]);
    for (int r = LUM; r <= PF3; ++r)
        workingColour(doc, r) = workingColour(start, r);
}

bool sameColours(const Document& a, const Document& b) {
    for (int r = LUM; r <= PF3; ++r)
        if (workingColour(a, r) != workingColour(b, r))
            return false;
    return sameArray(a.AtariColour, b.AtariColour) && sameArray(a.FontColours, b.FontColours);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const ByteView file(data, size);
    Document& loaded = slotDocument(Slot::First);
    resetColours(loaded);
    if (!loadColourBytes(loaded, file)) {
        require(sameColours(loaded, startupDocument()), "a refused colour file changes nothing");
        return 0;
    }
    const Bytes saved = colourFileBytes(loaded);
    Bytes expected(kColourFileBytes, 0);
    std::copy_n(file.begin(), std::min(file.size(), kColourFileBytes), expected.begin());
    for (size_t top = kFirstColourByte + 3; top < kColourFileBytes; top += 4)
        expected[top] = 0;
    require(saved == expected, "the saved colours are the file's, top bytes cleared");

    Document& reloaded = slotDocument(Slot::Second);
    resetColours(reloaded);
    require(loadColourBytes(reloaded, saved), "a saved colour file loads");
    require(sameColours(loaded, reloaded), "a saved colour file loads back to the same colours");
    return 0;
}
