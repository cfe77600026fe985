#include "gui/view_editor_tiled_commands.h"

#include "core/document.h"
#include "core/screen_replace.h"
#include "formats/tmx_map.h"
#include "formats/tmx_screen_import.h"
#include "formats/tmx_writer.h"
#include "gui/dialogs.h"
#include "gui/file_dialog_kinds.h"

#include <QStringList>

namespace korvex {

namespace {

const QString kTiledMapFilters = "Tiled map (*.tmx)|*.tmx";

// A map always ends in .tmx: its tilesets are named after it.
const FileDialogKind kTiledMap = {.saveTitle = "Export to Tiled...",
                                  .filters = kTiledMapFilters,
                                  .extension = ".tmx",
                                  .rule = ExtensionRule::Always,
                                  .loadTitle = "Import from Tiled...",
                                  .loadBytes = kMaxTmxFileBytes};

const QString kErrorTitle = "Error...";

} // namespace

void exportScreenToTiledCommand(QWidget* parent, const Document& doc) {
    saveFileOfKind(parent, kTiledMap, "", [&](const std::string& path, std::string* error) {
        const std::vector<TmxExportFile> files = tmxExportFiles(
            doc, doc.currentScreen, int(doc.CurrentFont), doc.FourColourMode != 0, path);
        if (files.empty()) {
            *error = "the tileset pictures could not be encoded";
            return false;
        }
        return writeTmxExportFiles(files, error);
    });
}

bool importScreenFromTiledCommand(QWidget* parent, Document& doc) {
    const QString path = chooseFileToLoad(parent, kTiledMap, "");
    if (path.isEmpty())
        return false;
    const TmxReadResult read = readTmxMapFile(path.toStdString());
    if (!read.map) {
        dialogs().message(parent, kErrorTitle, QString::fromStdString(read.error));
        return false;
    }
    const ScreenFromMapResult imported = screenFromTmxMap(*read.map);
    if (!imported.screen) {
        dialogs().message(parent, kErrorTitle, QString::fromStdString(imported.error));
        return false;
    }
    replaceScreen(doc, doc.currentScreen, imported.screen->cells, imported.screen->rows,
                  kTiledImportStepName);
    if (!imported.screen->notes.empty()) {
        QStringList notes;
        for (const std::string& note : imported.screen->notes)
            notes << QString::fromStdString(note);
        dialogs().message(parent, kTiledMap.loadTitle, notes.join("\n"));
    }
    return true;
}

} // namespace korvex
