#include "app/background_writer.h"
#include "failing_write_step.h"
#include "folder_tools.h"
#include "formats/file_io.h"
#include "temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace korvex;

namespace {

TEST(BackgroundWriter, KeepsTheFileAtTheNewestRequest) {
    test::TempDir dir;
    const std::string path = dir.filePath("copy.proj2");
    BackgroundWriter writer(path);
    for (int i = 0; i < 50; ++i)
        writer.write("text " + std::to_string(i));
    writer.flush();
    EXPECT_EQ(test::fileText(path), "text 49");
    writer.remove();
    writer.flush();
    EXPECT_FALSE(std::filesystem::exists(path));
    // Removing what is not there is no failure.
    writer.remove();
    writer.write("again");
    writer.flush();
    EXPECT_EQ(test::fileText(path), "again");
    EXPECT_EQ(writer.takeFailure(), "");
}

TEST(BackgroundWriter, FailedWriteIsToldOnceAndLeavesTheFileAsItWas) {
    test::TempDir dir;
    const std::string path = dir.filePath("copy.proj2");
    BackgroundWriter writer(path);
    writer.write("kept");
    writer.flush();
    {
        test::FailingWriteStep failing(WriteStep::Rename);
        writer.write("lost");
        writer.flush();
    }
    EXPECT_EQ(test::fileText(path), "kept");
    EXPECT_NE(writer.takeFailure(), "");
    EXPECT_EQ(writer.takeFailure(), "");
}

TEST(BackgroundWriter, EndingCarriesOutTheLastRequest) {
    test::TempDir dir;
    const std::string path = dir.filePath("copy.proj2");
    {
        BackgroundWriter writer(path);
        writer.write(std::string(1 << 20, 'x'));
    }
    EXPECT_EQ(test::fileText(path).size(), size_t(1) << 20);
}

} // namespace
