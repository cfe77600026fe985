#pragma once
// Where recovery copies live and how runs of the editor share that folder without
// touching each other's copies.
//
// Every run takes a slot with an id of its own: "<id>.proj2" is its copy and
// "<id>.lock" a file the run keeps locked (flock) for as long as it lives. A run
// that ends normally removes both. A copy whose lock nobody holds was left by a run
// that did not end normally: an orphan, which the next run offers to restore. The
// system drops a dead process's locks, whatever killed it.

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace korvex {

// $XDG_STATE_HOME/korvex, or ~/.local/state/korvex when that is unset or not an
// absolute path.
std::string recoveryFolder();

// How often a recovery copy is brought up to date: 30 seconds, or less when the
// environment variable KORVEX_RECOVERY_INTERVAL_MS asks for a shorter interval
// (tests do).
std::chrono::milliseconds recoveryInterval();
inline constexpr std::chrono::milliseconds kLongestRecoveryInterval{30000};

// Holds a lock file open and locked; closing releases the lock.
class HeldLock {
public:
    HeldLock() = default;
    explicit HeldLock(int fd) : fd_(fd) {}
    HeldLock(HeldLock&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
    HeldLock& operator=(HeldLock&& other) noexcept;
    ~HeldLock() { release(); }
    bool held() const { return fd_ >= 0; }
    void release();

private:
    int fd_ = -1;
};

// This run's place in the folder.
class RecoverySlot {
public:
    // Creates the folder when needed (private to the user) and takes a new locked
    // slot in it; nothing, with the reason in `error`, when the folder is unusable.
    static std::optional<RecoverySlot> claim(const std::string& folder,
                                             std::string* error = nullptr);

    const std::string& copyPath() const { return copyPath_; }
    // Removes the copy and the lock file: the run ended normally. Without this the
    // files stay when the slot goes, and the next run finds the copy.
    void endNormally();

private:
    RecoverySlot(std::string copyPath, std::string lockPath, HeldLock lock)
        : copyPath_(std::move(copyPath)), lockPath_(std::move(lockPath)), lock_(std::move(lock)) {}

    std::string copyPath_;
    std::string lockPath_;
    HeldLock lock_;
};

// A copy left by a run that did not end normally. Its lock is held while this
// object lives, so no other run offers the same copy meanwhile.
class RecoveryOrphan {
public:
    const std::string& copyPath() const { return copyPath_; }
    // Removes the copy and its lock file.
    void discard();
    // Moves the copy into the slot's place, so it stays safe under the new run;
    // false (the copy left where it was) when it cannot be moved.
    bool adoptInto(const RecoverySlot& slot);
    // Moves a copy that cannot be read or is no copy into the folder's damaged/
    // folder, where it is kept for kDamagedCopyLifetime from now; false (the copy
    // left where it was) when it cannot be moved.
    bool moveToDamaged();

private:
    friend std::vector<RecoveryOrphan> findRecoveryOrphans(const std::string& folder);
    RecoveryOrphan(std::string copyPath, std::string lockPath, HeldLock lock)
        : copyPath_(std::move(copyPath)), lockPath_(std::move(lockPath)), lock_(std::move(lock)) {}

    std::string copyPath_;
    std::string lockPath_;
    HeldLock lock_;
};

// How long a copy moved aside as damaged is kept before tidyRecoveryFolder removes it.
inline constexpr std::chrono::hours kDamagedCopyLifetime{24 * 7};
// The folder, inside the recovery folder, of the copies moved aside as damaged.
inline constexpr const char* kDamagedFolderName = "damaged";

// Clears what runs that were killed left in the folder: the temporary files of
// copy writes that never finished (no save holds them), and damaged copies older
// than kDamagedCopyLifetime. Returns how many files went.
int tidyRecoveryFolder(const std::string& folder);

// The orphans of the folder, newest copy first. Lock files of ended runs that left
// no copy are cleared on the way.
std::vector<RecoveryOrphan> findRecoveryOrphans(const std::string& folder);

} // namespace korvex
