#pragma once
// The main window's set-file commands: load and save the current set (.set), all
// sets (.sets), and export the current set's glyph bytes (.bin). The commands are
// declared with the other main-window commands in window_commands.h.

#include "gui/window_commands.h"

#include <QString>

namespace korvex {

inline const QString kSetFileFilters = "Set (*.set)|*.set|All files (*.*)|*.*";
inline const QString kSetsFileFilters = "Sets (*.sets)|*.sets|All files (*.*)|*.*";
inline const QString kSetBinFilters = "Set bin (*.bin)|*.bin|All files (*.*)|*.*";

} // namespace korvex
