#pragma once
// The one seam between the editor and the platform's standard dialogs. The program
// uses QtDialogs; tests install their own answers with setDialogs.

#include <QString>

#include <string>

class QWidget;

namespace korvex {

// A file dialog's answer: an empty path means the user cancelled. filterIndex is
// the position of the selected filter in the list (0 = the first, preselected one).
struct FileChoice {
    QString path;
    int filterIndex = 0;
};

// The button of a Yes/No box that Enter presses.
enum class QuestionDefault { Yes, No };

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // filters in the "Label|pattern|Label|pattern" form.
    virtual FileChoice openFile(QWidget* parent, const QString& title, const QString& start,
                                const QString& filters) = 0;
    virtual FileChoice saveFile(QWidget* parent, const QString& title, const QString& start,
                                const QString& filters) = 0;
    // Plain box with an OK button and no icon.
    virtual void message(QWidget* parent, const QString& title, const QString& text) = 0;
    // Yes/No box; true for Yes.
    virtual bool question(QWidget* parent, const QString& title, const QString& text,
                          QuestionDefault preselected = QuestionDefault::Yes) = 0;
    // Box with two buttons named `accept` (the default) and `reject`, which the
    // user must answer with one of them; true for `accept`.
    virtual bool choose(QWidget* parent, const QString& title, const QString& text,
                        const QString& accept, const QString& reject) = 0;
};

class QtDialogs : public Dialogs {
public:
    FileChoice openFile(QWidget* parent, const QString& title, const QString& start,
                        const QString& filters) override;
    FileChoice saveFile(QWidget* parent, const QString& title, const QString& start,
                        const QString& filters) override;
    void message(QWidget* parent, const QString& title, const QString& text) override;
    bool question(QWidget* parent, const QString& title, const QString& text,
                  QuestionDefault preselected = QuestionDefault::Yes) override;
    bool choose(QWidget* parent, const QString& title, const QString& text, const QString& accept,
                const QString& reject) override;
};

// The question asked before a save replaces an existing file.
QString replaceQuestion(const std::string& path);

// Whether a save may go to `path`: true when nothing is there, or something the
// save itself refuses (see outputRefusal); otherwise asks replaceQuestion, No being
// the default, and answers Yes or No. Every save of a chosen file asks this with
// the path it will really write, extension added. The file dialogs leave the
// asking to it, so that the question is asked once and about the right name.
bool mayReplace(QWidget* parent, const std::string& path);

// The dialogs in use; QtDialogs unless a test installed others (nullptr restores).
Dialogs& dialogs();
void setDialogs(Dialogs* replacement);

// "Font (*.fnt)|*.fnt|All files (*.*)|*.*" -> {"Font (*.fnt)", "All files (*.*)"}:
// the labels, in order, as Qt filter strings.
QStringList qtFilters(const QString& filters);

} // namespace korvex
