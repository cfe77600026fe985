#include "failing_write_step.h"
#include "folder_tools.h"
#include "formats/file_io.h"
#include "temp_dir.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace korvex;

namespace {

TEST(FileIo, AtomicWriteReplacesWholeFileAndReadsBack) {
    test::TempDir dir;
    const std::string path = dir.filePath("a.bin");
    ASSERT_TRUE(writeFileAtomic(path, Bytes(2000, 7)));
    ASSERT_TRUE(writeFileAtomic(path, Bytes{1, 2, 3}));
    auto back = readFileBytes(path);
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, (Bytes{1, 2, 3}));
    EXPECT_EQ(readFileBytes(path, 2)->size(), 2u);
    // No temporary file is left beside it.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator{}),
              1);
}

TEST(FileIo, FailedWriteLeavesTheOldFileIntact) {
    test::TempDir dir;
    const std::string sub = dir.filePath("ro");
    std::filesystem::create_directory(sub);
    const std::string path = sub + "/keep.fnt";
    ASSERT_TRUE(writeFileAtomic(path, Bytes(1024, 9)));
    // A target that is a directory cannot be replaced.
    std::string error;
    EXPECT_FALSE(writeFileAtomic(sub, Bytes{1}, &error));
    EXPECT_FALSE(error.empty());
    // A folder that does not exist cannot take the file.
    EXPECT_FALSE(writeFileAtomic(sub + "/missing/x.fnt", Bytes{1}));
    EXPECT_EQ(readFileBytes(path)->size(), 1024u);
    EXPECT_FALSE(readFileBytes(sub + "/nothing.fnt"));
}

mode_t permissionsOf(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
    return info.st_mode & 07777;
}

TEST(FileIo, EachFailingStepKeepsTheOldFileAndLeavesNoTemporaryFile) {
    test::TempDir dir;
    const std::string folder = dir.path();
    const std::string path = folder + "/keep.fnt";
    ASSERT_TRUE(writeFileAtomic(path, Bytes(1024, 9)));
    for (const WriteStep step : test::kFailingWriteSteps) {
        SCOPED_TRACE(test::writeStepName(step));
        std::string error;
        {
            test::FailingWriteStep failing(step);
            EXPECT_FALSE(writeFileAtomic(path, Bytes(3000, 1), &error));
            // A new file fails the same way and is not created.
            EXPECT_FALSE(writeFileAtomic(folder + "/new.fnt", Bytes(10, 1)));
        }
        EXPECT_NE(error.find("Input/output error"), std::string::npos) << error;
        EXPECT_EQ(*readFileBytes(path), Bytes(1024, 9));
        EXPECT_EQ(test::folderEntries(folder), std::vector<std::string>{"keep.fnt"});
    }
    // Once the test seam is cleared, saves work again.
    EXPECT_TRUE(writeFileAtomic(path, Bytes{5}));
    EXPECT_EQ(*readFileBytes(path), Bytes{5});
}

TEST(FileIo, FailingFolderSyncAfterTheRenameIsNoFailedSave) {
    // The new file is in place by then; only its survival of a power cut is unsure.
    test::TempDir dir;
    const std::string path = dir.filePath("a.bin");
    ASSERT_TRUE(writeFileAtomic(path, Bytes{1}));
    test::FailingWriteStep failing(WriteStep::SyncFolder);
    EXPECT_TRUE(writeFileAtomic(path, Bytes{2, 3}));
    EXPECT_EQ(*readFileBytes(path), (Bytes{2, 3}));
    EXPECT_EQ(test::folderEntries(dir.path()), std::vector<std::string>{"a.bin"});
}

TEST(FileIo, ReplacingKeepsThePermissionBitsAndNewFilesFollowTheUmask) {
    test::TempDir dir;
    const std::string secret = dir.filePath("secret.proj2");
    ASSERT_TRUE(writeFileAtomic(secret, Bytes{1}));
    ASSERT_EQ(::chmod(secret.c_str(), 0600), 0);
    ASSERT_TRUE(writeFileAtomic(secret, Bytes{2}));
    EXPECT_EQ(permissionsOf(secret), 0600u);

    const std::string shared = dir.filePath("shared.fnt");
    ASSERT_TRUE(writeFileAtomic(shared, Bytes{1}));
    ASSERT_EQ(::chmod(shared.c_str(), 0754), 0);
    ASSERT_TRUE(writeFileAtomic(shared, Bytes{2}));
    EXPECT_EQ(permissionsOf(shared), 0754u);

    const mode_t previous = ::umask(027);
    const std::string fresh = dir.filePath("fresh.fnt");
    const bool written = writeFileAtomic(fresh, Bytes{1});
    ::umask(previous);
    ASSERT_TRUE(written);
    EXPECT_EQ(permissionsOf(fresh), 0640u);
}

TEST(FileIo, WritesThroughSymbolicLinksAndKeepsThem) {
    test::TempDir dir;
    const std::string folder = dir.path();
    std::filesystem::create_directory(folder + "/real");
    const std::string target = folder + "/real/font.fnt";
    ASSERT_TRUE(writeFileAtomic(target, Bytes{1}));
    ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
    // A relative link, and a link to that link.
    ASSERT_EQ(::symlink("real/font.fnt", (folder + "/link.fnt").c_str()), 0);
    ASSERT_EQ(::symlink((folder + "/link.fnt").c_str(), (folder + "/link2.fnt").c_str()), 0);

    ASSERT_TRUE(writeFileAtomic(folder + "/link2.fnt", Bytes{7, 7}));
    EXPECT_TRUE(std::filesystem::is_symlink(folder + "/link.fnt"));
    EXPECT_TRUE(std::filesystem::is_symlink(folder + "/link2.fnt"));
    EXPECT_EQ(*readFileBytes(target), (Bytes{7, 7}));
    EXPECT_EQ(permissionsOf(target), 0640u);
    EXPECT_EQ(test::folderEntries(folder + "/real"), std::vector<std::string>{"font.fnt"});

    // A link to a file not there yet creates that file.
    ASSERT_EQ(::symlink("real/later.fnt", (folder + "/dangling.fnt").c_str()), 0);
    ASSERT_TRUE(writeFileAtomic(folder + "/dangling.fnt", Bytes{3}));
    EXPECT_TRUE(std::filesystem::is_symlink(folder + "/dangling.fnt"));
    EXPECT_EQ(*readFileBytes(folder + "/real/later.fnt"), Bytes{3});

    // Links in a loop name no file: refused, nothing written.
    ASSERT_EQ(::symlink("loop2", (folder + "/loop1").c_str()), 0);
    ASSERT_EQ(::symlink("loop1", (folder + "/loop2").c_str()), 0);
    std::string error;
    EXPECT_FALSE(writeFileAtomic(folder + "/loop1", Bytes{1}, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(std::filesystem::is_symlink(folder + "/loop1"));
}

TEST(FileIo, LongestFileNamesCanBeSaved) {
    // The temporary file's name must fit the system's limit as well.
    test::TempDir dir;
    const std::string path = dir.filePath(std::string(250, 'n') + ".fnt");
    ASSERT_TRUE(writeFileAtomic(path, Bytes{4}));
    EXPECT_EQ(*readFileBytes(path), Bytes{4});
    EXPECT_EQ(test::folderEntries(dir.path()).size(), 1u);
}

TEST(FileIo, NamesAndExtensions) {
    EXPECT_EQ(fileNamePart("/home/a/b.fnt"), "b.fnt");
    // A backslash is an ordinary character of a name here.
    EXPECT_EQ(fileNamePart("/home/a/font\\.fnt"), "font\\.fnt");
    EXPECT_EQ(fileNamePart("/home/a\\b.fnt"), "a\\b.fnt");
    EXPECT_EQ(fileNamePart("plain"), "plain");
    EXPECT_EQ(withExtension("demo", ".fnt"), "demo.fnt");
    EXPECT_EQ(withExtension("demo.FnT", ".fnt"), "demo.FnT");
    EXPECT_EQ(withExtension("game", ".proj2"), "game.proj2");
    EXPECT_EQ(joinCrLf({"a", "b"}), "a\r\nb\r\n");
}

} // namespace
