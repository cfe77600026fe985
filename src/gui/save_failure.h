#pragma once
// The message shown when a save could not write its file. Saves are atomic, so the
// message can say that nothing on disk was changed.

#include <QString>

class QWidget;

namespace korvex {

// "Error..." box naming the file that was not written, with the reason when known.
void reportSaveFailure(QWidget* parent, const QString& path, const QString& reason = {});

} // namespace korvex
