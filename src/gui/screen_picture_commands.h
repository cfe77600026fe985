#pragma once
// "Export screen as image...": the View Editor's current screen as the Atari view
// shows it, one Atari pixel per picture pixel, saved as PNG or BMP.

#include <string>

class QWidget;

namespace korvex {

struct Document;

// Asks for the file (PNG or BMP by the chosen filter, or by the name's extension)
// and writes the picture, rows that follow taking the editor's current font and
// mode. The write is atomic; a failure is reported as other saves report it.
// Answers the path written, or "" when nothing was.
std::string exportScreenPictureCommand(QWidget* parent, const Document& doc);

} // namespace korvex
