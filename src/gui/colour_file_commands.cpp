#include "gui/colour_file_commands.h"

#include "core/document.h"
#include "formats/colour_file.h"
#include "formats/file_io.h"
#include "gui/dialogs.h"
#include "gui/main_window.h"
#include "gui/save_failure.h"

namespace korvex {

namespace {

// A colour file is 34 bytes; anything past that is ignored anyway.
constexpr size_t kColourFileSize = 34;

} // namespace

void saveColourFileCommand(MainWindow& window) {
    Document& doc = window.doc();
    const FileChoice choice =
        dialogs().saveFile(&window, "Save colors (.col)", QString(), kColourFileFilters);
    doc.CanvasEventSkip = 2;
    if (choice.path.isEmpty())
        return;
    // The extension is added whichever filter was chosen.
    const std::string path = withExtension(choice.path.toStdString(), ".col");
    if (!mayReplace(&window, path))
        return;
    std::string error;
    if (!writeFileAtomic(path, colourFileBytes(doc), &error))
        reportSaveFailure(&window, QString::fromStdString(path), QString::fromStdString(error));
}

void loadColourFileCommand(MainWindow& window) {
    Document& doc = window.doc();
    const FileChoice choice =
        dialogs().openFile(&window, "Load colors (.col)", QString(), kColourFileFilters);
    doc.CanvasEventSkip = 2;
    if (choice.path.isEmpty())
        return;
    if (loadColourFilePath(window, choice.path) == LoadOutcome::WrongContent)
        dialogs().message(&window, "Error!", wrongColourMagicMessage());
}

LoadOutcome loadColourFilePath(MainWindow& window, const QString& path) {
    const auto bytes = readFileBytes(path.toStdString(), kColourFileSize);
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
