// Test helper: the editor, started the way the program starts it, with scripted
// dialog answers, for the tests that end a run abnormally and start the next one.
//
//   recovery_child change STATE   makes unsaved changes once the main loop runs,
//                                 writes the state they leave to STATE, and keeps
//                                 running until it is killed
//   recovery_child restore STATE [FILE...]
//                                 answers "Restore" to every offered copy, with the
//                                 FILEs on the command line, then writes the
//                                 dialogs asked and the state to STATE and quits
//                                 through "Exit"
//
// The environment chooses the recovery folder (XDG_STATE_HOME) and the interval.
#include "core/document.h"
#include "formats/file_io.h"
#include "gui/app.h"
#include "gui/main_window.h"
#include "recoverable_state.h"
#include "scripted_dialogs.h"

#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <string>

namespace {

using namespace korvex;

MainWindow* mainWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* window = qobject_cast<MainWindow*>(widget))
            return window;
    return nullptr;
}

// Unsaved work of every kind a copy keeps, some of it through the window's own
// commands.
void makeChanges(MainWindow& window) {
    Document& doc = window.doc();
    window.mainWindowEvent({MainEventKind::Control, int(Control::FontNext)});
    for (int s = 0; s < 6; ++s)
        window.mainWindowEvent({MainEventKind::Control, int(Control::SetNext)});
    doc.FontName[2] = "hero sprites.fnt";
    for (int x = 0; x < 8; ++x)
        doc.setPixel(2, 33, x, x, 1);
    doc.FontColours[2][PF1] = 0x335577;
    doc.Sets[7][0] = 33;
    doc.Sets[7][24] = 33 + 128;
    doc.screens[5 * kScreenCells + 123] = 201;
    doc.MultiViewFonts[4] = 1;
    doc.rangeWidth = 17;
    doc.CurrentGlyph = 33;
    doc.ColourPF2 = 0x0A0B0C;
    doc.AtariColour[PF2] = 96;
    window.redrawMainWindow();
}

// A child that was meant to be killed never outlives a test that lost track of it.
constexpr int kLongestRunMs = 120000;

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: recovery_child change|restore STATE [FILE...]\n");
        return 2;
    }
    const std::string mode = argv[1];
    const std::string statePath = argv[2];
    QApplication app(argc, argv);
    QStringList files;
    for (int i = 3; i < argc; ++i)
        files << QString::fromLocal8Bit(argv[i]);
    korvex::test::ScriptedDialogs dialogs;
    if (mode == "restore")
        dialogs.choices = {true, true, true};

    QTimer::singleShot(0, [&] {
        MainWindow* window = mainWindow();
        if (!window) {
            QApplication::exit(3);
            return;
        }
        if (mode == "change") {
            QTimer::singleShot(kLongestRunMs, [] { QApplication::exit(5); });
            makeChanges(*window);
            if (!writeFileAtomic(statePath, korvex::test::recoverableState(window->doc())))
                QApplication::exit(4);
            return;
        }
        // Once the files given have had their turn.
        QTimer::singleShot(0, [&dialogs, window, statePath] {
            std::string asked;
            for (const auto& a : dialogs.asked)
                asked += (a.kind + "|" + a.title + "|" + a.textOrStart + "|" + a.filters + "\n")
                             .toStdString();
            if (!writeFileAtomic(statePath,
                                 asked + korvex::test::recoverableState(window->doc()))) {
                QApplication::exit(4);
                return;
            }
            // A normal quit, confirmed as the user would.
            dialogs.answers = {true};
            window->mainWindowEvent({MainEventKind::Menu, MenuExit});
        });
    });
    return korvex::runEditor(files);
}
