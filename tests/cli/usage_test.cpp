// Wrong usage ends with status 2, a message on standard error and no output file;
// --help and --version answer on standard output.

#include "cli_test_tools.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

namespace korvex {
namespace {

using test::readAll;
using test::runCli;

class UsageTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(test::writeAll(path("a.fnt"), test::sampleFontBytes()));
        ASSERT_TRUE(QDir(dir.path()).mkdir("sub"));
    }
    QString path(const QString& name) const { return dir.filePath(name); }

    // Runs a command that must be refused as wrong usage, leaving no output file.
    void expectUsageError(const QStringList& args, const QString& message,
                          const QString& output = "out") {
        SCOPED_TRACE(args.join(' ').toStdString());
        const auto run = runCli(args, dir.path());
        EXPECT_EQ(run.status, 2);
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_TRUE(run.err.contains(message)) << run.err.toStdString();
        EXPECT_FALSE(QFile::exists(path(output)));
    }
};

TEST_F(UsageTest, HelpAndVersionAnswerOnStandardOutput) {
    const auto version = runCli({"--version"}, dir.path());
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "korvex-cli 0.52\n");

    const auto general = runCli({"--help"}, dir.path());
    EXPECT_EQ(general.status, 0);
    for (const char* command : {"export-font", "export-screen", "font-to-image", "image-to-font",
                                "set-to-bin", "extract", "font-report", "merge-duplicates"})
        EXPECT_TRUE(general.out.contains(command)) << command;
    EXPECT_EQ(runCli({"-h"}, dir.path()).out, general.out);
}

TEST_F(UsageTest, EveryCommandDescribesItsOptions) {
    const std::map<QString, QStringList> options = {
        {"export-font", {"--lang", "-o", "asm-dec", "fastbasic", "CR LF"}},
        {"export-screen", {"--screen", "--range", "--lang", ".sved2", "960 bytes"}},
        {"font-to-image", {"--scale", "--four-colour", "--colours", ".png", ".bmp"}},
        {"image-to-font", {"--at", "--background", "RRGGBB"}},
        {"set-to-bin", {"--set", "FONT.fnt", "-o OUT.bin"}},
        {"extract", {"--font", "--sets", "--screens", "--colours"}},
        {"font-report", {"--project", "--font", "--inverse", "--mirror", "--json", "unused:"}},
        {"merge-duplicates", {"--font", "-o OUT.proj2", "nothing merged"}},
        {"screen-to-image", {"--screen", "--font", "--mode", "--scale", "240 scanlines"}},
        {"display-list",
         {"--screen-address", "--dl-address", "--font-address", "asm-hex", "ROW_CHBASE",
          "ROW_COLORS", "1 KB", "4 KB"}},
        {"picture-to-screen",
         {"--into", "--screen", "--mode", "--fonts", "--first-font", "--dither", "--json",
          "psnr_db"}},
    };
    for (const auto& [command, words] : options) {
        SCOPED_TRACE(command.toStdString());
        const auto help = runCli({command, "--help"}, dir.path());
        EXPECT_EQ(help.status, 0);
        EXPECT_TRUE(help.out.startsWith("Usage: korvex-cli " + command.toUtf8() + " "));
        for (const QString& word : words)
            EXPECT_TRUE(help.out.contains(word.toUtf8())) << word.toStdString();
        // Help wins over everything else on the line and writes nothing.
        EXPECT_EQ(runCli({command, "a.fnt", "--bogus", "-h", "-o", "out"}, dir.path()).out,
                  help.out);
        EXPECT_EQ(runCli({"help", command}, dir.path()).out, help.out);
        EXPECT_FALSE(QFile::exists(path("out")));
    }
}

TEST_F(UsageTest, UnknownCommandsOptionsAndMisshapenLinesAreRefused) {
    expectUsageError({}, "no command given");
    expectUsageError({"frobnicate", "a.fnt"}, "unknown command 'frobnicate'");
    expectUsageError({"export-font", "a.fnt", "--lang", "0", "--scale", "2"},
                     "unknown option '--scale' for export-font");
    expectUsageError({"export-font", "a.fnt", "--lang"}, "option --lang needs a value");
    expectUsageError({"export-font", "a.fnt", "--lang", "0", "--lang", "1"},
                     "option --lang given twice");
    expectUsageError({"export-font", "a.fnt"}, "missing option --lang");
    expectUsageError({"export-font", "--lang", "0"}, "missing input FONT.fnt");
    expectUsageError({"export-font", "a.fnt", "b.fnt", "--lang", "0"},
                     "unexpected argument 'b.fnt'");
    expectUsageError({"font-to-image", "a.fnt", "-o", "out", "--four-colour=1"},
                     "--four-colour takes no value");
    expectUsageError({"set-to-bin", "a.set"}, "missing input FONT.fnt");
    expectUsageError({"extract", "p.proj2", "-o", "out"}, "choose exactly one of");
    expectUsageError({"extract", "p.proj2", "--sets", "--screens", "-o", "out"},
                     "choose exactly one of");
    expectUsageError({"export-font", "a.fnt", "--lang", "0", "-o", ""},
                     "output file name is empty");
    // The usage line of the command follows the message.
    const auto run = runCli({"export-font", "a.fnt"}, dir.path());
    EXPECT_TRUE(run.err.contains("Usage: korvex-cli export-font FONT.fnt --lang LANG"));
}

TEST_F(UsageTest, BadNumbersAndNamesAreRefused) {
    for (const QString lang : {"7", "-1", "pascal", "", "0x1", "ASM-DEC"})
        expectUsageError({"export-font", "a.fnt", "--lang", lang},
                         "bad value '" + lang + "' for --lang");
    for (const QString scale : {"0", "5", "2x", "", "+2", "99999999999"})
        expectUsageError({"font-to-image", "a.fnt", "-o", "out.png", "--scale", scale},
                         "bad value '" + scale + "' for --scale (a whole number 1..4)", "out.png");
    expectUsageError({"export-screen", "a.fnt", "--screen", "9", "--lang", "0"},
                     "for --screen (a whole number 0..8)");
    for (const QString range : {"1,2,3", "1,2,3,4,5", "40,0,1,1", "0,24,1,1", "0,0,0,1", "0,0,41,1",
                                "0,0,1,25", "a,b,c,d", "1,,2,3"})
        expectUsageError({"export-screen", "a.fnt", "--range", range, "--lang", "0"},
                         "bad value '" + range + "' for --range");
    expectUsageError({"image-to-font", "a.fnt", "-o", "out", "--at", "-1,0"},
                     "bad value '-1,0' for --at");
    for (const QString colour : {"12345", "1234567", "GG0000", "#12345", "$FF0000"})
        expectUsageError({"image-to-font", "a.fnt", "-o", "out", "--background", colour},
                         "bad value '" + colour + "' for --background");
    expectUsageError({"set-to-bin", "a.sets", "a.fnt", "--set", "0", "-o", "out"},
                     "for --set (a whole number 1..100)");
    expectUsageError({"extract", "p.proj2", "--font", "11", "-o", "out"},
                     "for --font (a whole number 1..10)");
    expectUsageError({"extract", "p.proj2", "--colours", "0", "-o", "out"},
                     "for --colours (a whole number 1..10)");
    for (const QString fonts : {"0", "11", "-1", "two"})
        expectUsageError({"picture-to-screen", "a.png", "--fonts", fonts, "-o", "out"},
                         "bad value '" + fonts + "' for --fonts (a whole number 1..10)");
    expectUsageError(
        {"picture-to-screen", "a.png", "--fonts", "4", "--first-font", "8", "-o", "out"},
        "--first-font 8 has too few fonts after it for --fonts 4");
    expectUsageError({"picture-to-screen", "a.png", "--first-font", "11", "-o", "out"},
                     "for --first-font (a whole number 1..10)");
    expectUsageError({"picture-to-screen", "a.png", "--mode", "3", "-o", "out"}, "for --mode");
}

TEST_F(UsageTest, BinaryOutputNeedsAFileAndPicturesAKnownExtension) {
    expectUsageError({"font-to-image", "a.fnt"}, "name the output file with -o");
    expectUsageError({"image-to-font", "a.png"}, "name the output file with -o");
    expectUsageError({"set-to-bin", "a.set", "a.fnt"}, "name the output file with -o");
    expectUsageError({"extract", "p.proj2", "--sets"}, "name the output file with -o");
    expectUsageError({"picture-to-screen", "a.png"}, "name the output file with -o");
    expectUsageError({"font-to-image", "a.fnt", "-o", "out.gif"}, "must end in .png or .bmp",
                     "out.gif");
    // The extension is matched in any case.
    EXPECT_EQ(runCli({"font-to-image", "a.fnt", "-o", "out.PNG"}, dir.path()).status, 0);
    EXPECT_EQ(readAll(path("out.PNG")).left(4), "\x89PNG");
}

TEST_F(UsageTest, OutputNamingAnInputIsRefusedAndTheInputKept) {
    const QByteArray font = readAll(path("a.fnt"));
    ASSERT_EQ(::symlink(path("a.fnt").toUtf8().constData(), path("link.fnt").toUtf8().constData()),
              0);
    ASSERT_EQ(::link(path("a.fnt").toUtf8().constData(), path("hard.fnt").toUtf8().constData()), 0);
    for (const QString& out :
         QStringList{"a.fnt", "./a.fnt", "sub/../a.fnt", path("a.fnt"), "link.fnt", "hard.fnt"}) {
        SCOPED_TRACE(out.toStdString());
        const auto run = runCli({"image-to-font", "a.fnt", "-o", out}, dir.path());
        EXPECT_EQ(run.status, 2);
        EXPECT_TRUE(run.err.contains("is the input a.fnt")) << run.err.toStdString();
        const auto text = runCli({"export-font", "./a.fnt", "--lang", "0", "-o", out}, dir.path());
        EXPECT_EQ(text.status, 2);
    }
    // Second inputs count too: the font of set-to-bin, the colours of font-to-image.
    EXPECT_EQ(runCli({"set-to-bin", "x.set", "a.fnt", "-o", "./a.fnt"}, dir.path()).status, 2);
    EXPECT_EQ(
        runCli({"font-to-image", "b.fnt", "--colours", "a.fnt", "-o", "a.fnt"}, dir.path()).status,
        2);
    EXPECT_EQ(readAll(path("a.fnt")), font);
    EXPECT_TRUE(QFileInfo(path("link.fnt")).isSymLink());
}

} // namespace
} // namespace korvex
