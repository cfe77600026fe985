#pragma once
// The names of the history steps of the windows' commands and strokes ("Clear",
// "Paint", "Fill Screen"), shown in the Undo and Redo items. A command that does
// not change the work (it shows, selects or saves) has no name: nullptr.

#include "core/document.h"
#include "gui/main_window.h"
#include "gui/view_editor_window.h"

namespace korvex {

const char* stepNameOfMenu(int id);
const char* stepNameOfControl(Control control);
// A stroke on a main window canvas, from a button going down until all are up.
const char* stepNameOfCanvas(CanvasId canvas);

const char* stepNameOfViewEditorEvent(const ViewEditorEvent& event);
// A stroke on the View Editor's canvas, named by its first event.
const char* stepNameOfViewEditorStroke(const ViewEditorEvent& event, const Document& doc);

} // namespace korvex
