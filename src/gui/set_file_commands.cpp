#include "gui/set_file_commands.h"

#include "core/document.h"
#include "formats/file_io.h"
#include "formats/set_files.h"
#include "gui/dialogs.h"
#include "gui/file_dialog_kinds.h"
#include "gui/main_window.h"
#include "gui/save_failure.h"

namespace korvex {

namespace {

// By SetFileKind: Set, Sets, Bin (saved only).
const FileDialogKind kSetKinds[] = {
    {.saveTitle = "Save set (.set)",
     .filters = kSetFileFilters,
     .extension = ".set",
     .rule = ExtensionRule::WithTypeFilter,
     .loadTitle = "Load set (.set)",
     .loadBytes = kSetFileBytes},
    {.saveTitle = "Save all sets (.sets)",
     .filters = kSetsFileFilters,
     .extension = ".sets",
     .rule = ExtensionRule::WithTypeFilter,
     .loadTitle = "Load sets (.sets)",
     .loadBytes = kSetsFileBytes},
    {.saveTitle = "Save set to bin (.bin)",
     .filters = kSetBinFilters,
     .extension = ".bin",
     .rule = ExtensionRule::WithTypeFilter},
};

const FileDialogKind& setKind(SetFileKind kind) {
    return kSetKinds[int(kind) - int(SetFileKind::Set)];
}

bool isLoadable(SetFileKind kind) {
    return kind == SetFileKind::Set || kind == SetFileKind::Sets;
}

} // namespace

void loadSetFileCommand(MainWindow& window, SetFileKind kind) {
    if (!isLoadable(kind))
        return;
    const QString path = chooseFileToLoad(&window, setKind(kind), QString());
    // The click that closed the dialog must not paint, even after a cancel.
    window.skipCanvasEvents(2);
    if (path.isEmpty())
        return;
    if (loadSetFilePath(window, kind, path) == LoadOutcome::WrongContent)
        dialogs().message(&window, "Error!", wrongSetMagicMessage(kind));
}

LoadOutcome loadSetFilePath(MainWindow& window, SetFileKind kind, const QString& path) {
    if (!isLoadable(kind))
        return LoadOutcome::WrongContent;
    const auto bytes = readFileOfKind(setKind(kind), path.toStdString());
    if (!bytes)
        return LoadOutcome::Unreadable;
    if (loadSetBytes(window.doc(), kind, *bytes) == SetLoadResult::WrongMagic)
        return LoadOutcome::WrongContent;
    window.redrawMainWindow();
    return LoadOutcome::Loaded;
}

void saveSetFileCommand(MainWindow& window, SetFileKind kind) {
    if (kind < SetFileKind::Set || kind > SetFileKind::Bin)
        return;
    Document& doc = window.doc();
    saveFileOfKind(&window, setKind(kind), QString(),
                   [&](const std::string& path, std::string* error) {
                       const Bytes data = kind == SetFileKind::Set    ? setFileBytes(doc)
                                          : kind == SetFileKind::Sets ? setsFileBytes(doc)
                                                                      : setBinBytes(doc);
                       return writeFileAtomic(path, data, error);
                   });
    // The click that closed the dialog must not paint, even after a cancel.
    window.skipCanvasEvents(2);
}

} // namespace korvex
