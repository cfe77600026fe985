#include "gui/atari_view_window.h"

#include "core/atari_view.h"
#include "core/document.h"
#include "gui/canvas_widget.h"
#include "gui/main_window.h"
#include "gui/single_window.h"
#include "gui/view_editor_window.h"
#include "render/atari_view_drawing.h"
#include "render/glyph_areas.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>

namespace korvex {

namespace {

const QColor kAreaBackground(64, 64, 64);
// The window's edge stays this far inside the screen's free area.
constexpr int kScreenMargin = 32;
// A new window stands this far right of the View Editor.
constexpr int kGapBesideEditor = 8;

} // namespace

AtariViewWindow::AtariViewWindow(ViewEditorWindow& editor, Document& doc, AtariViewPlace& place)
    : QMainWindow(&editor, Qt::Window), doc_(doc), place_(place), zoom_(atariViewZoom(place.zoom)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName("AtariViewWindow");
    setWindowTitle("Atari View");

    PictureArea = new QScrollArea(this);
    PictureArea->setWidgetResizable(false);
    PictureArea->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette palette = PictureArea->palette();
    palette.setColor(QPalette::Window, kAreaBackground);
    PictureArea->setPalette(palette);
    PictureArea->setBackgroundRole(QPalette::Window);
    const QSize size = atariViewSize(doc_, zoom_);
    Canvas = new CanvasWidget(nullptr, 0, 0, size.width(), size.height(), false);
    Canvas->setObjectName("AtariViewCanvas");
    PictureArea->setWidget(Canvas);
    setCentralWidget(PictureArea);
    StatusText = new QLabel(this);
    StatusText->setObjectName("AtariViewStatus");
    statusBar()->addWidget(StatusText, 1);
    statusBar()->setSizeGripEnabled(false);
    buildMenus();

    redraw();
    fitToPicture();
    if (place_.placed)
        move(place_.position);
    else
        move(editor.frameGeometry().topRight() + QPoint(kGapBesideEditor, 0));
}

void AtariViewWindow::buildMenus() {
    QMenu* menu = menuBar()->addMenu("Zoom");
    ZoomInAction = menu->addAction("Zoom In");
    ZoomInAction->setShortcuts({QKeySequence("Ctrl++"), QKeySequence("Ctrl+=")});
    connect(ZoomInAction, &QAction::triggered, this, [this] { setZoom(zoom_ + 1); });
    ZoomOutAction = menu->addAction("Zoom Out");
    ZoomOutAction->setShortcut(QKeySequence("Ctrl+-"));
    connect(ZoomOutAction, &QAction::triggered, this, [this] { setZoom(zoom_ - 1); });
    menu->addSeparator();
    auto* group = new QActionGroup(this);
    for (int zoom = kAtariViewSmallestZoom; zoom <= kAtariViewLargestZoom; ++zoom) {
        QAction* action = menu->addAction(QString("%1x").arg(zoom));
        action->setShortcut(QKeySequence(QString("Ctrl+%1").arg(zoom)));
        action->setCheckable(true);
        action->setChecked(zoom == zoom_);
        group->addAction(action);
        connect(action, &QAction::triggered, this, [this, zoom] { setZoom(zoom); });
        zoomActions_[zoom] = action;
    }
}

QAction* AtariViewWindow::zoomAction(int zoom) const {
    return zoom >= kAtariViewSmallestZoom && zoom <= kAtariViewLargestZoom ? zoomActions_[zoom]
                                                                           : nullptr;
}

void AtariViewWindow::redraw() {
    const QSize size = atariViewSize(doc_, zoom_);
    const bool resized = Canvas->image().size() != size;
    if (resized)
        Canvas->setDrawingSize(size.width(), size.height());
    drawAtariView(doc_, Canvas->image(), zoom_);
    Canvas->update();
    showStatus();
    // A screen that grew or shrank (a row table change, another screen) is shown
    // whole again where the screen has room.
    if (resized && isVisible())
        fitToPicture();
}

void AtariViewWindow::redrawGlyph(GlyphRef changed) {
    if (Canvas->image().size() != atariViewSize(doc_, zoom_)) {
        redraw();
        return;
    }
    Canvas->redrawAreas(
        fewAreas(atariViewAreasShowing(doc_, zoom_, changed)),
        [this](QImage& image, const QRect& area) { drawAtariView(doc_, image, zoom_, area); });
}

void AtariViewWindow::setZoom(int zoom) {
    zoom_ = atariViewZoom(zoom);
    zoomActions_[zoom_]->setChecked(true);
    redraw();
    fitToPicture();
}

void AtariViewWindow::showStatus() {
    const int scanlines = screenScanlines(doc_, doc_.currentScreen);
    QString text = QString("Screen %1: %2 scanlines").arg(doc_.currentScreen).arg(scanlines);
    // The scanlines past what a display list shows are marked in the picture.
    if (scanlines > kMaxDisplayScanlines)
        text +=
            QString(", %1 past %2").arg(scanlines - kMaxDisplayScanlines).arg(kMaxDisplayScanlines);
    text += QString("   %1x").arg(zoom_);
    StatusText->setText(text);
    StatusText->setToolTip(scanlines > kMaxDisplayScanlines
                               ? QString("A display list shows %1 scanlines at most: the "
                                         "ones past the dashed line are not shown")
                                     .arg(kMaxDisplayScanlines)
                               : QString());
    ZoomInAction->setEnabled(zoom_ < kAtariViewLargestZoom);
    ZoomOutAction->setEnabled(zoom_ > kAtariViewSmallestZoom);
}

void AtariViewWindow::fitToPicture() {
    const int frame = 2 * PictureArea->frameWidth();
    QSize wanted(Canvas->width() + frame, Canvas->height() + frame +
                                              menuBar()->sizeHint().height() +
                                              statusBar()->sizeHint().height());
    if (const QScreen* shown = screen())
        wanted = wanted.boundedTo(shown->availableGeometry().size() -
                                  QSize(kScreenMargin, kScreenMargin));
    resize(wanted);
}

void AtariViewWindow::closeEvent(QCloseEvent* event) {
    closing_ = true;
    place_.placed = true;
    place_.position = pos();
    place_.zoom = zoom_;
    event->accept();
}

AtariViewWindow* atariViewOf(ViewEditorWindow& editor) {
    return singleWindowOf<AtariViewWindow>(editor);
}

void openAtariViewCommand(ViewEditorWindow& editor, MainWindow& main) {
    auto [view, made] = singleWindow<AtariViewWindow>(
        editor, [&] { return new AtariViewWindow(editor, main.doc(), main.atariViewPlace); });
    if (!made) {
        view->raise();
        view->activateWindow();
        return;
    }
    view->show();
}

} // namespace korvex
