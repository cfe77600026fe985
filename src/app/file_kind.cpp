#include "app/file_kind.h"

#include "formats/file_io.h"

#include <algorithm>
#include <cctype>
#include <utility>

namespace korvex {

namespace {

const std::pair<const char*, FileKind> kExtensions[] = {
    {"proj2", FileKind::Project},
    {"fnt", FileKind::Font},
    {"set", FileKind::Set},
    {"sets", FileKind::Sets},
    {"col", FileKind::Colours},
    {"ved2", FileKind::ViewEditorData},
    {"sved2", FileKind::ViewEditorScreen},
    {"png", FileKind::Picture},
    {"bmp", FileKind::Picture},
};

} // namespace

FileKind fileKindOf(const std::string& path) {
    const std::string name = fileNamePart(path);
    const size_t dot = name.rfind('.');
    // A name that is only an extension (".fnt") is a hidden file, not a font.
    if (dot == std::string::npos || dot == 0)
        return FileKind::Unknown;
    std::string extension = name.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    for (const auto& [known, kind] : kExtensions)
        if (extension == known)
            return kind;
    return FileKind::Unknown;
}

} // namespace korvex
