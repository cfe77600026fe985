// Feeds the assembler exports to a real 6502 assembler (ca65/ld65) and checks
// that the assembled bytes are exactly the font.
#include "formats/source_export.h"

#include "child_process.h"
#include "core/font_codec.h"
#include "formats/file_io.h"
#include "temp_dir.h"
#include "test_document.h"

#include <cstring>
#include <gtest/gtest.h>
#include <random>

using namespace korvex;

namespace {

TEST(AssemblerExport, Ca65AssemblesTheExportToTheFontBytes) {
    const std::string ca65 = test::findProgram("ca65");
    const std::string ld65 = test::findProgram("ld65");
    if (ca65.empty() || ld65.empty())
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

    test::TempDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string config = dir.filePath("raw.cfg");
    ASSERT_TRUE(
        writeFileAtomic(config, std::string("MEMORY { RAW: start = $0, size = $10000, "
                                            "file = %O; }\n"
                                            "SEGMENTS { CODE: load = RAW, type = ro; }\n")));

    for (int language : {0, 1}) {
        SCOPED_TRACE(language);
        const std::string base = dir.filePath("font" + std::to_string(language));
        ASSERT_TRUE(writeFileAtomic((base + ".s"), joinCrLf(generateFontExport(*doc, language))));
        const test::ProgramRun assembled = test::runProgram(
            ca65, {"--feature", "labels_without_colons", "-o", base + ".o", base + ".s"});
        ASSERT_TRUE(assembled.ok) << assembled.output;
        const test::ProgramRun linked =
            test::runProgram(ld65, {"-C", config, "-o", base + ".bin", base + ".o"});
        ASSERT_TRUE(linked.ok) << linked.output;
        const auto binary = readFileBytes((base + ".bin"));
        ASSERT_TRUE(binary);
        EXPECT_EQ(*binary, font);
    }
}

} // namespace
