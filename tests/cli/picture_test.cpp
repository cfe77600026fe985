// font-to-image writes the picture of "Export to image"; image-to-font reads a
// picture as "Import to font" does.

#include "cli_test_tools.h"
#include "core/font_codec.h"
#include "core/image_import.h"
#include "core/main_commands.h"
#include "formats/bmp_codec.h"
#include "formats/colour_file.h"
#include "formats/font_file.h"
#include "formats/font_picture_file.h"
#include "formats/picture_codec.h"
#include "formats/png_codec.h"
#include "gui/image_export_window.h"
#include "gui/image_import_window.h"
#include "scripted_dialogs.h"
#include "test_document.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace korvex {
namespace {

using test::readAll;
using test::runCli;

constexpr uint32_t kStartLum = 0xEEEEEE, kStartBak = 0x000000;

bool fontPixel(const QByteArray& font, int glyph, int x, int y) {
    return (uint8_t(font[8 * glyph + y]) >> (7 - x)) & 1;
}

RgbPicture decoded(const QByteArray& bytes) {
    auto picture = decodePicture(Bytes(bytes.begin(), bytes.end()));
    return picture ? *picture : RgbPicture{};
}

class PictureTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QByteArray font = test::sampleFontBytes(7);

    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(test::writeAll(path("game.fnt"), font));
    }
    QString path(const QString& name) const { return dir.filePath(name); }

    // The editor after "Load Font" of game.fnt.
    std::unique_ptr<Document> editorWithFont() {
        auto doc = test::freshDocument();
        EXPECT_TRUE(loadFontFile(*doc, path("game.fnt").toStdString()));
        return doc;
    }
};

TEST_F(PictureTest, EveryScaleAndFormatIsTheEditorsPicture) {
    auto doc = editorWithFont();
    for (int scale = 1; scale <= 4; ++scale)
        for (const auto& [extension, kind] : {std::pair{QString(".png"), PictureFileKind::Png},
                                              std::pair{QString(".bmp"), PictureFileKind::Bmp}}) {
            SCOPED_TRACE((QString::number(scale) + extension).toStdString());
            const QString out = "font" + extension;
            const auto run =
                runCli({"font-to-image", "game.fnt", "--scale", QString::number(scale), "-o", out},
                       dir.path());
            EXPECT_EQ(run.status, 0) << run.err.toStdString();
            const QByteArray bytes = readAll(path(out));
            EXPECT_EQ(bytes, test::toQBytes(fontPictureFileBytes(*doc, scale - 1, kind)));
            const RgbPicture picture = decoded(bytes);
            EXPECT_EQ(picture.width, 256 * scale);
            EXPECT_EQ(picture.height, 64 * scale);
        }
}

TEST_F(PictureTest, GlyphsAndTheirInverseFormsLieWhereTheEditorDrawsThem) {
    ASSERT_EQ(
        runCli({"font-to-image", "game.fnt", "--scale", "3", "-o", "x3.png"}, dir.path()).status,
        0);
    const RgbPicture picture = decoded(readAll(path("x3.png")));
    ASSERT_EQ(picture.width, 768);
    ASSERT_EQ(picture.height, 192);
    // Glyph 33 is column 1 of row 1; its inverse block starts at (24, 120).
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            const bool set = fontPixel(font, 33, x, y);
            EXPECT_EQ(picture.at(24 + 3 * x + 2, 24 + 3 * y + 1), set ? kStartLum : kStartBak);
            EXPECT_EQ(picture.at(24 + 3 * x, 120 + 3 * y + 2), set ? kStartBak : kStartLum);
        }
}

TEST_F(PictureTest, ColourFileAndFourColourModeChangeThePicture) {
    auto palette = test::freshDocument();
    const int64_t colours[7] = {0, 0x102030, 0x405060, 0x708090, 0xA0B0C0, 0xD0E0F0, 0x0F1F2F};
    for (int r = 1; r <= 6; ++r)
        workingColour(*palette, r) = colours[r];
    palette->AtariColour[1] = 200;
    ASSERT_TRUE(test::writeAll(path("warm.col"), test::toQBytes(colourFileBytes(*palette))));

    auto doc = editorWithFont();
    ASSERT_TRUE(loadColourBytes(*doc, colourFileBytes(*palette)));
    auto run =
        runCli({"font-to-image", "game.fnt", "--colours", "warm.col", "-o", "two.bmp"}, dir.path());
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    const QByteArray two = readAll(path("two.bmp"));
    EXPECT_EQ(two, test::toQBytes(fontPictureFileBytes(*doc, 0, PictureFileKind::Bmp)));
    EXPECT_EQ(decoded(two).at(0, 0), fontPixel(font, 0, 0, 0) ? colours[1] : colours[2]);

    switchToFourColour(*doc);
    run = runCli({"font-to-image", "game.fnt", "--four-colour", "--colours", "warm.col", "-o",
                  "four.png", "--scale", "2"},
                 dir.path());
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    const QByteArray four = readAll(path("four.png"));
    EXPECT_EQ(four, test::toQBytes(fontPictureFileBytes(*doc, 1, PictureFileKind::Png)));
    // Each pixel pair shows BAK, PF0, PF1 or PF2 (PF3 in the inverse block).
    const RgbPicture picture = decoded(four);
    const int normal[4] = {BAK, PF0, PF1, PF2}, inverse[4] = {BAK, PF0, PF1, PF3};
    for (int glyph : {1, 40, 127})
        for (int pair = 0; pair < 4; ++pair) {
            const int v =
                2 * fontPixel(font, glyph, 2 * pair, 5) + fontPixel(font, glyph, 2 * pair + 1, 5);
            const int left = 16 * (glyph % 32) + 4 * pair, top = 16 * (glyph / 32) + 10;
            EXPECT_EQ(picture.at(left + 3, top), colours[normal[v]]);
            EXPECT_EQ(picture.at(left, top + 64), colours[inverse[v]]);
        }
}

// A picture of `font` with `background` around and between the set pixels, drawn
// in white with its top-left glyph at (left, top).
RgbPicture pictureOfFont(const QByteArray& font, int width, int height, int left, int top,
                         uint32_t background) {
    RgbPicture picture{width, height, std::vector<uint32_t>(size_t(width) * height, background)};
    for (int g = 0; g < kGlyphCount; ++g)
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                if (fontPixel(font, g, x, y))
                    picture
                        .pixels[size_t(top + 8 * (g / 32) + y) * width + left + 8 * (g % 32) + x] =
                        0xFFFFFF;
    return picture;
}

TEST_F(PictureTest, ImportReadsTheFrameAgainstTheBackgroundColour) {
    // RGB(0x33, 0x66, 0x99), packed red first into the low byte.
    const uint32_t background = 0x996633;
    const RgbPicture picture = pictureOfFont(font, 400, 120, 40, 20, background);
    ASSERT_TRUE(test::writeAll(path("sheet.png"), test::toQBytes(encodePng(picture))));
    ASSERT_TRUE(test::writeAll(path("sheet.bmp"), test::toQBytes(encodeBmp(picture))));

    // The same steps as the import window: picture, frame position, Color 0.
    auto doc = test::freshDocument();
    doc->importPicture = picture;
    doc->importX = 40;
    doc->importY = 20;
    importPictureToFont(*doc, background);
    encodeFont(*doc, -1);
    const QByteArray editor(reinterpret_cast<const char*>(doc->FontBuffer), kFontBytes);
    ASSERT_EQ(editor, font);

    for (const QString image : {"sheet.png", "sheet.bmp"}) {
        SCOPED_TRACE(image.toStdString());
        const auto run = runCli(
            {"image-to-font", image, "--at", "40,20", "--background", "#336699", "-o", "out.fnt"},
            dir.path());
        EXPECT_EQ(run.status, 0) << run.err.toStdString();
        EXPECT_TRUE(run.err.isEmpty());
        EXPECT_EQ(readAll(path("out.fnt")), editor);
    }
    // Blue first names another colour: every pixel then differs from it.
    ASSERT_EQ(runCli({"image-to-font", "sheet.png", "--at", "40,20", "--background", "996633", "-o",
                      "swapped.fnt"},
                     dir.path())
                  .status,
              0);
    EXPECT_EQ(readAll(path("swapped.fnt")), QByteArray(kFontBytes, char(0xFF)));
}

TEST_F(PictureTest, ExportedPictureImportsBackToTheSameFont) {
    ASSERT_EQ(runCli({"font-to-image", "game.fnt", "-o", "sheet.bmp"}, dir.path()).status, 0);
    // The start-up background is black, Color 0's default; the frame defaults to 0,0.
    const auto run = runCli({"image-to-font", "sheet.bmp", "-o", "back.fnt"}, dir.path());
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(readAll(path("back.fnt")), font);
}

TEST_F(PictureTest, FrameBeyondTheCanvasReadsBackgroundAndWarns) {
    const RgbPicture white{700, 40, std::vector<uint32_t>(700 * 40, 0xFFFFFF)};
    ASSERT_TRUE(test::writeAll(path("white.png"), test::toQBytes(encodePng(white))));
    const auto run =
        runCli({"image-to-font", "white.png", "--at", "400,0", "-o", "w.fnt"}, dir.path());
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(run.err.contains("warning: white.png: the 256 x 32 frame at 400,0 reaches past "
                                 "the 576 x 342 import canvas"))
        << run.err.toStdString();
    const QByteArray out = readAll(path("w.fnt"));
    ASSERT_EQ(out.size(), kFontBytes);
    // Glyph c of the top row starts at x = 400 + 8c; the canvas ends at 576.
    for (int g = 0; g < 32; ++g)
        EXPECT_EQ(out.mid(8 * g, 8), QByteArray(8, g < 22 ? char(0xFF) : '\0')) << g;
    // Rows 1..3 (y 8..31) lie inside the 40-pixel-high picture.
    EXPECT_EQ(out.mid(8 * 32, 8), QByteArray(8, char(0xFF)));
}

TEST_F(PictureTest, SameBytesAsTheExportAndImportWindows) {
    test::ScriptedDialogs dialogs;
    auto doc = editorWithFont();
    {
        ImageExportWindow window(*doc);
        window.ScaleCombo->setCurrentIndex(2);
        dialogs.files.push_back({path("editor.png"), 0});
        QTest::mouseClick(window.SavePngButton, Qt::LeftButton);
    }
    {
        ImageExportWindow window(*doc);
        dialogs.files.push_back({path("editor.bmp"), 0});
        QTest::mouseClick(window.SaveBmpButton, Qt::LeftButton);
    }
    ASSERT_EQ(
        runCli({"font-to-image", "game.fnt", "--scale", "3", "-o", "cli.png"}, dir.path()).status,
        0);
    ASSERT_EQ(runCli({"font-to-image", "game.fnt", "-o", "cli.bmp"}, dir.path()).status, 0);
    EXPECT_EQ(readAll(path("cli.png")), readAll(path("editor.png")));
    EXPECT_EQ(readAll(path("cli.bmp")), readAll(path("editor.bmp")));

    // The import window: load the picture, place the frame, click the background.
    const RgbPicture picture = pictureOfFont(font, 300, 90, 17, 33, 0x2040C0);
    ASSERT_TRUE(test::writeAll(path("sheet.bmp"), test::toQBytes(encodeBmp(picture))));
    auto importing = test::freshDocument();
    ImageImportWindow window(*importing, [] {});
    dialogs.files.push_back({path("sheet.bmp"), 0});
    QTest::mouseClick(window.LoadButton, Qt::LeftButton);
    window.StartXField->setText("17");
    window.StartYField->setText("33");
    window.pickColour(3, 3);
    ASSERT_EQ(window.colour0(), 0x2040C0);
    QTest::mouseClick(window.ImportButton, Qt::LeftButton);
    encodeFont(*importing, -1);
    const QByteArray editor(reinterpret_cast<const char*>(importing->FontBuffer), kFontBytes);

    const auto run = runCli(
        {"image-to-font", "sheet.bmp", "--at", "17,33", "--background", "C04020", "-o", "cli.fnt"},
        dir.path());
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(readAll(path("cli.fnt")), editor);
    EXPECT_EQ(editor, font);
}

} // namespace
} // namespace korvex
