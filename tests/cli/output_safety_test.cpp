// Outputs that must not be replaced, and standard output as an output: "-o -" gives
// the bytes the file would hold; a pipe, folder or file the user may not write is
// refused with status 1 and left as it was; a file of another user keeps its owner.

#include "cli_test_tools.h"
#include "formats/project_file.h"
#include "test_document.h"

#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace korvex {
namespace {

class CliOutputSafety : public ::testing::Test {
protected:
    QTemporaryDir dir;

    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(test::writeAll(dir.filePath("a.fnt"), test::sampleFontBytes()));
        auto doc = test::freshDocument();
        ASSERT_TRUE(test::writeAll(dir.filePath("game.proj2"),
                                   test::toQBytes(joinCrLf(writeProjectLines(*doc)))));
    }
    QString path(const QString& name) const { return dir.filePath(name); }
    QStringList entries() const {
        return QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }
};

TEST_F(CliOutputSafety, DashWritesToStandardOutputTheBytesOfTheFile) {
    const std::vector<QStringList> commands = {
        {"export-font", "a.fnt", "--lang", "asm-hex"},
        {"font-to-image", "a.fnt", "--scale", "2"},
        {"extract", "game.proj2", "--sets"},
        {"font-report", "a.fnt", "--json"},
        {"merge-duplicates", "game.proj2", "--font", "1"},
    };
    for (const QStringList& command : commands) {
        SCOPED_TRACE(command.join(' ').toStdString());
        const QString file = command[0] == "font-to-image" ? "out.png" : "out.bin";
        const test::CliRun toFile = test::runCli(command + QStringList{"-o", file}, dir.path());
        const test::CliRun toOut = test::runCli(command + QStringList{"-o", "-"}, dir.path());
        EXPECT_EQ(toOut.status, toFile.status) << toOut.err.toStdString();
        if (toFile.status != 0)
            continue;
        EXPECT_EQ(toOut.out, test::readAll(path(file)));
        EXPECT_FALSE(QFile::exists(path("-")));
        // The summary line goes where it does not mix into the project.
        if (command[0] == "merge-duplicates") {
            EXPECT_TRUE(toFile.out.startsWith("font 1"));
            EXPECT_EQ(toOut.err, QString(toFile.out));
        }
        QFile::remove(path(file));
    }
}

TEST_F(CliOutputSafety, PipesAndFoldersAreRefusedAndLeftAlone) {
    ASSERT_EQ(::mkfifo(path("pipe").toLocal8Bit().constData(), 0644), 0);
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder"));
    ASSERT_TRUE(QFile::link(path("pipe"), path("to-pipe")));
    const QStringList before = entries();
    const struct {
        const char* output;
        const char* kind;
    } cases[] = {{"pipe", "named pipe"}, {"to-pipe", "named pipe"}, {"folder", "folder"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.output);
        for (const QStringList& command : {QStringList{"export-font", "a.fnt", "--lang", "basic"},
                                           QStringList{"extract", "game.proj2", "--font", "1"}}) {
            const test::CliRun run =
                test::runCli(command + QStringList{"-o", c.output}, dir.path());
            EXPECT_EQ(run.status, 1);
            EXPECT_TRUE(run.err.contains(QString(c.output) + ": cannot be written"))
                << run.err.toStdString();
            EXPECT_TRUE(run.err.contains(c.kind)) << run.err.toStdString();
        }
    }
    struct stat info {};
    ASSERT_EQ(::lstat(path("pipe").toLocal8Bit().constData(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
    EXPECT_EQ(entries(), before); // no temporary file either
}

// Runs korvex-cli as user `uid` (through setpriv), from the folder.
test::CliRun runCliAs(uid_t uid, gid_t gid, const QStringList& args, const QString& folder) {
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start("setpriv",
                  QStringList{"--reuid=" + QString::number(uid), "--regid=" + QString::number(gid),
                              "--clear-groups", "--", KORVEX_CLI_PATH} +
                      args);
    test::CliRun run;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.status = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

// A user other than root for the tests that need one; nothing when the tests do not
// run as root or the system has no such user.
const passwd* secondUser() {
    if (::geteuid() != 0)
        return nullptr;
    return ::getpwnam("nobody");
}

TEST_F(CliOutputSafety, OtherUsersFilesKeepTheirOwnerOrAreRefused) {
    const passwd* user = secondUser();
    if (!user || QStandardPaths::findExecutable("setpriv").isEmpty())
        GTEST_SKIP() << "needs root and a second user";
    // A folder everyone may write, as /tmp, in a folder the second user may enter.
    ASSERT_EQ(::chmod(dir.path().toLocal8Bit().constData(), 0777), 0);
    const QByteArray shared = path("shared.txt").toLocal8Bit();
    const QByteArray readOnly = path("read-only.txt").toLocal8Bit();
    ASSERT_TRUE(test::writeAll(path("shared.txt"), "root's text\n"));
    ASSERT_TRUE(test::writeAll(path("read-only.txt"), "root's text\n"));
    ASSERT_EQ(::chmod(shared.constData(), 0666), 0);
    ASSERT_EQ(::chmod(readOnly.constData(), 0444), 0);
    ASSERT_EQ(::chmod(path("a.fnt").toLocal8Bit().constData(), 0644), 0);

    // A file the user may not write is refused, although the folder would let a
    // rename replace it.
    const test::CliRun refused =
        runCliAs(user->pw_uid, user->pw_gid,
                 {"export-font", "a.fnt", "--lang", "basic", "-o", "read-only.txt"}, dir.path());
    EXPECT_EQ(refused.status, 1) << refused.err.toStdString();
    EXPECT_TRUE(refused.err.contains("read-only.txt: cannot be written (you may not write it"))
        << refused.err.toStdString();
    EXPECT_EQ(test::readAll(path("read-only.txt")), "root's text\n");

    // A file the user may write gets the new text and stays root's.
    const test::CliRun written =
        runCliAs(user->pw_uid, user->pw_gid,
                 {"export-font", "a.fnt", "--lang", "basic", "-o", "shared.txt"}, dir.path());
    EXPECT_EQ(written.status, 0) << written.err.toStdString();
    const test::CliRun expected =
        test::runCli({"export-font", "a.fnt", "--lang", "basic"}, dir.path());
    EXPECT_EQ(test::readAll(path("shared.txt")), expected.out);
    struct stat info {};
    ASSERT_EQ(::stat(shared.constData(), &info), 0);
    EXPECT_EQ(info.st_uid, 0u);
    EXPECT_EQ(info.st_gid, 0u);
    EXPECT_EQ(info.st_mode & 07777, 0666u);
    EXPECT_FALSE(entries().join(' ').contains("korvex-save"));
}

} // namespace
} // namespace korvex
