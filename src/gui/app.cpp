#include "gui/app.h"

#include "core/document.h"
#include "core/fault_handler.h"
#include "formats/palette_picture.h"
#include "gui/main_window.h"
#include "gui/recovery_keeper.h"

#include <QApplication>
#include <QComboBox>
#include <QScreen>
#include <memory>

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
    window.setWindowTitle("Korvex 2 (ver$: 0.52)");
}

int runEditor() {
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
    window.show();
    return runKeepingRecoveryCopies(window);
}

int runKeepingRecoveryCopies(MainWindow& window) {
    RecoveryKeeper recovery(window, recoveryFolder(), recoveryInterval());
    recovery.offerRestore();
    recovery.start();
    const int status = QApplication::exec();
    recovery.endNormally();
    return status;
}

int runApp(int argc, char** argv) {
    QApplication app(argc, argv);
    return runEditor();
}

} // namespace korvex
