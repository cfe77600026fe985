#pragma once
// Where the Atari view window stood and at which zoom, kept by the main window for
// the rest of the run (window state, not part of the work).

#include <QPoint>

namespace korvex {

struct AtariViewPlace {
    bool placed = false; // false until the window was first closed
    QPoint position;
    int zoom = 2;
};

} // namespace korvex
