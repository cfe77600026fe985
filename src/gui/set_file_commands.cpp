#include "gui/set_file_commands.h"

#include "core/document.h"
#include "formats/file_io.h"
#include "formats/set_files.h"
#include "gui/dialogs.h"
#include "gui/file_dialog_kinds.h"
#include "gui/main_window.h"
#include "gui/save_failure.h"

namespace korvex {

void loadSetFileCommand(MainWindow& window, SetFileKind kind) {
    if (kind != SetFileKind::Set && kind != SetFileKind::Sets)
        return;
    const bool one = kind == SetFileKind::Set;
    const FileChoice choice =
        dialogs().openFile(&window, one ? "Load set (.set)" : "Load sets (.sets)", QString(),
                           one ? kSetFileFilters : kSetsFileFilters);
    // The click that closed the dialog must not paint, even after a cancel.
    window.skipCanvasEvents(2);
    if (choice.path.isEmpty())
        return;
    if (loadSetFilePath(window, kind, choice.path) == LoadOutcome::WrongContent)
        dialogs().message(&window, "Error!", wrongSetMagicMessage(kind));
}

LoadOutcome loadSetFilePath(MainWindow& window, SetFileKind kind, const QString& path) {
    if (kind != SetFileKind::Set && kind != SetFileKind::Sets)
        return LoadOutcome::WrongContent;
    const size_t size = kind == SetFileKind::Set ? kSetFileBytes : kSetsFileBytes;
    const auto bytes = readFileBytes(path.toStdString(), size);
    if (!bytes)
        return LoadOutcome::Unreadable;
    if (loadSetBytes(window.doc(), kind, *bytes) == SetLoadResult::WrongMagic)
        return LoadOutcome::WrongContent;
    window.redrawMainWindow();
    return LoadOutcome::Loaded;
}

void saveSetFileCommand(MainWindow& window, SetFileKind kind) {
    static const FileDialogKind kinds[] = {
        {"Save set (.set)", kSetFileFilters, ".set", ExtensionRule::WithTypeFilter},
        {"Save all sets (.sets)", kSetsFileFilters, ".sets", ExtensionRule::WithTypeFilter},
        {"Save set to bin (.bin)", kSetBinFilters, ".bin", ExtensionRule::WithTypeFilter},
    };
    if (kind < SetFileKind::Set || kind > SetFileKind::Bin)
        return;
    Document& doc = window.doc();
    saveFileOfKind(&window, kinds[int(kind) - int(SetFileKind::Set)], QString(),
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
