#pragma once
// Start-up timing support: with KORVEX_EXIT_AFTER_FIRST_PAINT set (to anything but
// empty), the program ends as soon as the main window has been painted once, so a
// benchmark can time the way from start to the first frame.

class QWidget;

namespace korvex {

constexpr const char* kExitAfterFirstPaintVariable = "KORVEX_EXIT_AFTER_FIRST_PAINT";

// Arranges the end of the main loop after the first paint of `window` when the
// variable is set; does nothing otherwise.
void exitAfterFirstPaintIfAsked(QWidget& window);

} // namespace korvex
