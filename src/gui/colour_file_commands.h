#pragma once
// The main window's colour-file commands ("Save Colors", "Load Colors"): the six
// colour registers as a .col file. The commands are declared with the other
// main-window commands in window_commands.h.

#include "gui/window_commands.h"

#include <QString>

namespace korvex {

inline const QString kColourFileFilters = "Color palette (*.col)|*.col|All files (*.*)|*.*";

} // namespace korvex
