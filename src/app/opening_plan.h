#pragma once
// The order in which files named on the command line or dropped on the window are
// opened, and the message about those that could not be.
//
// A project comes first, since it replaces the whole work; then fonts, sets,
// colours and screens in the order given; pictures last, because each opens the
// import window and waits for it. The first font file goes into the current font,
// the second into the next font, and so on up to the last font.

#include "app/file_kind.h"

#include <cstdint>
#include <string>
#include <vector>

namespace korvex {

struct OpeningStep {
    FileKind kind = FileKind::Unknown;
    std::string path;
    int fontOffset = 0; // for a font: 0 the current font, 1 the next one, ...
};

// What became of one file's loading.
enum class LoadOutcome { Loaded, Unreadable, WrongContent };

// Why a file was not opened.
enum class NotOpenedReason { UnknownKind, Unreadable, WrongContent, NoFontLeft };

struct NotOpened {
    std::string path;
    NotOpenedReason reason;
};

struct OpeningPlan {
    std::vector<OpeningStep> steps;
    std::vector<NotOpened> notOpened; // files of no kind the editor opens
};

OpeningPlan planOpening(const std::vector<std::string>& paths);

// The font a font file at `fontOffset` goes into when `currentFont` is the current
// one; 0 when that would be past the last font.
int fontForOffset(int64_t currentFont, int fontOffset);

// One text naming every file not opened, with the reason, one line each; empty when
// there are none.
std::string notOpenedMessage(const std::vector<NotOpened>& files);

} // namespace korvex
