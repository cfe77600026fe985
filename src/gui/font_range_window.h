#pragma once
// The "Save font range ..." window: two lists of glyph codes, FROM and TO, and a
// button that writes the whole glyphs FROM..TO of the current font to a file.
// It closes after a successful save or by its close box.

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;

namespace korvex {

struct Document;

class FontRangeWindow : public QDialog {
    Q_OBJECT
public:
    explicit FontRangeWindow(Document& doc, QWidget* parent = nullptr);

    // The "Save FNT" command. Refuses FROM > TO with a message; otherwise asks for
    // a file name and writes the range. The window closes (accepted) only when the
    // file was written.
    void saveRange();

    QComboBox* FromCombo = nullptr;
    QLabel* ToLabel = nullptr;
    QComboBox* ToCombo = nullptr;
    QPushButton* SaveButton = nullptr;

private:
    Document& doc_;
};

} // namespace korvex
