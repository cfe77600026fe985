#include "gui/font_range_window.h"

#include "core/document.h"
#include "core/font_codec.h"
#include "formats/font_file.h"
#include "gui/caption_fit.h"
#include "gui/dialogs.h"
#include "gui/font_file_commands.h"
#include "gui/save_failure.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace korvex {

FontRangeWindow::FontRangeWindow(Document& doc, QWidget* parent) : QDialog(parent), doc_(doc) {
    setWindowTitle("Save font range ...");
    setFixedSize(300, 50);

    FromCombo = new QComboBox(this);
    FromCombo->setGeometry(10, 10, 70, 20);
    ToLabel = new QLabel("TO", this);
    ToLabel->setGeometry(80, 10, 40, 20);
    ToLabel->setAlignment(Qt::AlignCenter);
    ToCombo = new QComboBox(this);
    ToCombo->setGeometry(120, 10, 70, 20);
    SaveButton = new QPushButton("Save FNT", this);
    SaveButton->setGeometry(220, 10, 70, 20);

    for (const std::string& label : glyphCodeLabels()) {
        FromCombo->addItem(QString::fromStdString(label));
        ToCombo->addItem(QString::fromStdString(label));
    }
    FromCombo->setCurrentIndex(0);
    ToCombo->setCurrentIndex(ToCombo->count() - 1);

    connect(SaveButton, &QPushButton::clicked, this, [this] { saveRange(); });
    fitCaptions(this);
}

void FontRangeWindow::saveRange() {
    const int from = FromCombo->currentIndex();
    const int to = ToCombo->currentIndex();
    if (from > to) {
        dialogs().message(this, "Error...", "The range FROM must be less than the range TO !");
        return;
    }
    encodeFont(doc_, -1);
    const FileChoice choice =
        dialogs().saveFile(this, "Save font (.fnt)", QString(), kFontFileFilters);
    if (choice.path.isEmpty() || !mayReplace(this, choice.path.toStdString()))
        return;
    std::string error;
    if (!saveFontRangeFile(doc_, choice.path.toStdString(), from, to, &error)) {
        reportSaveFailure(this, choice.path, QString::fromStdString(error));
        return;
    }
    accept();
}

} // namespace korvex
