#pragma once
// The Multi Font View: up to five fonts, chosen in five drop-down lists, with the
// same glyph row of each stacked so that fonts can be compared glyph by glyph.

#include "core/glyph_places.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QScrollArea;

namespace korvex {

class CanvasWidget;
class MainWindow;
struct Document;

enum class MultiFontViewEventKind { Close, ComboChanged };

struct MultiFontViewEvent {
    MultiFontViewEventKind kind;
    int row = 0;   // 1..5
    int index = 0; // selected item: 0..9 font 1..10, 10 "OFF"
};

class MultiFontViewWindow : public QWidget {
    Q_OBJECT
public:
    // A child window of the main window, so that it never keeps the program
    // running once the main window has closed.
    explicit MultiFontViewWindow(MainWindow& main);

    // The event procedure: 1 keeps the window, 0 closes it.
    int multiFontViewEvent(const MultiFontViewEvent& event);
    void drawMultiFontView();
    // Brings the lists in line with MultiViewFonts (a loaded project may have
    // changed it) and redraws.
    void refresh();
    // Redraws only the cells that show a changed glyph.
    void redrawGlyph(GlyphRef changed);
    bool isClosing() const { return closing_; }

    QLabel* FontLabel = nullptr;
    QComboBox* FontCombo[6] = {}; // rows 1..5
    QScrollArea* ViewScrollArea = nullptr;
    CanvasWidget* ViewCanvas = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void dispatch(const MultiFontViewEvent& event);
    void showSelections();

    MainWindow& main_;
    Document& doc_;
    bool closing_ = false;
};

// The item a row's list shows for a MultiViewFonts value: values outside 0..10
// show "OFF".
int multiViewComboIndex(int64_t selection);

// The Multi Font View of this main window that is still open, or nullptr.
MultiFontViewWindow* openMultiFontViewOf(MainWindow& window);

} // namespace korvex
