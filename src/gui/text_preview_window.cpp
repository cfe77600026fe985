#include "gui/text_preview_window.h"

#include "core/document.h"
#include "core/text_codes.h"
#include "gui/canvas_widget.h"
#include "gui/caption_fit.h"
#include "gui/main_window.h"
#include "gui/single_window.h"
#include "gui/window_commands.h"
#include "render/text_preview_drawing.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>

namespace korvex {

namespace {

constexpr int kMargin = 10;
constexpr int kLabelWidth = 24;
constexpr int kRowHeight = 20;
constexpr int kLarge = 2;
constexpr int kSmall = 1;

} // namespace

TextPreviewWindow::TextPreviewWindow(MainWindow& main)
    : QWidget(&main, Qt::Window), main_(main), doc_(main.doc()) {
    setObjectName("TextPreviewWindow");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle("Text preview");

    const CanvasSize large = textPreviewSize(kLarge);
    const CanvasSize small = textPreviewSize(kSmall);
    const int canvasX = kMargin + kLabelWidth;
    setFixedSize(canvasX + large.width + kMargin,
                 4 * kMargin + 2 * kRowHeight + large.height + small.height + kMargin);

    TextEdit = new QLineEdit(this);
    TextEdit->setObjectName("TextEdit");
    TextEdit->setMaxLength(kTextPreviewLength);
    TextEdit->setGeometry(kMargin, kMargin, 400, kRowHeight);
    TextEdit->setPlaceholderText("Type a line of text");
    InverseCheck = new QCheckBox("Inverse", this);
    InverseCheck->setObjectName("InverseCheck");
    InverseCheck->setGeometry(420, kMargin, 100, kRowHeight);

    int y = 2 * kMargin + kRowHeight;
    LargeLabel = new QLabel(QString::fromUtf8("2\u00d7"), this);
    LargeLabel->setGeometry(kMargin, y, kLabelWidth, kRowHeight);
    LargeCanvas = new CanvasWidget(this, canvasX, y, large.width, large.height, false);
    LargeCanvas->setObjectName("LargeCanvas");
    y += large.height + kMargin;
    SmallLabel = new QLabel(QString::fromUtf8("1\u00d7"), this);
    SmallLabel->setGeometry(kMargin, y, kLabelWidth, kRowHeight);
    SmallCanvas = new CanvasWidget(this, canvasX, y, small.width, small.height, false);
    SmallCanvas->setObjectName("SmallCanvas");

    connect(TextEdit, &QLineEdit::textChanged, this, [this] { refresh(); });
    connect(InverseCheck, &QCheckBox::toggled, this, [this] { refresh(); });
    fitCaptions(this);
}

void TextPreviewWindow::refresh() {
    const std::vector<int> codes =
        screenCodesOfText(TextEdit->text().toStdU32String(), InverseCheck->isChecked());
    drawTextPreview(doc_, LargeCanvas->image(), codes, kLarge);
    drawTextPreview(doc_, SmallCanvas->image(), codes, kSmall);
    LargeCanvas->update();
    SmallCanvas->update();
}

void TextPreviewWindow::closeEvent(QCloseEvent* event) {
    closing_ = true;
    main_.textPreviewRedraw = nullptr;
    event->accept();
}

TextPreviewWindow* openTextPreviewOf(MainWindow& window) {
    return singleWindowOf<TextPreviewWindow>(window);
}

void openTextPreviewCommand(MainWindow& window) {
    TextPreviewWindow* view = singleWindow<TextPreviewWindow>(window, [&window] {
                                  auto* view = new TextPreviewWindow(window);
                                  view->move(window.pos() + QPoint(140, 140));
                                  window.textPreviewRedraw = [view] { view->refresh(); };
                                  return view;
                              }).first;
    view->refresh();
    view->show();
    view->raise();
}

} // namespace korvex
