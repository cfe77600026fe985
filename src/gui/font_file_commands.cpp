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

// The path last loaded into the current font: the starting point of the dialogs.
QString currentFontPath(const Document& doc) {
    if (doc.CurrentFont < 1 || doc.CurrentFont > kFontCount)
        return {};
    return QString::fromStdString(doc.FontPath[doc.CurrentFont]);
}

} // namespace

void loadFontCommand(MainWindow& window) {
    Document& doc = window.doc();
    const FileChoice choice =
        dialogs().openFile(&window, "Load font (.fnt)", currentFontPath(doc), kFontFileFilters);
    // The click that closed the dialog must not paint, even after a cancel.
    window.skipCanvasEvents(2);
    if (choice.path.isEmpty())
        return;
    loadFontPath(window, choice.path, doc.CurrentFont);
}

LoadOutcome loadFontPath(MainWindow& window, const QString& path, int64_t font) {
    Document& doc = window.doc();
    if (!loadFontFileInto(doc, path.toStdString(), font))
        return LoadOutcome::Unreadable;
    if (font == doc.CurrentFont)
        window.setStatusField(1, "Font: " + QString::fromStdString(doc.FontName[font]));
    return LoadOutcome::Loaded;
}

void saveFontCommand(MainWindow& window) {
    Document& doc = window.doc();
    static const FileDialogKind kFont = {"Save font (.fnt)", kFontFileFilters, ".fnt",
                                         ExtensionRule::WithTypeFilter};
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
