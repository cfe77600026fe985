#pragma once
// The View Editor's file commands. Each asks for a file name (the name is used
// as chosen, no extension is added); a cancelled dialog changes nothing and a
// file that cannot be opened ends the command silently. A file that cannot be
// written is reported ("Error..." naming it), the old file staying as it was.

#include "app/opening_plan.h"

#include <string>

class QWidget;

namespace korvex {

struct Document;

// All nine screens (.ved2). Loading answers true when a name was chosen: the
// View Editor then redraws, also when the file could not be opened.
bool loadViewEditorDataCommand(QWidget* parent, Document& doc);
void saveViewEditorDataCommand(QWidget* parent, const Document& doc);

// The current screen (.sved2), with the same answer as above.
bool loadViewEditorScreenCommand(QWidget* parent, Document& doc);
void saveViewEditorScreenCommand(QWidget* parent, const Document& doc);

// The loads of the two commands above from a path, without a dialog.
LoadOutcome loadViewEditorDataPath(Document& doc, const std::string& path);
LoadOutcome loadViewEditorScreenPath(Document& doc, const std::string& path);

// A range block (.ranb): saved from the range rectangle in RangeMode::Save, placed
// at (rangeX, rangeY) otherwise. Answers true when a block was loaded.
bool saveOrLoadRangeBlock(QWidget* parent, Document& doc);

} // namespace korvex
