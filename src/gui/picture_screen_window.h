#pragma once
// The "Import picture to screen" window of the View Editor: a PNG or BMP picture
// turned into the current screen, the fonts it uses with their colour sets and the
// screen's row table. The options (mode, number of fonts, first font, colours,
// dithering) show their result at once as the Atari view with its figures; the
// conversion runs on a worker thread, so the window never waits for it, and a
// result that an option change made stale is dropped. "Convert" writes the shown
// result as one history step; "Cancel" and the close box change nothing.

#include "core/document.h"
#include "core/picture_screen.h"

#include <QDialog>
#include <QFutureWatcher>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;

namespace korvex {

class CanvasWidget;

// The name Undo and Redo give a conversion.
inline constexpr const char* kPictureScreenStepName = "Import Picture to Screen";

// Mode box entries, in this order.
enum class PictureScreenModeChoice { TwoColour, FourColour };
// Colours box entries: picked from the palette, or the current font's registers.
enum class PictureScreenColourChoice { Auto, Current };

class PictureScreenWindow : public QDialog {
    Q_OBJECT
public:
    // Starts with the editor's mode and current font as the first font.
    explicit PictureScreenWindow(Document& doc, QWidget* parent = nullptr);
    ~PictureScreenWindow() override;

    // "Load picture...": asks for a file and loads it (see loadPictureFile).
    void loadPicture();
    // Reads a PNG or BMP file with its transparency. A file that cannot be read or
    // is no picture is reported in a message and keeps the picture there was.
    bool loadPictureFile(const QString& path);
    // "Convert": the shown result, or a new conversion when there is none yet for
    // the options as they are, into the current screen as one history step; then
    // the window closes accepted. Does nothing while the options are refused or
    // without a picture.
    void convert();

    // The options as the controls set them, colours included.
    PictureScreenOptions options() const;
    // The result shown for the options as they are now, or nothing while one is
    // being converted, the options are refused or there is no picture.
    const std::optional<PictureScreen>& shownResult() const { return shown_; }
    bool hasPicture() const { return picture_ != nullptr; }

    QPushButton* LoadButton = nullptr;
    QLabel* PictureLabel = nullptr;
    QLabel* ModeLabel = nullptr;
    QComboBox* ModeBox = nullptr;
    QLabel* FontsLabel = nullptr;
    QSpinBox* FontsBox = nullptr;
    QLabel* FirstFontLabel = nullptr;
    QSpinBox* FirstFontBox = nullptr;
    QLabel* ColoursLabel = nullptr;
    QComboBox* ColoursBox = nullptr;
    QCheckBox* DitherBox = nullptr;
    QCheckBox* ZoomBox = nullptr;
    QLabel* FiguresLabel = nullptr; // the figures, "Converting..." or why not
    QPushButton* ConvertButton = nullptr;
    QPushButton* CancelButton = nullptr;
    CanvasWidget* Preview = nullptr;

signals:
    // A result for the options as they are now is shown (or the options were refused).
    void previewUpdated();

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    struct Job {
        uint64_t generation = 0;
        std::optional<PictureScreen> result;
        std::string error;
    };

    void optionsChanged();
    void startJob();
    void jobFinished();
    void showPreview();
    void showFigures(const QString& text);

    Document& doc_;
    std::shared_ptr<const RgbPicture> picture_; // shared with a running job
    uint64_t generation_ = 0;                   // counts picture and option changes
    bool jobRunning_ = false;
    QFutureWatcher<Job> watcher_;
    std::optional<PictureScreen> shown_;
};

// Opens the window over `parent` and runs it until it closes; true when a picture
// was converted into the current screen.
bool importPictureToScreen(QWidget* parent, Document& doc);

} // namespace korvex
