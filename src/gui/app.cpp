#include "gui/app.h"

#include "app/editor_arguments.h"
#include "app/fault_handler.h"
#include "core/document.h"
#include "formats/palette_picture.h"
#include "gui/caption_fit.h"
#include "gui/file_opening.h"
#include "gui/first_paint_exit.h"
#include "gui/main_window.h"
#include "gui/recovery_keeper.h"

#include <QApplication>
#include <QComboBox>
#include <QScreen>
#include <QTimer>
#include <iostream>
#include <memory>

#ifndef KORVEX_VERSION
#error "the build passes KORVEX_VERSION"
#endif

namespace korvex {

void startUp(Document& doc, MainWindow& window) {
    // Steps after the main window exists: picture decoding, fonts and sets, status
    // bar, animation boxes and timer, register values, swatches, first drawing.
    // The palette picture is decoded once, here, so the palette window opens
    // without decoding.
    palettePicture();
    prepareFontsAndSets(doc);
    window.setStatusField(1, "Font: " + QString::fromStdString(doc.FontName[1]));
    for (int i = 1; i <= 100; ++i) {
        window.AnimStartCombo->addItem(QString::number(i));
        window.AnimStopCombo->addItem(QString::number(i));
    }
    window.AnimStartCombo->setCurrentIndex(0);
    window.AnimStopCombo->setCurrentIndex(1);
    window.startTimer125();
    setStartRegisterValues(doc);
    window.refreshColourBoxes();
    doc.CurrentGlyph = 1;
    window.redrawMainWindow();
    window.drawAnimationFrame(1);
    doc.viewEditorX = window.x() + 50;
    doc.viewEditorY = window.y() + 50;
    window.setWindowTitle("Korvex 2 (ver$: " KORVEX_VERSION ")");
    // Measured once every caption and list entry is in place.
    fitCaptions(&window);
}

int runEditor(const QStringList& files) {
    auto doc = std::make_unique<Document>();
    setStartValues(*doc);
    MainWindow window(*doc);
    // Process-wide fault handler: installed here rather than in startUp so that test
    // programs driving startUp keep their own crash handling.
    installFaultHandler();
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        window.move(area.center() - QPoint(window.width() / 2, window.height() / 2));
    }
    startUp(*doc, window);
    exitAfterFirstPaintIfAsked(window);
    window.show();
    return runKeepingRecoveryCopies(window, files);
}

int runKeepingRecoveryCopies(MainWindow& window, const QStringList& files) {
    RecoveryKeeper recovery(window, recoveryFolder(), recoveryInterval());
    // The question comes before any file is opened; restored work is not replaced
    // by the files unseen.
    const bool restored = recovery.offerRestore();
    if (!files.isEmpty())
        QTimer::singleShot(0, &window, [&window, files, restored] {
            if (restored)
                reportFilesNotOpenedAfterRestore(window, files);
            else
                openFiles(window, files);
        });
    recovery.start();
    const int status = QApplication::exec();
    recovery.endNormally();
    return status;
}

namespace {

std::vector<std::string> argumentsAfterProgram(int argc, char** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.emplace_back(argv[i]);
    return args;
}

} // namespace

int runApp(int argc, char** argv) {
    const EditorArguments early = parseEditorArguments(argumentsAfterProgram(argc, argv));
    if (early.request == EditorRequest::Help) {
        std::cout << editorHelpText() << std::flush;
        return 0;
    }
    if (early.request == EditorRequest::Version) {
        std::cout << "korvex " << KORVEX_VERSION << std::endl;
        return 0;
    }
    // The application takes the toolkit's own options (-platform, -style, ...) out
    // of the command line; what is left is read again.
    QApplication app(argc, argv);
    // Lets the desktop match the windows to the installed menu entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.korvex.Korvex2"));
    const EditorArguments arguments = parseEditorArguments(argumentsAfterProgram(argc, argv));
    if (arguments.request == EditorRequest::WrongUsage) {
        std::cerr << "korvex: " << arguments.error << "\nTry 'korvex --help'.\n";
        return kEditorExitUsage;
    }
    QStringList files;
    for (const std::string& file : arguments.files)
        files << QString::fromLocal8Bit(file.c_str());
    return runEditor(files);
}

} // namespace korvex
