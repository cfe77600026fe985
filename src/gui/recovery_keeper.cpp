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

RecoveryKeeper::RecoveryKeeper(MainWindow& window, const std::string& folder,
                               std::chrono::milliseconds interval)
    : window_(window), folder_(folder) {
    std::string error;
    slot_ = RecoverySlot::claim(folder, &error);
    if (!slot_) {
        std::fprintf(stderr, "korvex: no recovery copies will be kept (%s)\n", error.c_str());
        return;
    }
    writer_ = std::make_unique<BackgroundWriter>(slot_->copyPath());
    baseline_ = takeRecoverySnapshot(window_.doc()).project;
    timer_.setInterval(interval);
    connect(&timer_, &QTimer::timeout, this, [this] { update(); });
    window_.workSaved = [this] { markSaved(); };
}

RecoveryKeeper::~RecoveryKeeper() {
    window_.workSaved = nullptr;
    // The writer finishes what it was asked; the slot's lock goes with it, the
    // files stay.
    writer_.reset();
}

std::string RecoveryKeeper::copyPath() const {
    return slot_ ? slot_->copyPath() : std::string();
}

void RecoveryKeeper::offerRestore() {
    if (!slot_)
        return;
    for (RecoveryOrphan& orphan : findRecoveryOrphans(folder_)) {
        const auto bytes = readFileBytes(orphan.copyPath(), kMaxProjectFileBytes);
        // What cannot be read, or is no copy, is left alone where it is.
        if (!bytes || !isRecoveryCopy(*bytes))
            continue;
        if (!dialogs().choose(&window_, "Restore...", kRestoreQuestion, "Restore", "Discard")) {
            orphan.discard();
            continue;
        }
        restore(*bytes);
        // Until it is saved, the restored work is this run's unsaved work: its
        // copy becomes this run's copy straight away.
        if (orphan.adoptInto(*slot_))
            lastWritten_ = std::string(bytes->begin(), bytes->end());
        return;
    }
}

void RecoveryKeeper::restore(const std::vector<uint8_t>& bytes) {
    Document& doc = window_.doc();
    readRecoveryCopy(doc, bytes);
    // An unnamed project: the user chooses where to save it.
    doc.projectPath.clear();
    window_.FontNumberLabel->setText(QString::number(doc.CurrentFont));
    window_.SetNumberLabel->setText(QString::number(doc.CurrentSet));
    showLoadedProject(window_);
}

void RecoveryKeeper::start() {
    if (slot_)
        timer_.start();
}

void RecoveryKeeper::update() {
    if (!slot_)
        return;
    noteWriteFailure();
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
    if (!slot_)
        return;
    baseline_ = takeRecoverySnapshot(window_.doc()).project;
    writer_->remove();
    lastWritten_.clear();
}

void RecoveryKeeper::flush() {
    if (writer_)
        writer_->flush();
}

void RecoveryKeeper::endNormally() {
    timer_.stop();
    window_.workSaved = nullptr;
    writer_.reset();
    if (slot_)
        slot_->endNormally();
}

void RecoveryKeeper::noteWriteFailure() {
    const std::string failure = writer_->takeFailure();
    if (failure.empty())
        return;
    // Tried again at the next tick; told once, as there is no one to ask.
    lastWritten_.clear();
    if (!failureReported_)
        std::fprintf(stderr, "korvex: the recovery copy %s cannot be written (%s)\n",
                     slot_->copyPath().c_str(), failure.c_str());
    failureReported_ = true;
}

} // namespace korvex
