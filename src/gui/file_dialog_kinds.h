#pragma once
// How the windows' file commands ask for each kind of file: the dialog's title and
// filters, and whether the kind's extension is added to a name typed without it.
// The save commands share one routine: ask, name the file by the kind's rule,
// write it atomically, report a failure.

#include "gui/dialogs.h"

#include <QString>
#include <functional>
#include <string>

class QWidget;

namespace korvex {

enum class ExtensionRule {
    WithTypeFilter, // added when the kind's own filter (the first) was chosen
    Always,         // added whichever filter was chosen
    AsTyped,        // the name is used as typed
};

struct FileDialogKind {
    const char* saveTitle;
    const QString& filters; // "Name (*.ext)|*.ext|All files (*.*)|*.*"
    const char* extension;  // ".ext"
    ExtensionRule rule;
};

// The name a save writes for the dialog's answer.
std::string savePathOf(const FileDialogKind& kind, const FileChoice& choice);

// Asks for a file of `kind` (the dialog starting at `start`), then writes it with
// `write(path, error)`, reporting a failed write. Returns the path written, or ""
// when the dialog was cancelled or the write failed.
std::string saveFileOfKind(QWidget* parent, const FileDialogKind& kind, const QString& start,
                           const std::function<bool(const std::string&, std::string*)>& write);

} // namespace korvex
