#include "cli/document_inputs.h"

#include "cli/cli_failure.h"
#include "cli/input_files.h"
#include "formats/colour_file.h"
#include "formats/font_file.h"
#include "formats/picture_codec.h"
#include "formats/set_files.h"

#include <algorithm>

namespace korvex::cli {

DocumentPtr startUpDocument() {
    DocumentPtr doc = newDocument();
    initDocument(*doc);
    return doc;
}

void loadFontInput(Document& doc, const std::string& path) {
    requireReadableFile(path);
    if (!loadFontFile(doc, path))
        fileFailure(path, "cannot be read");
    warnUnlessSize(path, kFontBytes, "a font");
}

void loadColourInput(Document& doc, const std::string& path) {
    const Bytes bytes = readInputFile(path, kColourFileBytes);
    if (!loadColourBytes(doc, bytes))
        fileFailure(path, wrongColourMagicMessage());
    warnUnlessSize(path, kColourFileBytes, "a colour file");
}

void loadSetInput(Document& doc, const std::string& path, SetFileKind kind) {
    const bool one = kind == SetFileKind::Set;
    const Bytes bytes = readInputFile(path, one ? kSetFileBytes : kSetsFileBytes);
    if (loadSetBytes(doc, kind, bytes) == SetLoadResult::WrongMagic) {
        // A .sets given without --set (or the reverse) is the usual slip.
        const std::string otherMagic = one ? "LVXS" : "KVXS";
        const bool otherKind =
            bytes.size() >= 4 && std::equal(otherMagic.begin(), otherMagic.end(), bytes.begin());
        std::string hint;
        if (otherKind)
            hint = one ? " (it holds all sets: choose one with --set N)"
                       : " (it holds one set: leave out --set)";
        fileFailure(path, std::string(wrongSetMagicMessage(kind)) + hint);
    }
    warnUnlessSize(path, one ? kSetFileBytes : kSetsFileBytes,
                   one ? "a set file" : "a file of all sets");
}

void loadImportPicture(Document& doc, const std::string& path) {
    const Bytes bytes = readInputFile(path, kMaxPictureFileBytes);
    std::string error;
    auto picture = decodePicture(bytes, &error);
    if (!picture)
        fileFailure(path, "not a picture the editor can import (" + error + ")");
    doc.importPicture = std::move(*picture);
}

} // namespace korvex::cli
