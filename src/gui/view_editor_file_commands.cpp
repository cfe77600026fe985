#include "gui/view_editor_file_commands.h"

#include "core/document.h"
#include "formats/file_io.h"
#include "formats/view_editor_files.h"
#include "gui/dialogs.h"
#include "gui/file_dialog_kinds.h"
#include "gui/save_failure.h"

namespace korvex {

namespace {

const QString kDataSaveFilters = "View Editor data (*.ved2)|*.ved2|All files (*.*)|*.*";
const QString kDataLoadFilters = "View Editor Data (*.ved2)|*.ved2|All files (*.*)|*.*";
const QString kScreenFilters = "View Editor screen data (*.sved2)|*.sved2|All files (*.*)|*.*";
const QString kRangeFilters = "Range block (*.ranb)|*.ranb|All files (*.*)|*.*";

// The View Editor's files are written under the name as typed.
const FileDialogKind kData = {.saveTitle = "Save View Editor data...",
                              .filters = kDataSaveFilters,
                              .extension = "",
                              .rule = ExtensionRule::AsTyped,
                              .loadTitle = "Load View Editor Data...",
                              .loadBytes = kViewEditorDataBytes,
                              .loadFilters = &kDataLoadFilters};
const FileDialogKind kScreen = {.saveTitle = "Save View Editor screen data...",
                                .filters = kScreenFilters,
                                .extension = "",
                                .rule = ExtensionRule::AsTyped,
                                .loadTitle = "Load View Editor screen data...",
                                .loadBytes = kScreenCells};
const FileDialogKind kRange = {.saveTitle = "Save range...",
                               .filters = kRangeFilters,
                               .extension = "",
                               .rule = ExtensionRule::AsTyped,
                               .loadTitle = "Load range...",
                               .loadBytes = kLargestRangeBlockBytes};

void saveChosen(QWidget* parent, const FileDialogKind& kind, const Bytes& bytes) {
    saveFileOfKind(parent, kind, "", [&](const std::string& path, std::string* error) {
        return writeFileAtomic(path, bytes, error);
    });
}

} // namespace

bool loadViewEditorDataCommand(QWidget* parent, Document& doc) {
    const QString path = chooseFileToLoad(parent, kData, "");
    if (path.isEmpty())
        return false;
    loadViewEditorDataPath(doc, path.toStdString());
    return true;
}

LoadOutcome loadViewEditorDataPath(Document& doc, const std::string& path) {
    const auto bytes = readFileOfKind(kData, path);
    if (!bytes)
        return LoadOutcome::Unreadable;
    loadViewEditorData(doc, *bytes);
    return LoadOutcome::Loaded;
}

void saveViewEditorDataCommand(QWidget* parent, const Document& doc) {
    saveChosen(parent, kData, viewEditorDataBytes(doc));
}

bool loadViewEditorScreenCommand(QWidget* parent, Document& doc) {
    const QString path = chooseFileToLoad(parent, kScreen, "");
    if (path.isEmpty())
        return false;
    loadViewEditorScreenPath(doc, path.toStdString());
    return true;
}

LoadOutcome loadViewEditorScreenPath(Document& doc, const std::string& path) {
    const auto bytes = readFileOfKind(kScreen, path);
    if (!bytes)
        return LoadOutcome::Unreadable;
    loadScreenData(doc, *bytes);
    return LoadOutcome::Loaded;
}

void saveViewEditorScreenCommand(QWidget* parent, const Document& doc) {
    saveChosen(parent, kScreen, screenDataBytes(doc));
}

bool saveOrLoadRangeBlock(QWidget* parent, Document& doc) {
    if (doc.rangeMode == RangeMode::Save) {
        saveChosen(parent, kRange, rangeBlockBytes(doc));
        return false;
    }
    const QString path = chooseFileToLoad(parent, kRange, "");
    if (path.isEmpty())
        return false;
    const auto bytes = readFileOfKind(kRange, path.toStdString());
    if (!bytes)
        return false;
    loadRangeBlock(doc, *bytes);
    return true;
}

} // namespace korvex
