#pragma once
// The "ATARI palette... " window: the palette picture to pick a register's colour
// from, a box showing the chosen colour, the chosen value, the value under the
// pointer and "OK". Only "OK" changes the register; closing the window discards
// the choice.
//
// The main window's palette buttons open it with openAtariPaletteCommand
// (window_commands.h).

#include "core/document.h"
#include "gui/window_commands.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace korvex {

class CanvasWidget;
struct CanvasInput;

class PaletteWindow : public QDialog {
    Q_OBJECT
public:
    // Builds the window for register `reg` (1..6), starting from the register's
    // working colour and Atari colour value.
    PaletteWindow(MainWindow& window, int reg, QWidget* parent = nullptr);

    int reg() const { return reg_; }
    int64_t chosenColour() const { return chosenColour_; }
    int chosenValue() const { return chosenValue_; }

    // Every mouse event over the picture: the pointer text follows the colour cell
    // under the pointer; with only the left button held the cell's colour is picked
    // (grid lines are not).
    void canvasInput(const CanvasInput& input);

    // The "OK" command: stores the choice into the register, the current font's
    // colours and the main window's boxes, redraws the main window and closes.
    void confirm();

    CanvasWidget* PaletteCanvas = nullptr;
    QLabel* ColourBox = nullptr;
    QLabel* ChosenValueLabel = nullptr;
    QLabel* PointerValueLabel = nullptr;
    QPushButton* OkButton = nullptr;

private:
    bool validRegister() const;
    void showChosen();

    MainWindow& window_;
    int reg_;
    RgbPicture picture_;
    int64_t chosenColour_ = 0;
    int chosenValue_ = 0;
};

} // namespace korvex
