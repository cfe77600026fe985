#pragma once
// Commands of the main window that open other windows or files. Each is defined in
// the file of its feature.

#include "app/opening_plan.h"
#include "formats/set_files.h"

#include <QString>
#include <string>

namespace korvex {

class MainWindow;

// Font files and exports.
void loadFontCommand(MainWindow& window);
void saveFontCommand(MainWindow& window);
void saveFontRangeCommand(MainWindow& window);
void openExportWindowCommand(MainWindow& window, int x, int y, int width, int height);

// Project file. Save writes to the project's own file and asks for a name only
// when it has none; Save As always asks.
enum class SaveMode { Save, SaveAs };
void openProjectCommand(MainWindow& window);
void saveProjectCommand(MainWindow& window, SaveMode mode);

// Set files and the colour file.
void loadSetFileCommand(MainWindow& window, SetFileKind kind);
void saveSetFileCommand(MainWindow& window, SetFileKind kind);
void loadColourFileCommand(MainWindow& window);
void saveColourFileCommand(MainWindow& window);

// Palette, viewers, View Editor and pictures.
void openAtariPaletteCommand(MainWindow& window, int reg);
void openSetsViewerCommand(MainWindow& window);
void openMultiFontViewCommand(MainWindow& window);
void openViewEditorCommand(MainWindow& window);
void importImageCommand(MainWindow& window);

// Font tools.
void openDuplicateGlyphsCommand(MainWindow& window);
void openTextPreviewCommand(MainWindow& window);
void exportImageCommand(MainWindow& window);

// What the load commands do once a file is chosen, for a file given by its path
// (named on the command line or dropped on the window). A refused file is only
// reported by the outcome, without a message.
LoadOutcome loadFontPath(MainWindow& window, const QString& path, int64_t font);
LoadOutcome openProjectPath(MainWindow& window, const QString& path);
LoadOutcome loadSetFilePath(MainWindow& window, SetFileKind kind, const QString& path);
LoadOutcome loadColourFilePath(MainWindow& window, const QString& path);

// Timed notice "Info..." near the main window.
void showInfo(MainWindow& window, const std::string& text, int milliseconds);

} // namespace korvex
