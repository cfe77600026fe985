#include "gui/multi_font_view_window.h"

#include "core/document.h"
#include "gui/canvas_widget.h"
#include "gui/caption_fit.h"
#include "gui/main_window.h"
#include "gui/single_window.h"
#include "gui/window_commands.h"
#include "render/canvas_sizes.h"
#include "render/glyph_areas.h"
#include "render/multi_font_view_drawing.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>

namespace korvex {

namespace {

constexpr int kRows = 5;
constexpr int kOffIndex = 10;
constexpr int kCanvasOffset = 2;
// The picture of five fonts is 640 high and the canvas sits 2 pixels down, so the
// inner area is 642 high to show its last pixel rows.
constexpr int kInnerWidth = 540;
constexpr int kInnerHeight = 640 + kCanvasOffset;
constexpr int kScrollStep = 16;

void paintBlack(QWidget* widget) {
    QPalette p = widget->palette();
    p.setColor(QPalette::Window, Qt::black);
    widget->setPalette(p);
    widget->setAutoFillBackground(true);
}

} // namespace

int multiViewComboIndex(int64_t selection) {
    return selection >= 0 && selection <= kOffIndex ? int(selection) : kOffIndex;
}

MultiFontViewWindow::MultiFontViewWindow(MainWindow& main)
    : QWidget(&main, Qt::Window), main_(main), doc_(main.doc()) {
    setObjectName("MultiFontViewWindow");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle("Multi Font View");
    setFixedSize(650, 300);

    FontLabel = new QLabel("FONT:", this);
    FontLabel->setObjectName("FontLabel");
    FontLabel->setGeometry(10, 20, 50, 20);

    QStringList items;
    for (int font = 1; font <= kFontCount; ++font)
        items << QString::number(font);
    items << "OFF";
    for (int row = 1; row <= kRows; ++row) {
        auto* combo = new QComboBox(this);
        combo->setObjectName(QString("FontCombo%1").arg(row));
        combo->setGeometry(10, 50 + 30 * (row - 1), 50, 20);
        combo->addItems(items);
        FontCombo[row] = combo;
    }
    // Selections are shown before the lists are connected, so opening the window
    // never writes to MultiViewFonts.
    showSelections();
    for (int row = 1; row <= kRows; ++row)
        connect(FontCombo[row], &QComboBox::currentIndexChanged, this, [this, row](int index) {
            dispatch(MultiFontViewEvent{MultiFontViewEventKind::ComboChanged, row, index});
        });

    ViewScrollArea = new QScrollArea(this);
    ViewScrollArea->setObjectName("ViewScrollArea");
    ViewScrollArea->setGeometry(80, 10, 564, 280);
    ViewScrollArea->setWidgetResizable(false);
    paintBlack(ViewScrollArea->viewport());
    auto* inner = new QWidget;
    inner->setFixedSize(kInnerWidth, kInnerHeight);
    paintBlack(inner);
    ViewCanvas = new CanvasWidget(inner, kCanvasOffset, kCanvasOffset, kMultiFontViewSize.width,
                                  kMultiFontViewSize.height, false);
    ViewCanvas->setObjectName("ViewCanvas");
    ViewScrollArea->setWidget(inner);
    ViewScrollArea->horizontalScrollBar()->setSingleStep(kScrollStep);
    ViewScrollArea->verticalScrollBar()->setSingleStep(kScrollStep);
    fitCaptions(this);
}

void MultiFontViewWindow::showSelections() {
    for (int row = 1; row <= kRows; ++row) {
        const QSignalBlocker quiet(FontCombo[row]);
        FontCombo[row]->setCurrentIndex(multiViewComboIndex(doc_.MultiViewFonts[row]));
    }
}

void MultiFontViewWindow::drawMultiFontView() {
    korvex::drawMultiFontView(doc_, ViewCanvas->image());
    ViewCanvas->update();
}

void MultiFontViewWindow::redrawGlyph(GlyphRef changed) {
    ViewCanvas->redrawAreas(
        multiFontViewAreasShowing(doc_, changed),
        [this](QImage& image, const QRect& area) { korvex::drawMultiFontView(doc_, image, area); });
}

void MultiFontViewWindow::refresh() {
    showSelections();
    drawMultiFontView();
}

int MultiFontViewWindow::multiFontViewEvent(const MultiFontViewEvent& event) {
    switch (event.kind) {
    case MultiFontViewEventKind::Close:
        return 0;
    case MultiFontViewEventKind::ComboChanged:
        if (event.row < 1 || event.row > kRows || event.index < 0 || event.index > kOffIndex)
            break;
        doc_.MultiViewFonts[event.row] = event.index;
        drawMultiFontView();
        break;
    }
    return 1;
}

void MultiFontViewWindow::dispatch(const MultiFontViewEvent& event) {
    if (closing_)
        return;
    if (multiFontViewEvent(event) == 0) {
        closing_ = true;
        close();
    }
}

void MultiFontViewWindow::closeEvent(QCloseEvent* event) {
    if (!closing_ && multiFontViewEvent(MultiFontViewEvent{MultiFontViewEventKind::Close}) != 0) {
        event->ignore();
        return;
    }
    closing_ = true;
    main_.multiFontViewOpen = false;
    main_.multiFontViewRedraw = nullptr;
    main_.multiFontViewGlyphRedraw = nullptr;
    event->accept();
}

MultiFontViewWindow* openMultiFontViewOf(MainWindow& window) {
    return singleWindowOf<MultiFontViewWindow>(window);
}

void openMultiFontViewCommand(MainWindow& window) {
    auto [view, made] = singleWindow<MultiFontViewWindow>(
        window, [&window] { return new MultiFontViewWindow(window); });
    if (!made)
        return;
    view->move(window.pos() + QPoint(100, 100));
    view->show();
    window.multiFontViewOpen = true;
    window.multiFontViewRedraw = [view] { view->refresh(); };
    window.multiFontViewGlyphRedraw = [view](GlyphRef changed) { view->redrawGlyph(changed); };
    view->drawMultiFontView();
}

} // namespace korvex
