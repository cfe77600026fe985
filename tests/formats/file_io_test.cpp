#include "formats/file_io.h"

#include <QTemporaryDir>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace korvex;

namespace {

TEST(FileIo, AtomicWriteReplacesWholeFileAndReadsBack) {
    QTemporaryDir dir;
    const std::string path = dir.filePath("a.bin").toStdString();
    ASSERT_TRUE(writeFileAtomic(path, Bytes(2000, 7)));
    ASSERT_TRUE(writeFileAtomic(path, Bytes{1, 2, 3}));
    auto back = readFileBytes(path);
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, (Bytes{1, 2, 3}));
    EXPECT_EQ(readFileBytes(path, 2)->size(), 2u);
    // No temporary file is left beside it.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path().toStdString()),
                            std::filesystem::directory_iterator{}),
              1);
}

TEST(FileIo, FailedWriteLeavesTheOldFileIntact) {
    QTemporaryDir dir;
    const std::string sub = dir.filePath("ro").toStdString();
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

TEST(FileIo, NamesAndExtensions) {
    EXPECT_EQ(fileNamePart("/home/a/b.fnt"), "b.fnt");
    EXPECT_EQ(fileNamePart("C:\\x\\y.fnt"), "y.fnt");
    EXPECT_EQ(fileNamePart("plain"), "plain");
    EXPECT_EQ(withExtension("demo", ".fnt"), "demo.fnt");
    EXPECT_EQ(withExtension("demo.FnT", ".fnt"), "demo.FnT");
    EXPECT_EQ(withExtension("game", ".proj2"), "game.proj2");
    EXPECT_EQ(joinCrLf({"a", "b"}), "a\r\nb\r\n");
}

} // namespace
