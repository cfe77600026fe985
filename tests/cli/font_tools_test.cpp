// font-report and merge-duplicates: the output exactly as their help shows it, the
// JSON form parsed, the counts of a project and the merged project read back.

#include "cli_test_tools.h"
#include "core/font_codec.h"
#include "core/glyph_bytes.h"
#include "core/screens.h"
#include "crafted_font.h"
#include "formats/project_file.h"
#include "test_document.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <cstring>
#include <gtest/gtest.h>

namespace korvex {
namespace {

using test::putGlyph;
using test::readAll;
using test::runCli;

constexpr int kFont = 2;

// The font of the help's examples: 3 = 7, 5 = 40 = 90, 100 and 101 empty, and 20
// the inverse of 5.
void putExampleFont(Document& doc, int64_t font) {
    test::putDistinctFont(doc, font);
    for (int g : {3, 7})
        putGlyph(doc, font, g, test::kLetterQ);
    for (int g : {5, 40, 90})
        putGlyph(doc, font, g, test::kLetterP);
    putGlyph(doc, font, 20, invertedGlyph(test::kLetterP));
    putGlyph(doc, font, 100, GlyphBytes{});
    putGlyph(doc, font, 101, GlyphBytes{});
}

// The lines of a command's help that start with two spaces and `start`.
QByteArray helpExample(const QString& command, const QByteArray& start) {
    const auto help = runCli({command, "--help"}, ".");
    for (const QByteArray& line : help.out.split('\n'))
        if (line.startsWith("  " + start))
            return line.mid(2) + "\n";
    return {};
}

class FontToolsCli : public ::testing::Test {
protected:
    QTemporaryDir dir;
    std::unique_ptr<Document> doc = test::freshDocument();

    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        putExampleFont(*doc, kFont);
        doc->CurrentFont = kFont;
        encodeFont(*doc, kFont);
        ASSERT_TRUE(
            test::writeAll(path("font.fnt"),
                           QByteArray(reinterpret_cast<const char*>(doc->FontBuffer), kFontBytes)));
    }
    QString path(const QString& name) const { return dir.filePath(name); }
    void saveProject(const QString& name) {
        ASSERT_TRUE(saveProjectFile(*doc, path(name).toStdString()));
    }
};

TEST_F(FontToolsCli, ReportIsExactlyAsTheHelpShowsIt) {
    const auto run = runCli({"font-report", "font.fnt"}, dir.path());
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    const QByteArray duplicates = helpExample("font-report", "duplicates:");
    const QByteArray empty = helpExample("font-report", "empty:");
    ASSERT_EQ(duplicates, "duplicates: 3,7 5,40,90\n");
    EXPECT_EQ(run.out, duplicates + empty);
    EXPECT_TRUE(run.err.isEmpty());

    EXPECT_EQ(runCli({"font-report", "font.fnt", "--inverse"}, dir.path()).out,
              "duplicates: 3,7 5,20,40,90\nempty: 100 101\n");
    // Mirrored forms: the default font has a few, the crafted one none.
    EXPECT_EQ(runCli({"font-report", "font.fnt", "--mirror"}, dir.path()).out, run.out);

    const auto json = runCli({"font-report", "font.fnt", "--json"}, dir.path());
    EXPECT_EQ(json.out, "{\"duplicates\":[[3,7],[5,40,90]],\"empty\":[100,101]}\n");

    // -o writes the same bytes to a file.
    EXPECT_EQ(runCli({"font-report", "font.fnt", "-o", "report.txt"}, dir.path()).status, 0);
    EXPECT_EQ(readAll(path("report.txt")), run.out);
}

TEST_F(FontToolsCli, ProjectUsesCountInverseCodesAndSkipBadCells) {
    doc->Sets[1][0] = 5;
    doc->Sets[1][1] = 5 + 128;
    doc->Sets[1][2] = 300;
    doc->Sets[1][3] = -9;
    doc->Sets[100][24] = 127;
    setCell(*doc, 8, 39, 23, 200);
    saveProject("game.proj2");

    const auto run =
        runCli({"font-report", "font.fnt", "--project", "game.proj2", "--font", "2"}, dir.path());
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QList<QByteArray> lines = run.out.split('\n');
    ASSERT_EQ(lines.size(), 5); // four lines and the end of the last
    QByteArray uses = "uses: " + QByteArray::number(kScreenCount * kScreenCells - 1);
    QByteArray unused = "unused:";
    for (int g = 1; g < kGlyphCount; ++g) {
        const int count = g == 5 ? 2 : (g == 72 || g == 127 ? 1 : 0);
        uses += " " + QByteArray::number(count);
        if (count == 0)
            unused += " " + QByteArray::number(g);
    }
    EXPECT_EQ(lines[2], uses);
    EXPECT_EQ(lines[3], unused);

    // The JSON form is valid and holds the same numbers.
    const auto json = runCli({"font-report", "--json", "font.fnt", "--project=game.proj2",
                              "--font=2", "--inverse", "--mirror"},
                             dir.path());
    QJsonParseError error{};
    const QJsonDocument parsed = QJsonDocument::fromJson(json.out, &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << json.out.toStdString();
    const QJsonObject object = parsed.object();
    EXPECT_EQ(object.keys(), (QStringList{"duplicates", "empty", "unused", "uses"}));
    EXPECT_EQ(object["uses"].toArray().size(), kGlyphCount);
    EXPECT_EQ(object["uses"].toArray()[5].toInt(), 2);
    EXPECT_EQ(object["unused"].toArray().size(), kGlyphCount - 4);
    EXPECT_EQ(object["duplicates"].toArray()[1].toArray().size(), 4);
}

TEST_F(FontToolsCli, MergeRewritesTheProjectAsTheHelpSays) {
    doc->Sets[1][0] = 40;
    doc->Sets[1][1] = 90 + 128;
    doc->Sets[2][0] = 7;
    doc->Sets[2][1] = 296; // out of range: kept
    setCell(*doc, 0, 0, 0, 40);
    setCell(*doc, 1, 5, 5, 7 + 128);
    setCell(*doc, 2, 6, 6, 90);
    saveProject("game.proj2");

    const auto run =
        runCli({"merge-duplicates", "game.proj2", "--font", "2", "-o", "merged.proj2"}, dir.path());
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, helpExample("merge-duplicates", "font 2:"));

    auto merged = test::freshDocument();
    ASSERT_TRUE(loadProjectFile(*merged, path("merged.proj2").toStdString()));
    auto expected = std::make_unique<Document>(*doc);
    expected->Sets[1][0] = 5;
    expected->Sets[1][1] = 5 + 128;
    expected->Sets[2][0] = 3;
    setCell(*expected, 0, 0, 0, 5);
    setCell(*expected, 1, 5, 5, 3 + 128);
    setCell(*expected, 2, 6, 6, 5);
    EXPECT_EQ(std::memcmp(merged->Sets, expected->Sets, sizeof merged->Sets), 0);
    EXPECT_EQ(std::memcmp(merged->screens, expected->screens, sizeof merged->screens), 0);
    for (int g : {7, 40, 90})
        EXPECT_TRUE(isEmptyGlyph(glyphBytes(*merged, kFont, g))) << g;
    EXPECT_EQ(glyphBytes(*merged, kFont, 5), test::kLetterP);

    // Merged again: nothing left to merge, and the project comes out as it went in.
    const auto again = runCli(
        {"merge-duplicates", "merged.proj2", "--font", "2", "-o", "again.proj2"}, dir.path());
    EXPECT_EQ(again.status, 0);
    EXPECT_EQ(again.out, "font 2 has no duplicate glyphs: nothing merged\n");
    EXPECT_EQ(readAll(path("again.proj2")), readAll(path("merged.proj2")));
}

TEST_F(FontToolsCli, WrongUsageAndUnfitProjectsAreRefused) {
    saveProject("game.proj2");
    ASSERT_TRUE(test::writeAll(path("fonts.proj2"), "VER$=0.52\r\nFONT_DATA_1=1 2 3 \r\n"));
    struct Case {
        QStringList args;
        int status;
        QString message;
    };
    const Case cases[] = {
        {{"font-report", "font.fnt", "--project", "game.proj2"}, 2, "go together"},
        {{"font-report", "font.fnt", "--font", "2"}, 2, "go together"},
        {{"font-report", "font.fnt", "--project", "game.proj2", "--font", "0"}, 2, "1..10"},
        {{"font-report", "font.fnt", "--project", "fonts.proj2", "--font", "1"},
         1,
         "holds no sets or screens"},
        {{"font-report", "gone.fnt"}, 1, "gone.fnt"},
        {{"merge-duplicates", "game.proj2", "--font", "2"}, 2, "writes a project: name the output"},
        {{"merge-duplicates", "game.proj2", "-o", "out"}, 2, "missing option --font"},
        {{"merge-duplicates", "fonts.proj2", "--font", "2", "-o", "out"},
         1,
         "holds no font 2 (no FONT_DATA_2= line)"},
        {{"merge-duplicates", "game.proj2", "--font", "2", "-o", "game.proj2"}, 2, "is the input"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const auto run = runCli(c.args, dir.path());
        EXPECT_EQ(run.status, c.status);
        EXPECT_TRUE(run.err.contains(c.message)) << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty());
    }
    EXPECT_FALSE(QFile::exists(path("out")));
}

} // namespace
} // namespace korvex
