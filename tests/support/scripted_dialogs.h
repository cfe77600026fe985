#pragma once
// Dialog answers for tests: queue what the user would choose, then read back what
// was asked. Installed for the lifetime of the object.

#include "gui/dialogs.h"

#include <QStringList>
#include <deque>

namespace korvex::test {

struct AskedDialog {
    QString kind; // "open", "save", "message", "question", "choice"
    QString title;
    QString textOrStart;
    QString filters;          // for a "choice": the two button names, "accept|reject"
    bool noIsDefault = false; // for a "question": Enter answers No
};

class ScriptedDialogs : public Dialogs {
public:
    ScriptedDialogs() { setDialogs(this); }
    ~ScriptedDialogs() override { setDialogs(nullptr); }

    std::deque<FileChoice> files; // answers of open/save dialogs (empty = cancel)
    std::deque<bool> answers;     // answers of Yes/No boxes (empty = No)
    std::deque<bool> choices;     // answers of two-button boxes (empty = the second)
    // While set, every question whether to replace a file is answered Yes, and is
    // neither recorded nor takes an answer from `answers`: for tests that replace
    // files on purpose and count the other dialogs.
    bool replaceFiles = false;
    std::vector<AskedDialog> asked;

    FileChoice openFile(QWidget*, const QString& title, const QString& start,
                        const QString& filters) override {
        asked.push_back({"open", title, start, filters});
        return next();
    }
    FileChoice saveFile(QWidget*, const QString& title, const QString& start,
                        const QString& filters) override {
        asked.push_back({"save", title, start, filters});
        return next();
    }
    void message(QWidget*, const QString& title, const QString& text) override {
        asked.push_back({"message", title, text, {}});
    }
    bool question(QWidget*, const QString& title, const QString& text,
                  QuestionDefault preselected = QuestionDefault::Yes) override {
        if (replaceFiles && title == "Replace...")
            return true;
        asked.push_back({"question", title, text, {}, preselected == QuestionDefault::No});
        if (answers.empty())
            return false;
        const bool a = answers.front();
        answers.pop_front();
        return a;
    }

    bool choose(QWidget*, const QString& title, const QString& text, const QString& accept,
                const QString& reject) override {
        asked.push_back({"choice", title, text, accept + "|" + reject});
        if (choices.empty())
            return false;
        const bool c = choices.front();
        choices.pop_front();
        return c;
    }

    // How many dialogs of a kind were asked.
    size_t countAsked(const QString& kind) const {
        size_t n = 0;
        for (const auto& a : asked)
            n += a.kind == kind;
        return n;
    }

private:
    FileChoice next() {
        if (files.empty())
            return {};
        FileChoice c = files.front();
        files.pop_front();
        return c;
    }
};

} // namespace korvex::test
