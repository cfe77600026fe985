#pragma once
// The "Import image to font" window: a PNG or BMP picture on a canvas with the
// pink 256 x 32 frame over it. A left click on the canvas picks the background
// colour ("Color 0"); "Import to font" reads the 128 glyphs of the current font
// from the framed block. The frame position and the picture are document fields,
// so they stay for the next opening; the background colour starts black each time.

#include "app/opening_plan.h"

#include <QDialog>
#include <cstdint>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace korvex {

struct Document;
struct RgbPicture;
class CanvasWidget;
class MainWindow;

class ImageImportWindow : public QDialog {
    Q_OBJECT
public:
    // `redrawMainWindow` runs after every import.
    ImageImportWindow(Document& doc, std::function<void()> redrawMainWindow,
                      QWidget* parent = nullptr);

    // Redraws the canvas: picture, black around it, frame.
    void showCanvas();
    // "Load image": asks for a file and decodes it into the document's picture.
    void loadImage();
    // "Import to font".
    void importToFont();
    // A left click at canvas position (x, y).
    void pickColour(int x, int y);

    int64_t colour0() const { return colour0_; }

    QPushButton* LoadButton = nullptr;
    QLabel* StartXLabel = nullptr;
    QLineEdit* StartXField = nullptr;
    QLabel* StartYLabel = nullptr;
    QLineEdit* StartYField = nullptr;
    QLabel* ColourLabel = nullptr;
    QLineEdit* ColourField = nullptr;
    QPushButton* ImportButton = nullptr;
    CanvasWidget* Canvas = nullptr;

private:
    Document& doc_;
    std::function<void()> redrawMainWindow_;
    int64_t colour0_ = 0;
};

// Reads and decodes a PNG or BMP picture file; `picture` changes only when the
// outcome is Loaded.
LoadOutcome readPictureFile(const std::string& path, RgbPicture& picture);

// Opens the window at the main window's position and runs it until it closes.
void importImageToFont(QWidget* mainWindow, Document& doc, std::function<void()> redrawMainWindow);

} // namespace korvex
