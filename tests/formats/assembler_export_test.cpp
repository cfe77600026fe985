// Feeds the assembler exports to a real 6502 assembler (ca65/ld65) and checks
// that the assembled bytes are exactly the font.
#include "formats/source_export.h"

#include "core/font_codec.h"
#include "formats/file_io.h"
#include "test_document.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cstring>
#include <gtest/gtest.h>
#include <random>

using namespace korvex;

namespace {

struct RunResult {
    bool ok = false;
    std::string output;
};

RunResult run(const QString& program, const QStringList& args) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, args);
    RunResult r;
    if (!process.waitForFinished(60000)) {
        r.output = "did not finish";
        return r;
    }
    r.output = process.readAll().toStdString();
    r.ok = process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    return r;
}

TEST(AssemblerExport, Ca65AssemblesTheExportToTheFontBytes) {
    const QString ca65 = QStandardPaths::findExecutable("ca65");
    const QString ld65 = QStandardPaths::findExecutable("ld65");
    if (ca65.isEmpty() || ld65.isEmpty())
        GTEST_SKIP() << "ca65/ld65 (cc65) not found on PATH; assembler check not run";

    // The default font with random glyphs mixed in, so every byte value can appear.
    auto doc = test::freshDocument();
    loadDefaultFont(*doc);
    std::mt19937 random(1234);
    for (int i = 512; i < kFontBytes; ++i)
        doc->FontBuffer[i] = uint8_t(random());
    doc->FontBuffer[1023] = 255;
    doc->FontBuffer[1022] = 0;
    decodeFont(*doc, doc->CurrentFont);
    const Bytes font(doc->FontBuffer, doc->FontBuffer + kFontBytes);
    std::memset(doc->FontBuffer, 0, kFontBytes);

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString config = dir.filePath("raw.cfg");
    ASSERT_TRUE(writeFileAtomic(config.toStdString(),
                                std::string("MEMORY { RAW: start = $0, size = $10000, "
                                            "file = %O; }\n"
                                            "SEGMENTS { CODE: load = RAW, type = ro; }\n")));

    for (int language : {0, 1}) {
        SCOPED_TRACE(language);
        const QString base = dir.filePath(QString("font%1").arg(language));
        ASSERT_TRUE(writeFileAtomic((base + ".s").toStdString(),
                                    joinCrLf(generateFontExport(*doc, language))));
        const RunResult assembled =
            run(ca65, {"--feature", "labels_without_colons", "-o", base + ".o", base + ".s"});
        ASSERT_TRUE(assembled.ok) << assembled.output;
        const RunResult linked = run(ld65, {"-C", config, "-o", base + ".bin", base + ".o"});
        ASSERT_TRUE(linked.ok) << linked.output;
        const auto binary = readFileBytes((base + ".bin").toStdString());
        ASSERT_TRUE(binary);
        EXPECT_EQ(*binary, font);
    }
}

} // namespace
