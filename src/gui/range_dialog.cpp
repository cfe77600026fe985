#include "gui/range_dialog.h"

#include "core/history.h"
#include "core/view_editor.h"
#include "gui/caption_fit.h"
#include "gui/main_window.h"
#include "gui/up_down_spinner.h"
#include "gui/view_editor_file_commands.h"
#include "gui/window_commands.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

namespace korvex {

namespace {

constexpr int kDialogWidth = 250;
constexpr int kDialogHeight = 120;

QLabel* makeLabel(QWidget* parent, const QString& text, int x, int y) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(x, y, 50, 20);
    return label;
}

QPushButton* makeButton(QWidget* parent, const QString& text, int x) {
    auto* button = new QPushButton(text, parent);
    button->setGeometry(x, 90, 70, 20);
    return button;
}

// The number a text of digits reads as, without leading zeros ("" for none).
QString digitsWithoutLeadingZeros(const QString& text) {
    QString digits = text;
    while (digits.size() > 1 && digits.front() == '0')
        digits.remove(0, 1);
    return digits;
}

} // namespace

RangeDialog::RangeDialog(MainWindow& window, QWidget* editor, RangeMode mode,
                         std::function<void()> redrawEditor)
    : QWidget(editor, Qt::Window | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint),
      window_(window), doc_(window.doc()), redrawEditor_(std::move(redrawEditor)) {
    setAttribute(Qt::WA_DeleteOnClose);
    QFont small = font();
    small.setPixelSize(11);
    setFont(small);
    const bool save = mode == RangeMode::Save;
    setWindowTitle(save ? "Save range..." : "Load range...");
    setFixedSize(kDialogWidth, kDialogHeight);

    StartXLabel = makeLabel(this, "Start X:", 10, 22);
    StartYLabel = makeLabel(this, "Start Y:", 10, 52);
    addField(RangeField::StartX, 60, 20, 0, kRangeXMax);
    addField(RangeField::StartY, 60, 50, 0, kRangeYMax);
    // A loaded block brings its own size, so load mode has no size fields.
    if (save) {
        WidthLabel = makeLabel(this, "Width:", 130, 22);
        HeightLabel = makeLabel(this, "Height:", 130, 52);
        addField(RangeField::Width, 180, 20, 1, kRangeWidthMax);
        addField(RangeField::Height, 180, 50, 1, kRangeHeightMax);
    }

    CancelButton = makeButton(this, "Cancel", 10);
    connect(CancelButton, &QPushButton::clicked, this,
            [this] { dispatch({RangeDialogEventKind::Cancel}); });
    if (save) {
        ExportButton = makeButton(this, "Export", 90);
        connect(ExportButton, &QPushButton::clicked, this,
                [this] { dispatch({RangeDialogEventKind::Export}); });
    }
    ActionButton = makeButton(this, save ? "Save" : "Load", 170);
    connect(ActionButton, &QPushButton::clicked, this,
            [this] { dispatch({RangeDialogEventKind::SaveOrLoad}); });
    fitCaptions(this);
}

void RangeDialog::addField(RangeField which, int x, int y, int spinnerMin, int spinnerMax) {
    auto* field = new QLineEdit(this);
    field->setGeometry(x, y, 30, 20);
    field->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), field));
    auto* spinner = new UpDownSpinner(this, x + 40, y, 10, 20);
    spinner->setRange(spinnerMin, spinnerMax);
    switch (which) {
    case RangeField::StartX:
        StartXField = field, StartXSpinner = spinner;
        break;
    case RangeField::StartY:
        StartYField = field, StartYSpinner = spinner;
        break;
    case RangeField::Width:
        WidthField = field, WidthSpinner = spinner;
        break;
    case RangeField::Height:
        HeightField = field, HeightSpinner = spinner;
        break;
    }
    const int value = *controlsOf(which).variable;
    field->setText(QString::number(value));
    spinner->setValue(value);
    connect(field, &QLineEdit::textEdited, this, [this, which](const QString& text) {
        RangeDialogEvent e{RangeDialogEventKind::FieldEdited, which};
        e.text = text;
        dispatch(e);
    });
    connect(spinner, &UpDownSpinner::valueStepped, this, [this, which](int value) {
        RangeDialogEvent e{RangeDialogEventKind::SpinnerStepped, which};
        e.value = value;
        dispatch(e);
    });
}

RangeDialog::FieldControls RangeDialog::controlsOf(RangeField field) {
    switch (field) {
    case RangeField::StartX:
        return {StartXField, StartXSpinner, &doc_.rangeX, kRangeXMax};
    case RangeField::StartY:
        return {StartYField, StartYSpinner, &doc_.rangeY, kRangeYMax};
    case RangeField::Width:
        return {WidthField, WidthSpinner, &doc_.rangeWidth, kRangeWidthMax};
    case RangeField::Height:
        break;
    }
    return {HeightField, HeightSpinner, &doc_.rangeHeight, kRangeHeightMax};
}

int RangeDialog::rangeDialogEvent(const RangeDialogEvent& event) {
    switch (event.kind) {
    case RangeDialogEventKind::Close:
    case RangeDialogEventKind::Cancel:
        doc_.rangeFrameShown = 0;
        redrawEditor_();
        return 0;
    case RangeDialogEventKind::SaveOrLoad: {
        HistoryStep step(doc_, "Load Range");
        if (saveOrLoadRangeBlock(this, doc_))
            redrawEditor_();
        break;
    }
    case RangeDialogEventKind::Export:
        doc_.exportKind = "range";
        openExportWindowCommand(window_, 0, 0, 460, 580);
        break;
    case RangeDialogEventKind::FieldEdited:
        fieldEdited(event.field, event.text);
        break;
    case RangeDialogEventKind::SpinnerStepped:
        spinnerStepped(event.field, event.value);
        break;
    }
    return 1;
}

void RangeDialog::fieldEdited(RangeField which, const QString& text) {
    const FieldControls c = controlsOf(which);
    if (!c.field)
        return;
    const int value = rangeFieldValue(text.toStdString(), c.maximum);
    *c.variable = uint8_t(value);
    // The field never shows another number than the one in use: a capped value
    // and one that wrapped past 255 are written back. An emptied field stays
    // empty (it counts as 0) so that the user can type a new number.
    if (!text.isEmpty() && digitsWithoutLeadingZeros(text) != QString::number(value))
        c.field->setText(QString::number(value));
    c.spinner->setValue(value);
    redrawEditor_();
}

void RangeDialog::spinnerStepped(RangeField which, int value) {
    const FieldControls c = controlsOf(which);
    if (!c.field)
        return;
    *c.variable = uint8_t(value);
    c.field->setText(QString::number(value));
    redrawEditor_();
}

void RangeDialog::dispatch(const RangeDialogEvent& event) {
    if (rangeDialogEvent(event) == 0)
        finishClosing();
}

void RangeDialog::finishClosing() {
    doc_.rangeFrameShown = 0;
    open_ = false;
    closing_ = true;
    close();
}

void RangeDialog::dismiss() {
    open_ = false;
    closing_ = true;
    close();
}

void RangeDialog::closeEvent(QCloseEvent* event) {
    if (closing_) {
        event->accept();
        return;
    }
    if (rangeDialogEvent({RangeDialogEventKind::Close}) == 0) {
        doc_.rangeFrameShown = 0;
        open_ = false;
        event->accept();
    } else {
        event->ignore();
    }
}

RangeDialog* openRangeDialog(MainWindow& window, QWidget* editor, RangeMode mode,
                             std::function<void()> redrawEditor) {
    Document& doc = window.doc();
    doc.rangeMode = mode;
    auto* dialog = new RangeDialog(window, editor, mode, std::move(redrawEditor));
    dialog->move(editor->pos());
    dialog->show();
    doc.rangeFrameShown = 1;
    return dialog;
}

} // namespace korvex
