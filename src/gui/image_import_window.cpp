#include "gui/image_import_window.h"

#include "core/document.h"
#include "core/glyph_code.h"
#include "core/history.h"
#include "core/image_import.h"
#include "formats/file_io.h"
#include "formats/picture_codec.h"
#include "gui/canvas_widget.h"
#include "gui/caption_fit.h"
#include "gui/dialogs.h"
#include "gui/file_dialog_kinds.h"
#include "gui/main_window.h"
#include "gui/window_commands.h"
#include "render/import_canvas.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

namespace korvex {

namespace {

QLineEdit* numberField(QWidget* parent, int x, int y, int w, int h, int64_t value) {
    auto* field = new QLineEdit(QString::number(value), parent);
    field->setGeometry(x, y, w, h);
    // Digits only, as a numeric field takes them; nine keep the sums far from overflow.
    field->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]{0,9}"), field));
    return field;
}

QLabel* label(QWidget* parent, const char* text, int x, int y, int w, int h) {
    auto* l = new QLabel(text, parent);
    l->setGeometry(x, y, w, h);
    return l;
}

} // namespace

ImageImportWindow::ImageImportWindow(Document& doc, std::function<void()> redrawMainWindow,
                                     QWidget* parent)
    : QDialog(parent), doc_(doc), redrawMainWindow_(std::move(redrawMainWindow)) {
    setWindowTitle("Import image to font");
    setFixedSize(594, 396);

    LoadButton = new QPushButton("Load image", this);
    LoadButton->setGeometry(9, 9, 90, 27);
    StartXLabel = label(this, "Start X:", 150, 11, 45, 18);
    StartXField = numberField(this, 189, 9, 27, 18, doc_.importX);
    StartYLabel = label(this, "Start Y:", 222, 11, 45, 18);
    StartYField = numberField(this, 261, 9, 36, 18, doc_.importY);
    ColourLabel = label(this, "Color 0:", 336, 11, 45, 18);
    ColourField = new QLineEdit("$0", this);
    ColourField->setGeometry(378, 9, 63, 18);
    ColourField->setReadOnly(true);
    ImportButton = new QPushButton("Import to font", this);
    ImportButton->setGeometry(495, 9, 90, 27);
    Canvas = new CanvasWidget(this, 9, 45, kImportCanvasWidth, kImportCanvasHeight, false);

    connect(LoadButton, &QPushButton::clicked, this, &ImageImportWindow::loadImage);
    connect(ImportButton, &QPushButton::clicked, this, &ImageImportWindow::importToFont);
    connect(StartXField, &QLineEdit::textChanged, this, [this](const QString& text) {
        doc_.importX = text.toLongLong();
        showCanvas();
    });
    connect(StartYField, &QLineEdit::textChanged, this, [this](const QString& text) {
        doc_.importY = text.toLongLong();
        showCanvas();
    });
    Canvas->onInput = [this](const CanvasInput& in) {
        if (in.kind != CanvasEventKind::Release && in.buttons == 1)
            pickColour(in.x, in.y);
    };
    // A picture kept from an earlier opening is shown at once, so what the canvas
    // shows is always what a click picks and what the import reads.
    showCanvas();
    fitCaptions(this);
}

void ImageImportWindow::showCanvas() {
    drawImportCanvas(doc_, Canvas->image(), true);
    Canvas->update();
}

void ImageImportWindow::loadImage() {
    const FileChoice choice =
        dialogs().openFile(this, "Load image (PNG or BMP)...", "", kPictureLoadFilters);
    if (choice.path.isEmpty())
        return;
    // A file that is no picture empties the canvas; one that cannot be read changes
    // nothing.
    if (readPictureFile(choice.path.toStdString(), doc_.importPicture) == LoadOutcome::WrongContent)
        doc_.importPicture = RgbPicture{};
    showCanvas();
}

LoadOutcome readPictureFile(const std::string& path, RgbPicture& picture) {
    const auto bytes = readFileBytes(path, kMaxPictureFileBytes);
    if (!bytes)
        return LoadOutcome::Unreadable;
    auto decoded = decodePicture(*bytes);
    if (!decoded)
        return LoadOutcome::WrongContent;
    picture = std::move(*decoded);
    return LoadOutcome::Loaded;
}

void ImageImportWindow::importToFont() {
    {
        HistoryStep step(doc_, "Import Image");
        importPictureToFont(doc_, colour0_);
    }
    showCanvas();
    if (redrawMainWindow_)
        redrawMainWindow_();
}

void ImageImportWindow::pickColour(int x, int y) {
    const int64_t colour = importCanvasColourAt(doc_, x, y, true);
    if (colour < 0)
        return;
    colour0_ = colour;
    ColourField->setText("$" + QString::fromStdString(hexDigits(uint64_t(colour0_))));
}

void importImageToFont(QWidget* mainWindow, Document& doc, std::function<void()> redrawMainWindow) {
    ImageImportWindow window(doc, std::move(redrawMainWindow));
    if (mainWindow)
        window.move(mainWindow->pos());
    window.exec();
}

void importImageCommand(MainWindow& window) {
    importImageToFont(&window, window.doc(), [&window] { window.redrawMainWindow(); });
}

} // namespace korvex
