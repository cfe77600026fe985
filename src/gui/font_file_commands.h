#pragma once
// The main window's font-file commands: load a .fnt file into the current font,
// save the current font, and save a range of its glyphs. The commands themselves
// are declared with the other main-window commands in window_commands.h.

#include "gui/window_commands.h"

#include <QString>

namespace korvex {

// The filter list of every font-file dialog.
inline const QString kFontFileFilters = "Font (*.fnt)|*.fnt|All files (*.*)|*.*";

} // namespace korvex
