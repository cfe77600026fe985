#include "gui/screen_picture_commands.h"

#include "core/document.h"
#include "formats/file_io.h"
#include "formats/screen_picture_file.h"
#include "gui/file_dialog_kinds.h"

namespace korvex {

namespace {

const QString kScreenPictureFilters =
    "PNG Image (*.png)|*.png|BMP Image (*.bmp)|*.bmp|All files (*.*)|*.*";
constexpr int kFullSize = 1;

const FileDialogKind kScreenPicture = {.saveTitle = "Export screen as image...",
                                       .filters = kScreenPictureFilters,
                                       .extension = ".png",
                                       .rule = ExtensionRule::WithTypeFilter,
                                       .secondExtension = ".bmp"};

// A name ending in .bmp gets BMP; any other name PNG.
PictureFileKind pictureKindOfName(const std::string& path) {
    return withExtension(path, ".bmp") == path ? PictureFileKind::Bmp : PictureFileKind::Png;
}

} // namespace

std::string exportScreenPictureCommand(QWidget* parent, const Document& doc) {
    return saveFileOfKind(
        parent, kScreenPicture, "", [&](const std::string& path, std::string* error) {
            const Bytes bytes =
                screenPictureFileBytes(doc, doc.currentScreen, int(doc.CurrentFont),
                                       doc.FourColourMode != 0, kFullSize, pictureKindOfName(path));
            if (bytes.empty()) {
                *error = "the picture could not be encoded";
                return false;
            }
            return writeFileAtomic(path, bytes, error);
        });
}

} // namespace korvex
