#include "gui/colour_file_commands.h"

#include "core/document.h"
#include "formats/colour_file.h"
#include "formats/file_io.h"
#include "gui/dialogs.h"
#include "gui/file_dialog_kinds.h"
#include "gui/main_window.h"
#include "gui/save_failure.h"

namespace korvex {

namespace {

const FileDialogKind kColours = {.saveTitle = "Save colors (.col)",
                                 .filters = kColourFileFilters,
                                 .extension = ".col",
                                 .rule = ExtensionRule::Always,
                                 .loadTitle = "Load colors (.col)",
                                 .loadBytes = kColourFileBytes};

} // namespace

void saveColourFileCommand(MainWindow& window) {
    Document& doc = window.doc();
    saveFileOfKind(&window, kColours, QString(), [&](const std::string& path, std::string* error) {
        return writeFileAtomic(path, colourFileBytes(doc), error);
    });
    window.skipCanvasEvents(2);
}

void loadColourFileCommand(MainWindow& window) {
    const QString path = chooseFileToLoad(&window, kColours, QString());
    window.skipCanvasEvents(2);
    if (path.isEmpty())
        return;
    if (loadColourFilePath(window, path) == LoadOutcome::WrongContent)
        dialogs().message(&window, "Error!", wrongColourMagicMessage());
}

LoadOutcome loadColourFilePath(MainWindow& window, const QString& path) {
    const auto bytes = readFileOfKind(kColours, path.toStdString());
    if (!bytes)
        return LoadOutcome::Unreadable;
    if (!loadColourBytes(window.doc(), *bytes))
        return LoadOutcome::WrongContent;
    // The swatches and the two button boxes show the new colours, and every canvas
    // is drawn with them.
    window.refreshColourBoxes();
    window.redrawMainWindow();
    return LoadOutcome::Loaded;
}

} // namespace korvex
