#include "gui/recovery_keeper.h"

#include "app/background_writer.h"
#include "formats/file_io.h"
#include "formats/project_lines.h"
#include "formats/recovery_copy.h"
#include "gui/dialogs.h"
#include "gui/main_window.h"
#include "gui/project_commands.h"

#include <QLabel>
#include <cstdio>

namespace korvex {

QString recoveryTroubleText(const std::string& reason) {
    return "Recovery copies of the unsaved work cannot be kept:\n" +
           QString::fromStdString(reason) +
           "\n\nSave the work in a project to keep it safe. You will be told when the "
           "copies are kept again.";
}

QString recoveryKeptAgainText() {
    return "Recovery copies of the unsaved work are kept again.";
}

RecoveryKeeper::RecoveryKeeper(MainWindow& window, const std::string& folder,
                               std::chrono::milliseconds interval)
    : window_(window), folder_(folder) {
    baseline_ = takeRecoverySnapshot(window_.doc()).project;
    timer_.setInterval(interval);
    connect(&timer_, &QTimer::timeout, this, [this] { update(); });
    window_.workSaved = [this] { markSaved(); };
    window_.hasUnsavedWork = [this] { return hasUnsavedWork(); };
    if (claimSlot())
        tidyRecoveryFolder(folder_);
}

RecoveryKeeper::~RecoveryKeeper() {
    window_.workSaved = nullptr;
    window_.hasUnsavedWork = nullptr;
    // The writer finishes what it was asked; the slot's lock goes with it, the
    // files stay.
    writer_.reset();
}

std::string RecoveryKeeper::copyPath() const {
    return slot_ ? slot_->copyPath() : std::string();
}

bool RecoveryKeeper::claimSlot() {
    std::string error;
    slot_ = RecoverySlot::claim(folder_, &error);
    if (!slot_) {
        reportTrouble(error);
        return false;
    }
    writer_ = std::make_unique<BackgroundWriter>(slot_->copyPath());
    if (troubleShown_)
        reportKeptAgain();
    return true;
}

bool RecoveryKeeper::offerRestore() {
    if (!slot_)
        return false;
    for (RecoveryOrphan& orphan : findRecoveryOrphans(folder_)) {
        const auto bytes = readFileBytes(orphan.copyPath(), kMaxProjectFileBytes);
        // What cannot be read, or is no copy, would be passed over at every start:
        // it goes aside, where it is kept a while and then removed.
        if (!bytes || !isRecoveryCopy(*bytes)) {
            orphan.moveToDamaged();
            continue;
        }
        if (!dialogs().choose(&window_, "Restore...", kRestoreQuestion, "Restore", "Discard")) {
            orphan.discard();
            continue;
        }
        restore(*bytes);
        // Until it is saved, the restored work is this run's unsaved work: its
        // copy becomes this run's copy straight away.
        if (orphan.adoptInto(*slot_))
            lastWritten_ = std::string(bytes->begin(), bytes->end());
        return true;
    }
    return false;
}

void RecoveryKeeper::restore(const std::vector<uint8_t>& bytes) {
    Document& doc = window_.doc();
    readRecoveryCopy(doc, bytes);
    // An unnamed project: the user chooses where to save it.
    doc.projectPath.clear();
    // Numbers, labels, canvases and open viewers all show the restored work.
    window_.pickGlyph(doc.CurrentGlyph);
    window_.showHistoryPlace();
    showLoadedProject(window_);
}

void RecoveryKeeper::start() {
    timer_.start();
}

void RecoveryKeeper::update() {
    if (!slot_ && !claimSlot())
        return;
    noteWriteOutcome();
    RecoverySnapshot snapshot = takeRecoverySnapshot(window_.doc());
    if (snapshot.project == baseline_) {
        // Nothing unsaved (changes undone by hand, say): no copy is needed.
        if (!lastWritten_.empty())
            writer_->remove();
        lastWritten_.clear();
        return;
    }
    std::string text = snapshot.text();
    if (text == lastWritten_)
        return;
    writer_->write(text);
    lastWritten_ = std::move(text);
}

void RecoveryKeeper::markSaved() {
    baseline_ = takeRecoverySnapshot(window_.doc()).project;
    if (!slot_)
        return;
    writer_->remove();
    lastWritten_.clear();
}

bool RecoveryKeeper::hasUnsavedWork() {
    return takeRecoverySnapshot(window_.doc()).project != baseline_;
}

void RecoveryKeeper::flush() {
    if (writer_)
        writer_->flush();
}

void RecoveryKeeper::endNormally() {
    timer_.stop();
    window_.workSaved = nullptr;
    window_.hasUnsavedWork = nullptr;
    writer_.reset();
    if (slot_)
        slot_->endNormally();
}

void RecoveryKeeper::noteWriteOutcome() {
    const std::optional<std::string> outcome = writer_->takeOutcome();
    if (!outcome)
        return;
    if (outcome->empty()) {
        if (troubleShown_)
            reportKeptAgain();
        return;
    }
    // Tried again at the next tick.
    lastWritten_.clear();
    reportTrouble("the copy " + slot_->copyPath() + " cannot be written (" + *outcome + ")");
}

void RecoveryKeeper::reportTrouble(const std::string& reason) {
    if (troubleShown_)
        return;
    troubleShown_ = true;
    std::fprintf(stderr, "korvex: no recovery copies can be kept (%s)\n", reason.c_str());
    dialogs().message(&window_, kRecoveryMessageTitle, recoveryTroubleText(reason));
}

void RecoveryKeeper::reportKeptAgain() {
    troubleShown_ = false;
    std::fprintf(stderr, "korvex: recovery copies are kept again\n");
    dialogs().message(&window_, kRecoveryMessageTitle, recoveryKeptAgainText());
}

} // namespace korvex
