#include "gui/save_failure.h"

#include "gui/dialogs.h"

namespace korvex {

void reportSaveFailure(QWidget* parent, const QString& path, const QString& reason) {
    QString text = "The file could not be saved:\n" + path;
    if (!reason.isEmpty())
        text += "\n(" + reason + ")";
    text += "\nNothing was written.";
    dialogs().message(parent, "Error...", text);
}

} // namespace korvex
