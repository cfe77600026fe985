#include "gui/palette_window.h"

#include "core/palette.h"
#include "formats/palette_picture.h"
#include "gui/canvas_widget.h"
#include "gui/caption_fit.h"
#include "gui/main_window.h"
#include "gui/modal_window.h"
#include "render/canvas.h"
#include "render/picture_convert.h"

#include <QLabel>
#include <QPushButton>

namespace korvex {

namespace {

QLabel* borderedCentredLabel(QWidget* parent, int x, int y, int w, int h) {
    auto* label = new QLabel(parent);
    label->setGeometry(x, y, w, h);
    label->setAlignment(Qt::AlignCenter);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setLineWidth(1);
    return label;
}

} // namespace

PaletteWindow::PaletteWindow(MainWindow& window, int reg, QWidget* parent)
    : QDialog(parent), window_(window), reg_(reg), picture_(palettePicture()) {
    setWindowTitle("ATARI palette... ");
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    setFixedSize(250, 340);

    // The bordered canvas's frame lies outside the 161 x 289 picture, so the
    // widget starts 2 pixels before (10, 10) and event positions are picture
    // positions.
    PaletteCanvas =
        new CanvasWidget(this, 8, 8, kPalettePictureWidth + 4, kPalettePictureHeight + 4, true);
    PaletteCanvas->setObjectName("PaletteCanvas");
    PaletteCanvas->image() = toQImage(picture_);
    PaletteCanvas->onInput = [this](const CanvasInput& input) { canvasInput(input); };

    ColourBox = borderedCentredLabel(this, 180, 10, 60, 260);
    ColourBox->setObjectName("ColourBox");
    ColourBox->setAutoFillBackground(true);
    ChosenValueLabel = borderedCentredLabel(this, 180, 280, 60, 20);
    ChosenValueLabel->setObjectName("ChosenValueLabel");
    PointerValueLabel = borderedCentredLabel(this, 10, 310, 60, 20);
    PointerValueLabel->setObjectName("PointerValueLabel");
    OkButton = new QPushButton("OK", this);
    OkButton->setObjectName("OkButton");
    OkButton->setGeometry(140, 310, 100, 20);
    connect(OkButton, &QPushButton::clicked, this, [this] { confirm(); });

    // A register number outside 1..6 gets an inert window: black, value 0, and
    // "OK" only closes it.
    if (validRegister()) {
        const Document& doc = window_.doc();
        chosenColour_ = workingColour(doc, reg_);
        chosenValue_ = int(doc.AtariColour[reg_] & 0xFF);
    }
    showChosen();
    PointerValueLabel->setText(QString::fromStdString(paletteValueText(chosenValue_)));
    fitCaptions(this);
}

void PaletteWindow::showChosen() {
    QPalette p = ColourBox->palette();
    p.setColor(QPalette::Window, QColor::fromRgb(toQRgb(chosenColour_)));
    ColourBox->setPalette(p);
    ChosenValueLabel->setText(QString::fromStdString(paletteValueText(chosenValue_)));
}

void PaletteWindow::canvasInput(const CanvasInput& input) {
    const PalettePointer pointer = palettePointerAt(input.x, input.y);
    if (!pointer.inside)
        return;
    PointerValueLabel->setText(QString::fromStdString(palettePointerText(pointer.value)));
    if (input.buttons != 1)
        return;
    // A cell's position is always inside the picture; the check keeps a picture of
    // another size from being read out of bounds.
    if (input.x >= picture_.width || input.y >= picture_.height)
        return;
    const uint32_t colour = picture_.at(input.x, input.y);
    if (colour == kPaletteGridLine)
        return;
    chosenColour_ = colour;
    chosenValue_ = pointer.value;
    showChosen();
}

bool PaletteWindow::validRegister() const {
    return reg_ >= LUM && reg_ <= PF3;
}

void PaletteWindow::confirm() {
    if (!validRegister()) {
        accept();
        return;
    }
    Document& doc = window_.doc();
    workingColour(doc, reg_) = chosenColour_;
    doc.AtariColour[reg_] = chosenValue_;
    storeFontColours(doc);
    // Fills the six swatches and the two mouse-button boxes.
    window_.refreshColourBoxes();
    window_.redrawMainWindow();
    accept();
}

void openAtariPaletteCommand(MainWindow& window, int reg) {
    if (reg < LUM || reg > PF3)
        return;
    PaletteWindow palette(window, reg);
    runModalOverMainWindow(window, palette, 300, 150);
}

} // namespace korvex
