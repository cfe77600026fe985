#pragma once
// Keeps a recovery copy of the work not yet saved in a project, and at start-up
// offers the copies of runs that did not end normally.
//
// Now and then (recoveryInterval) the document is written down on this thread; if
// its project text differs from the one last opened or saved, the copy is written
// on a thread of its own, and only when it changed since the last copy. Once the
// work is saved the copy goes; a normal end of the program removes it too.

#include "app/recovery_store.h"

#include <QObject>
#include <QTimer>
#include <chrono>
#include <memory>
#include <optional>
#include <string>

namespace korvex {

class BackgroundWriter;
class MainWindow;

// The question asked about a copy left by a run that did not end normally.
inline const char* const kRestoreQuestion =
    "Korvex ended unexpectedly last time. Restore the unsaved work?";

class RecoveryKeeper : public QObject {
public:
    // Takes this run's slot in `folder`. Without one (the folder cannot be used)
    // the keeper does nothing, and says so once on standard error.
    RecoveryKeeper(MainWindow& window, const std::string& folder,
                   std::chrono::milliseconds interval);
    // Leaves the copy in place unless endNormally ran: the run did not end normally.
    ~RecoveryKeeper() override;

    bool active() const { return slot_.has_value(); }
    std::string copyPath() const;

    // Asks about each copy left by a run that did not end normally, newest first:
    // "Restore" loads it as an unnamed project and stops asking, "Discard" deletes
    // it. Copies left unasked stay for a later start.
    void offerRestore();
    // Starts keeping the copy up to date.
    void start();
    // What the timer does: brings the copy up to date, if the work needs one.
    void update();
    // The work as it stands is in a project file: it is the new measure of unsaved
    // work, and the copy goes.
    void markSaved();
    // Waits until the copy on disk is what was last asked for.
    void flush();
    // The run ends normally: the copy and the slot go.
    void endNormally();

private:
    void restore(const std::vector<uint8_t>& bytes);
    void noteWriteFailure();

    MainWindow& window_;
    std::string folder_;
    std::optional<RecoverySlot> slot_;
    std::unique_ptr<BackgroundWriter> writer_;
    QTimer timer_;
    std::string baseline_;    // project text of the work last opened or saved
    std::string lastWritten_; // the copy last asked for; empty when there is none
    bool failureReported_ = false;
};

} // namespace korvex
