// picture-to-screen: pictures into a project's screen, fonts and row table.

#include "cli_test_tools.h"
#include "core/picture_fit.h"
#include "core/picture_screen.h"
#include "core/picture_screen_apply.h"
#include "core/screens.h"
#include "formats/file_io.h"
#include "formats/picture_codec.h"
#include "formats/png_codec.h"
#include "formats/project_file.h"
#include "rgba_png.h"
#include "test_document.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace korvex {
namespace {

using test::readAll;
using test::runCli;

class PictureToScreenTest : public ::testing::Test {
protected:
    QTemporaryDir dir;

    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    std::string path(const std::string& name) const {
        return dir.filePath(QString::fromStdString(name)).toStdString();
    }
    RgbPicture picture(const std::string& name) const {
        const QByteArray bytes = readAll(dir.filePath(QString::fromStdString(name)));
        auto decoded = decodePicture(Bytes(bytes.begin(), bytes.end()));
        return decoded ? *decoded : RgbPicture{};
    }
    std::unique_ptr<Document> project(const std::string& name) const {
        auto doc = test::freshDocument();
        EXPECT_TRUE(loadProjectFile(*doc, path(name)));
        return doc;
    }
    test::CliRun run(const QStringList& args) const { return runCli(args, dir.path()); }
};

// A screen of the editor's own font, every code 0..255 on it, drawn as the machine
// shows it and converted back, shows the same pixels: its cells fit one font.
TEST_F(PictureToScreenTest, AScreenOfTheDefaultFontComesBackPixelIdentical) {
    auto doc = test::freshDocument();
    for (int i = 0; i < kScreenCells; ++i)
        setCell(*doc, 0, i % kScreenColumns, i / kScreenColumns, uint8_t(i * 7 % 256));
    ASSERT_TRUE(saveProjectFile(*doc, path("game.proj2")));
    for (const QString mode : {"2", "4"}) {
        SCOPED_TRACE(mode.toStdString());
        auto step = run(
            {"screen-to-image", "game.proj2", "--screen", "0", "--mode", mode, "-o", "shown.png"});
        ASSERT_EQ(step.status, 0) << step.err.toStdString();
        step = run({"picture-to-screen", "shown.png", "--mode", mode, "-o", "back.proj2"});
        ASSERT_EQ(step.status, 0) << step.err.toStdString();
        EXPECT_TRUE(
            step.out.startsWith("psnr: exact\ndiffering pixels: 0.0000%\nfont 1: rows 0-23, "))
            << step.out.toStdString();
        EXPECT_TRUE(step.out.endsWith("merged cells: 0\n")) << step.out.toStdString();
        // Rows that follow the editor are drawn in the other mode: the row table
        // must carry the mode.
        const QString other = mode == "2" ? "4" : "2";
        step = run(
            {"screen-to-image", "back.proj2", "--screen", "0", "--mode", other, "-o", "again.png"});
        ASSERT_EQ(step.status, 0) << step.err.toStdString();
        EXPECT_EQ(picture("again.png").pixels, picture("shown.png").pixels);
        const auto back = project("back.proj2");
        for (int row = 0; row < kScreenRows; ++row) {
            EXPECT_EQ(back->rowTables[0].font[row], 1);
            EXPECT_EQ(back->rowTables[0].mode[row], mode.toInt());
        }
    }
}

// The project written is the one given, with what the core's conversion writes into
// it and nothing else.
TEST_F(PictureToScreenTest, IntoAProjectWritesTheConversionAndKeepsTheRest) {
    auto doc = test::freshDocument();
    for (int i = 0; i < kScreenCells; ++i)
        setCell(*doc, 5, i % kScreenColumns, i / kScreenColumns, uint8_t(i % 200));
    doc->rowTables[5].font[3] = 9;
    ASSERT_TRUE(saveProjectFile(*doc, path("game.proj2")));
    RgbPicture noise{200, 150, std::vector<uint32_t>(200 * 150)};
    uint32_t seed = 12345;
    for (uint32_t& p : noise.pixels) {
        seed = seed * 1103515245u + 12345u;
        p = (seed >> 8) & 0xFFFFFF;
    }
    ASSERT_TRUE(writeFileAtomic(path("noise.png"), encodePng(noise)));

    const auto step =
        run({"picture-to-screen", "noise.png", "--into", "game.proj2", "--screen=3", "--mode", "4",
             "--fonts", "3", "--first-font", "6", "--dither", "--json", "-o", "new.proj2"});
    ASSERT_EQ(step.status, 0) << step.err.toStdString();
    EXPECT_TRUE(step.out.startsWith("{\"exact\":false,\"psnr_db\":")) << step.out.toStdString();
    EXPECT_TRUE(step.out.contains("\"fonts\":[{\"font\":6,\"first_row\":0,"));
    EXPECT_TRUE(step.out.endsWith("}]}\n"));

    PictureScreenOptions options;
    options.mode = kFourColourMode;
    options.fonts = 3;
    options.firstFont = 6;
    options.dither = true;
    const auto converted = pictureToScreen(noise, options);
    ASSERT_TRUE(converted);
    for (int row = 0; row < kScreenRows; ++row) {
        EXPECT_GE(converted->rowFont[size_t(row)], 6);
        EXPECT_LE(converted->rowFont[size_t(row)], 8);
    }
    auto expected = project("game.proj2");
    applyPictureScreen(*expected, *converted, 3);
    const std::string lines = joinCrLf(writeProjectLines(*expected));
    EXPECT_EQ(readAll(dir.filePath("new.proj2")).toStdString(), lines);
    const auto written = project("new.proj2");
    EXPECT_EQ(std::memcmp(written->screens + 5 * kScreenCells, doc->screens + 5 * kScreenCells,
                          kScreenCells),
              0);
    EXPECT_EQ(written->rowTables[5].font[3], 9);
}

// Transparent pixels are the background, whatever colour they hold; a pixel half
// opaque or more is the picture's.
TEST_F(PictureToScreenTest, TransparentPixelsShowTheBackground) {
    test::RgbaPicture p{320, 192, std::vector<uint8_t>(320 * 192 * 4)};
    for (int y = 0; y < 192; ++y)
        for (int x = 0; x < 320; ++x) {
            uint8_t* px = &p.rgba[size_t(y * 320 + x) * 4];
            const bool opaque = x < 160;
            const bool red = (x / 8 + y / 8) % 2 == 0;
            px[0] = opaque ? (red ? 200 : 0) : 255;
            px[1] = opaque ? 0 : uint8_t(x * y);
            px[2] = opaque ? (red ? 0 : 200) : 255;
            px[3] = opaque ? uint8_t(128 + (x + y) % 128) : uint8_t((x * 3 + y) % 128);
        }
    ASSERT_TRUE(writeFileAtomic(path("glass.png"), test::rgbaPng(p)));
    auto step = run({"picture-to-screen", "glass.png", "--json", "-o", "glass.proj2"});
    ASSERT_EQ(step.status, 0) << step.err.toStdString();
    EXPECT_TRUE(step.out.startsWith("{\"exact\":true,\"psnr_db\":null")) << step.out.toStdString();
    step = run({"screen-to-image", "glass.proj2", "--screen", "0", "-o", "glass-view.png"});
    ASSERT_EQ(step.status, 0) << step.err.toStdString();
    const RgbPicture view = picture("glass-view.png");
    ASSERT_EQ(view.width, 320);
    const auto written = project("glass.proj2");
    const uint32_t background = uint32_t(written->FontColours[1][BAK]);
    for (int y = 0; y < 192; ++y)
        for (int x = 160; x < 320; ++x)
            ASSERT_EQ(view.at(x, y), background) << x << "," << y;
    EXPECT_NE(view.at(0, 0), view.at(8, 0)); // the opaque checker is kept

    ASSERT_TRUE(test::writeAll(dir.filePath("notes.png"), "not a picture\n"));
    step = run({"picture-to-screen", "notes.png", "-o", "notes.proj2"});
    EXPECT_EQ(step.status, 1);
    EXPECT_TRUE(step.err.contains("notes.png: not a picture")) << step.err.toStdString();
    EXPECT_FALSE(QFile::exists(dir.filePath("notes.proj2")));
}

} // namespace
} // namespace korvex
