// Unusable inputs and unwritable outputs end with status 1 and a message naming
// the file; whatever fails, no output is left half-written and an old one stays.

#include "cli_test_tools.h"
#include "formats/colour_file.h"
#include "formats/set_files.h"
#include "test_document.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace korvex {
namespace {

using test::readAll;
using test::runCli;

class InputFailuresTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        auto doc = test::freshDocument();
        ASSERT_TRUE(test::writeAll(path("a.fnt"), test::sampleFontBytes()));
        ASSERT_TRUE(test::writeAll(path("one.set"), test::toQBytes(setFileBytes(*doc))));
        ASSERT_TRUE(test::writeAll(path("all.sets"), test::toQBytes(setsFileBytes(*doc))));
        ASSERT_TRUE(test::writeAll(path("warm.col"), test::toQBytes(colourFileBytes(*doc))));
        ASSERT_TRUE(QDir(dir.path()).mkdir("folder"));
    }
    QString path(const QString& name) const { return dir.filePath(name); }

    // The run fails with status 1, says `message` and leaves the old output (old.out,
    // or old.png for pictures) as it was.
    void expectRefused(const QStringList& args, const QString& message) {
        SCOPED_TRACE(args.join(' ').toStdString());
        const QString output = args[0] == "font-to-image" ? "old.png" : "old.out";
        ASSERT_TRUE(test::writeAll(path(output), "old contents"));
        const auto run = runCli(args + QStringList{"-o", output}, dir.path());
        EXPECT_EQ(run.status, 1);
        EXPECT_TRUE(run.err.contains(message)) << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_EQ(readAll(path(output)), "old contents");
    }
    QStringList filesInDir() const {
        return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }
};

TEST_F(InputFailuresTest, MissingFilesAndFoldersAreNamed) {
    expectRefused({"export-font", "gone.fnt", "--lang", "0"}, "korvex-cli: gone.fnt: no such file");
    expectRefused({"export-screen", "gone.ved2", "--lang", "0"}, "gone.ved2: no such file");
    expectRefused({"font-to-image", "a.fnt", "--colours", "gone.col"}, "gone.col: no such file");
    expectRefused({"image-to-font", "gone.png"}, "gone.png: no such file");
    expectRefused({"set-to-bin", "one.set", "gone.fnt"}, "gone.fnt: no such file");
    expectRefused({"extract", "gone.proj2", "--sets"}, "gone.proj2: no such file");
    expectRefused({"export-font", "folder", "--lang", "0"}, "folder: is a folder, not a file");
}

TEST_F(InputFailuresTest, PipesAndDevicesAreRefusedWithoutWaiting) {
    // A pipe no one writes to would keep a reader waiting for ever.
    ASSERT_EQ(::mkfifo(path("pipe").toLocal8Bit().constData(), 0600), 0);
    for (const QString& special : {QString("pipe"), QString("/dev/zero")}) {
        const QString message = special + ": is not a regular file";
        expectRefused({"export-font", special, "--lang", "0"}, message);
        expectRefused({"export-screen", special, "--lang", "0"}, message);
        expectRefused({"font-to-image", "a.fnt", "--colours", special}, message);
        expectRefused({"image-to-font", special}, message);
        expectRefused({"set-to-bin", special, "a.fnt"}, message);
        expectRefused({"extract", special, "--sets"}, message);
    }
}

TEST_F(InputFailuresTest, WrongMagicIsReportedWithTheEditorsMessages) {
    expectRefused({"set-to-bin", "all.sets", "a.fnt"},
                  "all.sets: This file is not KVX set data! (it holds all sets: choose one with "
                  "--set N)");
    expectRefused({"set-to-bin", "one.set", "--set", "2", "a.fnt"},
                  "one.set: This file is not KVX sets data! (it holds one set: leave out --set)");
    expectRefused({"set-to-bin", "a.fnt", "a.fnt"}, "a.fnt: This file is not KVX set data!");
    expectRefused({"font-to-image", "a.fnt", "--colours", "one.set"},
                  "one.set: This file is not KVX color data!");
    // A non-picture file and a damaged one.
    expectRefused({"image-to-font", "a.fnt"}, "a.fnt: not a picture the editor can import");
    QByteArray png = readAll(path("a.fnt"));
    png.replace(0, 8, QByteArray("\x89PNG\r\n\x1a\n", 8));
    ASSERT_TRUE(test::writeAll(path("broken.png"), png));
    expectRefused({"image-to-font", "broken.png"},
                  "broken.png: not a picture the editor can import");
}

TEST_F(InputFailuresTest, UnwritableOutputFailsWithoutLeavingAnything) {
    auto run =
        runCli({"export-font", "a.fnt", "--lang", "0", "-o", "no/such/folder/x.txt"}, dir.path());
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.contains("no/such/folder/x.txt: cannot be written"))
        << run.err.toStdString();

    ASSERT_TRUE(QDir(dir.path()).mkdir("pictures.png"));
    run = runCli({"font-to-image", "a.fnt", "-o", "pictures.png"}, dir.path());
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(QFileInfo(path("pictures.png")).isDir());

    // A disk that fills up part-way: the old file stays whole, no temporary file stays.
    ASSERT_TRUE(test::writeAll(path("old.png"), "old picture"));
    const QStringList before = filesInDir();
    run = runCli({"font-to-image", "a.fnt", "--scale", "4", "-o", "old.png"}, dir.path(), 512);
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.contains("old.png: cannot be written")) << run.err.toStdString();
    EXPECT_EQ(readAll(path("old.png")), "old picture");
    EXPECT_EQ(filesInDir(), before);
}

TEST_F(InputFailuresTest, FailingStandardOutputIsAnError) {
    QProcess process;
    process.setWorkingDirectory(dir.path());
    process.setStandardOutputFile("/dev/full");
    process.start(KORVEX_CLI_PATH, {"export-font", "a.fnt", "--lang", "0"});
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_TRUE(process.readAllStandardError().contains("standard output: cannot be written"));
}

TEST_F(InputFailuresTest, ShortAndLongInputsWarnButWork) {
    ASSERT_TRUE(test::writeAll(path("long.fnt"), test::sampleFontBytes() + "tail"));
    auto run = runCli({"export-font", "long.fnt", "--lang", "0"}, dir.path());
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(run.err.contains("long.fnt: 1028 bytes, longer than a font (1024 bytes)"))
        << run.err.toStdString();
    EXPECT_EQ(run.out, runCli({"export-font", "a.fnt", "--lang", "0"}, dir.path()).out);

    ASSERT_TRUE(test::writeAll(path("cut.set"), readAll(path("one.set")).left(24)));
    run = runCli({"set-to-bin", "cut.set", "a.fnt", "-o", "cut.bin"}, dir.path());
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(run.err.contains("cut.set: 24 bytes, shorter than a set file (54 bytes)"));
    // Cells 10..24 are read as glyph 0, cells 0..9 stay empty.
    EXPECT_EQ(readAll(path("cut.bin")), test::sampleFontBytes().left(8).repeated(15));
}

} // namespace
} // namespace korvex
