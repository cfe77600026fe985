#pragma once
// "Text preview": a line of text typed by the user, shown in the current font and
// colours at twice the size and at true size, as the Atari would show it. It
// follows every change of the font.

#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;

namespace korvex {

class CanvasWidget;
class MainWindow;
struct Document;

class TextPreviewWindow : public QWidget {
    Q_OBJECT
public:
    // A child window of the main window, so that it never keeps the program running
    // once the main window has closed.
    explicit TextPreviewWindow(MainWindow& main);

    void refresh();
    bool isClosing() const { return closing_; }

    QLineEdit* TextEdit = nullptr;
    QCheckBox* InverseCheck = nullptr;
    QLabel* LargeLabel = nullptr;
    QLabel* SmallLabel = nullptr;
    CanvasWidget* LargeCanvas = nullptr; // 2x
    CanvasWidget* SmallCanvas = nullptr; // 1x

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    MainWindow& main_;
    Document& doc_;
    bool closing_ = false;
};

// The text preview of this main window that is still open, or nullptr.
TextPreviewWindow* openTextPreviewOf(MainWindow& window);

} // namespace korvex
