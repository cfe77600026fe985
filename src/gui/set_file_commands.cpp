#include "gui/set_file_commands.h"

#include "core/document.h"
#include "formats/file_io.h"
#include "formats/set_files.h"
#include "gui/dialogs.h"
#include "gui/main_window.h"
#include "gui/save_failure.h"

namespace korvex {

namespace {

// Longest file each load reads: a .set is 54 bytes, a .sets 5004; anything past
// that is ignored anyway.
constexpr size_t kSetFileSize = 54;
constexpr size_t kSetsFileSize = 5004;

struct SaveKind {
    const char* title;
    const QString& filters;
    const char* extension;
};

} // namespace

void loadSetFileCommand(MainWindow& window, SetFileKind kind) {
    if (kind != SetFileKind::Set && kind != SetFileKind::Sets)
        return;
    Document& doc = window.doc();
    const bool one = kind == SetFileKind::Set;
    const FileChoice choice =
        dialogs().openFile(&window, one ? "Load set (.set)" : "Load sets (.sets)", QString(),
                           one ? kSetFileFilters : kSetsFileFilters);
    // The click that closed the dialog must not paint, even after a cancel.
    doc.CanvasEventSkip = 2;
    if (choice.path.isEmpty())
        return;
    if (loadSetFilePath(window, kind, choice.path) == LoadOutcome::WrongContent)
        dialogs().message(&window, "Error!", wrongSetMagicMessage(kind));
}

LoadOutcome loadSetFilePath(MainWindow& window, SetFileKind kind, const QString& path) {
    if (kind != SetFileKind::Set && kind != SetFileKind::Sets)
        return LoadOutcome::WrongContent;
    const size_t size = kind == SetFileKind::Set ? kSetFileSize : kSetsFileSize;
    const auto bytes = readFileBytes(path.toStdString(), size);
    if (!bytes)
        return LoadOutcome::Unreadable;
    if (loadSetBytes(window.doc(), kind, *bytes) == SetLoadResult::WrongMagic)
        return LoadOutcome::WrongContent;
    window.redrawMainWindow();
    return LoadOutcome::Loaded;
}

void saveSetFileCommand(MainWindow& window, SetFileKind kind) {
    static const SaveKind kinds[] = {
        {"Save set (.set)", kSetFileFilters, ".set"},
        {"Save all sets (.sets)", kSetsFileFilters, ".sets"},
        {"Save set to bin (.bin)", kSetBinFilters, ".bin"},
    };
    if (kind < SetFileKind::Set || kind > SetFileKind::Bin)
        return;
    const SaveKind& k = kinds[int(kind) - int(SetFileKind::Set)];
    Document& doc = window.doc();
    const FileChoice choice = dialogs().saveFile(&window, k.title, QString(), k.filters);
    doc.CanvasEventSkip = 2;
    if (choice.path.isEmpty())
        return;
    std::string path = choice.path.toStdString();
    // With "All files" selected the name is used as typed.
    if (choice.filterIndex == 0)
        path = withExtension(path, k.extension);
    if (!mayReplace(&window, path))
        return;
    const Bytes data = kind == SetFileKind::Set    ? setFileBytes(doc)
                       : kind == SetFileKind::Sets ? setsFileBytes(doc)
                                                   : setBinBytes(doc);
    std::string error;
    if (!writeFileAtomic(path, data, &error))
        reportSaveFailure(&window, QString::fromStdString(path), QString::fromStdString(error));
}

} // namespace korvex
