// A running editor with unsaved work dies (killed outright, or by a fatal fault);
// the next start offers its recovery copy and gets the same document back.

#include "gui/recovery_keeper.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <gtest/gtest.h>

namespace korvex {
namespace {

class RecoveryRuns : public ::testing::Test {
protected:
    QTemporaryDir dir;

    QString path(const QString& name) const { return dir.filePath(name); }
    QString recoveryFolder() const { return path("state/korvex"); }
    QString runtimeFolder() const {
        QDir(dir.path()).mkdir("runtime");
        QFile::setPermissions(path("runtime"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return path("runtime");
    }
    QStringList copies() const {
        return QDir(recoveryFolder()).entryList({"*.proj2"}, QDir::Files);
    }
    void startChild(QProcess& child, const QString& mode, const QString& stateFile,
                    const QStringList& files = {}) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("XDG_STATE_HOME", path("state"));
        env.insert("KORVEX_RECOVERY_INTERVAL_MS", "50");
        env.insert("XDG_RUNTIME_DIR", runtimeFolder());
        // The fault handler, not the sanitizer's, must see the fatal signal.
        env.insert("ASAN_OPTIONS", "handle_segv=0:detect_leaks=0");
        child.setProcessEnvironment(env);
        child.start(KORVEX_RECOVERY_CHILD_PATH, QStringList{mode, stateFile} + files);
        ASSERT_TRUE(child.waitForStarted(30000));
    }
    static QByteArray readAll(const QString& file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // A run with unsaved work that is then killed, leaving its copy.
    void runKilledWithUnsavedWork() {
        QProcess first;
        startChild(first, "change", path("changed.txt"));
        const bool copied = QTest::qWaitFor(
            [&] { return QFile::exists(path("changed.txt")) && !copies().isEmpty(); }, 60000);
        ASSERT_TRUE(copied) << "no recovery copy appeared: "
                            << first.readAllStandardError().toStdString();
        ::kill(pid_t(first.processId()), SIGKILL);
        ASSERT_TRUE(first.waitForFinished(30000));
    }
};

class RecoveryAfterAbnormalEnd : public RecoveryRuns, public ::testing::WithParamInterface<int> {};

// Files named on the command line wait for the Restore question; after a restore they
// are not opened over the restored work, and one message names them.
TEST_F(RecoveryRuns, RestoreComesFirstAndTheFilesAreNamedNotOpened) {
    runKilledWithUnsavedWork();
    ASSERT_FALSE(HasFatalFailure());
    QFile project(path("other.proj2"));
    ASSERT_TRUE(project.open(QIODevice::WriteOnly));
    project.write("SET_1=9 9 9\r\n");
    project.close();

    QProcess second;
    startChild(second, "restore", path("restored.txt"), {path("other.proj2")});
    ASSERT_TRUE(second.waitForFinished(60000));
    EXPECT_EQ(second.exitCode(), 0) << second.readAllStandardError().toStdString();
    const QByteArray restored = readAll(path("restored.txt"));
    const QByteArray expected =
        QByteArray("choice|Restore...|") + kRestoreQuestion +
        "|Restore|Discard\nmessage|Open files|The unsaved work of the last run was restored, so "
        "this file was not opened:\n" +
        path("other.proj2").toUtf8() + "|\n";
    ASSERT_TRUE(restored.startsWith(expected)) << restored.left(400).toStdString();
    EXPECT_EQ(restored.mid(expected.size()).toStdString(),
              readAll(path("changed.txt")).toStdString());
}

TEST_P(RecoveryAfterAbnormalEnd, NextStartOffersTheCopyAndRestoresTheSameDocument) {
    const int signal = GetParam();
    QProcess first;
    startChild(first, "change", path("changed.txt"));
    const bool copied = QTest::qWaitFor(
        [&] { return QFile::exists(path("changed.txt")) && !copies().isEmpty(); }, 60000);
    ASSERT_TRUE(copied) << "no recovery copy appeared: "
                        << first.readAllStandardError().toStdString();
    ::kill(pid_t(first.processId()), signal);
    ASSERT_TRUE(first.waitForFinished(30000));
    if (signal == SIGKILL)
        EXPECT_EQ(first.exitStatus(), QProcess::CrashExit);
    else
        EXPECT_EQ(first.exitCode(), 128 + signal); // the fault report's ending
    ASSERT_EQ(copies().size(), 1);

    QProcess second;
    startChild(second, "restore", path("restored.txt"));
    ASSERT_TRUE(second.waitForFinished(60000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0) << second.readAllStandardError().toStdString();

    const QByteArray restored = readAll(path("restored.txt"));
    const QByteArray question =
        QByteArray("choice|Restore...|") + kRestoreQuestion + "|Restore|Discard\n";
    ASSERT_TRUE(restored.startsWith(question)) << restored.left(200).toStdString();
    EXPECT_EQ(restored.mid(question.size()).toStdString(),
              readAll(path("changed.txt")).toStdString());
    // The second run ended normally: no copy is left for a third.
    EXPECT_TRUE(QDir(recoveryFolder()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Signals, RecoveryAfterAbnormalEnd, ::testing::Values(SIGKILL, SIGSEGV),
                         [](const auto& info) {
                             return std::string(info.param == SIGKILL ? "Killed" : "Fault");
                         });

} // namespace
} // namespace korvex
