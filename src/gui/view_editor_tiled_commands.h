#pragma once
// The View Editor's exchange with Tiled: the current screen written as a Tiled map
// with its tilesets, and a Tiled map taken into the current screen.

class QWidget;

namespace korvex {

struct Document;

// Asks for MAP.tmx and writes the current screen there, its tilesets beside it;
// rows that follow take the editor's current font and two- or four-colour mode.
// Every file is written atomically; a failure is reported as other saves report it.
void exportScreenToTiledCommand(QWidget* parent, const Document& doc);

// Asks for a map and puts it in the current screen with its row table, as one
// history step. A map that cannot be taken is reported with the reader's message
// and changes nothing; what the user should know of a taken map (a larger one cut
// to 40 x 24, ...) is shown after it. Answers true when the screen was replaced.
bool importScreenFromTiledCommand(QWidget* parent, Document& doc);

} // namespace korvex
