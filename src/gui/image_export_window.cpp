#include "gui/image_export_window.h"

#include "core/document.h"
#include "formats/bmp_codec.h"
#include "formats/file_io.h"
#include "formats/png_codec.h"
#include "gui/canvas_widget.h"
#include "gui/caption_fit.h"
#include "gui/dialogs.h"
#include "gui/main_window.h"
#include "gui/save_failure.h"
#include "gui/window_commands.h"
#include "render/font_picture.h"
#include "render/picture_convert.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>

namespace korvex {

ImageExportWindow::ImageExportWindow(Document& doc, QWidget* parent) : QDialog(parent), doc_(doc) {
    setWindowTitle("Export font to image PNG, BMP...");
    setFixedSize(570, 330);

    ScaleLabel = new QLabel("Image scale:", this);
    ScaleLabel->setGeometry(20, 23, 70, 20);
    ScaleCombo = new QComboBox(this);
    ScaleCombo->setGeometry(100, 20, 40, 20);
    ScaleCombo->addItems({"x1", "x2", "x3", "x4"});
    ScaleCombo->setCurrentIndex(0);
    SizeLabel = new QLabel("Image size: 256x64", this);
    SizeLabel->setGeometry(260, 23, 130, 20);
    SaveBmpButton = new QPushButton("Save BMP", this);
    SaveBmpButton->setGeometry(410, 20, 70, 20);
    SavePngButton = new QPushButton("Save PNG", this);
    SavePngButton->setGeometry(490, 20, 70, 20);
    ScrollArea = new QScrollArea(this);
    ScrollArea->setGeometry(10, 50, 550, 280);
    Canvas = new CanvasWidget(nullptr, 0, 0, 256, 64, false);
    ScrollArea->setWidget(Canvas);

    connect(ScaleCombo, &QComboBox::currentIndexChanged, this, &ImageExportWindow::scaleChanged);
    connect(SaveBmpButton, &QPushButton::clicked, this, &ImageExportWindow::saveBmp);
    connect(SavePngButton, &QPushButton::clicked, this, &ImageExportWindow::savePng);
    scaleChanged();
    fitCaptions(this);
}

void ImageExportWindow::scaleChanged() {
    const int s = ScaleCombo->currentIndex();
    const int m = fontPictureScale(s);
    SizeLabel->setText(QString("Image size: %1x%2").arg(256 * m).arg(64 * m));
    Canvas->setDrawingSize(256 * m, 64 * m);
    drawFontPicture(doc_, Canvas->image(), s);
    Canvas->update();
}

void ImageExportWindow::saveBmp() {
    save(Kind::Bmp);
}
void ImageExportWindow::savePng() {
    save(Kind::Png);
}

void ImageExportWindow::save(Kind kind) {
    const bool bmp = kind == Kind::Bmp;
    const FileChoice choice =
        bmp ? dialogs().saveFile(this, "Save font to image BMP format (.bmp)", "",
                                 "BMP Image (*.bmp)|*.bmp|All files (*.*)|*.*")
            : dialogs().saveFile(this, "Save font to image PNG format (.bmp)", "",
                                 "PNG Image (*.png)|*.png|All files (*.*)|*.*");
    if (choice.path.isEmpty())
        return;
    std::string path = choice.path.toStdString();
    // The extension is added only while the picture's own file type is selected.
    if (choice.filterIndex == 0)
        path = withExtension(path, bmp ? ".bmp" : ".png");
    if (!mayReplace(this, path))
        return;
    // The file holds exactly what the canvas shows.
    const RgbPicture picture = fromQImage(Canvas->image());
    const Bytes data = bmp ? encodeBmp(picture) : encodePng(picture);
    std::string error;
    const bool written = !data.empty() && writeFileAtomic(path, data, &error);
    if (!written)
        reportSaveFailure(this, QString::fromStdString(path),
                          data.empty() ? "the picture could not be encoded"
                                       : QString::fromStdString(error));
    accept();
}

void exportFontToImage(QWidget* mainWindow, Document& doc) {
    ImageExportWindow window(doc);
    if (mainWindow) {
        window.move(mainWindow->pos() + QPoint(100, 100));
        mainWindow->setEnabled(false);
    }
    window.exec();
    if (mainWindow) {
        mainWindow->setEnabled(true);
        mainWindow->activateWindow();
    }
}

void exportImageCommand(MainWindow& window) {
    exportFontToImage(&window, window.doc());
}

} // namespace korvex
