#include "gui/font_file_commands.h"

#include "core/document.h"
#include "formats/file_io.h"
#include "formats/font_file.h"
#include "gui/dialogs.h"
#include "gui/file_dialog_kinds.h"
#include "gui/font_range_window.h"
#include "gui/main_window.h"
#include "gui/modal_window.h"
#include "gui/save_failure.h"

namespace korvex {

namespace {

const FileDialogKind kFont = {.saveTitle = "Save font (.fnt)",
                              .filters = kFontFileFilters,
                              .extension = ".fnt",
                              .rule = ExtensionRule::WithTypeFilter,
                              .loadTitle = "Load font (.fnt)",
                              .loadBytes = kFontBytes};

// The path last loaded into the current font: the starting point of the dialogs.
QString currentFontPath(const Document& doc) {
    if (doc.CurrentFont < 1 || doc.CurrentFont > kFontCount)
        return {};
    return QString::fromStdString(doc.FontPath[doc.CurrentFont]);
}

} // namespace

void loadFontCommand(MainWindow& window) {
    Document& doc = window.doc();
    const QString path = chooseFileToLoad(&window, kFont, currentFontPath(doc));
    // The click that closed the dialog must not paint, even after a cancel.
    window.skipCanvasEvents(2);
    if (path.isEmpty())
        return;
    loadFontPath(window, path, doc.CurrentFont);
}

LoadOutcome loadFontPath(MainWindow& window, const QString& path, int64_t font) {
    Document& doc = window.doc();
    const std::string name = path.toStdString();
    const auto bytes = readFileOfKind(kFont, name);
    if (!bytes || !loadFontBytesInto(doc, *bytes, name, font))
        return LoadOutcome::Unreadable;
    if (font == doc.CurrentFont)
        window.setStatusField(1, "Font: " + QString::fromStdString(doc.FontName[font]));
    return LoadOutcome::Loaded;
}

void saveFontCommand(MainWindow& window) {
    Document& doc = window.doc();
    saveFileOfKind(&window, kFont, currentFontPath(doc),
                   [&](const std::string& path, std::string* error) {
                       return saveFontFile(doc, path, error);
                   });
    window.skipCanvasEvents(2);
}

void saveFontRangeCommand(MainWindow& window) {
    FontRangeWindow range(window.doc());
    runModalOverMainWindow(window, range, 300, 200);
}

} // namespace korvex
