#pragma once
// Running the built korvex-cli from tests, and the files the tests feed it.

#include "core/document.h"
#include "formats/file_io.h"

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <csignal>
#include <sys/resource.h>

namespace korvex::test {

struct CliRun {
    int status = -1;
    QByteArray out;
    QString err;
};

// Runs the program in `folder` and waits for it. With fileLimit > 0 no file the
// program writes may grow past that many bytes (a write beyond fails), so a
// failing disk can be played without being root-proof permissions.
inline CliRun runCli(const QStringList& args, const QString& folder, rlim_t fileLimit = 0) {
    QProcess process;
    process.setWorkingDirectory(folder);
    if (fileLimit > 0)
        process.setChildProcessModifier([fileLimit] {
            std::signal(SIGXFSZ, SIG_IGN);
            rlimit limit{};
            getrlimit(RLIMIT_FSIZE, &limit);
            limit.rlim_cur = fileLimit;
            setrlimit(RLIMIT_FSIZE, &limit);
        });
    process.start(KORVEX_CLI_PATH, args);
    CliRun run;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.status = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

inline QByteArray readAll(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

inline bool writeAll(const QString& path, const QByteArray& data) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(data) == data.size();
}

inline QByteArray toQBytes(const Bytes& bytes) {
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
}

inline QByteArray toQBytes(const std::string& text) {
    return QByteArray(text.data(), qsizetype(text.size()));
}

// A font in which every glyph differs from the others and from the default font.
inline QByteArray sampleFontBytes(int seed = 1) {
    QByteArray font(kFontBytes, '\0');
    for (int i = 0; i < kFontBytes; ++i)
        font[i] = char((i * 37 + seed * 101 + (i >> 3)) & 0xFF);
    return font;
}

// Nine screens whose cells all differ from their neighbours and between screens.
inline QByteArray sampleScreensBytes() {
    QByteArray screens(kScreenCount * kScreenCells, '\0');
    for (int i = 0; i < screens.size(); ++i)
        screens[i] = char((i * 7 + i / kScreenCells * 13) & 0xFF);
    return screens;
}

} // namespace korvex::test
