// Recovery copies: any bytes are either refused, with nothing changed, or applied;
// a copy taken of what was applied restores into a fresh document as the same
// state.

#include "formats/recovery_copy.h"
#include "fuzz_support.h"

using namespace korvex;
using namespace korvex::fuzz;

namespace {

// What a recovery copy carries beyond a project.
const char* recoveryDifference(const Document& a, const Document& b) {
    if (a.CurrentFont != b.CurrentFont || a.CurrentSet != b.CurrentSet ||
        a.CurrentGlyph != b.CurrentGlyph)
        return "current font, set or glyph";
    for (int r = LUM; r <= PF3; ++r)
        if (workingColour(a, r) != workingColour(b, r))
            return "working colours";
    if (!sameArray(a.AtariColour, b.AtariColour))
        return "register values";
    return projectDifference(a, b);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const Bytes file = bytesOf(data, size);
    Document& loaded = freshDocument(Slot::First);
    const bool isCopy = isRecoveryCopy(file);
    require(readRecoveryCopy(loaded, file) == isCopy, "what is a copy is applied");
    if (!isCopy) {
        require(!recoveryDifference(loaded, startupDocument()), "a refused copy changes nothing");
        return 0;
    }
    const std::string copy = takeRecoverySnapshot(loaded).text();

    Document& restored = freshDocument(Slot::Second);
    require(readRecoveryCopy(restored, bytesOfText(copy)), "a copy taken is a copy");
    const char* difference = recoveryDifference(loaded, restored);
    if (difference)
        std::fprintf(stderr, "differs after the round trip: %s\n", difference);
    require(!difference, "a copy restores to the same state");
    return 0;
}
