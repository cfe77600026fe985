// Runs a fuzz harness over kept inputs, without libFuzzer: every file named on the
// command line, and every file of every folder named there, in name order. A broken
// property or a sanitizer report ends the run as it would end the fuzzer; a folder
// that does not exist counts as empty, but finding no input at all fails.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace fs = std::filesystem;

namespace {

std::vector<fs::path> inputsOf(const fs::path& place) {
    std::vector<fs::path> files;
    std::error_code error;
    if (fs::is_directory(place, error)) {
        for (const auto& entry : fs::directory_iterator(place))
            if (entry.is_regular_file())
                files.push_back(entry.path());
        std::sort(files.begin(), files.end());
    } else if (fs::is_regular_file(place, error)) {
        files.push_back(place);
    }
    return files;
}

} // namespace

int main(int argc, char** argv) {
    size_t count = 0;
    for (int a = 1; a < argc; ++a) {
        for (const fs::path& file : inputsOf(argv[a])) {
            std::ifstream in(file, std::ios::binary);
            const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                             std::istreambuf_iterator<char>()};
            std::printf("%s\n", file.c_str());
            std::fflush(stdout);
            LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
            ++count;
        }
    }
    std::printf("%zu inputs replayed\n", count);
    return count > 0 ? 0 : 1;
}
