#include "gui/picture_screen_window.h"

#include "core/history.h"
#include "core/picture_fit.h"
#include "core/picture_screen_apply.h"
#include "core/picture_screen_report.h"
#include "formats/picture_codec.h"
#include "gui/canvas_widget.h"
#include "gui/caption_fit.h"
#include "gui/dialogs.h"
#include "gui/file_dialog_kinds.h"
#include "render/picture_screen_preview.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QSpinBox>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>

namespace korvex {

namespace {

const FileDialogKind kPictureForScreen = {.saveTitle = nullptr,
                                          .filters = kPictureLoadFilters,
                                          .extension = ".png",
                                          .rule = ExtensionRule::AsTyped,
                                          .loadTitle = "Load picture (PNG or BMP)...",
                                          .loadBytes = kMaxPictureFileBytes};
const QString kErrorTitle = "Error...";

// The window's layout: the options in a column at the left, the preview beside them.
constexpr int kColumnX = 9;
constexpr int kColumnWidth = 200;
constexpr int kFieldX = 84;
constexpr int kRowHeight = 22;
constexpr int kPreviewX = kColumnX + kColumnWidth + 9;
constexpr int kPreviewBorder = 2;
constexpr int kWindowWidth = kPreviewX + kPreviewWidth + 2 * kPreviewBorder + 9;
constexpr int kWindowHeight = 9 + kPreviewHeight + 2 * kPreviewBorder + 9;
constexpr int kButtonsY = kWindowHeight - 9 - 27;

QLabel* label(QWidget* parent, const QString& text, int y) {
    auto* l = new QLabel(text, parent);
    l->setGeometry(kColumnX, y + 2, kFieldX - kColumnX - 4, 18);
    return l;
}

QSpinBox* numberBox(QWidget* parent, int y, int value) {
    auto* box = new QSpinBox(parent);
    box->setGeometry(kFieldX, y, 60, kRowHeight);
    box->setRange(1, kFontCount);
    box->setValue(std::clamp(value, 1, kFontCount));
    return box;
}

} // namespace

PictureScreenWindow::PictureScreenWindow(Document& doc, QWidget* parent)
    : QDialog(parent), doc_(doc) {
    setWindowTitle("Import picture to screen");
    setFixedSize(kWindowWidth, kWindowHeight);
    setAcceptDrops(true);

    LoadButton = new QPushButton("Load picture...", this);
    LoadButton->setGeometry(kColumnX, 9, 110, 27);
    LoadButton->setShortcut(QKeySequence("Ctrl+O"));
    LoadButton->setToolTip("Ctrl+O; a picture can also be dropped on the window");
    PictureLabel = new QLabel("No picture", this);
    PictureLabel->setGeometry(kColumnX, 40, kColumnWidth, 18);

    ModeLabel = label(this, "Mode:", 66);
    ModeBox = new QComboBox(this);
    ModeBox->addItems({"Two-colour (2)", "Four-colour (4)"});
    ModeBox->setGeometry(kFieldX, 66, kColumnX + kColumnWidth - kFieldX, kRowHeight);
    ModeBox->setCurrentIndex(int(doc_.FourColourMode ? PictureScreenModeChoice::FourColour
                                                     : PictureScreenModeChoice::TwoColour));
    FontsLabel = label(this, "Fonts:", 94);
    FontsBox = numberBox(this, 94, 1);
    FirstFontLabel = label(this, "First font:", 122);
    FirstFontBox = numberBox(this, 122, int(doc_.CurrentFont));
    ColoursLabel = label(this, "Colours:", 150);
    ColoursBox = new QComboBox(this);
    ColoursBox->addItems({"Auto", "Current"});
    ColoursBox->setGeometry(kFieldX, 150, kColumnX + kColumnWidth - kFieldX, kRowHeight);
    ColoursBox->setToolTip("Auto: picked from the palette for the picture; "
                           "Current: the current font's colours");
    DitherBox = new QCheckBox("Dithering", this);
    DitherBox->setGeometry(kColumnX, 180, kColumnWidth, 20);
    ZoomBox = new QCheckBox("Preview 2×", this);
    ZoomBox->setGeometry(kColumnX, 204, kColumnWidth, 20);
    ZoomBox->setChecked(true);
    FiguresLabel = new QLabel(this);
    FiguresLabel->setGeometry(kColumnX, 232, kColumnWidth, kButtonsY - 232 - 6);
    FiguresLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    FiguresLabel->setWordWrap(true);
    FiguresLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    ConvertButton = new QPushButton("Convert", this);
    ConvertButton->setGeometry(kColumnX, kButtonsY, 95, 27);
    // Enter converts, whichever control has the focus.
    ConvertButton->setDefault(true);
    LoadButton->setAutoDefault(false);
    CancelButton = new QPushButton("Cancel", this);
    CancelButton->setGeometry(kColumnX + kColumnWidth - 95, kButtonsY, 95, 27);
    CancelButton->setAutoDefault(false);
    Preview = new CanvasWidget(this, kPreviewX, 9, kPreviewWidth + 2 * kPreviewBorder,
                               kPreviewHeight + 2 * kPreviewBorder, true);

    connect(LoadButton, &QPushButton::clicked, this, &PictureScreenWindow::loadPicture);
    connect(ConvertButton, &QPushButton::clicked, this, &PictureScreenWindow::convert);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(ModeBox, &QComboBox::currentIndexChanged, this, &PictureScreenWindow::optionsChanged);
    connect(ColoursBox, &QComboBox::currentIndexChanged, this,
            &PictureScreenWindow::optionsChanged);
    connect(FontsBox, &QSpinBox::valueChanged, this, &PictureScreenWindow::optionsChanged);
    connect(FirstFontBox, &QSpinBox::valueChanged, this, &PictureScreenWindow::optionsChanged);
    connect(DitherBox, &QCheckBox::toggled, this, &PictureScreenWindow::optionsChanged);
    connect(ZoomBox, &QCheckBox::toggled, this, &PictureScreenWindow::showPreview);
    connect(&watcher_, &QFutureWatcherBase::finished, this, &PictureScreenWindow::jobFinished);

    optionsChanged();
    fitCaptions(this);
}

// A job still running keeps its own share of the picture and its options, and its
// result goes nowhere: closing never waits for it.
PictureScreenWindow::~PictureScreenWindow() {
    watcher_.disconnect(this);
}

PictureScreenOptions PictureScreenWindow::options() const {
    PictureScreenOptions o;
    o.mode = ModeBox->currentIndex() == int(PictureScreenModeChoice::FourColour) ? kFourColourMode
                                                                                 : kTwoColourMode;
    o.fonts = FontsBox->value();
    o.firstFont = FirstFontBox->value();
    o.dither = DitherBox->isChecked();
    o.autoColours = ColoursBox->currentIndex() == int(PictureScreenColourChoice::Auto);
    // Auto picks the registers the mode uses; the others keep the current font's.
    o.colours = currentColourRegisters(doc_);
    return o;
}

void PictureScreenWindow::loadPicture() {
    const QString path = chooseFileToLoad(this, kPictureForScreen, "");
    if (!path.isEmpty())
        loadPictureFile(path);
}

bool PictureScreenWindow::loadPictureFile(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    const auto bytes = readFileOfKind(kPictureForScreen, path.toStdString());
    if (!bytes) {
        dialogs().message(this, kErrorTitle, "Cannot read the file " + name + ".");
        return false;
    }
    std::string error;
    auto picture = decodePicture(*bytes, &error, PictureAlpha::Kept);
    if (!picture) {
        dialogs().message(this, kErrorTitle,
                          name + " is not a picture the editor can read (" +
                              QString::fromStdString(error) + ").");
        return false;
    }
    picture_ = std::make_shared<const RgbPicture>(std::move(*picture));
    PictureLabel->setText(name + QString(" (%1 x %2)").arg(picture_->width).arg(picture_->height));
    PictureLabel->setToolTip(path);
    optionsChanged();
    return true;
}

void PictureScreenWindow::optionsChanged() {
    ++generation_;
    shown_.reset();
    showPreview();
    ConvertButton->setEnabled(false);
    if (const auto refusal = pictureScreenOptionsError(options())) {
        showFigures(QString::fromStdString(*refusal));
        emit previewUpdated();
        return;
    }
    if (!picture_) {
        showFigures("Load a PNG or BMP picture, or drop one here.");
        return;
    }
    ConvertButton->setEnabled(true);
    showFigures("Converting...");
    // One job at a time: a running one is followed by one for the newest options.
    if (!jobRunning_)
        startJob();
}

void PictureScreenWindow::startJob() {
    jobRunning_ = true;
    watcher_.setFuture(
        QtConcurrent::run([picture = picture_, chosen = options(), generation = generation_] {
            Job job;
            job.generation = generation;
            job.result = pictureToScreen(pictureRowsWithAlpha(*picture), chosen, &job.error);
            return job;
        }));
}

void PictureScreenWindow::jobFinished() {
    jobRunning_ = false;
    Job job = watcher_.result();
    if (job.generation != generation_) {
        // Stale: the options or the picture changed while it ran.
        if (picture_ && !pictureScreenOptionsError(options()))
            startJob();
        return;
    }
    if (job.result) {
        shown_ = std::move(job.result);
        showFigures(QString::fromStdString(pictureScreenReportText(*shown_)).trimmed());
    } else {
        ConvertButton->setEnabled(false);
        showFigures(QString::fromStdString(job.error));
    }
    showPreview();
    emit previewUpdated();
}

void PictureScreenWindow::showPreview() {
    drawPictureScreenPreview(Preview->image(), shown_ ? &*shown_ : nullptr, ZoomBox->isChecked());
    Preview->update();
}

void PictureScreenWindow::showFigures(const QString& text) {
    FiguresLabel->setText(text);
}

void PictureScreenWindow::convert() {
    if (!picture_ || !ConvertButton->isEnabled())
        return;
    std::optional<PictureScreen> result = shown_;
    if (!result) {
        // The preview is not there yet: convert now, as the user asked.
        std::string error;
        result = pictureToScreen(pictureRowsWithAlpha(*picture_), options(), &error);
        if (!result) {
            dialogs().message(this, kErrorTitle, QString::fromStdString(error));
            return;
        }
    }
    {
        HistoryStep step(doc_, kPictureScreenStepName);
        applyPictureScreen(doc_, *result, doc_.currentScreen);
    }
    accept();
}

void PictureScreenWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void PictureScreenWindow::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.isEmpty() || !urls.first().isLocalFile())
        return;
    event->acceptProposedAction();
    loadPictureFile(urls.first().toLocalFile());
}

bool importPictureToScreen(QWidget* parent, Document& doc) {
    PictureScreenWindow window(doc, parent);
    if (parent)
        window.move(parent->pos());
    return window.exec() == QDialog::Accepted;
}

} // namespace korvex
