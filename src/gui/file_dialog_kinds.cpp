#include "gui/file_dialog_kinds.h"

#include "formats/file_io.h"
#include "gui/save_failure.h"

namespace korvex {

const QString kPictureLoadFilters =
    "Image PNG (*.png)|*.png|Image BMP (*.bmp)|*.bmp|All files (*.*)|*.*";

std::string savePathOf(const FileDialogKind& kind, const FileChoice& choice) {
    const std::string path = choice.path.toStdString();
    switch (kind.rule) {
    case ExtensionRule::WithTypeFilter:
        if (kind.secondExtension) {
            if (withExtension(path, kind.extension) == path ||
                withExtension(path, kind.secondExtension) == path)
                return path;
            if (choice.filterIndex == 1)
                return withExtension(path, kind.secondExtension);
        }
        return choice.filterIndex == 0 ? withExtension(path, kind.extension) : path;
    case ExtensionRule::Always:
        return withExtension(path, kind.extension);
    case ExtensionRule::AsTyped:
        break;
    }
    return path;
}

std::string saveFileOfKind(QWidget* parent, const FileDialogKind& kind, const QString& start,
                           const std::function<bool(const std::string&, std::string*)>& write) {
    const FileChoice choice = dialogs().saveFile(parent, kind.saveTitle, start, kind.filters);
    if (choice.path.isEmpty())
        return {};
    const std::string path = savePathOf(kind, choice);
    // An existing file is replaced only when the user says so.
    if (!mayReplace(parent, path))
        return {};
    std::string error;
    if (!write(path, &error)) {
        // The write is atomic: the file on disk, if any, is still the old one.
        reportSaveFailure(parent, QString::fromStdString(path), QString::fromStdString(error));
        return {};
    }
    return path;
}

QString chooseFileToLoad(QWidget* parent, const FileDialogKind& kind, const QString& start) {
    const QString& filters = kind.loadFilters ? *kind.loadFilters : kind.filters;
    return dialogs().openFile(parent, kind.loadTitle, start, filters).path;
}

std::optional<Bytes> readFileOfKind(const FileDialogKind& kind, const std::string& path) {
    // readFileBytes takes 0 as "the whole file": never let a missing size mean that.
    if (kind.loadBytes == 0)
        return std::nullopt;
    return readFileBytes(path, kind.loadBytes);
}

} // namespace korvex
