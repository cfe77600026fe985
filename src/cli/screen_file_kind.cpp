#include "cli/screen_file_kind.h"

#include "cli/input_files.h"
#include "core/document.h"
#include "formats/file_io.h"

namespace korvex::cli {

namespace {

bool endsWith(const std::string& path, const std::string& extension) {
    return withExtension(path, extension) == path;
}

} // namespace

ScreenFileKind screenFileKind(const std::string& path) {
    // ".sved2" first: it ends in ".ved2" too.
    if (endsWith(path, ".sved2"))
        return ScreenFileKind::OneScreen;
    if (endsWith(path, ".ved2"))
        return ScreenFileKind::AllScreens;
    return inputFileSize(path) <= uintmax_t(kScreenCells) ? ScreenFileKind::OneScreen
                                                          : ScreenFileKind::AllScreens;
}

std::string describeScreenFileKind(const std::string& path) {
    if (endsWith(path, ".sved2"))
        return "extension .sved2";
    if (endsWith(path, ".ved2"))
        return "extension .ved2";
    return std::to_string(inputFileSize(path)) + " bytes, no .ved2/.sved2 extension";
}

} // namespace korvex::cli
