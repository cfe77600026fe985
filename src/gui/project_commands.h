#pragma once
// The Project menu: "Open...", "Save" and "Save As...". The commands are declared
// with the other main-window commands in window_commands.h.

#include "gui/window_commands.h"

#include <QString>

namespace korvex {

// The filter list of both project dialogs.
inline const QString kProjectFileFilters = "Project (*.proj2)|*.proj2|All files (*.*)|*.*";

// Shows the View Editor's switches as a loaded project left them, when the View
// Editor is open: the toggles and whether the window stays on top.
void showViewEditorSwitches(MainWindow& window);

} // namespace korvex
