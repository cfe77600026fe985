// Every caption of every window fits its fixed-size control. A new window goes into
// kWindows below.

#include "gui/caption_fit.h"
#include "gui/export_window.h"
#include "gui/font_range_window.h"
#include "gui/image_export_window.h"
#include "gui/image_import_window.h"
#include "gui/info_window.h"
#include "gui/multi_font_view_window.h"
#include "gui/palette_window.h"
#include "gui/picture_screen_window.h"
#include "gui/range_dialog.h"
#include "gui/sets_viewer_window.h"
#include "gui/view_all_screens.h"
#include "gui/view_editor_window.h"
#include "gui/wrapping_button.h"
#include "main_window_fixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <functional>

namespace korvex {
namespace {

// Builds a window over the started main window; the main window itself is one.
using WindowMaker = std::function<QWidget*(MainWindow&)>;

struct NamedWindow {
    const char* name;
    WindowMaker make;
};

const NamedWindow kWindows[] = {
    {"main window", [](MainWindow& m) -> QWidget* { return &m; }},
    {"View Editor", [](MainWindow& m) -> QWidget* { return new ViewEditorWindow(m); }},
    {"palette", [](MainWindow& m) -> QWidget* { return new PaletteWindow(m, 1); }},
    {"export", [](MainWindow& m) -> QWidget* { return new ExportWindow(m.doc()); }},
    {"export to image", [](MainWindow& m) -> QWidget* { return new ImageExportWindow(m.doc()); }},
    {"import image", [](MainWindow& m) -> QWidget* { return new ImageImportWindow(m.doc(), {}); }},
    {"picture to screen",
     [](MainWindow& m) -> QWidget* { return new PictureScreenWindow(m.doc()); }},
    {"Multi Font View", [](MainWindow& m) -> QWidget* { return new MultiFontViewWindow(m); }},
    {"Sets Viewer", [](MainWindow& m) -> QWidget* { return new SetsViewerWindow(m); }},
    {"save range",
     [](MainWindow& m) -> QWidget* { return new RangeDialog(m, &m, RangeMode::Save, {}); }},
    {"load range",
     [](MainWindow& m) -> QWidget* { return new RangeDialog(m, &m, RangeMode::Load, {}); }},
    {"font range", [](MainWindow& m) -> QWidget* { return new FontRangeWindow(m.doc()); }},
    {"info", [](MainWindow& m) -> QWidget* { return new InfoWindow(&m, "Project loaded!"); }},
    {"all screens",
     [](MainWindow& m) -> QWidget* { return new ViewAllScreensWindow(m.doc(), &m, 960, 576); }},
    // A screen whose rows show all ten fonts: the most address fields there are.
    {"screen export with its display list",
     [](MainWindow& m) -> QWidget* {
         for (int row = 0; row < kFontCount; ++row)
             m.doc().rowTables[m.doc().currentScreen].font[row] = uint8_t(row + 1);
         m.doc().exportKind = "screen";
         auto* w = new ExportWindow(m.doc());
         w->LanguageCombo->setCurrentIndex(kDisplayListHexadecimal);
         return w;
     }},
};

std::string describe(const CaptionOverflow& o) {
    return "\"" + o.text.toStdString() + "\" in " + o.widget->metaObject()->className() + " " +
           o.widget->objectName().toStdString() + ": " + std::to_string(o.textWidth) + "x" +
           std::to_string(o.textHeight) + " in " + std::to_string(o.roomWidth) + "x" +
           std::to_string(o.roomHeight);
}

class CaptionFit : public test::MainWindowFixture {};

TEST_F(CaptionFit, EveryCaptionOfEveryWindowFits) {
    for (const NamedWindow& entry : kWindows) {
        QPointer<QWidget> shown = entry.make(window);
        shown->show();
        for (const CaptionOverflow& overflow : captionOverflows(shown))
            ADD_FAILURE() << entry.name << ": " << describe(overflow);
        if (shown != &window)
            delete shown;
    }
}

// The measure the test above relies on finds a cut text in each kind of control.
TEST(CaptionOverflows, FindsTextWiderThanItsControl) {
    QWidget window;
    QFont font = window.font();
    font.setPixelSize(12);
    window.setFont(font);
    auto* label = new QLabel("A rather long caption", &window);
    label->setGeometry(0, 0, 30, 18);
    auto* button = new QPushButton("Export to image", &window);
    button->setGeometry(0, 20, 40, 20);
    auto* box = new QCheckBox("Some option", &window);
    box->setGeometry(0, 40, 40, 20);
    auto* wrapping = new WrappingButton("Set of words", &window);
    wrapping->setGeometry(0, 60, 60, 12);
    auto* fits = new QLabel("OK", &window);
    fits->setGeometry(0, 80, 100, 18);
    // Wide enough, but partly under the field that follows it.
    auto* covered = new QLabel("Start X:", &window);
    covered->setGeometry(0, 100, 100, 18);
    auto* field = new QLineEdit(&window);
    field->setGeometry(QFontMetrics(font).horizontalAdvance("Start X") - 2, 100, 30, 18);
    window.show();

    std::vector<const QWidget*> found;
    for (const CaptionOverflow& o : captionOverflows(&window))
        found.push_back(o.widget);
    EXPECT_EQ(found, (std::vector<const QWidget*>{label, button, box, wrapping, covered}));
    field->move(100, 100);

    // Made wide enough, they fit; fitCaptions shrinks the type for what is left.
    label->setFixedWidth(400);
    button->setFixedWidth(400);
    box->setFixedWidth(400);
    wrapping->setFixedSize(400, 30);
    EXPECT_TRUE(captionOverflows(&window).empty());
    label->setFixedWidth(QFontMetrics(label->font()).horizontalAdvance(label->text()) * 3 / 4);
    fitCaptions(&window);
    EXPECT_TRUE(captionOverflows(&window).empty());
    EXPECT_LT(QFontInfo(window.font()).pixelSize(), 12);
}

} // namespace
} // namespace korvex
