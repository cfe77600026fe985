#include "formats/file_io.h"

#include "formats/input_file.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <fcntl.h>
#include <random>
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

// A new empty file beside `target`, hidden from file lists, that no one else
// opened; the system gives it the folder's default permissions (0666 less the
// umask, or the folder's default access list).
int createTemporary(const std::string& target, std::string& temporaryPath) {
    if (injectedFailure(WriteStep::CreateTemporary))
        return -1;
    const std::string folder = folderOf(target);
    const std::string stem = (folder == "/" ? "/." : folder + "/.") +
                             fileNamePart(target).substr(0, kLongestTemporaryStem) + ".";
    thread_local std::mt19937_64 random{std::random_device{}()};
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        char suffix[24];
        std::snprintf(suffix, sizeof suffix, "%012llx~",
                      static_cast<unsigned long long>(random() & 0xFFFFFFFFFFFFull));
        temporaryPath = stem + suffix;
        const int fd = ::open(temporaryPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// Gives the temporary file the owner and permission bits of the file it replaces.
// The owner goes first, as changing it may clear the set-id bits. Only the owner
// may give a file away, so that may fail and the replacement stays ours; the
// permissions must be kept (a private file must not become readable to others).
bool keepAttributes(int fd, const struct stat& old) {
    struct stat now {};
    if (::fstat(fd, &now) != 0)
        return false;
    if (now.st_uid != old.st_uid || now.st_gid != old.st_gid) {
        const int owned = ::fchown(fd, old.st_uid, old.st_gid);
        (void)owned;
    }
    return ::fchmod(fd, old.st_mode & 07777) == 0;
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

} // namespace

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
    struct stat old {};
    const bool replacing = ::stat(target->c_str(), &old) == 0 && S_ISREG(old.st_mode);

    std::string temporaryPath;
    const int fd = createTemporary(*target, temporaryPath);
    if (fd < 0)
        return fail(error, "cannot create the file");
    if (replacing && !keepAttributes(fd, old)) {
        ::close(fd);
        discardTemporary(temporaryPath);
        return fail(error, "cannot give the file its permissions");
    }
    if (!writeAll(fd, data)) {
        const int saved = errno;
        ::close(fd);
        errno = saved;
        discardTemporary(temporaryPath);
        return fail(error, "cannot write the file");
    }
    if (injectedFailure(WriteStep::Sync) || ::fsync(fd) != 0) {
        const int saved = errno;
        ::close(fd);
        errno = saved;
        discardTemporary(temporaryPath);
        return fail(error, "cannot write the file");
    }
    if (::close(fd) != 0) {
        discardTemporary(temporaryPath);
        return fail(error, "cannot write the file");
    }
    if (injectedFailure(WriteStep::Rename) ||
        std::rename(temporaryPath.c_str(), target->c_str()) != 0) {
        discardTemporary(temporaryPath);
        return fail(error, "cannot replace the file");
    }
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
