#pragma once
// Keeps a recovery copy of the work not yet saved in a project, and at start-up
// offers the copies of runs that did not end normally.
//
// Now and then (recoveryInterval) the document is written down on this thread; if
// its project text differs from the one last opened or saved, the copy is written
// on a thread of its own, and only when it changed since the last copy. Once the
// work is saved the copy goes; a normal end of the program removes it too.
//
// When copies cannot be kept (the folder is unusable, the disk is full), the user is
// told once in a message with the reason, and told again once they are kept again;
// the keeper goes on trying at every tick meanwhile.

#include "app/recovery_store.h"

#include <QObject>
#include <QString>
#include <QTimer>
#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace korvex {

class BackgroundWriter;
class MainWindow;

// The question asked about a copy left by a run that did not end normally.
inline const char* const kRestoreQuestion =
    "Korvex ended unexpectedly last time. Restore the unsaved work?";
// The title of the messages about recovery copies that cannot be kept.
inline const char* const kRecoveryMessageTitle = "Recovery...";

// The message shown when copies cannot be kept, with the reason.
QString recoveryTroubleText(const std::string& reason);
// The message shown once copies are kept again.
QString recoveryKeptAgainText();

class RecoveryKeeper : public QObject {
public:
    // Takes this run's slot in `folder` and clears what killed runs left there
    // (tidyRecoveryFolder). Without a slot (the folder cannot be used) no copy is
    // kept until a later tick gets one, and the user is told.
    RecoveryKeeper(MainWindow& window, const std::string& folder,
                   std::chrono::milliseconds interval);
    // Leaves the copy in place unless endNormally ran: the run did not end normally.
    ~RecoveryKeeper() override;

    bool active() const { return slot_.has_value(); }
    std::string copyPath() const;

    // Asks about each copy left by a run that did not end normally, newest first:
    // "Restore" loads it as an unnamed project and stops asking, "Discard" deletes
    // it. A copy that cannot be read or is no copy is moved to damaged/ without a
    // question. Copies left unasked stay for a later start. True when a copy was
    // restored.
    bool offerRestore();
    // Starts keeping the copy up to date.
    void start();
    // What the timer does: brings the copy up to date, if the work needs one.
    void update();
    // The work as it stands is in a project file: it is the new measure of unsaved
    // work, and the copy goes.
    void markSaved();
    // Whether the work differs from what was last opened or saved in a project.
    bool hasUnsavedWork();
    // Waits until the copy on disk is what was last asked for.
    void flush();
    // The run ends normally: the copy and the slot go.
    void endNormally();

private:
    bool claimSlot();
    void restore(const std::vector<uint8_t>& bytes);
    void noteWriteOutcome();
    void reportTrouble(const std::string& reason);
    void reportKeptAgain();

    MainWindow& window_;
    std::string folder_;
    std::optional<RecoverySlot> slot_;
    std::unique_ptr<BackgroundWriter> writer_;
    QTimer timer_;
    std::string baseline_;      // project text of the work last opened or saved
    std::string lastWritten_;   // the copy last asked for; empty when there is none
    bool troubleShown_ = false; // told that copies cannot be kept, not yet that they are
};

} // namespace korvex
