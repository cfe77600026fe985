// What a save may replace: only regular files the user may write; a file of another
// user keeps its owner; temporary files of killed saves are found and removed.

#include "folder_tools.h"
#include "formats/file_io.h"
#include "temp_dir.h"

#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <optional>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace korvex;

namespace {

// The user the ownership tests switch to (nobody's ids, as on Debian).
constexpr uid_t kSecondUser = 65534;
constexpr gid_t kSecondGroup = 65534;

// Runs `job` in a child process as the second user; its answer is the exit status.
// Nothing when the tests cannot switch users (not root).
template <typename Job> std::optional<int> asSecondUser(Job job) {
    if (::geteuid() != 0)
        return std::nullopt;
    const pid_t child = ::fork();
    if (child == 0) {
        const bool switched = ::setgroups(0, nullptr) == 0 && ::setgid(kSecondGroup) == 0 &&
                              ::setuid(kSecondUser) == 0;
        ::_exit(switched ? job() : 99);
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return std::nullopt;
    return WEXITSTATUS(status);
}

struct stat statOf(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(::lstat(path.c_str(), &info), 0) << path;
    return info;
}

TEST(FileIoTargets, NoRegularFileIsReplacedAndEachIsNamedForWhatItIs) {
    test::TempDir dir;
    const std::string pipe = dir.filePath("pipe");
    const std::string folder = dir.filePath("folder");
    const std::string socketPath = dir.filePath("socket");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    ASSERT_EQ(::mkdir(folder.c_str(), 0700), 0);
    const int listening = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(socketPath.size(), sizeof address.sun_path);
    std::copy(socketPath.begin(), socketPath.end(), address.sun_path);
    ASSERT_EQ(::bind(listening, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::symlink("pipe", dir.filePath("link-to-pipe").c_str()), 0);
    const std::vector<std::string> before = test::folderEntries(dir.path());

    const std::pair<std::string, std::string> cases[] = {
        {pipe, "it is a named pipe, not a regular file"},
        {dir.filePath("link-to-pipe"), "it is a named pipe, not a regular file"},
        {folder, "it is a folder, not a regular file"},
        {socketPath, "it is a socket, not a regular file"},
    };
    for (const auto& [path, reason] : cases) {
        SCOPED_TRACE(path);
        EXPECT_EQ(outputRefusal(path), reason);
        std::string error;
        EXPECT_FALSE(writeFileAtomic(path, Bytes{1, 2}, &error));
        EXPECT_EQ(error, reason);
    }
    EXPECT_TRUE(S_ISFIFO(statOf(pipe).st_mode));
    EXPECT_TRUE(S_ISSOCK(statOf(socketPath).st_mode));
    EXPECT_TRUE(S_ISLNK(statOf(dir.filePath("link-to-pipe")).st_mode));
    EXPECT_EQ(test::folderEntries(dir.path()), before);
    EXPECT_TRUE(test::folderEntries(folder).empty());
    ::close(listening);

    // Regular files and names not there yet may be written.
    EXPECT_EQ(outputRefusal(dir.filePath("new.fnt")), "");
    ASSERT_TRUE(writeFileAtomic(dir.filePath("new.fnt"), Bytes{1}));
    EXPECT_EQ(outputRefusal(dir.filePath("new.fnt")), "");
}

TEST(FileIoTargets, AFileTheUserMayNotWriteIsRefusedInAWritableFolder) {
    test::TempDir dir;
    ASSERT_EQ(::chmod(dir.path().c_str(), 0777), 0);
    const std::string path = dir.filePath("read-only.fnt");
    ASSERT_TRUE(writeFileAtomic(path, Bytes{1, 2, 3}));
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    auto attempt = [&] {
        std::string error;
        const bool written = writeFileAtomic(path, Bytes{9}, &error);
        return !written && error.rfind("you may not write it", 0) == 0 ? 0 : 1;
    };
    // Root may write any file, as cp may; so the second user tries.
    const std::optional<int> refused = ::geteuid() == 0 ? asSecondUser(attempt) : attempt();
    if (!refused)
        GTEST_SKIP() << "no second user to try it";
    EXPECT_EQ(*refused, 0);
    EXPECT_EQ(*readFileBytes(path), (Bytes{1, 2, 3}));
    EXPECT_EQ(test::folderEntries(dir.path()), std::vector<std::string>{"read-only.fnt"});
}

TEST(FileIoTargets, AFileOfAnotherUserKeepsItsOwnerGroupAndPermissions) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to make files of two users";
    test::TempDir dir;
    ASSERT_EQ(::chmod(dir.path().c_str(), 0777), 0);

    // Root saving the second user's file gives it back to its owner.
    const std::string theirs = dir.filePath("theirs.fnt");
    ASSERT_TRUE(writeFileAtomic(theirs, Bytes{1}));
    ASSERT_EQ(::chown(theirs.c_str(), kSecondUser, kSecondGroup), 0);
    ASSERT_EQ(::chmod(theirs.c_str(), 0640), 0);
    ASSERT_TRUE(writeFileAtomic(theirs, Bytes{2, 2}));
    EXPECT_EQ(statOf(theirs).st_uid, kSecondUser);
    EXPECT_EQ(statOf(theirs).st_gid, kSecondGroup);
    EXPECT_EQ(statOf(theirs).st_mode & 07777, 0640u);
    EXPECT_EQ(*readFileBytes(theirs), (Bytes{2, 2}));

    // The second user, who cannot give a file away, saving root's file that anyone
    // may write: the new contents go into the file itself, which stays root's.
    const std::string roots = dir.filePath("roots.fnt");
    ASSERT_TRUE(writeFileAtomic(roots, Bytes(3000, 7)));
    ASSERT_EQ(::chmod(roots.c_str(), 0666), 0);
    const ino_t inode = statOf(roots).st_ino;
    const std::optional<int> saved = asSecondUser([&] {
        return writeFileAtomic(roots, Bytes{5, 6}) ? 0 : 1;
    });
    ASSERT_TRUE(saved);
    EXPECT_EQ(*saved, 0);
    EXPECT_EQ(*readFileBytes(roots), (Bytes{5, 6}));
    EXPECT_EQ(statOf(roots).st_uid, 0u);
    EXPECT_EQ(statOf(roots).st_gid, 0u);
    EXPECT_EQ(statOf(roots).st_ino, inode);
    EXPECT_EQ(statOf(roots).st_mode & 07777, 0666u);
    EXPECT_EQ(test::folderEntries(dir.path()),
              (std::vector<std::string>{"roots.fnt", "theirs.fnt"}));
}

TEST(FileIoTargets, ASaveRemovesTheStaleTemporariesOfItsFileOnly) {
    test::TempDir dir;
    const std::string path = dir.filePath("font.fnt");
    const std::string stale = ".font.fnt.korvex-save-0123456789ab~";
    const std::string inUse = ".font.fnt.korvex-save-ba9876543210~";
    const std::string otherFile = ".other.fnt.korvex-save-0123456789ab~";
    const std::string notOurs = ".font.fnt.korvex-save-notours~";
    for (const std::string& name : {stale, inUse, otherFile, notOurs})
        ASSERT_TRUE(writeFileAtomic(dir.filePath(name), Bytes{0}));
    EXPECT_TRUE(isSaveTemporaryName(stale, "font.fnt"));
    EXPECT_FALSE(isSaveTemporaryName(otherFile, "font.fnt"));
    EXPECT_TRUE(isSaveTemporaryName(otherFile));
    EXPECT_FALSE(isSaveTemporaryName(notOurs));
    EXPECT_FALSE(isSaveTemporaryName("font.fnt"));

    // A save still writing holds its temporary file's lock.
    const int held = ::open(dir.filePath(inUse).c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(held, 0);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    ASSERT_TRUE(writeFileAtomic(path, Bytes{4}));
    EXPECT_EQ(test::folderEntries(dir.path()),
              (std::vector<std::string>{inUse, notOurs, otherFile, "font.fnt"}));
    ::close(held);
    EXPECT_EQ(removeStaleTemporaries(dir.path()), 2);
    EXPECT_EQ(test::folderEntries(dir.path()), (std::vector<std::string>{notOurs, "font.fnt"}));
}

} // namespace
