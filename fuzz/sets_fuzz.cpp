// Files of all sets (.sets): a file with the magic fills all 100 sets (missing cells
// read as 0) and saves back to its first 5004 bytes; any other file changes nothing.

#include "formats/set_files.h"
#include "fuzz_support.h"

#include <algorithm>

using namespace korvex;
using namespace korvex::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const ByteView file(data, size);
    Document& loaded = slotDocument(Slot::First);
    std::copy_n(&startupDocument().Sets[0][0], sizeof loaded.Sets / sizeof(int16_t),
                &loaded.Sets[0][0]);
    if (loadSetBytes(loaded, SetFileKind::Sets, file) == SetLoadResult::WrongMagic) {
        require(sameArray(loaded.Sets, startupDocument().Sets), "refused sets change nothing");
        return 0;
    }
    const Bytes saved = setsFileBytes(loaded);
    require(fileThenFill(saved, file, kSetsFileBytes, 0),
            "the saved sets are the file's first 5004 bytes");

    Document& reloaded = slotDocument(Slot::Second);
    require(loadSetBytes(reloaded, SetFileKind::Sets, saved) == SetLoadResult::Loaded,
            "saved sets load");
    require(sameArray(loaded.Sets, reloaded.Sets), "saved sets load back to the same cells");
    return 0;
}
