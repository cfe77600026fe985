#include "gui/dialogs.h"

#include "formats/file_io.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <sys/stat.h>

namespace korvex {

namespace {
Dialogs* g_replacement = nullptr;

// Qt reads the patterns from the parentheses of each label, so a label that
// lacks them gets its pattern appended.
QStringList labelsWithPatterns(const QString& filters) {
    const QStringList parts = filters.split('|');
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString label = parts[i];
        if (!label.contains('('))
            label += " (" + QString(parts[i + 1]).replace(';', ' ') + ")";
        out << label;
    }
    return out;
}

FileChoice runFileDialog(QWidget* parent, const QString& title, const QString& start,
                         const QString& filters, QFileDialog::AcceptMode mode) {
    QFileDialog dialog(parent, title, start);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    const QStringList list = labelsWithPatterns(filters);
    dialog.setNameFilters(list);
    if (!list.isEmpty())
        dialog.selectNameFilter(list.first());
    // mayReplace asks once the extension is added, about the file really written.
    if (mode == QFileDialog::AcceptSave)
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    FileChoice choice;
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return choice;
    choice.path = dialog.selectedFiles().first();
    choice.filterIndex = std::max<int>(0, int(list.indexOf(dialog.selectedNameFilter())));
    return choice;
}
} // namespace

QStringList qtFilters(const QString& filters) {
    return labelsWithPatterns(filters);
}

FileChoice QtDialogs::openFile(QWidget* parent, const QString& title, const QString& start,
                               const QString& filters) {
    return runFileDialog(parent, title, start, filters, QFileDialog::AcceptOpen);
}

FileChoice QtDialogs::saveFile(QWidget* parent, const QString& title, const QString& start,
                               const QString& filters) {
    return runFileDialog(parent, title, start, filters, QFileDialog::AcceptSave);
}

void QtDialogs::message(QWidget* parent, const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, parent);
    box.exec();
}

bool QtDialogs::question(QWidget* parent, const QString& title, const QString& text,
                         QuestionDefault preselected) {
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(preselected == QuestionDefault::No ? QMessageBox::No : QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

bool QtDialogs::choose(QWidget* parent, const QString& title, const QString& text,
                       const QString& accept, const QString& reject) {
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::NoButton, parent);
    QPushButton* acceptButton = box.addButton(accept, QMessageBox::AcceptRole);
    // Neither a reject nor a no role: Escape and the close box then do nothing, so
    // the rejecting answer is never given by accident.
    box.addButton(reject, QMessageBox::DestructiveRole);
    box.setDefaultButton(acceptButton);
    box.exec();
    return box.clickedButton() == acceptButton;
}

QString replaceQuestion(const std::string& path) {
    return QString::fromStdString(fileNamePart(path)) +
           " already exists.\nDo you want to replace it?\n\n" + QString::fromStdString(path);
}

bool mayReplace(QWidget* parent, const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !outputRefusal(path).empty())
        return true;
    return dialogs().question(parent, "Replace...", replaceQuestion(path), QuestionDefault::No);
}

Dialogs& dialogs() {
    static QtDialogs platform;
    return g_replacement ? *g_replacement : platform;
}

void setDialogs(Dialogs* replacement) {
    g_replacement = replacement;
}

} // namespace korvex
