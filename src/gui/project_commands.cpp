#include "gui/project_commands.h"

#include "core/document.h"
#include "formats/file_io.h"
#include "formats/project_file.h"
#include "gui/dialogs.h"
#include "gui/file_dialog_kinds.h"
#include "gui/main_window.h"
#include "gui/range_dialog.h"
#include "gui/save_failure.h"
#include "gui/view_editor_window.h"

#include <QPushButton>

namespace korvex {

namespace {

constexpr int kNoticeMs = 2000;

// The project's own loader reads the file, no more than this size; the save keeps
// its own path rules (see saveProjectCommand) but asks with the same words.
const FileDialogKind kProject = {.saveTitle = "Save project (.proj2)",
                                 .filters = kProjectFileFilters,
                                 .extension = ".proj2",
                                 .rule = ExtensionRule::Always,
                                 .loadTitle = "Open project (.proj2)",
                                 .loadBytes = kMaxProjectFileBytes};

void showProjectName(MainWindow& window) {
    const std::string name = fileNamePart(window.doc().projectPath);
    window.setStatusField(2, "Project: " + QString::fromStdString(name));
}

} // namespace

void showViewEditorSwitches(MainWindow& window) {
    ViewEditorWindow* editor = findViewEditor(window);
    if (!editor)
        return;
    const Document& doc = window.doc();
    // setChecked raises no click, so the editor's own commands do not run again.
    editor->GridToggle->setChecked(doc.gridShown == 1);
    editor->SetDrawToggle->setChecked(doc.setDrawing == 1);
    editor->AlwaysOnTopToggle->setChecked(doc.alwaysOnTop == 1);
    const bool onTop = doc.alwaysOnTop == 1;
    if (editor->windowFlags().testFlag(Qt::WindowStaysOnTopHint) != onTop) {
        // Changing a window flag hides the window; show it again where it was.
        const QPoint where = editor->pos();
        editor->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
        editor->move(where);
        editor->show();
    }
}

void showLoadedProject(MainWindow& window) {
    const Document& doc = window.doc();
    showProjectName(window);
    // The current font's name may have come with the project.
    if (doc.CurrentFont >= 1 && doc.CurrentFont <= kFontCount)
        window.setStatusField(1, "Font: " + QString::fromStdString(doc.FontName[doc.CurrentFont]));
    showViewEditorSwitches(window);
    // redrawMainWindow repaints the swatches and colour boxes too.
    window.redrawMainWindow();
}

void openProjectCommand(MainWindow& window) {
    const QString path = chooseFileToLoad(&window, kProject, QString());
    if (path.isEmpty())
        return;
    openProjectPath(window, path);
}

LoadOutcome openProjectPath(MainWindow& window, const QString& path) {
    Document& doc = window.doc();
    // A file that cannot be read is passed over without a word; any readable text
    // is applied, project or not.
    if (!loadProjectFile(doc, path.toStdString()))
        return LoadOutcome::Unreadable;
    // The working colours follow the loaded row of the current font, as after "Load
    // Colors"; otherwise the next font switch would store the old ones over it.
    loadFontColours(doc, doc.CurrentFont);
    // Drawn before the notice so the loaded work is what the user sees behind it.
    showLoadedProject(window);
    if (window.workSaved)
        window.workSaved();
    showInfo(window, "Project loaded!", kNoticeMs);
    return LoadOutcome::Loaded;
}

void saveProjectCommand(MainWindow& window, SaveMode mode) {
    Document& doc = window.doc();
    const bool saveAs = mode == SaveMode::SaveAs;
    std::string path = doc.projectPath;
    const bool ask = saveAs || path.empty();
    if (ask) {
        const QString start =
            saveAs ? QString::fromStdString(doc.projectPath) : QString("default.proj2");
        const FileChoice choice =
            dialogs().saveFile(&window, kProject.saveTitle, start, kProject.filters);
        if (choice.path.isEmpty())
            return;
        path = choice.path.toStdString();
    }
    // The extension is added whichever filter was chosen, and to a remembered path
    // too: "Open..." takes any text file, and "Save" must not turn that file into a
    // project. NAME.proj2 is written beside it and becomes the project path.
    path = withExtension(path, kProject.extension);
    // The project's own file is saved over without a question.
    if ((ask || path != doc.projectPath) && !mayReplace(&window, path))
        return;
    std::string error;
    if (!saveProjectFile(doc, path, &error)) {
        // The write is atomic: the file on disk, if any, is still the old one.
        reportSaveFailure(&window, QString::fromStdString(path), QString::fromStdString(error));
        return;
    }
    showProjectName(window);
    if (window.workSaved)
        window.workSaved();
    // Only the save without a dialog needs telling that it happened, and only
    // once the file is really on disk.
    if (!ask)
        showInfo(window, "Project saved!", kNoticeMs);
}

} // namespace korvex
