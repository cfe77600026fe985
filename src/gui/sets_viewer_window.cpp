#include "gui/sets_viewer_window.h"

#include "core/document.h"
#include "core/hit_areas.h"
#include "gui/canvas_widget.h"
#include "gui/caption_fit.h"
#include "gui/main_window.h"
#include "gui/single_window.h"
#include "gui/window_commands.h"
#include "render/canvas_sizes.h"
#include "render/glyph_areas.h"
#include "render/main_canvases.h"

#include <QCloseEvent>
#include <QLabel>
#include <QScrollBar>
#include <algorithm>

namespace korvex {

namespace {

constexpr int kShownSets = 10;
constexpr int kBlockWidth = 80;
// The scroll bar covers sets 1..100 with a page of ten, so the first shown set
// runs from 1 to 91.
constexpr int kFirstSetMin = 1;
constexpr int kFirstSetMax = kSetCount - kShownSets + 1;

} // namespace

SetsViewerWindow::SetsViewerWindow(MainWindow& main)
    : QWidget(&main, Qt::Window), main_(main), doc_(main.doc()) {
    setObjectName("SetsViewerWindow");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle("SETS Viewer");
    setFixedSize(820, 150);

    StripCanvas =
        new CanvasWidget(this, 10, 10, kSetsStripSize.width, kSetsStripSize.height, false);
    StripCanvas->setObjectName("StripCanvas");
    StripCanvas->onInput = [this](const CanvasInput& in) {
        dispatch(SetsViewerEvent{SetsViewerEventKind::Canvas, 0, in.x, in.y, in.buttons});
    };

    // The first shown set outlives the window; reopening continues where it was,
    // with the scroll bar and the labels telling the same.
    doc_.SetsViewerFirst = std::clamp<int64_t>(doc_.SetsViewerFirst, kFirstSetMin, kFirstSetMax);

    SetsScrollBar = new QScrollBar(Qt::Horizontal, this);
    SetsScrollBar->setObjectName("SetsScrollBar");
    SetsScrollBar->setGeometry(10, 120, 800, 20);
    SetsScrollBar->setRange(kFirstSetMin, kFirstSetMax);
    SetsScrollBar->setPageStep(kShownSets);
    SetsScrollBar->setSingleStep(1);
    SetsScrollBar->setValue(int(doc_.SetsViewerFirst));
    connect(SetsScrollBar, &QScrollBar::valueChanged, this, [this](int value) {
        dispatch(SetsViewerEvent{SetsViewerEventKind::Scroll, value});
    });

    for (int i = 1; i <= kShownSets; ++i) {
        auto* label = new QLabel(this);
        label->setObjectName(QString("SetsViewerLabel%1").arg(i));
        label->setGeometry(10 + kBlockWidth * (i - 1), 90, kBlockWidth, 20);
        label->setAlignment(Qt::AlignCenter);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setLineWidth(1);
        SetsViewerLabels[i] = label;
    }
    updateLabels();
    fitCaptions(this);
}

void SetsViewerWindow::updateLabels() {
    for (int i = 1; i <= kShownSets; ++i)
        SetsViewerLabels[i]->setText("SET: " + QString::number(doc_.SetsViewerFirst + i - 1));
}

void SetsViewerWindow::drawSetsStrip() {
    korvex::drawSetsStrip(doc_, StripCanvas->image());
    StripCanvas->update();
}

void SetsViewerWindow::redrawGlyph(GlyphRef changed) {
    StripCanvas->redrawAreas(
        fewAreas(setsStripAreasShowing(doc_, changed)),
        [this](QImage& image, const QRect& area) { korvex::drawSetsStrip(doc_, image, area); });
}

int SetsViewerWindow::setsViewerEvent(const SetsViewerEvent& event) {
    switch (event.kind) {
    case SetsViewerEventKind::Close:
        main_.setsViewerOpen = false;
        return 0;
    case SetsViewerEventKind::Scroll:
        doc_.SetsViewerFirst = std::clamp(event.value, kFirstSetMin, kFirstSetMax);
        updateLabels();
        drawSetsStrip();
        break;
    case SetsViewerEventKind::Canvas:
        // A file dialog that just closed swallows the next canvas events.
        if (main_.takeSkippedCanvasEvent())
            break;
        stripClicked(event);
        break;
    }
    return 1;
}

void SetsViewerWindow::stripClicked(const SetsViewerEvent& event) {
    if (event.buttons != 1)
        return;
    const int64_t area =
        findHitArea(doc_, kSetsStripAreas, kSetsStripAreas + kShownSets - 1, event.x, event.y);
    if (area == -1)
        return;
    const int64_t set = doc_.SetsViewerFirst + (area - kSetsStripAreas);
    if (set < 1 || set > kSetCount)
        return;
    doc_.CurrentSet = set;
    main_.SetNumberLabel->setText(QString::number(set));
    main_.redrawMainWindow();
}

void SetsViewerWindow::dispatch(const SetsViewerEvent& event) {
    if (closing_)
        return;
    if (setsViewerEvent(event) == 0) {
        closing_ = true;
        close();
    }
}

void SetsViewerWindow::closeEvent(QCloseEvent* event) {
    if (!closing_ && setsViewerEvent(SetsViewerEvent{SetsViewerEventKind::Close}) != 0) {
        event->ignore();
        return;
    }
    closing_ = true;
    main_.setsViewerRedraw = nullptr;
    main_.setsViewerGlyphRedraw = nullptr;
    event->accept();
}

SetsViewerWindow* openSetsViewerOf(MainWindow& window) {
    return singleWindowOf<SetsViewerWindow>(window);
}

void openSetsViewerCommand(MainWindow& window) {
    auto [viewer, made] =
        singleWindow<SetsViewerWindow>(window, [&window] { return new SetsViewerWindow(window); });
    window.setsViewerOpen = true;
    if (!made) {
        // Never a second viewer: bring the one there is to the front.
        viewer->raise();
        viewer->activateWindow();
        return;
    }
    viewer->move(10, 10);
    viewer->show();
    window.setsViewerOpen = true;
    window.setsViewerRedraw = [viewer] { viewer->drawSetsStrip(); };
    window.setsViewerGlyphRedraw = [viewer](GlyphRef changed) { viewer->redrawGlyph(changed); };
    viewer->drawSetsStrip();
}

} // namespace korvex
