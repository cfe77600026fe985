#include "app/recovery_store.h"

#include "formats/file_io.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <random>
#include <sys/file.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace korvex {

namespace {

const std::string kCopyExtension = ".proj2";
const std::string kLockExtension = ".lock";
constexpr int kClaimAttempts = 100;

std::string homeFolder() {
    const char* home = std::getenv("HOME");
    if (home && *home)
        return home;
    const passwd* user = ::getpwuid(::getuid());
    return user && user->pw_dir ? user->pw_dir : "";
}

bool endsWith(const std::string& text, const std::string& tail) {
    return text.size() > tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// Creates the folder and any missing parents, private to the user.
bool makeFolders(const std::string& folder) {
    for (size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
        const std::string part = folder.substr(0, slash);
        if (!part.empty() && ::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST)
            return false;
        if (slash == std::string::npos)
            break;
    }
    struct stat info {};
    return ::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool exists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

// Opens and locks the file without waiting; an empty lock when another process
// holds it. The lock must be on the file that still bears the name: a run that
// cleared the file meanwhile leaves the lock on a file no one else can find.
HeldLock lockFile(const std::string& path, int extraFlags) {
    const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC | extraFlags, 0600);
    if (fd < 0)
        return {};
    HeldLock lock(fd);
    struct stat opened {
    }, named{};
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::fstat(fd, &opened) != 0 ||
        ::stat(path.c_str(), &named) != 0 || opened.st_dev != named.st_dev ||
        opened.st_ino != named.st_ino)
        return {};
    return lock;
}

std::string newRunId() {
    thread_local std::mt19937_64 random{std::random_device{}()};
    char id[48];
    std::snprintf(id, sizeof id, "run-%ld-%08llx", static_cast<long>(::getpid()),
                  static_cast<unsigned long long>(random() & 0xFFFFFFFFull));
    return id;
}

// The names in the folder that end in `extension`, without it.
std::vector<std::string> namesEndingIn(const std::string& folder, const std::string& extension) {
    std::vector<std::string> stems;
    DIR* listing = ::opendir(folder.c_str());
    if (!listing)
        return stems;
    while (const dirent* entry = ::readdir(listing)) {
        const std::string name = entry->d_name;
        if (endsWith(name, extension))
            stems.push_back(name.substr(0, name.size() - extension.size()));
    }
    ::closedir(listing);
    return stems;
}

// Removes a run's files while holding its lock. The copy goes first: a lock file
// left without a copy is merely cleared by a later run.
void removeCopyAndLock(const std::string& copyPath, const std::string& lockPath, HeldLock& lock) {
    if (!lock.held())
        return;
    ::unlink(copyPath.c_str());
    ::unlink(lockPath.c_str());
    lock.release();
}

} // namespace

std::string recoveryFolder() {
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state && state[0] == '/')
        return std::string(state) + "/korvex";
    const std::string home = homeFolder();
    return home.empty() ? std::string() : home + "/.local/state/korvex";
}

std::chrono::milliseconds recoveryInterval() {
    const char* asked = std::getenv("KORVEX_RECOVERY_INTERVAL_MS");
    if (!asked || !*asked)
        return kLongestRecoveryInterval;
    char* end = nullptr;
    errno = 0;
    const long long ms = std::strtoll(asked, &end, 10);
    if (errno != 0 || *end != '\0' || ms < 1 || ms >= kLongestRecoveryInterval.count())
        return kLongestRecoveryInterval;
    return std::chrono::milliseconds(ms);
}

HeldLock& HeldLock::operator=(HeldLock&& other) noexcept {
    if (this != &other) {
        release();
        fd_ = other.fd_;
        other.fd_ = -1;
    }
    return *this;
}

void HeldLock::release() {
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

std::optional<RecoverySlot> RecoverySlot::claim(const std::string& folder, std::string* error) {
    auto failed = [&](const std::string& what) -> std::optional<RecoverySlot> {
        if (error)
            *error = what + ": " + std::error_code(errno, std::generic_category()).message();
        return std::nullopt;
    };
    if (folder.empty()) {
        errno = ENOENT;
        return failed("no folder for recovery copies");
    }
    if (!makeFolders(folder))
        return failed("cannot create " + folder);
    for (int attempt = 0; attempt < kClaimAttempts; ++attempt) {
        const std::string stem = folder + "/" + newRunId();
        // A new name only: an existing one belongs to another run, alive or not.
        HeldLock lock = lockFile(stem + kLockExtension, O_CREAT | O_EXCL);
        if (lock.held()) {
            if (!exists(stem + kCopyExtension))
                return RecoverySlot(stem + kCopyExtension, stem + kLockExtension, std::move(lock));
            continue;
        }
        // The name was taken, or another run starting up cleared it meanwhile.
        if (errno != EEXIST && errno != EWOULDBLOCK && errno != ENOENT)
            return failed("cannot create a file in " + folder);
    }
    errno = EEXIST;
    return failed("no free name in " + folder);
}

void RecoverySlot::endNormally() {
    removeCopyAndLock(copyPath_, lockPath_, lock_);
}

void RecoveryOrphan::discard() {
    removeCopyAndLock(copyPath_, lockPath_, lock_);
}

bool RecoveryOrphan::moveToDamaged() {
    if (!lock_.held())
        return false;
    const std::string folder = copyPath_.substr(0, copyPath_.rfind('/'));
    const std::string damaged = folder + "/" + kDamagedFolderName;
    if (::mkdir(damaged.c_str(), 0700) != 0 && errno != EEXIST)
        return false;
    const std::string moved = damaged + copyPath_.substr(copyPath_.rfind('/'));
    if (std::rename(copyPath_.c_str(), moved.c_str()) != 0)
        return false;
    // Its week starts now, whenever it was written.
    ::utimensat(AT_FDCWD, moved.c_str(), nullptr, 0);
    ::unlink(lockPath_.c_str());
    lock_.release();
    return true;
}

bool RecoveryOrphan::adoptInto(const RecoverySlot& slot) {
    if (!lock_.held() || std::rename(copyPath_.c_str(), slot.copyPath().c_str()) != 0)
        return false;
    ::unlink(lockPath_.c_str());
    lock_.release();
    return true;
}

int tidyRecoveryFolder(const std::string& folder) {
    int removed = 0;
    // Every temporary file here is a copy write's: this run's own are locked while
    // they are in use, and so are those of other running editors.
    if (DIR* listing = ::opendir(folder.c_str())) {
        std::vector<std::string> names;
        while (const dirent* entry = ::readdir(listing)) {
            const std::string name = entry->d_name;
            if (name.size() > 2 && name.front() == '.' && name.back() == '~')
                names.push_back(name);
        }
        ::closedir(listing);
        for (const std::string& name : names)
            removed += removeWhenUnlocked(folder + "/" + name) ? 1 : 0;
    }
    const std::string damaged = folder + "/" + kDamagedFolderName;
    const auto oldest = std::chrono::system_clock::now() - kDamagedCopyLifetime;
    const time_t oldestSeconds = std::chrono::system_clock::to_time_t(oldest);
    if (DIR* listing = ::opendir(damaged.c_str())) {
        std::vector<std::string> expired;
        while (const dirent* entry = ::readdir(listing)) {
            const std::string path = damaged + "/" + entry->d_name;
            struct stat info {};
            if (::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
                info.st_mtime < oldestSeconds)
                expired.push_back(path);
        }
        ::closedir(listing);
        for (const std::string& path : expired)
            removed += ::unlink(path.c_str()) == 0 ? 1 : 0;
    }
    return removed;
}

std::vector<RecoveryOrphan> findRecoveryOrphans(const std::string& folder) {
    struct Found {
        RecoveryOrphan orphan;
        timespec changed;
    };
    std::vector<Found> found;
    for (const std::string& stem : namesEndingIn(folder, kCopyExtension)) {
        const std::string copy = folder + "/" + stem + kCopyExtension;
        const std::string lockPath = folder + "/" + stem + kLockExtension;
        struct stat info {};
        if (::stat(copy.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
            continue;
        // A copy whose lock file is gone is an orphan too: the lock is made anew.
        HeldLock lock = lockFile(lockPath, O_CREAT);
        if (!lock.held())
            continue; // a running editor's
        if (!exists(copy)) {
            // Its run ended normally just now.
            ::unlink(lockPath.c_str());
            continue;
        }
        found.push_back({RecoveryOrphan(copy, lockPath, std::move(lock)), info.st_mtim});
    }
    // Lock files of ended runs that never wrote a copy.
    for (const std::string& stem : namesEndingIn(folder, kLockExtension)) {
        const std::string lockPath = folder + "/" + stem + kLockExtension;
        if (exists(folder + "/" + stem + kCopyExtension))
            continue;
        HeldLock lock = lockFile(lockPath, 0);
        if (lock.held() && !exists(folder + "/" + stem + kCopyExtension))
            ::unlink(lockPath.c_str());
    }
    std::stable_sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
        return a.changed.tv_sec != b.changed.tv_sec ? a.changed.tv_sec > b.changed.tv_sec
                                                    : a.changed.tv_nsec > b.changed.tv_nsec;
    });
    std::vector<RecoveryOrphan> orphans;
    for (Found& f : found)
        orphans.push_back(std::move(f.orphan));
    return orphans;
}

} // namespace korvex
