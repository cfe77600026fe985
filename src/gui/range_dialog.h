#pragma once
// The View Editor's range dialog: chooses the range rectangle on the current
// screen and saves it as a range block or exports it (save mode), or chooses
// where a loaded range block goes (load mode). Its events go through one event
// procedure, rangeDialogEvent, which answers 0 to have the dialog closed.

#include "core/document.h"

#include <QWidget>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace korvex {

class MainWindow;
class UpDownSpinner;

enum class RangeField { StartX, StartY, Width, Height };

enum class RangeDialogEventKind { Close, Cancel, SaveOrLoad, Export, FieldEdited, SpinnerStepped };

struct RangeDialogEvent {
    RangeDialogEventKind kind;
    RangeField field = RangeField::StartX;
    QString text = {}; // FieldEdited: the field's text
    int value = 0;     // SpinnerStepped: the spinner's value
};

class RangeDialog : public QWidget {
    Q_OBJECT
public:
    // mode is RangeMode::Load or RangeMode::Save; redrawEditor redraws the View
    // Editor's canvas.
    RangeDialog(MainWindow& window, QWidget* editor, RangeMode mode,
                std::function<void()> redrawEditor);

    int rangeDialogEvent(const RangeDialogEvent& event);

    // Closes the dialog from outside (the View Editor closing), without asking
    // the event procedure.
    void dismiss();
    // From the dialog's making until it closes.
    bool isOpen() const { return open_; }

    QLabel* StartXLabel = nullptr;
    QLabel* StartYLabel = nullptr;
    QLabel* WidthLabel = nullptr; // save mode only
    QLabel* HeightLabel = nullptr;
    QLineEdit* StartXField = nullptr;
    QLineEdit* StartYField = nullptr;
    QLineEdit* WidthField = nullptr;
    QLineEdit* HeightField = nullptr;
    UpDownSpinner* StartXSpinner = nullptr;
    UpDownSpinner* StartYSpinner = nullptr;
    UpDownSpinner* WidthSpinner = nullptr;
    UpDownSpinner* HeightSpinner = nullptr;
    QPushButton* CancelButton = nullptr;
    QPushButton* ExportButton = nullptr; // save mode only
    QPushButton* ActionButton = nullptr; // "Save" or "Load"

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    struct FieldControls {
        QLineEdit* field;
        UpDownSpinner* spinner;
        uint8_t* variable;
        int maximum;
    };
    FieldControls controlsOf(RangeField field);
    void addField(RangeField field, int x, int y, int spinnerMin, int spinnerMax);
    void fieldEdited(RangeField field, const QString& text);
    void spinnerStepped(RangeField field, int value);
    void dispatch(const RangeDialogEvent& event);
    void finishClosing();

    MainWindow& window_;
    Document& doc_;
    std::function<void()> redrawEditor_;
    bool closing_ = false;
    bool open_ = true;
};

// Opens the dialog at the View Editor's position, on top of other windows:
// rangeMode = mode, rangeFrameShown = 1. The caller redraws.
RangeDialog* openRangeDialog(MainWindow& window, QWidget* editor, RangeMode mode,
                             std::function<void()> redrawEditor);

} // namespace korvex
