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

// Width and height are signed bytes, so no block holds more than 127 x 127 cells.
constexpr size_t kLargestRangeBlock = 2 + 127 * 127;

// The View Editor's files are written under the name as typed.
void saveChosen(QWidget* parent, const char* title, const QString& filters, const Bytes& bytes) {
    const FileDialogKind kind = {title, filters, "", ExtensionRule::AsTyped};
    saveFileOfKind(parent, kind, "", [&](const std::string& path, std::string* error) {
        return writeFileAtomic(path, bytes, error);
    });
}

} // namespace

bool loadViewEditorDataCommand(QWidget* parent, Document& doc) {
    const FileChoice choice =
        dialogs().openFile(parent, "Load View Editor Data...", "", kDataLoadFilters);
    if (choice.path.isEmpty())
        return false;
    loadViewEditorDataPath(doc, choice.path.toStdString());
    return true;
}

LoadOutcome loadViewEditorDataPath(Document& doc, const std::string& path) {
    const auto bytes = readFileBytes(path, kViewEditorDataBytes);
    if (!bytes)
        return LoadOutcome::Unreadable;
    loadViewEditorData(doc, *bytes);
    return LoadOutcome::Loaded;
}

void saveViewEditorDataCommand(QWidget* parent, const Document& doc) {
    saveChosen(parent, "Save View Editor data...", kDataSaveFilters, viewEditorDataBytes(doc));
}

bool loadViewEditorScreenCommand(QWidget* parent, Document& doc) {
    const FileChoice choice =
        dialogs().openFile(parent, "Load View Editor screen data...", "", kScreenFilters);
    if (choice.path.isEmpty())
        return false;
    loadViewEditorScreenPath(doc, choice.path.toStdString());
    return true;
}

LoadOutcome loadViewEditorScreenPath(Document& doc, const std::string& path) {
    const auto bytes = readFileBytes(path, kScreenCells);
    if (!bytes)
        return LoadOutcome::Unreadable;
    loadScreenData(doc, *bytes);
    return LoadOutcome::Loaded;
}

void saveViewEditorScreenCommand(QWidget* parent, const Document& doc) {
    saveChosen(parent, "Save View Editor screen data...", kScreenFilters, screenDataBytes(doc));
}

bool saveOrLoadRangeBlock(QWidget* parent, Document& doc) {
    if (doc.rangeMode == RangeMode::Save) {
        saveChosen(parent, "Save range...", kRangeFilters, rangeBlockBytes(doc));
        return false;
    }
    const FileChoice choice = dialogs().openFile(parent, "Load range...", "", kRangeFilters);
    if (choice.path.isEmpty())
        return false;
    auto bytes = readFileBytes(choice.path.toStdString(), kLargestRangeBlock);
    if (!bytes)
        return false;
    loadRangeBlock(doc, *bytes);
    return true;
}

} // namespace korvex
