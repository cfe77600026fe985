#pragma once
// Runs the rows of the command tables as a user would raise them, with every
// dialog answered by the driver: open dialogs get a prepared file of the kind they
// ask for (or are cancelled), save dialogs are cancelled, Yes/No boxes get the
// answer the driver holds, and a window that runs its own modal loop is closed
// (the palette first picks a colour and presses OK; the picture-to-screen window
// loads a picture and converts it while open dialogs are answered).

#include "core/document.h"
#include "formats/colour_file.h"
#include "formats/png_codec.h"
#include "formats/project_file.h"
#include "formats/set_files.h"
#include "formats/tmx_writer.h"
#include "formats/view_editor_files.h"
#include "gui/canvas_widget.h"
#include "gui/dialogs.h"
#include "gui/main_window.h"
#include "gui/palette_window.h"
#include "gui/picture_screen_window.h"
#include "gui/view_editor_window.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <fstream>
#include <random>
#include <vector>

namespace korvex::test {

class CommandDriver : public Dialogs {
public:
    // Prepares one file of each kind the load commands read in `folder`, made from
    // `source`.
    CommandDriver(const QString& folder, Document& source) {
        setDialogs(this);
        auto write = [&](const char* name, const Bytes& bytes) {
            const QString path = QDir(folder).filePath(name);
            std::ofstream(path.toStdString(), std::ios::binary)
                .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
            files_.push_back(path);
        };
        Bytes font(kFontBytes);
        for (size_t i = 0; i < font.size(); ++i)
            font[i] = uint8_t(i * 37 + 11);
        write("font.fnt", font);
        write("one.set", setFileBytes(source));
        write("all.sets", setsFileBytes(source));
        write("colours.col", colourFileBytes(source));
        write("screens.ved2", viewEditorDataBytes(source));
        write("screen.sved2", screenDataBytes(source));
        const QString project = QDir(folder).filePath("work.proj2");
        saveProjectFile(source, project.toStdString());
        files_.push_back(project);
        // A Tiled map of the source's first screen, with its tilesets beside it.
        const QString map = QDir(folder).filePath("map.tmx");
        writeTmxExportFiles(tmxExportFiles(source, 0, 1, false, map.toStdString()));
        files_.push_back(map);
        // A picture of stripes and blocks, for the picture-to-screen window.
        RgbPicture picture{96, 64, {}};
        for (int i = 0; i < picture.width * picture.height; ++i)
            picture.pixels.push_back(uint32_t((i % 96) * 2659 + (i / 96) * 40503) & 0xFFFFFF);
        write("picture.png", encodePng(picture));

        // Windows with a modal loop of their own are closed as soon as they show.
        QObject::connect(&modalCloser_, &QTimer::timeout, [this] { closeModal(); });
        modalCloser_.start(2);
    }
    ~CommandDriver() override { setDialogs(nullptr); }

    bool openFiles = true;          // open dialogs are answered with a file, else cancelled
    bool yes = true;                // the answer of Yes/No boxes
    bool paletteOk = true;          // the palette picks a colour and presses OK
    std::mt19937* random = nullptr; // when set, the palette's colour is random

    FileChoice openFile(QWidget*, const QString&, const QString&, const QString& filters) override {
        if (!openFiles)
            return {};
        for (const QString& path : files_)
            if (filters.contains("(*." + QFileInfo(path).suffix() + ")"))
                return {path, 0};
        return {};
    }
    FileChoice saveFile(QWidget*, const QString&, const QString&, const QString&) override {
        return {};
    }
    void message(QWidget*, const QString&, const QString&) override {}
    bool question(QWidget*, const QString&, const QString&, QuestionDefault) override {
        return yes;
    }
    bool choose(QWidget*, const QString&, const QString&, const QString&, const QString&) override {
        return false;
    }

    // Raises a row of the main window: its control or its menu item (`viaMenu`
    // picks the menu item when the row has both), or its key.
    static void run(MainWindow& window, const MainCommand& row, bool viaMenu = false) {
        if (row.menu != 0 && (viaMenu || row.control < 0)) {
            window.menuAction(row.menu)->trigger();
        } else if (row.control >= 0) {
            window.commandWidget(Control(row.control))->click();
        } else if (row.key != 0) {
            window.mainWindowEvent({MainEventKind::KeyDown, row.key});
            window.mainWindowEvent({MainEventKind::KeyUp, row.key});
        }
    }
    static void run(ViewEditorWindow& editor, const ViewEditorCommand& row, bool viaMenu = false) {
        if (row.menu != 0 && (viaMenu || row.control < 0)) {
            editor.menuAction(row.menu)->trigger();
        } else if (QAbstractButton* widget = editor.commandWidget(ViewEditorControl(row.control))) {
            widget->click();
        }
    }

private:
    void closeModal() {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        if (auto* palette = qobject_cast<PaletteWindow*>(modal); palette && paletteOk) {
            // The middle of the square of a hue and a luminance column.
            const int hue = random ? int((*random)() % 16) : 0;
            const int column = random ? int((*random)() % 8) : 0;
            QTest::mouseClick(palette->PaletteCanvas, Qt::LeftButton, {},
                              QPoint(26 + 16 * column, 26 + 16 * hue));
            QTest::mouseClick(palette->OkButton, Qt::LeftButton);
        }
        if (auto* pictures = qobject_cast<PictureScreenWindow*>(modal); pictures && openFiles) {
            // Random options within the limits, the picture loaded, then Convert.
            if (random) {
                pictures->ModeBox->setCurrentIndex(int((*random)() % 2));
                pictures->FontsBox->setValue(1 + int((*random)() % 3));
                pictures->FirstFontBox->setValue(1 + int((*random)() % 8));
                pictures->ColoursBox->setCurrentIndex(int((*random)() % 2));
                pictures->DitherBox->setChecked((*random)() % 2 != 0);
            }
            pictures->loadPicture();
            pictures->convert();
        }
        if (modal == QApplication::activeModalWidget() && modal->isVisible())
            modal->close();
    }

    std::vector<QString> files_;
    QTimer modalCloser_;
};

} // namespace korvex::test
