#pragma once
// How the windows' file commands ask for each kind of file: the dialogs' titles and
// filters, whether the kind's extension is added to a name typed without it, and
// the most a load reads (a size named in formats/). The load and save commands of
// a kind share its one description. Saves share one routine: ask, name the file by
// the kind's rule, write it atomically, report a failure. Loads share another: ask,
// then read no more than the kind's size.

#include "formats/file_io.h"
#include "gui/dialogs.h"

#include <QString>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>

class QWidget;

namespace korvex {

enum class ExtensionRule {
    WithTypeFilter, // added when the kind's own filter (the first) was chosen; for a
                    // kind of two file types, the second filter adds the second
                    // extension, and a name already ending in either is kept
    Always,         // added whichever filter was chosen
    AsTyped,        // the name is used as typed
};

struct FileDialogKind {
    const char* saveTitle;  // nullptr for a kind that is only loaded
    const QString& filters; // "Name (*.ext)|*.ext|All files (*.*)|*.*"
    const char* extension;  // ".ext"
    ExtensionRule rule;
    const char* loadTitle = nullptr;       // nullptr for a kind that is only saved
    size_t loadBytes = 0;                  // the most a load reads; 0 for a kind only saved
    const QString* loadFilters = nullptr;  // when the load dialog words them otherwise
    const char* secondExtension = nullptr; // the second filter's, for a kind of two types
};

// The filters of the dialogs that load a PNG or BMP picture.
extern const QString kPictureLoadFilters;

// The name a save writes for the dialog's answer.
std::string savePathOf(const FileDialogKind& kind, const FileChoice& choice);

// Asks for a file of `kind` (the dialog starting at `start`), then writes it with
// `write(path, error)`, reporting a failed write. Returns the path written, or ""
// when the dialog was cancelled or the write failed.
std::string saveFileOfKind(QWidget* parent, const FileDialogKind& kind, const QString& start,
                           const std::function<bool(const std::string&, std::string*)>& write);

// Asks for a file of `kind` to load, the dialog starting at `start`. Returns the
// chosen path, or an empty one when the dialog was cancelled.
QString chooseFileToLoad(QWidget* parent, const FileDialogKind& kind, const QString& start);

// The first kind.loadBytes bytes of the file at `path`, or nothing when it cannot be
// read. A kind without a size (one only saved) reads nothing.
std::optional<Bytes> readFileOfKind(const FileDialogKind& kind, const std::string& path);

} // namespace korvex
