#include "gui/export_window.h"

#include "core/document.h"
#include "formats/display_list.h"
#include "formats/file_io.h"
#include "formats/source_export.h"
#include "gui/caption_fit.h"
#include "gui/dialogs.h"
#include "gui/display_list_fields.h"
#include "gui/main_window.h"
#include "gui/modal_window.h"
#include "gui/save_failure.h"

#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

namespace korvex {

namespace {

constexpr int kFieldsGap = 6; // between the address fields and the text area
const QString kDisplayListNames[] = {"Display list (ca65): Byte in decimal",
                                     "Display list (ca65): Byte in hexadecimal"};

} // namespace

ExportWindow::ExportWindow(Document& doc, int width, int height, QWidget* parent)
    : QDialog(parent), doc_(doc) {
    // The same title serves the font, screen and range exports.
    setWindowTitle("Export font as...");
    setFixedSize(width, height);

    ExportAsLabel = new QLabel("Export as..", this);
    ExportAsLabel->setGeometry(10, 10, 60, 20);
    LanguageCombo = new QComboBox(this);
    LanguageCombo->setGeometry(70, 10, 380, 20);
    for (const std::string& name : exportLanguageNames())
        LanguageCombo->addItem(QString::fromStdString(name));
    LanguageCombo->setCurrentIndex(0);
    TextArea = new QPlainTextEdit(this);
    textArea_ = QRect(10, 40, 440, 500);
    TextArea->setGeometry(textArea_);
    if (doc_.exportKind == "screen") {
        for (const QString& name : kDisplayListNames)
            LanguageCombo->addItem(name);
        AddressFields = new DisplayListFields(doc_, textArea_.width(), this);
        AddressFields->move(textArea_.topLeft());
        AddressFields->hide();
        connect(AddressFields, &DisplayListFields::changed, this, [this] { regenerate(); });
    }
    TextArea->setLineWrapMode(QPlainTextEdit::NoWrap);
    SaveButton = new QPushButton("Save", this);
    SaveButton->setGeometry(270, 550, 80, 20);
    CancelButton = new QPushButton("Cancel", this);
    CancelButton->setGeometry(380, 550, 70, 20);
    // Enter in the list must not save or cancel by itself.
    SaveButton->setAutoDefault(false);
    CancelButton->setAutoDefault(false);

    regenerate();

    connect(LanguageCombo, &QComboBox::currentIndexChanged, this, [this] { regenerate(); });
    connect(SaveButton, &QPushButton::clicked, this, [this] { saveText(); });
    connect(CancelButton, &QPushButton::clicked, this, [this] { reject(); });
    // Cancel, the close box and Escape all end here.
    connect(this, &QDialog::finished, this, [this] { doc_.exportKind.clear(); });
    fitCaptions(this);
}

bool ExportWindow::displayListChosen() const {
    return AddressFields && LanguageCombo->currentIndex() >= kDisplayListDecimal;
}

void ExportWindow::regenerate() {
    const bool displayList = displayListChosen();
    // The fields push the text area down while the display list is chosen.
    if (AddressFields) {
        AddressFields->setVisible(displayList);
        const int below = displayList ? AddressFields->height() + kFieldsGap : 0;
        TextArea->setGeometry(textArea_.adjusted(0, below, 0, 0));
    }
    std::vector<std::string> lines;
    problem_.clear();
    if (displayList) {
        DisplayListRequest request;
        problem_ = AddressFields->request(request);
        if (problem_.empty())
            lines = displayListSource(buildDisplayList(doc_, request),
                                      LanguageCombo->currentIndex() == kDisplayListHexadecimal);
        else
            lines = {problem_};
    } else {
        lines = generateExport(doc_, LanguageCombo->currentIndex());
    }
    // A refusal is only shown, never saved or edited.
    TextArea->setReadOnly(!problem_.empty());
    QStringList text;
    text.reserve(qsizetype(lines.size()));
    for (const std::string& line : lines)
        text << QString::fromStdString(line);
    TextArea->setPlainText(text.join('\n'));
}

QStringList ExportWindow::textLines() const {
    QString text = TextArea->toPlainText();
    // Pasted text may bring its own line ends; every line gets CR LF on saving.
    text.replace("\r\n", "\n");
    text.replace('\r', '\n');
    return text.split('\n');
}

void ExportWindow::saveText() {
    if (!problem_.empty()) {
        dialogs().message(this, "Error...", QString::fromStdString(problem_));
        return;
    }
    const FileChoice choice = dialogs().saveFile(this, "Save export font (.txt)", QString(),
                                                 "Text (*.txt)|*.txt|All files (*.*)|*.*");
    if (choice.path.isEmpty())
        return;
    // ".txt" is added whichever filter was selected.
    const std::string path = withExtension(choice.path.toStdString(), ".txt");
    if (!mayReplace(this, path))
        return;
    std::vector<std::string> lines;
    for (const QString& line : textLines())
        lines.push_back(line.toStdString());
    std::string error;
    if (!writeFileAtomic(path, joinCrLf(lines), &error))
        reportSaveFailure(this, QString::fromStdString(path), QString::fromStdString(error));
}

void openExportWindowCommand(MainWindow& window, int x, int y, int width, int height) {
    ExportWindow exportWindow(window.doc(), width, height);
    runModalOverMainWindow(window, exportWindow, x, y);
}

} // namespace korvex
