#pragma once
// "Find duplicate glyphs": the groups of glyphs of the current font drawn more than
// once, in the current colours and mode. A click on a glyph selects its group and
// makes the glyph current; "Merge into first" merges the selected group after a
// confirmation. The list follows every change of the font.

#include "core/glyph_duplicates.h"

#include <QWidget>
#include <vector>

class QCheckBox;
class QLabel;
class QPushButton;
class QScrollArea;

namespace korvex {

class CanvasWidget;
class MainWindow;
struct CanvasInput;
struct Document;

class DuplicateGlyphsWindow : public QWidget {
    Q_OBJECT
public:
    // A child window of the main window, so that it never keeps the program running
    // once the main window has closed.
    explicit DuplicateGlyphsWindow(MainWindow& main);

    // Finds the groups again and redraws them.
    void refresh();
    const std::vector<GlyphGroup>& groups() const { return groups_; }
    int selectedGroup() const { return selected_; }
    // Asks, then merges the selected group into its first glyph.
    void mergeSelectedGroup();
    bool isClosing() const { return closing_; }

    QCheckBox* InverseCheck = nullptr;
    QCheckBox* HMirrorCheck = nullptr;
    QCheckBox* VMirrorCheck = nullptr;
    QScrollArea* GroupsScrollArea = nullptr;
    CanvasWidget* GroupsCanvas = nullptr;
    QLabel* GroupLabel = nullptr;
    QPushButton* MergeButton = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    DuplicateOptions options() const;
    void canvasInput(const CanvasInput& input);
    void describeSelection();

    MainWindow& main_;
    Document& doc_;
    std::vector<GlyphGroup> groups_;
    int selected_ = -1;
    bool closing_ = false;
};

// The duplicate glyphs window of this main window that is still open, or nullptr.
DuplicateGlyphsWindow* openDuplicateGlyphsOf(MainWindow& window);

} // namespace korvex
