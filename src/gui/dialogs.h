#pragma once
// The one seam between the editor and the platform's standard dialogs. The program
// uses QtDialogs; tests install their own answers with setDialogs.

#include <QString>

class QWidget;

namespace korvex {

// A file dialog's answer: an empty path means the user cancelled. filterIndex is
// the position of the selected filter in the list (0 = the first, preselected one).
struct FileChoice {
    QString path;
    int filterIndex = 0;
};

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
    virtual bool question(QWidget* parent, const QString& title, const QString& text) = 0;
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
    bool question(QWidget* parent, const QString& title, const QString& text) override;
    bool choose(QWidget* parent, const QString& title, const QString& text, const QString& accept,
                const QString& reject) override;
};

// The dialogs in use; QtDialogs unless a test installed others (nullptr restores).
Dialogs& dialogs();
void setDialogs(Dialogs* replacement);

// "Font (*.fnt)|*.fnt|All files (*.*)|*.*" -> {"Font (*.fnt)", "All files (*.*)"}:
// the labels, in order, as Qt filter strings.
QStringList qtFilters(const QString& filters);

} // namespace korvex
