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

// Shows a project just applied to the document: the project and font names in the
// status bar, the View Editor's switches, and every canvas, swatch and colour box.
void showLoadedProject(MainWindow& window);

} // namespace korvex
