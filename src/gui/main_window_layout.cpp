// Builds the main window: frame, menus with their shortcuts, status bar and every
// control at its fixed place; the commands' menu items and controls come from
// their table (main_window_commands.cpp).

#include "gui/canvas_widget.h"
#include "gui/main_window.h"

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
    int swatchX;
    const char* registerName; // as the tooltips spell it
};

// Register rows of the "Color" frame, in creation order.
constexpr RegisterPlace kRegisterPlaces[] = {
    {LUM, "LUM", 690, 310, "LUM", 750, "LUM"},      {PF0, "PF0", 690, 340, "PF0 - 01", 750, "PF0"},
    {PF2, "PF2", 690, 370, "PF2 - 11", 750, "PF2"}, {BAK, "BAK", 810, 310, "BAK", 870, "BAK"},
    {PF1, "PF1", 810, 340, "PF1 - 10", 870, "FP1"}, {PF3, "PF3", 810, 370, "PF3 - 11", 870, "PF3"},
};

} // namespace

MainWindow::MainWindow(Document& doc) : doc_(doc), stroke_(doc) {
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
    for (const MainCommand& command : mainWindowCommands()) {
        if (command.menu == 0)
            continue;
        QAction* action =
            addCommandMenuItem(menuBar(), command.menuTitle, command.menuText, command.shortcut,
                               command.separatorBefore, command.wholeApplication);
        action->setData(command.menu);
        action->setCheckable(command.checked != nullptr);
        const int id = command.menu;
        connect(action, &QAction::triggered, this, [this, id] {
            MainEvent e{MainEventKind::Menu};
            e.id = id;
            mainWindowEvent(e);
        });
        actions_[id] = action;
    }
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

void MainWindow::buildCommandWidgets() {
    for (const MainCommand& command : mainWindowCommands()) {
        QAbstractButton* widget = makeCommandWidget(centralWidget(), command.widget);
        if (!widget)
            continue;
        widget->setFocusPolicy(Qt::NoFocus);
        const int control = command.control;
        connect(widget, &QAbstractButton::clicked, this, [this, control] {
            MainEvent e{MainEventKind::Control};
            e.id = control;
            mainWindowEvent(e);
        });
        controls_[control] = widget;
    }
    auto push = [this](Control c) { return static_cast<QPushButton*>(commandWidget(c)); };
    SetNextButton = push(Control::SetNext);
    SetPrevButton = push(Control::SetPrev);
    ModeButton = push(Control::Mode);
    RotateButton = push(Control::Rotate);
    ShiftDownButton = push(Control::ShiftDown);
    HMirrorButton = push(Control::HMirror);
    VMirrorButton = push(Control::VMirror);
    ShiftRightButton = push(Control::ShiftRight);
    ShiftLeftButton = push(Control::ShiftLeft);
    ShiftUpButton = push(Control::ShiftUp);
    CopyButton = push(Control::Copy);
    PasteButton = push(Control::Paste);
    InverseButton = push(Control::Inverse);
    ClearButton = push(Control::Clear);
    SaveSetButton = push(Control::SaveSet);
    LoadSetButton = push(Control::LoadSet);
    SaveAllSetsButton = push(Control::SaveAllSets);
    LoadAllSetsButton = push(Control::LoadAllSets);
    LoadFontButton = push(Control::LoadFont);
    SaveFontButton = push(Control::SaveFont);
    DefaultFontButton = push(Control::DefaultFont);
    ExportImageButton = push(Control::ExportImage);
    ExportAsButton = push(Control::ExportAs);
    SaveRangeButton = push(Control::SaveRange);
    AnimStartButton = push(Control::AnimStart);
    FontPrevButton = push(Control::FontPrev);
    FontNextButton = push(Control::FontNext);
    PaletteButton[LUM] = push(Control::PaletteLUM);
    PaletteButton[BAK] = push(Control::PaletteBAK);
    PaletteButton[PF0] = push(Control::PalettePF0);
    PaletteButton[PF1] = push(Control::PalettePF1);
    PaletteButton[PF2] = push(Control::PalettePF2);
    PaletteButton[PF3] = push(Control::PalettePF3);
    LoadColoursButton = push(Control::LoadColours);
    SaveColoursButton = push(Control::SaveColours);
    SetCopyButton = push(Control::SetCopy);
    SetPasteButton = push(Control::SetPaste);
    SetsViewerButton = push(Control::SetsViewer);
    MultiFontViewerButton = push(Control::MultiFontViewer);
    ViewEditorButton = push(Control::ViewEditor);
    GridCheckBox = static_cast<QCheckBox*>(commandWidget(Control::GridCheck));
    DrawOnSetCheckBox = static_cast<QCheckBox*>(commandWidget(Control::DrawOnSetCheck));
    NormalOption = static_cast<QRadioButton*>(commandWidget(Control::Normal));
    MaskOption = static_cast<QRadioButton*>(commandWidget(Control::Mask));
    modeGroup_ = new QButtonGroup(this);
    modeGroup_->addButton(NormalOption);
    modeGroup_->addButton(MaskOption);
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
    ShiftLabel = makeLabel(c, "ShiftLabel", "SHIFT:", 820, 110, 50, 16);
    AnimCanvas = new CanvasWidget(c, 30, 325, 80, 80, false);
    named(AnimCanvas, "AnimCanvas");
    AnimToLabel = makeLabel(c, "AnimToLabel", "TO", 60, 280, 20, 15, true);
    AnimFrameBox = makeFrame(c, "AnimFrameBox", "Anim SET:", 2, 255, 138, 160);
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
        Swatch[r.reg] = new CanvasWidget(c, r.swatchX, r.y, 30, 20, true);
        Swatch[r.reg]->setObjectName(QString("Swatch") + r.name);
        Swatch[r.reg]->setToolTip(QString("Get color - ") + r.registerName);
    }

    PickedCodeLabel = makeLabel(c, "PickedCodeLabel", "", 10, 520, 70, 20, true);
    ModeLabel = makeLabel(c, "ModeLabel", "Mode:", 90, 422, 40, 20);
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
    CopyBufferCanvas = new CanvasWidget(c, 910, 230, 20, 20, true);
    named(CopyBufferCanvas, "CopyBufferCanvas");
    CopyBufferLabel = makeLabel(c, "CopyBufferLabel", "Copy buffer >", 830, 232, 80, 20);
    buildCommandWidgets();

    // Frames are drawn behind the controls they surround.
    for (QGroupBox* frame : {ColourFrame, ButtonColourFrame, AnimFrameBox, SetFrame})
        frame->lower();
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

QAbstractButton* MainWindow::commandWidget(Control control) const {
    auto it = controls_.find(int(control));
    return it == controls_.end() ? nullptr : it->second;
}

void MainWindow::setStatusField(int field, const QString& text) {
    if (field >= 0 && field < 3)
        statusFields_[field]->setText(text);
}

QString MainWindow::statusField(int field) const {
    return field >= 0 && field < 3 ? statusFields_[field]->text() : QString();
}

} // namespace korvex
