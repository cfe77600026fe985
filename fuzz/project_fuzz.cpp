// Project files (.proj2): any bytes apply as project lines; the project saved
// afterwards loads into a fresh document as the same state (font names with their
// control characters turned to spaces, as a save writes them).

#include "formats/project_file.h"
#include "fuzz_support.h"

using namespace korvex;
using namespace korvex::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Document& loaded = freshDocument(Slot::First);
    loadProjectBytes(loaded, ByteView(data, size));
    const std::string saved = joinCrLf(writeProjectLines(loaded));

    Document& reloaded = freshDocument(Slot::Second);
    loadProjectBytes(reloaded, bytesOfText(saved));
    const char* difference = projectDifference(loaded, reloaded);
    if (difference)
        std::fprintf(stderr, "differs after the round trip: %s\n", difference);
    require(!difference, "a saved project loads back to the same state");
    return 0;
}
