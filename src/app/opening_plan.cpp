#include "app/opening_plan.h"

#include "core/document.h"

namespace korvex {

namespace {

// Opening order of the kinds: lower first; equal ones keep the given order.
int openingRank(FileKind kind) {
    switch (kind) {
    case FileKind::Project:
        return 0;
    case FileKind::Picture:
        return 2;
    default:
        return 1;
    }
}

const char* reasonText(NotOpenedReason reason) {
    switch (reason) {
    case NotOpenedReason::UnknownKind:
        return "not a kind of file Korvex opens";
    case NotOpenedReason::Unreadable:
        return "cannot be read";
    case NotOpenedReason::WrongContent:
        return "not a file of its kind";
    case NotOpenedReason::NoFontLeft:
        return "no font left to load it into";
    }
    return "";
}

} // namespace

OpeningPlan planOpening(const std::vector<std::string>& paths) {
    OpeningPlan plan;
    int fonts = 0;
    for (int rank = 0; rank <= 2; ++rank) {
        for (const std::string& path : paths) {
            const FileKind kind = fileKindOf(path);
            if (kind == FileKind::Unknown) {
                if (rank == 0)
                    plan.notOpened.push_back({path, NotOpenedReason::UnknownKind});
                continue;
            }
            if (openingRank(kind) != rank)
                continue;
            OpeningStep step{kind, path};
            if (kind == FileKind::Font)
                step.fontOffset = fonts++;
            plan.steps.push_back(step);
        }
    }
    return plan;
}

int fontForOffset(int64_t currentFont, int fontOffset) {
    if (currentFont < 1 || currentFont > kFontCount || fontOffset < 0)
        return 0;
    const int64_t font = currentFont + fontOffset;
    return font <= kFontCount ? int(font) : 0;
}

std::string notOpenedMessage(const std::vector<NotOpened>& files) {
    if (files.empty())
        return {};
    std::string text =
        files.size() == 1 ? "This file was not opened:" : "These files were not opened:";
    for (const NotOpened& file : files)
        text += "\n" + file.path + " (" + reasonText(file.reason) + ")";
    return text;
}

} // namespace korvex
