// Placeholders for commands whose windows are not built yet. Each one moves to the
// file of its feature when that feature lands.

#include "gui/main_commands_pending.h"

namespace korvex {

void openSetsViewerCommand(MainWindow&) {}
void openMultiFontViewCommand(MainWindow&) {}
void showInfo(MainWindow&, const std::string&, int) {}

} // namespace korvex
