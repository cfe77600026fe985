// Every output of the converter, with the write failing at each step: status 1, a
// message naming the file, the old file byte for byte and no temporary file left.
// The converter runs in this process, where the failure can be injected.

#include "cli/cli_failure.h"
#include "cli/run.h"
#include "cli_test_tools.h"
#include "failing_write_step.h"
#include "formats/png_codec.h"
#include "formats/project_file.h"
#include "formats/set_files.h"
#include "test_document.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sstream>

namespace korvex {
namespace {

class WriteFailuresTest : public ::testing::Test {
protected:
    QTemporaryDir dir;

    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        auto doc = test::freshDocument();
        ASSERT_TRUE(test::writeAll(dir.filePath("a.fnt"), test::sampleFontBytes()));
        ASSERT_TRUE(test::writeAll(dir.filePath("one.set"), test::toQBytes(setFileBytes(*doc))));
        ASSERT_TRUE(test::writeAll(dir.filePath("all.ved2"), test::sampleScreensBytes()));
        ASSERT_TRUE(test::writeAll(dir.filePath("game.proj2"),
                                   test::toQBytes(joinCrLf(writeProjectLines(*doc)))));
        RgbPicture picture{256, 64, std::vector<uint32_t>(256 * 64, 0xFFFFFF)};
        ASSERT_TRUE(test::writeAll(dir.filePath("in.png"), test::toQBytes(encodePng(picture))));
    }
    std::string path(const QString& name) const { return dir.filePath(name).toStdString(); }

    struct Run {
        int status;
        std::string err;
    };
    Run run(std::vector<std::string> args) {
        std::ostringstream out, err;
        const int status = cli::runCommandLine(args, out, err);
        return {status, err.str()};
    }

    // Runs the command writing to `output` once for each failing step, then once
    // without a failure.
    void checkOutput(std::vector<std::string> args, const QString& output) {
        SCOPED_TRACE(args[0] + " -o " + output.toStdString());
        args.push_back("-o");
        args.push_back(path(output));
        for (const WriteStep step : test::kFailingWriteSteps) {
            SCOPED_TRACE(test::writeStepName(step));
            const QByteArray old = "old output " + QByteArray::number(int(step));
            ASSERT_TRUE(test::writeAll(dir.filePath(output), old));
            const QStringList files = folderFiles();
            Run failed{};
            {
                test::FailingWriteStep failing(step);
                failed = run(args);
            }
            EXPECT_EQ(failed.status, cli::kExitInputFailure);
            EXPECT_NE(failed.err.find(path(output) + ": cannot be written"), std::string::npos)
                << failed.err;
            EXPECT_EQ(test::readAll(dir.filePath(output)), old);
            EXPECT_EQ(folderFiles(), files);
        }
        const Run done = run(args);
        EXPECT_EQ(done.status, cli::kExitOk) << done.err;
        EXPECT_FALSE(test::readAll(dir.filePath(output)).startsWith("old output"));
    }
    QStringList folderFiles() const {
        return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }
};

TEST_F(WriteFailuresTest, ExportsAndPictures) {
    checkOutput({"export-font", path("a.fnt"), "--lang", "asm-hex"}, "font.asm");
    checkOutput({"export-screen", path("all.ved2"), "--screen", "2", "--lang", "basic"},
                "screen.bas");
    checkOutput({"font-to-image", path("a.fnt"), "--scale", "2"}, "font.png");
    checkOutput({"font-to-image", path("a.fnt")}, "font.bmp");
    checkOutput({"image-to-font", path("in.png")}, "from.fnt");
}

TEST_F(WriteFailuresTest, SetBytesAndProjectExtracts) {
    checkOutput({"set-to-bin", path("one.set"), path("a.fnt")}, "set.bin");
    checkOutput({"extract", path("game.proj2"), "--font", "1"}, "one.fnt");
    checkOutput({"extract", path("game.proj2"), "--sets"}, "all.sets");
    checkOutput({"extract", path("game.proj2"), "--screens"}, "screens.ved2");
    checkOutput({"extract", path("game.proj2"), "--colours", "2"}, "two.col");
}

} // namespace
} // namespace korvex
