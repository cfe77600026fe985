#pragma once
// The export window: source text of the current font, or of the View Editor's
// screen or range (chosen by the document's exportKind), in one of seven languages.
// The text can be edited by hand and saved as a .txt file; saving keeps the window
// open. Closing it in any way clears exportKind, so the next export without a kind
// is the font again.
//
// The main window opens it with openExportWindowCommand (window_commands.h);
// the View Editor sets exportKind first and opens it the same way. For a screen,
// the list also offers the screen's ANTIC display list in the assembler syntax,
// with fields for the addresses it needs (display_list_fields.h).

#include "gui/window_commands.h"

#include <QDialog>
#include <QRect>
#include <string>

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace korvex {

class DisplayListFields;
struct Document;

// The language list's entries for the display list, after the seven languages.
constexpr int kDisplayListDecimal = 7;
constexpr int kDisplayListHexadecimal = 8;

class ExportWindow : public QDialog {
    Q_OBJECT
public:
    // Builds the window with the given client size and fills it for language 0.
    ExportWindow(Document& doc, int width = 460, int height = 580, QWidget* parent = nullptr);

    // Replaces the text with the export in the selected language. A display list
    // whose addresses break a rule gives the reason instead, and no text to save.
    void regenerate();

    // The "Save" command: asks for a name, adds ".txt" unless it ends so, and
    // writes the text's lines, each followed by CR LF. The window stays open. While
    // the display list's addresses are refused it says why and writes nothing.
    void saveText();

    // The text area's lines, as they will be written.
    QStringList textLines() const;

    QLabel* ExportAsLabel = nullptr;
    QComboBox* LanguageCombo = nullptr;
    QPlainTextEdit* TextArea = nullptr;
    QPushButton* SaveButton = nullptr;
    QPushButton* CancelButton = nullptr;
    // The display list's address fields; nullptr unless the export is a screen.
    DisplayListFields* AddressFields = nullptr;

private:
    bool displayListChosen() const;

    Document& doc_;
    QRect textArea_; // where the text area stands without the address fields
    std::string problem_;
};

} // namespace korvex
