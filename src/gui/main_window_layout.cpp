// Builds the main window: frame, menus with their shortcuts, status bar and every
// control at its fixed place.

#include "gui/canvas_widget.h"
#include "gui/main_window.h"
#include "gui/wrapping_button.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>

namespace korvex {

namespace {

constexpr int kClientWidth = 945;
constexpr int kClientHeight = 645;
constexpr int kStatusHeight = 20;

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, int x, int y, int w,
                  int h, bool centred = false, bool border = false) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(x, y, w, h);
    if (centred)
        label->setAlignment(Qt::AlignCenter);
    if (border) {
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setLineWidth(1);
    }
    return label;
}

void setBackground(QLabel* label, QColor colour) {
    label->setAutoFillBackground(true);
    QPalette p = label->palette();
    p.setColor(QPalette::Window, colour);
    label->setPalette(p);
}

QGroupBox* makeFrame(QWidget* parent, const char* name, const QString& title, int x, int y, int w,
                     int h) {
    auto* frame = new QGroupBox(title, parent);
    frame->setObjectName(name);
    frame->setGeometry(x, y, w, h);
    return frame;
}

struct RegisterPlace {
    int reg;
    const char* name;
    int labelX, y;
    const char* caption;
    int swatchX, buttonX;
    const char* registerName; // as the tooltips spell it
};

// Register rows of the "Color" frame, in creation order.
constexpr RegisterPlace kRegisterPlaces[] = {
    {LUM, "LUM", 690, 310, "LUM", 750, 780, "LUM"},
    {PF0, "PF0", 690, 340, "PF0 - 01", 750, 780, "PF0"},
    {PF2, "PF2", 690, 370, "PF2 - 11", 750, 780, "PF2"},
    {BAK, "BAK", 810, 310, "BAK", 870, 900, "BAK"},
    {PF1, "PF1", 810, 340, "PF1 - 10", 870, 900, "FP1"},
    {PF3, "PF3", 810, 370, "PF3 - 11", 870, 900, "PF3"},
};

} // namespace

MainWindow::MainWindow(Document& doc) : doc_(doc) {
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    // The small type of the layout: captions must fit controls 20 pixels high.
    QFont small = font();
    small.setPixelSize(11);
    setFont(small);
    auto* client = new QWidget(this);
    client->setObjectName("client");
    client->setFixedSize(kClientWidth, kClientHeight);
    setCentralWidget(client);
    setAcceptDrops(true);
    buildMenus();
    buildStatusBar();
    buildControls();
    connectControls();
    connectCanvases();
    animationTimer_.setInterval(250);
    connect(&animationTimer_, &QTimer::timeout, this, [this] {
        MainEvent e{MainEventKind::Timer};
        e.id = kAnimationTimerId;
        mainWindowEvent(e);
    });
    qApp->installEventFilter(this);
    adjustSize();
    setFixedSize(sizeHint());
}

MainWindow::~MainWindow() {
    qApp->removeEventFilter(this);
}

void MainWindow::buildMenus() {
    struct Item {
        int id;
        const char* text;
        const char* key;
    };
    struct Menu {
        const char* title;
        std::vector<Item> items; // id 0 = separator
    };
    const Menu menus[] = {
        {"Project",
         {{MenuOpenProject, "Open...", nullptr},
          {MenuSaveProject, "Save", nullptr},
          {MenuSaveProjectAs, "Save As...", nullptr},
          {0, nullptr, nullptr},
          {MenuAbout, "About", nullptr},
          {MenuExit, "Exit", nullptr}}},
        {"Font",
         {{MenuLoadFont, "Load Font", nullptr},
          {MenuSaveFont, "Save Font", nullptr},
          {MenuFontRange, "Save/Load range Font", nullptr},
          {0, nullptr, nullptr},
          {MenuDefaultFont, "Default Atari Font", nullptr},
          {0, nullptr, nullptr},
          {MenuFontNext, "Next", nullptr},
          {MenuFontPrevious, "Previous", nullptr},
          {0, nullptr, nullptr},
          {MenuImportImage, "Import image to font...", nullptr}}},
        {"Char",
         {{MenuRotate, "Rotate\tR", "R"},
          {MenuHMirror, "H Mirror\tH", "H"},
          {MenuVMirror, "V Mirror\tV", "V"},
          {MenuShiftLeft, "Shift left\tShift+Left", "Shift+Left"},
          {MenuShiftRight, "Shift Right\tShift+Right", "Shift+Right"},
          {MenuShiftUp, "Shift Up\tShift+Up", "Shift+Up"},
          {MenuShiftDown, "Shift Down\tShift+Down", "Shift+Down"},
          {MenuInverse, "Inverse\tI", "I"},
          {MenuClear, "Clear\tDelete", "Delete"},
          {MenuCopy, "Copy\tCtrl+C", "Ctrl+C"},
          {MenuPaste, "Paste\tCtrl+V", "Ctrl+V"},
          {MenuUndo, "Undo\tCtrl+Z", "Ctrl+Z"},
          {MenuRedo, "Redo\tCtrl+Y", "Ctrl+Y"}}},
        {"Set",
         {{MenuGrid, "Grid ON/OFF", nullptr},
          {0, nullptr, nullptr},
          {MenuSetNext, "Next\tPageDown", "PgDown"},
          {MenuSetPrevious, "Previous\tPageUp", "PgUp"},
          {0, nullptr, nullptr},
          {MenuLoadSet, "Load Set", nullptr},
          {MenuSaveSet, "Save Set", nullptr},
          {MenuLoadAllSets, "Load all Set", nullptr},
          {MenuSaveAllSets, "Save all Set", nullptr},
          {0, nullptr, nullptr},
          {MenuSetCopy, "Copy", nullptr},
          {MenuSetPaste, "Paste", nullptr},
          {MenuSetClear, "Clear", nullptr},
          {MenuSetClearBits, "Clear bits", nullptr},
          {0, nullptr, nullptr},
          {MenuExportSetBin, "Export Set to bin...", nullptr}}},
        {"Tools",
         {{MenuFindDuplicates, "Find duplicate glyphs...", nullptr},
          {MenuMarkUnusedGlyphs, "Mark unused glyphs", nullptr},
          {0, nullptr, nullptr},
          {MenuTextPreview, "Text preview...", nullptr}}},
    };
    for (const Menu& menu : menus) {
        QMenu* m = menuBar()->addMenu(menu.title);
        for (const Item& item : menu.items) {
            if (item.id == 0) {
                m->addSeparator();
                continue;
            }
            QAction* action = m->addAction(item.text);
            action->setData(item.id);
            if (item.key)
                action->setShortcut(QKeySequence(item.key));
            const int id = item.id;
            connect(action, &QAction::triggered, this, [this, id] {
                MainEvent e{MainEventKind::Menu};
                e.id = id;
                mainWindowEvent(e);
            });
            actions_[item.id] = action;
        }
    }
    actions_[MenuMarkUnusedGlyphs]->setCheckable(true);
    menuAction(MenuRedo)->setShortcuts({QKeySequence("Ctrl+Y"), QKeySequence("Ctrl+Shift+Z")});
    // Undo and redo also reach the work shown in the other windows.
    for (int id : {MenuUndo, MenuRedo})
        menuAction(id)->setShortcutContext(Qt::ApplicationShortcut);
    updateUndoAction();
}

void MainWindow::buildStatusBar() {
    QWidget* client = centralWidget();
    const int widths[3] = {130, 400, 350};
    const char* texts[3] = {"", "Font: ", "Project: "};
    int x = 0;
    for (int i = 0; i < 3; ++i) {
        statusFields_[i] = makeLabel(client, "", texts[i], x, kClientHeight - kStatusHeight,
                                     widths[i], kStatusHeight, false, true);
        statusFields_[i]->setObjectName(QString("StatusField%1").arg(i));
        x += widths[i];
    }
}

QPushButton* MainWindow::addButton(Control control, const QString& caption, int x, int y, int w,
                                   int h, bool wraps) {
    QWidget* client = centralWidget();
    QPushButton* button =
        wraps ? new WrappingButton(caption, client) : new QPushButton(caption, client);
    button->setGeometry(x, y, w, h);
    button->setFocusPolicy(Qt::NoFocus);
    connect(button, &QPushButton::clicked, this, [this, control] {
        MainEvent e{MainEventKind::Control};
        e.id = int(control);
        mainWindowEvent(e);
    });
    return button;
}

void MainWindow::buildControls() {
    QWidget* c = centralWidget();
    auto named = [](QWidget* w, const char* name) {
        w->setObjectName(name);
        return w;
    };

    SetCanvas = new CanvasWidget(c, 150, 10, 404, 404, true);
    named(SetCanvas, "SetCanvas");
    SetPreviewCanvas = new CanvasWidget(c, 20, 30, 80, 80, false);
    named(SetPreviewCanvas, "SetPreviewCanvas");
    FontCanvas = new CanvasWidget(c, 90, 450, 547, 139, true);
    named(FontCanvas, "FontCanvas");
    FontCanvas->setFocusPolicy(Qt::StrongFocus);
    SetNextButton = addButton(Control::SetNext, ">", 115, 30, 25, 20);
    named(SetNextButton, "SetNextButton");
    SetPrevButton = addButton(Control::SetPrev, "<", 115, 90, 25, 20);
    named(SetPrevButton, "SetPrevButton");
    EditorCanvas = new CanvasWidget(c, 565, 10, 244, 244, true);
    named(EditorCanvas, "EditorCanvas");
    GlyphPreviewCanvas = new CanvasWidget(c, 10, 450, 68, 68, true);
    named(GlyphPreviewCanvas, "GlyphPreviewCanvas");
    ColourFrame = makeFrame(c, "ColourFrame", "Color", 675, 290, 255, 150);
    ButtonColourFrame = makeFrame(c, "ButtonColourFrame", " LMB         RMB", 570, 260, 100, 110);
    LeftColourBox = makeLabel(c, "LeftColourBox", "", 580, 290, 30, 70, false, true);
    setBackground(LeftColourBox, QColor(255, 255, 255));
    RightColourBox = makeLabel(c, "RightColourBox", "", 630, 290, 30, 70, false, true);
    setBackground(RightColourBox, QColor(0, 0, 0));
    ModeButton = addButton(Control::Mode, "GFX Mode", 820, 10, 110, 30, true);
    named(ModeButton, "ModeButton");
    RotateButton = addButton(Control::Rotate, "ROTATE", 820, 50, 110, 20);
    named(RotateButton, "RotateButton");
    ShiftDownButton = addButton(Control::ShiftDown, "D", 910, 130, 20, 20);
    named(ShiftDownButton, "ShiftDownButton");
    HMirrorButton = addButton(Control::HMirror, "H MIR", 820, 80, 50, 20);
    named(HMirrorButton, "HMirrorButton");
    VMirrorButton = addButton(Control::VMirror, "V MIR", 880, 80, 50, 20);
    named(VMirrorButton, "VMirrorButton");
    ShiftRightButton = addButton(Control::ShiftRight, "R", 850, 130, 20, 20);
    named(ShiftRightButton, "ShiftRightButton");
    ShiftLeftButton = addButton(Control::ShiftLeft, "L", 820, 130, 20, 20);
    named(ShiftLeftButton, "ShiftLeftButton");
    ShiftUpButton = addButton(Control::ShiftUp, "U", 880, 130, 20, 20);
    named(ShiftUpButton, "ShiftUpButton");
    CopyButton = addButton(Control::Copy, "COPY", 820, 200, 55, 25);
    named(CopyButton, "CopyButton");
    PasteButton = addButton(Control::Paste, "PASTE", 880, 200, 55, 25);
    named(PasteButton, "PasteButton");
    ShiftLabel = makeLabel(c, "ShiftLabel", "SHIFT:", 820, 110, 50, 16);
    InverseButton = addButton(Control::Inverse, "INVERSE", 820, 165, 55, 25);
    named(InverseButton, "InverseButton");
    ClearButton = addButton(Control::Clear, "CLEAR", 880, 165, 55, 25);
    named(ClearButton, "ClearButton");
    SaveSetButton = addButton(Control::SaveSet, "Save SET", 10, 160, 60, 20);
    named(SaveSetButton, "SaveSetButton");
    LoadSetButton = addButton(Control::LoadSet, "Load SET", 80, 160, 60, 20);
    named(LoadSetButton, "LoadSetButton");
    SaveAllSetsButton = addButton(Control::SaveAllSets, "Save all SET", 20, 190, 110, 20);
    named(SaveAllSetsButton, "SaveAllSetsButton");
    LoadAllSetsButton = addButton(Control::LoadAllSets, "Load all SET", 20, 220, 110, 20);
    named(LoadAllSetsButton, "LoadAllSetsButton");
    LoadFontButton = addButton(Control::LoadFont, "Load FNT", 666, 450, 99, 20);
    named(LoadFontButton, "LoadFontButton");
    SaveFontButton = addButton(Control::SaveFont, "Save FNT", 666, 480, 99, 20);
    named(SaveFontButton, "SaveFontButton");
    DefaultFontButton =
        addButton(Control::DefaultFont, "Set Default ATARI FONT", 666, 550, 99, 40, true);
    named(DefaultFontButton, "DefaultFontButton");
    ExportImageButton = addButton(Control::ExportImage, "Export to image", 785, 450, 90, 20, true);
    named(ExportImageButton, "ExportImageButton");
    ExportAsButton = addButton(Control::ExportAs, "Export As...", 785, 480, 90, 20);
    named(ExportAsButton, "ExportAsButton");
    SaveRangeButton = addButton(Control::SaveRange, "Save range FNT", 666, 510, 99, 20);
    named(SaveRangeButton, "SaveRangeButton");
    AnimCanvas = new CanvasWidget(c, 30, 325, 80, 80, false);
    named(AnimCanvas, "AnimCanvas");
    AnimStartButton = addButton(Control::AnimStart, "Start", 30, 300, 80, 20);
    named(AnimStartButton, "AnimStartButton");
    AnimToLabel = makeLabel(c, "AnimToLabel", "TO", 60, 280, 20, 15, true);
    AnimFrameBox = makeFrame(c, "AnimFrameBox", "Anim SET:", 2, 255, 138, 160);
    GridCheckBox = new QCheckBox("Grid ON/OFF", c);
    named(GridCheckBox, "GridCheckBox");
    GridCheckBox->setGeometry(565, 405, 100, 20);
    GridCheckBox->setChecked(true);
    GridCheckBox->setFocusPolicy(Qt::NoFocus);
    FontPrevButton = addButton(Control::FontPrev, "<", 10, 570, 20, 20);
    named(FontPrevButton, "FontPrevButton");
    FontNextButton = addButton(Control::FontNext, ">", 60, 570, 20, 20);
    named(FontNextButton, "FontNextButton");
    FontNumberLabel = makeLabel(c, "FontNumberLabel", "1", 33, 570, 25, 20, true, true);
    setBackground(FontNumberLabel, QColor(128, 255, 128));
    SetNumberLabel = makeLabel(c, "SetNumberLabel", "1", 115, 60, 23, 20, true, true);
    setBackground(SetNumberLabel, QColor(255, 255, 0));
    FontsLabel = makeLabel(c, "FontsLabel", "Fonts (1-10)", 5, 550, 80, 20, true);

    for (const RegisterPlace& r : kRegisterPlaces) {
        RegisterLabel[r.reg] = makeLabel(c, "", r.caption, r.labelX, r.y, 50, 20);
        RegisterLabel[r.reg]->setObjectName(QString("RegisterLabel") + r.name);
    }
    for (const RegisterPlace& r : kRegisterPlaces) {
        const Control control = Control(int(Control::PaletteLUM) + r.reg - 1);
        PaletteButton[r.reg] = addButton(control, "<", r.buttonX, r.y, 20, 20);
        PaletteButton[r.reg]->setObjectName(QString("PaletteButton") + r.name);
        PaletteButton[r.reg]->setToolTip(QString("Set color - ") + r.registerName);
    }
    for (const RegisterPlace& r : kRegisterPlaces) {
        Swatch[r.reg] = new CanvasWidget(c, r.swatchX, r.y, 30, 20, true);
        Swatch[r.reg]->setObjectName(QString("Swatch") + r.name);
        Swatch[r.reg]->setToolTip(QString("Get color - ") + r.registerName);
    }
    LoadColoursButton = addButton(Control::LoadColours, "Load Colors", 740, 410, 80, 20);
    named(LoadColoursButton, "LoadColoursButton");
    SaveColoursButton = addButton(Control::SaveColours, "Save Colors", 840, 410, 80, 20);
    named(SaveColoursButton, "SaveColoursButton");

    modeGroup_ = new QButtonGroup(this);
    NormalOption = new QRadioButton("Normal", c);
    named(NormalOption, "NormalOption");
    NormalOption->setGeometry(140, 420, 70, 20);
    NormalOption->setChecked(true);
    MaskOption = new QRadioButton("Mask", c);
    named(MaskOption, "MaskOption");
    MaskOption->setGeometry(210, 420, 60, 20);
    modeGroup_->addButton(NormalOption);
    modeGroup_->addButton(MaskOption);
    NormalOption->setFocusPolicy(Qt::NoFocus);
    MaskOption->setFocusPolicy(Qt::NoFocus);

    PickedCodeLabel = makeLabel(c, "PickedCodeLabel", "", 10, 520, 70, 20, true);
    ModeLabel = makeLabel(c, "ModeLabel", "Mode:", 90, 422, 40, 20);
    SetCopyButton = addButton(Control::SetCopy, "Copy", 10, 120, 35, 20);
    named(SetCopyButton, "SetCopyButton");
    SetPasteButton = addButton(Control::SetPaste, "Paste", 52, 120, 35, 20);
    named(SetPasteButton, "SetPasteButton");
    DrawOnSetCheckBox = new QCheckBox("Draw on SET", c);
    named(DrawOnSetCheckBox, "DrawOnSetCheckBox");
    DrawOnSetCheckBox->setGeometry(565, 380, 90, 20);
    DrawOnSetCheckBox->setChecked(true);
    DrawOnSetCheckBox->setFocusPolicy(Qt::NoFocus);
    AnimStopCombo = new QComboBox(c);
    named(AnimStopCombo, "AnimStopCombo");
    AnimStopCombo->setGeometry(90, 275, 40, 20);
    AnimStopCombo->setToolTip("Anim stop");
    AnimStopCombo->setFocusPolicy(Qt::NoFocus);
    AnimStartCombo = new QComboBox(c);
    named(AnimStartCombo, "AnimStartCombo");
    AnimStartCombo->setGeometry(10, 275, 40, 20);
    AnimStartCombo->setToolTip("Anim start");
    AnimStartCombo->setFocusPolicy(Qt::NoFocus);
    SetFrame = makeFrame(c, "SetFrame", "SET (1-100):", 5, 10, 140, 240);
    GlyphInfoLabel = makeLabel(c, "GlyphInfoLabel", "", 730, 260, 80, 20, true, true);
    SetsViewerButton = addButton(Control::SetsViewer, "Sets Viewer", 100, 120, 40, 30, true);
    named(SetsViewerButton, "SetsViewerButton");
    MultiFontViewerButton =
        addButton(Control::MultiFontViewer, "Multi Font Viewer", 810, 520, 120, 30);
    named(MultiFontViewerButton, "MultiFontViewerButton");
    CopyBufferCanvas = new CanvasWidget(c, 910, 230, 20, 20, true);
    named(CopyBufferCanvas, "CopyBufferCanvas");
    CopyBufferLabel = makeLabel(c, "CopyBufferLabel", "Copy buffer >", 830, 232, 80, 20);
    ViewEditorButton = addButton(Control::ViewEditor, "View Editor", 810, 558, 120, 36);
    named(ViewEditorButton, "ViewEditorButton");

    // Frames are drawn behind the controls they surround.
    for (QGroupBox* frame : {ColourFrame, ButtonColourFrame, AnimFrameBox, SetFrame})
        frame->lower();
}

void MainWindow::connectControls() {
    auto send = [this](Control control) {
        MainEvent e{MainEventKind::Control};
        e.id = int(control);
        mainWindowEvent(e);
    };
    connect(NormalOption, &QRadioButton::clicked, this, [send] { send(Control::Normal); });
    connect(MaskOption, &QRadioButton::clicked, this, [send] { send(Control::Mask); });
    connect(GridCheckBox, &QCheckBox::clicked, this, [send] { send(Control::GridCheck); });
    connect(DrawOnSetCheckBox, &QCheckBox::clicked, this,
            [send] { send(Control::DrawOnSetCheck); });
}

void MainWindow::connectCanvases() {
    auto route = [this](CanvasWidget* canvas, CanvasId id, int reg) {
        canvas->onInput = [this, id, reg](const CanvasInput& in) {
            MainEvent e{MainEventKind::Canvas};
            e.canvas = id;
            e.swatchRegister = reg;
            e.x = in.x;
            e.y = in.y;
            e.buttons = in.buttons;
            e.leftClick = in.kind == CanvasEventKind::Press && in.button == Qt::LeftButton;
            e.rightClick = in.kind == CanvasEventKind::Press && in.button == Qt::RightButton;
            mainWindowEvent(e);
        };
    };
    route(SetCanvas, CanvasId::Set, 0);
    route(EditorCanvas, CanvasId::Editor, 0);
    route(SetPreviewCanvas, CanvasId::SetPreview, 0);
    route(FontCanvas, CanvasId::Font, 0);
    for (int r = 1; r <= 6; ++r)
        route(Swatch[r], CanvasId::Swatch, r);
}

QAction* MainWindow::menuAction(int id) const {
    auto it = actions_.find(id);
    return it == actions_.end() ? nullptr : it->second;
}

void MainWindow::setStatusField(int field, const QString& text) {
    if (field >= 0 && field < 3)
        statusFields_[field]->setText(text);
}

QString MainWindow::statusField(int field) const {
    return field >= 0 && field < 3 ? statusFields_[field]->text() : QString();
}

} // namespace korvex
