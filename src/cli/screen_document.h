#pragma once
// A project's screen readied for the commands that draw it as the machine shows it
// (screen-to-image, display-list, screen-to-tmx): the rows that follow the editor's
// font and mode take --font and --mode.

#include "cli/arguments.h"
#include "cli/document_memory.h"

namespace korvex::cli {

// What rows with follow entries show.
struct FollowSettings {
    int font = 1;
    bool fourColour = false;
};

// --font (1..10, default 1) and --mode (2 or 4, default 2).
FollowSettings followOptions(const ParsedCommand& command);

// The project's screen in a document whose current font and mode are the follow
// settings, with that font's own colours as the working colours: every row then
// shows its font's colour set.
DocumentPtr screenDocument(const ParsedCommand& command, int screen, const FollowSettings& follow);

} // namespace korvex::cli
