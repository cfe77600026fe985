#include "formats/file_io.h"

#include "formats/input_file.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <random>
#include <sys/file.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace korvex {

std::optional<Bytes> readFileBytes(const std::string& path, size_t maxBytes) {
    InputFile file(path);
    if (!file.isOpen())
        return std::nullopt;
    Bytes out;
    uint8_t chunk[65536];
    while (maxBytes == 0 || out.size() < maxBytes) {
        size_t want = sizeof chunk;
        if (maxBytes != 0)
            want = std::min(want, maxBytes - out.size());
        const long got = file.read(chunk, want);
        if (got < 0)
            return std::nullopt;
        if (got == 0)
            break;
        out.insert(out.end(), chunk, chunk + got);
    }
    return out;
}

namespace {

// No step fails unless a test asks for it.
constexpr int kNoFailingStep = -1;
std::atomic<int> failingStep{kNoFailingStep};

bool injectedFailure(WriteStep step) {
    if (failingStep.load(std::memory_order_relaxed) != int(step))
        return false;
    errno = EIO;
    return true;
}

// Symbolic links followed before giving up, as the system itself does.
constexpr int kMaxLinkHops = 40;
// Room left in a file name for the temporary file's own decoration.
constexpr size_t kLongestTemporaryStem = 200;
constexpr int kTemporaryNameAttempts = 100;

bool fail(std::string* error, const std::string& what) {
    if (error)
        *error = what + ": " + std::error_code(errno, std::generic_category()).message();
    return false;
}

std::string folderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The file a path names once symbolic links are followed (the path itself when it
// is no link or names nothing yet); nothing, with errno set, when links loop.
std::optional<std::string> linkTarget(std::string path) {
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return path;
        std::string target(PATH_MAX, '\0');
        const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
        if (length < 0)
            return std::nullopt;
        if (size_t(length) >= target.size()) {
            errno = ENAMETOOLONG;
            return std::nullopt;
        }
        target.resize(size_t(length));
        path = target.front() == '/' ? target : folderOf(path) + "/" + target;
    }
    errno = ELOOP;
    return std::nullopt;
}

// What a temporary file's name holds between the file's name and the random part.
const std::string kTemporaryMark = ".korvex-save-";
constexpr size_t kTemporaryRandomDigits = 12;

std::string temporaryPrefix(const std::string& fileName) {
    return "." + fileName.substr(0, kLongestTemporaryStem) + kTemporaryMark;
}

// A new empty file beside `target`, hidden from file lists, that no one else
// opened, locked (flock) so that no other save takes it for a stale one; the
// system gives it the folder's default permissions (0666 less the umask, or the
// folder's default access list).
int createTemporary(const std::string& target, std::string& temporaryPath) {
    if (injectedFailure(WriteStep::CreateTemporary))
        return -1;
    const std::string folder = folderOf(target);
    const std::string stem =
        (folder == "/" ? "/" : folder + "/") + temporaryPrefix(fileNamePart(target));
    thread_local std::mt19937_64 random{std::random_device{}()};
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        char suffix[24];
        std::snprintf(suffix, sizeof suffix, "%012llx~",
                      static_cast<unsigned long long>(random() & 0xFFFFFFFFFFFFull));
        temporaryPath = stem + suffix;
        const int fd = ::open(temporaryPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            // Nobody else can hold the lock of a file this new.
            ::flock(fd, LOCK_EX | LOCK_NB);
            return fd;
        }
        if (errno != EEXIST)
            return fd;
    }
    return -1;
}

// How the replacement takes the place of the old file.
enum class Replacement { Rename, InPlace };

// Gives the temporary file the owner and permission bits of the file it replaces.
// The owner goes first, as changing it may clear the set-id bits. Only a privileged
// user may give a file away; when the file cannot be given back to its owner and
// group, the new contents go into the old file itself instead (InPlace). The
// permissions must be kept (a private file must not become readable to others).
std::optional<Replacement> keepAttributes(int fd, const struct stat& old) {
    struct stat now {};
    if (::fstat(fd, &now) != 0)
        return std::nullopt;
    Replacement how = Replacement::Rename;
    if (now.st_uid != old.st_uid || now.st_gid != old.st_gid) {
        if (::fchown(fd, old.st_uid, old.st_gid) != 0)
            how = Replacement::InPlace;
    }
    if (::fchmod(fd, old.st_mode & 07777) != 0)
        return std::nullopt;
    return how;
}

bool writeAll(int fd, const Bytes& data) {
    // An injected failure comes after part of the data, as a full disk would.
    const bool injected = failingStep.load(std::memory_order_relaxed) == int(WriteStep::Write);
    const size_t end = injected ? data.size() / 2 : data.size();
    size_t done = 0;
    while (done < end) {
        const ssize_t n = ::write(fd, data.data() + done, end - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += size_t(n);
    }
    return !injectedFailure(WriteStep::Write);
}

// Makes a rename in the folder durable. The file is in place whatever this says.
void syncFolder(const std::string& folder) {
    if (injectedFailure(WriteStep::SyncFolder))
        return;
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

// Removes the temporary file after a failure, keeping the failure's errno.
void discardTemporary(const std::string& temporaryPath) {
    const int saved = errno;
    ::unlink(temporaryPath.c_str());
    errno = saved;
}

const char* fileKindName(mode_t mode) {
    if (S_ISDIR(mode))
        return "a folder";
    if (S_ISFIFO(mode))
        return "a named pipe";
    if (S_ISSOCK(mode))
        return "a socket";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "a device";
    return "a special file";
}

// Writes the new contents over the old file, which keeps its name, owner and
// group. The old file must still be the one that was looked at.
bool writeInPlace(const std::string& target, const struct stat& old, const Bytes& data) {
    const int fd = ::open(target.c_str(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat opened {};
    bool done = ::fstat(fd, &opened) == 0 && opened.st_dev == old.st_dev &&
                opened.st_ino == old.st_ino && S_ISREG(opened.st_mode);
    if (!done)
        errno = ESTALE;
    done =
        done && writeAll(fd, data) && ::ftruncate(fd, off_t(data.size())) == 0 && ::fsync(fd) == 0;
    const int saved = errno;
    const bool closed = ::close(fd) == 0;
    if (!done)
        errno = saved;
    return done && closed;
}

} // namespace

bool removeWhenUnlocked(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat opened {
    }, named{};
    const bool stale = ::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode) &&
                       ::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::lstat(path.c_str(), &named) == 0 &&
                       named.st_ino == opened.st_ino && named.st_dev == opened.st_dev;
    const bool removed = stale && ::unlink(path.c_str()) == 0;
    ::close(fd);
    return removed;
}

std::string outputRefusal(const std::string& path) {
    const std::optional<std::string> target = linkTarget(path);
    if (!target)
        return {}; // the save itself says why it cannot go on
    struct stat info {};
    if (::stat(target->c_str(), &info) != 0)
        return {};
    if (!S_ISREG(info.st_mode))
        return std::string("it is ") + fileKindName(info.st_mode) + ", not a regular file";
    if (::faccessat(AT_FDCWD, target->c_str(), W_OK, AT_EACCESS) != 0)
        return "you may not write it: " + std::error_code(errno, std::generic_category()).message();
    return {};
}

bool isSaveTemporaryName(const std::string& name, const std::string& forName) {
    const size_t mark = name.rfind(kTemporaryMark);
    if (name.size() < 2 || name.front() != '.' || name.back() != '~' || mark == std::string::npos ||
        name.size() - mark != kTemporaryMark.size() + kTemporaryRandomDigits + 1)
        return false;
    if (!std::all_of(name.begin() + long(mark + kTemporaryMark.size()), name.end() - 1,
                     [](char c) { return std::isxdigit(static_cast<unsigned char>(c)); }))
        return false;
    return forName.empty() ||
           name.compare(0, mark + kTemporaryMark.size(), temporaryPrefix(forName)) == 0;
}

int removeStaleTemporaries(const std::string& folder, const std::string& forName) {
    std::vector<std::string> names;
    if (DIR* listing = ::opendir(folder.c_str())) {
        while (const dirent* entry = ::readdir(listing))
            if (isSaveTemporaryName(entry->d_name, forName))
                names.emplace_back(entry->d_name);
        ::closedir(listing);
    }
    int removed = 0;
    for (const std::string& name : names)
        removed += removeWhenUnlocked((folder == "/" ? "/" : folder + "/") + name) ? 1 : 0;
    return removed;
}

void setFailingWriteStep(std::optional<WriteStep> step) {
    failingStep.store(step ? int(*step) : kNoFailingStep);
}

bool writeFileAtomic(const std::string& path, const Bytes& data, std::string* error) {
    if (path.empty()) {
        errno = ENOENT;
        return fail(error, "no file name");
    }
    const std::optional<std::string> target = linkTarget(path);
    if (!target)
        return fail(error, "cannot create the file");
    if (const std::string refusal = outputRefusal(*target); !refusal.empty()) {
        if (error)
            *error = refusal;
        errno = EPERM;
        return false;
    }
    struct stat old {};
    const bool replacing = ::stat(target->c_str(), &old) == 0 && S_ISREG(old.st_mode);
    removeStaleTemporaries(folderOf(*target), fileNamePart(*target));

    std::string temporaryPath;
    const int fd = createTemporary(*target, temporaryPath);
    if (fd < 0)
        return fail(error, "cannot create the file");
    // The temporary file stays open, and so locked, until it is renamed or removed.
    const auto failWith = [&](const std::string& what) {
        const int saved = errno;
        discardTemporary(temporaryPath);
        ::close(fd);
        errno = saved;
        return fail(error, what);
    };
    Replacement how = Replacement::Rename;
    if (replacing) {
        const std::optional<Replacement> kept = keepAttributes(fd, old);
        if (!kept)
            return failWith("cannot give the file its permissions");
        how = *kept;
    }
    if (!writeAll(fd, data))
        return failWith("cannot write the file");
    if (injectedFailure(WriteStep::Sync) || ::fsync(fd) != 0)
        return failWith("cannot write the file");
    if (how == Replacement::InPlace) {
        // The new contents are whole on disk beside the file; should the write
        // below fail, they stay there.
        if (!writeInPlace(*target, old, data)) {
            const int saved = errno;
            ::close(fd);
            errno = saved;
            return fail(error, "cannot write the file in place (its new contents are in " +
                                   temporaryPath + ")");
        }
        discardTemporary(temporaryPath);
        ::close(fd);
        syncFolder(folderOf(*target));
        return true;
    }
    if (injectedFailure(WriteStep::Rename) ||
        std::rename(temporaryPath.c_str(), target->c_str()) != 0)
        return failWith("cannot replace the file");
    // The data were synced above, so closing cannot lose them any more.
    ::close(fd);
    syncFolder(folderOf(*target));
    return true;
}

bool writeFileAtomic(const std::string& path, const std::string& data, std::string* error) {
    return writeFileAtomic(path, Bytes(data.begin(), data.end()), error);
}

std::string joinCrLf(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& line : lines) {
        out += line;
        out += "\r\n";
    }
    return out;
}

std::string fileNamePart(const std::string& path) {
    const size_t cut = path.rfind('/');
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

std::string withExtension(const std::string& name, const std::string& extension) {
    if (name.size() >= extension.size()) {
        const std::string tail = name.substr(name.size() - extension.size());
        if (std::equal(tail.begin(), tail.end(), extension.begin(), [](char a, char b) {
                return std::toupper(static_cast<unsigned char>(a)) ==
                       std::toupper(static_cast<unsigned char>(b));
            }))
            return name;
    }
    return name + extension;
}

} // namespace korvex
