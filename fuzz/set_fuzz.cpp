// Set files (.set): a file with the magic fills the current set (missing cells read
// as 0) and saves back to its first 54 bytes; any other file changes nothing.

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
    if (loadSetBytes(loaded, SetFileKind::Set, file) == SetLoadResult::WrongMagic) {
        require(sameArray(loaded.Sets, startupDocument().Sets), "a refused set changes nothing");
        return 0;
    }
    const Bytes saved = setFileBytes(loaded);
    require(fileThenFill(saved, file, kSetFileBytes, 0),
            "the saved set is the file's first 54 bytes");

    Document& reloaded = slotDocument(Slot::Second);
    require(loadSetBytes(reloaded, SetFileKind::Set, saved) == SetLoadResult::Loaded,
            "a saved set loads");
    require(sameArray(loaded.Sets[loaded.CurrentSet], reloaded.Sets[reloaded.CurrentSet]),
            "a saved set loads back to the same cells");
    return 0;
}
