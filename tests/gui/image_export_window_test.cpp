// The font export window: scale, file names and extensions, the written files,
// and the main window disabled while it is open.

#include "formats/bmp_codec.h"
#include "formats/png_codec.h"
#include "gui/canvas_widget.h"
#include "gui/image_export_window.h"
#include "modal_test_tools.h"
#include "render/font_picture.h"
#include "render/picture_convert.h"
#include "scripted_dialogs.h"
#include "test_document.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace korvex {
namespace {

class ImageExportWindowTest : public ::testing::Test {
protected:
    std::unique_ptr<Document> doc = test::freshDocument();
    test::ScriptedDialogs dialogs;
    QTemporaryDir dir;

    void SetUp() override {
        doc->ColourLUM = 0xF0E0D0;
        doc->ColourBAK = 0x102030;
    }
    std::unique_ptr<ImageExportWindow> open() {
        auto w = std::make_unique<ImageExportWindow>(*doc);
        w->show();
        return w;
    }
    // Answers the save dialog with `name` and filter `filter`, then presses `button`.
    void save(QPushButton* button, const QString& name, int filter = 0) {
        dialogs.files.push_back({name.isEmpty() ? QString() : dir.filePath(name), filter});
        QTest::mouseClick(button, Qt::LeftButton);
    }
    std::optional<RgbPicture> savedPicture(const QString& name) {
        const auto bytes = readFileBytes(dir.filePath(name).toStdString());
        if (!bytes)
            return std::nullopt;
        return name.endsWith(".png", Qt::CaseInsensitive) ? decodePng(*bytes) : decodeBmp(*bytes);
    }
};

TEST_F(ImageExportWindowTest, ControlsAndScale) {
    auto w = open();
    EXPECT_EQ(w->windowTitle(), "Export font to image PNG, BMP...");
    EXPECT_EQ(w->size(), QSize(570, 330));
    EXPECT_EQ(w->ScaleLabel->text(), "Image scale:");
    EXPECT_EQ(w->ScaleLabel->geometry(), QRect(20, 23, 70, 20));
    EXPECT_EQ(w->ScaleCombo->geometry(), QRect(100, 20, 40, 20));
    ASSERT_EQ(w->ScaleCombo->count(), 4);
    EXPECT_EQ(w->ScaleCombo->itemText(3), "x4");
    EXPECT_EQ(w->ScaleCombo->currentText(), "x1");
    EXPECT_EQ(w->SizeLabel->text(), "Image size: 256x64");
    EXPECT_EQ(w->SizeLabel->geometry(), QRect(260, 23, 130, 20));
    EXPECT_EQ(w->SaveBmpButton->geometry(), QRect(410, 20, 70, 20));
    EXPECT_EQ(w->SavePngButton->geometry(), QRect(490, 20, 70, 20));
    EXPECT_EQ(w->ScrollArea->geometry(), QRect(10, 50, 550, 280));
    EXPECT_EQ(w->ScrollArea->widget(), w->Canvas);
    EXPECT_EQ(w->Canvas->image().size(), QSize(256, 64));

    w->ScaleCombo->setCurrentIndex(2);
    EXPECT_EQ(w->SizeLabel->text(), "Image size: 768x192");
    EXPECT_EQ(w->Canvas->image().size(), QSize(768, 192));
    EXPECT_EQ(w->Canvas->size(), QSize(768, 192));
    EXPECT_EQ(fromQImage(w->Canvas->image()).pixels, fontPicture(*doc, 2).pixels);
    w->ScaleCombo->setCurrentIndex(3);
    EXPECT_EQ(w->SizeLabel->text(), "Image size: 1024x256");
    w->ScaleCombo->setCurrentIndex(1);
    EXPECT_EQ(w->SizeLabel->text(), "Image size: 512x128");
}

TEST_F(ImageExportWindowTest, SavedBmpHoldsThePictureAndNamesFollowTheFilter) {
    auto w = open();
    w->ScaleCombo->setCurrentIndex(2);
    save(w->SaveBmpButton, "font.BMP");
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].kind, "save");
    EXPECT_EQ(dialogs.asked[0].title, "Save font to image BMP format (.bmp)");
    EXPECT_EQ(dialogs.asked[0].textOrStart, "");
    EXPECT_EQ(dialogs.asked[0].filters, "BMP Image (*.bmp)|*.bmp|All files (*.*)|*.*");
    auto saved = savedPicture("font.BMP");
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->width, 768);
    EXPECT_EQ(saved->pixels, fontPicture(*doc, 2).pixels);
    EXPECT_FALSE(w->isVisible()); // the window closes after saving

    auto second = open();
    save(second->SaveBmpButton, "font");
    EXPECT_TRUE(QFile::exists(dir.filePath("font.bmp")));
    auto third = open();
    save(third->SaveBmpButton, "plain", 1);
    EXPECT_TRUE(QFile::exists(dir.filePath("plain")));
    EXPECT_FALSE(QFile::exists(dir.filePath("plain.bmp")));
    EXPECT_EQ(savedPicture("plain")->pixels, fontPicture(*doc, 0).pixels);
}

TEST_F(ImageExportWindowTest, SavedPngHoldsThePicture) {
    doc->FourColourMode = 1;
    doc->ColourPF0 = 0x0000AA;
    doc->ColourPF1 = 0x00AA00;
    doc->ColourPF2 = 0xAA0000;
    doc->ColourPF3 = 0xAAAA00;
    auto w = open();
    w->ScaleCombo->setCurrentIndex(1);
    save(w->SavePngButton, "font");
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].title, "Save font to image PNG format (.bmp)");
    EXPECT_EQ(dialogs.asked[0].filters, "PNG Image (*.png)|*.png|All files (*.*)|*.*");
    auto saved = savedPicture("font.png");
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->height, 128);
    EXPECT_EQ(saved->pixels, fontPicture(*doc, 1).pixels);
    EXPECT_FALSE(w->isVisible());
}

TEST_F(ImageExportWindowTest, CancelKeepsTheWindowAndFailedWritesAreReported) {
    auto w = open();
    save(w->SavePngButton, "");
    EXPECT_TRUE(w->isVisible());
    ASSERT_EQ(dialogs.asked.size(), 1u);

    save(w->SaveBmpButton, "missing/font.bmp");
    ASSERT_EQ(dialogs.asked.size(), 3u);
    EXPECT_EQ(dialogs.asked[2].kind, "message");
    EXPECT_EQ(dialogs.asked[2].title, "Error...");
    EXPECT_TRUE(dialogs.asked[2].textOrStart.contains("font.bmp"));
    EXPECT_FALSE(w->isVisible());
}

TEST_F(ImageExportWindowTest, MainWindowIsDisabledWhileOpen) {
    QWidget main;
    main.move(50, 60);
    main.show();
    bool enabledWhileOpen = true;
    QString title;
    QPoint where;
    test::whenModalOpens([&](QWidget* modal) {
        enabledWhileOpen = main.isEnabled();
        title = modal->windowTitle();
        where = modal->pos();
        modal->close();
    });
    exportFontToImage(&main, *doc);
    EXPECT_FALSE(enabledWhileOpen);
    EXPECT_TRUE(main.isEnabled());
    EXPECT_EQ(title, "Export font to image PNG, BMP...");
    EXPECT_EQ(where, main.pos() + QPoint(100, 100));
}

} // namespace
} // namespace korvex
