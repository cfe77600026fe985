#pragma once
// The "Export font to image PNG, BMP..." window: the current font's picture
// (normal glyphs above their inverse forms) at scale x1..x4 in a scrolling area,
// saved as a 24-bit BMP or an 8-bit RGB PNG. The window closes after any save the
// user named a file for.

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;
class QScrollArea;

namespace korvex {

struct Document;
class CanvasWidget;
class MainWindow;

class ImageExportWindow : public QDialog {
    Q_OBJECT
public:
    explicit ImageExportWindow(Document& doc, QWidget* parent = nullptr);

    // Redraws the picture for the selected scale and sizes the canvas to it.
    void scaleChanged();
    // "Save BMP" and "Save PNG".
    void saveBmp();
    void savePng();

    QLabel* ScaleLabel = nullptr;
    QComboBox* ScaleCombo = nullptr;
    QLabel* SizeLabel = nullptr;
    QPushButton* SaveBmpButton = nullptr;
    QPushButton* SavePngButton = nullptr;
    QScrollArea* ScrollArea = nullptr;
    CanvasWidget* Canvas = nullptr;

private:
    enum class Kind { Bmp, Png };
    void save(Kind kind);
    Document& doc_;
};

// Opens the window at the main window's position + (100, 100) with the main window
// disabled, runs it until it closes, then enables and activates the main window.
void exportFontToImage(QWidget* mainWindow, Document& doc);

} // namespace korvex
