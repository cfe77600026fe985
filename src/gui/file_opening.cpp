#include "gui/file_opening.h"

#include "app/opening_plan.h"
#include "core/document.h"
#include "formats/set_files.h"
#include "gui/dialogs.h"
#include "gui/image_import_window.h"
#include "gui/main_window.h"
#include "gui/view_editor_file_commands.h"
#include "gui/window_commands.h"

#include <QMimeData>
#include <QUrl>

namespace korvex {

namespace {

LoadOutcome openStep(MainWindow& window, const OpeningStep& step) {
    Document& doc = window.doc();
    const QString path = QString::fromStdString(step.path);
    switch (step.kind) {
    case FileKind::Project:
        return openProjectPath(window, path);
    case FileKind::Font:
        return loadFontPath(window, path, fontForOffset(doc.CurrentFont, step.fontOffset));
    case FileKind::Set:
        return loadSetFilePath(window, SetFileKind::Set, path);
    case FileKind::Sets:
        return loadSetFilePath(window, SetFileKind::Sets, path);
    case FileKind::Colours:
        return loadColourFilePath(window, path);
    case FileKind::ViewEditorData:
        return loadViewEditorDataPath(doc, step.path);
    case FileKind::ViewEditorScreen:
        return loadViewEditorScreenPath(doc, step.path);
    case FileKind::Picture:
    case FileKind::Unknown:
        break;
    }
    return LoadOutcome::WrongContent;
}

NotOpenedReason reasonFor(LoadOutcome outcome) {
    return outcome == LoadOutcome::Unreadable ? NotOpenedReason::Unreadable
                                              : NotOpenedReason::WrongContent;
}

} // namespace

void openFiles(MainWindow& window, const QStringList& paths) {
    std::vector<std::string> names;
    for (const QString& path : paths)
        names.push_back(path.toStdString());
    const OpeningPlan plan = planOpening(names);
    std::vector<NotOpened> notOpened = plan.notOpened;
    std::vector<RgbPicture> pictures;
    bool screensLoaded = false;
    Document& doc = window.doc();
    for (const OpeningStep& step : plan.steps) {
        if (step.kind == FileKind::Font && fontForOffset(doc.CurrentFont, step.fontOffset) == 0) {
            notOpened.push_back({step.path, NotOpenedReason::NoFontLeft});
            continue;
        }
        LoadOutcome outcome;
        if (step.kind == FileKind::Picture) {
            // Read now so that the message below names a picture that cannot be shown;
            // each is shown once everything else is open.
            RgbPicture picture;
            outcome = readPictureFile(step.path, picture);
            if (outcome == LoadOutcome::Loaded)
                pictures.push_back(std::move(picture));
        } else {
            outcome = openStep(window, step);
        }
        if (outcome != LoadOutcome::Loaded)
            notOpened.push_back({step.path, reasonFor(outcome)});
        else if (step.kind == FileKind::ViewEditorData || step.kind == FileKind::ViewEditorScreen)
            screensLoaded = true;
    }
    window.redrawMainWindow();
    if (screensLoaded) {
        openViewEditorCommand(window);
        if (window.viewEditorRedraw)
            window.viewEditorRedraw();
    }
    if (!notOpened.empty())
        dialogs().message(&window, "Open files",
                          QString::fromStdString(notOpenedMessage(notOpened)));
    for (RgbPicture& picture : pictures) {
        doc.importPicture = std::move(picture);
        importImageCommand(window);
    }
}

void reportFilesNotOpenedAfterRestore(MainWindow& window, const QStringList& paths) {
    const QString text = "The unsaved work of the last run was restored, so " +
                         QString(paths.size() == 1 ? "this file was" : "these files were") +
                         " not opened:\n" + paths.join('\n');
    dialogs().message(&window, "Open files", text);
}

QStringList localFiles(const QMimeData* data) {
    QStringList files;
    if (!data || !data->hasUrls())
        return files;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile())
            files << url.toLocalFile();
    return files;
}

} // namespace korvex
