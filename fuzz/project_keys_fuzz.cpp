// The key lookup and number reading of project files, reached directly: every line
// of the input starts with the key its first byte picks (or, for the bytes past the
// keys, stays as it is), so the fuzzer spends its time on values, repeated keys and
// keys inside other lines rather than on finding the key names. The same round trip
// as the project harness follows.

#include "formats/project_file.h"
#include "fuzz_support.h"

#include <string_view>
#include <vector>

using namespace korvex;
using namespace korvex::fuzz;

namespace {

// The key of every line a project save writes ("FONT_DATA_3=", ...).
const std::vector<std::string>& projectKeys() {
    static const std::vector<std::string> keys = [] {
        Document doc = startupDocument();
        std::vector<std::string> found;
        for (const std::string& line : writeProjectLines(doc))
            if (const size_t eq = line.find('='); eq != std::string::npos)
                found.push_back(line.substr(0, eq + 1));
        // A start-up document has no row tables; their keys come after the others.
        for (int n = 0; n < kScreenCount; ++n) {
            found.push_back("VE_ROW_FONTS_" + std::to_string(n) + "=");
            found.push_back("VE_ROW_MODES_" + std::to_string(n) + "=");
        }
        return found;
    }();
    return keys;
}

std::vector<std::string> keyedLines(std::string_view input) {
    std::vector<std::string> lines;
    const auto& keys = projectKeys();
    while (!input.empty()) {
        const size_t end = std::min(input.find('\n'), input.size());
        const std::string_view piece = input.substr(0, end);
        input.remove_prefix(std::min(end + 1, input.size()));
        if (piece.empty())
            continue;
        const size_t pick = static_cast<unsigned char>(piece[0]);
        if (pick < keys.size())
            lines.push_back(keys[pick] + std::string(piece.substr(1)));
        else
            lines.emplace_back(piece.substr(1));
    }
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Document& loaded = freshDocument(Slot::First);
    readProjectLines(loaded, keyedLines({reinterpret_cast<const char*>(data), size}));
    const std::string saved = joinCrLf(writeProjectLines(loaded));

    Document& reloaded = freshDocument(Slot::Second);
    readProjectLines(reloaded, splitFileLines(bytesOfText(saved)));
    const char* difference = projectDifference(loaded, reloaded);
    if (difference)
        std::fprintf(stderr, "differs after the round trip: %s\n", difference);
    require(!difference, "a saved project loads back to the same state");
    return 0;
}
