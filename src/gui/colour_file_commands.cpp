#include "gui/colour_file_commands.h"

#include "core/document.h"
#include "formats/colour_file.h"
#include "formats/file_io.h"
#include "gui/dialogs.h"
#include "gui/file_dialog_kinds.h"
#include "gui/main_window.h"
#include "gui/save_failure.h"

namespace korvex {

void saveColourFileCommand(MainWindow& window) {
    static const FileDialogKind kColours = {"Save colors (.col)", kColourFileFilters, ".col",
                                            ExtensionRule::Always};
    Document& doc = window.doc();
    saveFileOfKind(&window, kColours, QString(), [&](const std::string& path, std::string* error) {
        return writeFileAtomic(path, colourFileBytes(doc), error);
    });
    window.skipCanvasEvents(2);
}

void loadColourFileCommand(MainWindow& window) {
    const FileChoice choice =
        dialogs().openFile(&window, "Load colors (.col)", QString(), kColourFileFilters);
    window.skipCanvasEvents(2);
    if (choice.path.isEmpty())
        return;
    if (loadColourFilePath(window, choice.path) == LoadOutcome::WrongContent)
        dialogs().message(&window, "Error!", wrongColourMagicMessage());
}

LoadOutcome loadColourFilePath(MainWindow& window, const QString& path) {
    const auto bytes = readFileBytes(path.toStdString(), kColourFileBytes);
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
