#pragma once
// The recovery copy: what the editor writes now and then while there is unsaved
// work, so that a run that ends abnormally loses little. It is a project file (it
// opens as one) followed by a [RECOVERY] section holding what a project leaves
// out but the user would miss: the current font, set and glyph, the working
// colours and the register values.

#include "core/document.h"
#include "formats/file_io.h"

#include <string>

namespace korvex {

struct RecoverySnapshot {
    std::string project; // the text a project save would write
    std::string extras;  // the [RECOVERY] section
    std::string text() const { return project + extras; }
};

// The document as a recovery copy. FontBuffer is left as it was: a snapshot may be
// taken between any two steps of a command.
RecoverySnapshot takeRecoverySnapshot(Document& doc);

// Whether the bytes are a recovery copy: a text with the section's line.
bool isRecoveryCopy(ByteView bytes);

// Applies a recovery copy: its project lines as "Open..." applies them, then the
// section's values that are in range. False, with nothing changed, when the bytes
// are no recovery copy. Safe on any bytes. The project path is not touched.
bool readRecoveryCopy(Document& doc, ByteView bytes);

} // namespace korvex
