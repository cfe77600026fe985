// The built editor's answers to --help, --version and a wrong option.

#include "app/editor_arguments.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <gtest/gtest.h>

namespace korvex {
namespace {

struct EditorRun {
    int status = -1;
    QString out, err;
};

// Runs the editor with no display at all: an answer that needed a window would fail.
EditorRun runBuiltEditor(const QStringList& args, const QString& platform = "xcb") {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");
    env.insert("QT_QPA_PLATFORM", platform);
    process.setProcessEnvironment(env);
    process.start(KORVEX_EDITOR_PATH, args);
    EditorRun run;
    if (!process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

TEST(EditorCommandLine, HelpAndVersionAnswerWithoutAWindow) {
    for (const char* option : {"--help", "-h"}) {
        const EditorRun run = runBuiltEditor({option, "font.fnt"});
        EXPECT_EQ(run.status, 0) << option;
        EXPECT_EQ(run.out, QString(editorHelpText())) << option;
        EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
    }
    for (const char* option : {"--version", "-v"}) {
        const EditorRun run = runBuiltEditor({option});
        EXPECT_EQ(run.status, 0) << option;
        EXPECT_EQ(run.out, QString("korvex " KORVEX_VERSION "\n")) << option;
    }
}

TEST(EditorCommandLine, UnknownOptionExitsWithUsageStatus) {
    const EditorRun run = runBuiltEditor({"--frobnicate", "font.fnt"}, "offscreen");
    EXPECT_EQ(run.status, kEditorExitUsage);
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_TRUE(run.err.endsWith("korvex: unknown option '--frobnicate'\nTry 'korvex --help'.\n"))
        << run.err.toStdString();
}

} // namespace
} // namespace korvex
