// screen-to-image and display-list: a project's screen as the machine shows it.

#include "cli_test_tools.h"
#include "core/atari_view.h"
#include "core/palette.h"
#include "core/screens.h"
#include "formats/display_list.h"
#include "formats/file_io.h"
#include "formats/picture_codec.h"
#include "formats/project_file.h"
#include "formats/screen_picture_file.h"
#include "test_document.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace korvex {
namespace {

using test::readAll;
using test::runCli;

RgbPicture decoded(const QByteArray& bytes) {
    auto picture = decodePicture(Bytes(bytes.begin(), bytes.end()));
    return picture ? *picture : RgbPicture{};
}

class ScreenCommandsTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    std::unique_ptr<Document> doc = test::freshDocument();

    // Screen 2: glyph 65 and its inverse form everywhere, rows 3..5 in font 2 (mode
    // 2, 4, 5), every other row following.
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        for (int f = 1; f <= kFontCount; ++f) {
            for (int r = LUM; r <= PF3; ++r)
                doc->FontColours[f][r] = atariRgb(16 * f + 2 * r);
            for (int g = 0; g < kGlyphCount; ++g)
                for (int x = 0; x < 8; ++x)
                    for (int y = 0; y < 8; ++y)
                        doc->setPixel(f, g, x, y, (x + y + f) % 3 == 0);
        }
        for (int row = 0; row < kScreenRows; ++row)
            for (int column = 0; column < kScreenColumns; ++column)
                setCell(*doc, 2, column, row, column % 2 ? 65 : 193);
        RowTable& table = doc->rowTables[2];
        const RowMode modes[] = {RowMode::TwoColour, RowMode::FourColour, RowMode::FourColourTall};
        for (int row = 3; row <= 5; ++row) {
            table.font[row] = 2;
            table.mode[row] = uint8_t(modes[row - 3]);
        }
        ASSERT_TRUE(saveProjectFile(*doc, path("game.proj2")));
    }

    std::string path(const std::string& name) const {
        return dir.filePath(QString::fromStdString(name)).toStdString();
    }

    // The screen as drawn in the editor with `font` current in its own colours.
    RgbPicture editorView(int font, bool fourColour) const {
        auto view = test::freshDocument();
        EXPECT_TRUE(loadProjectFile(*view, path("game.proj2")));
        view->CurrentFont = font;
        loadFontColours(*view, font);
        return drawAtariScreen(*view, 2, font, fourColour);
    }
};

TEST_F(ScreenCommandsTest, ScreenToImageDrawsTheAtariViewOfTheProject) {
    auto run =
        runCli({"screen-to-image", "game.proj2", "--screen", "2", "-o", "a.png"}, dir.path());
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const RgbPicture plain = decoded(readAll(dir.filePath("a.png")));
    EXPECT_EQ(plain.width, 320);
    EXPECT_EQ(plain.height, 24 * 8 + 8);
    EXPECT_EQ(plain.pixels, editorView(1, false).pixels);
    // Row 0 follows font 1, two-colour; glyph line 0 of font 1 is set at x 2 and 5.
    EXPECT_EQ(plain.at(8 + 2, 0), uint32_t(doc->FontColours[1][LUM]));
    EXPECT_EQ(plain.at(8 + 1, 0), uint32_t(doc->FontColours[1][BAK]));
    EXPECT_EQ(plain.at(2, 0), uint32_t(doc->FontColours[1][BAK])); // inverse
    // Row 3 is font 2 in two colours, row 4 in four: line 0 of font 2 is 01 00 10 01.
    EXPECT_EQ(plain.at(8 + 1, 24), uint32_t(doc->FontColours[2][LUM]));
    EXPECT_EQ(plain.at(8 + 1, 32), uint32_t(doc->FontColours[2][PF0]));
    EXPECT_EQ(plain.at(8 + 4, 32), uint32_t(doc->FontColours[2][PF1]));

    run = runCli({"screen-to-image", "game.proj2", "--screen=2", "--font", "7", "--mode", "4",
                  "--scale", "3", "-o", "b.bmp"},
                 dir.path());
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(decoded(readAll(dir.filePath("b.bmp"))).pixels,
              scaledPicture(editorView(7, true), 3).pixels);
}

TEST_F(ScreenCommandsTest, ATallScreenIsExportedWholeWithAWarning) {
    for (uint8_t& mode : doc->rowTables[2].mode)
        mode = uint8_t(RowMode::FourColourTall);
    ASSERT_TRUE(saveProjectFile(*doc, path("game.proj2")));
    auto run =
        runCli({"screen-to-image", "game.proj2", "--screen", "2", "-o", "a.png"}, dir.path());
    ASSERT_EQ(run.status, 0);
    EXPECT_EQ(decoded(readAll(dir.filePath("a.png"))).height, 384);
    EXPECT_TRUE(run.err.contains("screen 2 has 384 scanlines, more than the 240"))
        << run.err.toStdString();
    run = runCli({"display-list", "game.proj2", "--screen", "2", "--screen-address", "$4000",
                  "--dl-address", "$3F00", "--font-address", "1=$E000,2=$8000"},
                 dir.path());
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains("384 scanlines")) << run.err.toStdString();
}

TEST_F(ScreenCommandsTest, DisplayListWritesTheGeneratorsText) {
    const auto run = runCli({"display-list", "game.proj2", "--screen", "2", "--screen-address",
                             "16384", "--dl-address", "%11111100000000", "--font-address",
                             "2=$8000,1=57344", "--lang", "asm-dec", "-o", "dl.asm"},
                            dir.path());
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    auto view = test::freshDocument();
    ASSERT_TRUE(loadProjectFile(*view, path("game.proj2")));
    loadFontColours(*view, 1);
    DisplayListRequest request;
    request.screen = 2;
    request.screenAddress = 0x4000;
    request.listAddress = 0x3F00;
    request.fontAddresses[1] = 0xE000;
    request.fontAddresses[2] = 0x8000;
    const std::string expected =
        joinCrLf(displayListSource(buildDisplayList(*view, request), false));
    EXPECT_EQ(readAll(dir.filePath("dl.asm")).toStdString(), expected);
    EXPECT_NE(expected.find("    .BYTE 66,0,64\r\n"), std::string::npos);
    // Rows 1..6: no interrupt between the mode 4 and 5 rows of one font.
    EXPECT_NE(expected.find("    .BYTE 2,130,130,4,133,2,"), std::string::npos);
}

TEST_F(ScreenCommandsTest, BadArgumentsAreRefusedAndNothingIsWritten) {
    const QStringList base = {"display-list", "game.proj2", "--screen", "2", "-o", "dl.asm"};
    const auto refused = [&](const QStringList& more, int status, const std::string& message) {
        const auto run = runCli(base + more, dir.path());
        EXPECT_EQ(run.status, status) << more.join(' ').toStdString();
        EXPECT_TRUE(run.err.contains(QString::fromStdString(message))) << run.err.toStdString();
        EXPECT_FALSE(QFile::exists(dir.filePath("dl.asm")));
    };
    const QStringList good = {"--screen-address", "$4000", "--dl-address", "$3F00"};
    refused(good + QStringList{"--font-address", "1=$E000"}, 2,
            "font 2 is shown by row 3 but has no address");
    refused(good + QStringList{"--font-address", "1=$E000,2=$8100"}, 2,
            "not a multiple of 1024: a font must start on a 1 KB boundary");
    refused(
        {"--screen-address", "$4000", "--dl-address", "$3FF0", "--font-address", "1=$E000,2=$8000"},
        2, "a display list must not cross a 1 KB boundary");
    refused(
        {"--screen-address", "$4F00", "--dl-address", "$3F00", "--font-address", "1=$E000,2=$8000"},
        2, "screen memory must not cross a 4 KB boundary without a new load memory scan");
    refused(good + QStringList{"--font-address", "1=$E000,1=$8000"}, 2, "font 1 is given twice");
    refused(good + QStringList{"--font-address", "11=$E000"}, 2, "a font is 1..10");
    refused(good + QStringList{"--font-address", "1=$10000"}, 2, "an address is 0..65535");
    refused(good + QStringList{"--font-address", "1"}, 2, "FONT=ADDRESS");
    refused({"--screen-address", "4000x", "--dl-address", "$3F00", "--font-address", "1=0"}, 2,
            "bad value '4000x' for --screen-address");
    refused(good + QStringList{"--font-address", "1=$E000,2=$8000", "--lang", "basic"}, 2,
            "asm-dec or asm-hex");
    refused(good + QStringList{"--font-address", "1=$E000,2=$8000", "--mode", "3"}, 2, "--mode");

    EXPECT_EQ(runCli({"screen-to-image", "game.proj2", "--screen", "9", "-o", "a.png"}, dir.path())
                  .status,
              2);
    EXPECT_EQ(
        runCli({"screen-to-image", "game.proj2", "--screen", "1", "--scale", "9", "-o", "a.png"},
               dir.path())
            .status,
        2);
    ASSERT_TRUE(test::writeAll(dir.filePath("notes.txt"), "nothing here\n"));
    const auto run =
        runCli({"screen-to-image", "notes.txt", "--screen", "1", "-o", "a.png"}, dir.path());
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.contains("holds no screen 1 (no SCREEN_1= line)")) << run.err.toStdString();
    EXPECT_FALSE(QFile::exists(dir.filePath("a.png")));
}

} // namespace
} // namespace korvex
