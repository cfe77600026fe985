#include "gui/duplicate_glyphs_window.h"

#include "core/counted_words.h"
#include "core/document.h"
#include "core/glyph_merge.h"
#include "core/history.h"
#include "gui/canvas_widget.h"
#include "gui/caption_fit.h"
#include "gui/dialogs.h"
#include "gui/main_window.h"
#include "gui/single_window.h"
#include "gui/window_commands.h"
#include "render/duplicate_groups_drawing.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>

namespace korvex {

namespace {

constexpr int kWindowWidth = 480;
constexpr int kWindowHeight = 320;
constexpr int kMargin = 10;
constexpr int kRowHeight = 20;
constexpr int kListTop = 40;
constexpr int kListHeight = 200;

QString codeList(const GlyphGroup& glyphs, size_t from = 0) {
    QStringList codes;
    for (size_t i = from; i < glyphs.size(); ++i)
        codes << QString::number(glyphs[i]);
    return codes.join(", ");
}

QCheckBox* makeCheck(QWidget* parent, const char* name, const QString& text, int x) {
    auto* check = new QCheckBox(text, parent);
    check->setObjectName(name);
    check->setGeometry(x, kMargin, 100, kRowHeight);
    return check;
}

} // namespace

DuplicateGlyphsWindow::DuplicateGlyphsWindow(MainWindow& main)
    : QWidget(&main, Qt::Window), main_(main), doc_(main.doc()) {
    setObjectName("DuplicateGlyphsWindow");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle("Duplicate glyphs");
    setFixedSize(kWindowWidth, kWindowHeight);

    InverseCheck = makeCheck(this, "InverseCheck", "Inverse", kMargin);
    HMirrorCheck = makeCheck(this, "HMirrorCheck", "H mirror", kMargin + 110);
    VMirrorCheck = makeCheck(this, "VMirrorCheck", "V mirror", kMargin + 220);
    for (QCheckBox* check : {InverseCheck, HMirrorCheck, VMirrorCheck})
        connect(check, &QCheckBox::toggled, this, [this] { refresh(); });

    GroupsScrollArea = new QScrollArea(this);
    GroupsScrollArea->setObjectName("GroupsScrollArea");
    GroupsScrollArea->setGeometry(kMargin, kListTop, kWindowWidth - 2 * kMargin, kListHeight);
    GroupsScrollArea->setWidgetResizable(false);
    const CanvasSize size = duplicateGroupsSize({});
    GroupsCanvas = new CanvasWidget(nullptr, 0, 0, size.width, size.height, false);
    GroupsCanvas->setObjectName("GroupsCanvas");
    GroupsCanvas->onInput = [this](const CanvasInput& input) { canvasInput(input); };
    GroupsScrollArea->setWidget(GroupsCanvas);

    GroupLabel = new QLabel(this);
    GroupLabel->setObjectName("GroupLabel");
    GroupLabel->setGeometry(kMargin, kListTop + kListHeight + 8, kWindowWidth - 2 * kMargin,
                            2 * kRowHeight);
    GroupLabel->setWordWrap(true);

    MergeButton = new QPushButton("Merge into first", this);
    MergeButton->setObjectName("MergeButton");
    MergeButton->setGeometry(kWindowWidth - kMargin - 130, kWindowHeight - kMargin - 25, 130, 25);
    connect(MergeButton, &QPushButton::clicked, this, [this] { mergeSelectedGroup(); });
    fitCaptions(this);
}

DuplicateOptions DuplicateGlyphsWindow::options() const {
    // The horizontal mirror is the editor's own: by pixel pairs in four-colour mode.
    return {InverseCheck->isChecked(), HMirrorCheck->isChecked(), VMirrorCheck->isChecked(),
            doc_.FourColourMode != 0};
}

void DuplicateGlyphsWindow::refresh() {
    groups_ = findDuplicateGroups(doc_, doc_.CurrentFont, options());
    if (selected_ >= int(groups_.size()))
        selected_ = int(groups_.size()) - 1;
    const CanvasSize size = duplicateGroupsSize(groups_);
    if (GroupsCanvas->image().size() != QSize(size.width, size.height))
        GroupsCanvas->setDrawingSize(size.width, size.height);
    drawDuplicateGroups(doc_, GroupsCanvas->image(), groups_, selected_);
    GroupsCanvas->update();
    describeSelection();
}

void DuplicateGlyphsWindow::describeSelection() {
    const QString font = QString::number(doc_.CurrentFont);
    if (groups_.empty()) {
        GroupLabel->setText("Font " + font + " has no duplicate glyphs.");
        return;
    }
    QString text = QString("Font %1: %2 %3.")
                       .arg(font)
                       .arg(groups_.size())
                       .arg(groups_.size() == 1 ? "group" : "groups");
    if (selected_ >= 0)
        text += QString(" Group %1: %2").arg(selected_ + 1).arg(codeList(groups_[selected_]));
    else
        text += " Click a glyph to choose its group.";
    GroupLabel->setText(text);
}

void DuplicateGlyphsWindow::canvasInput(const CanvasInput& input) {
    if (input.kind != CanvasEventKind::Press || input.button != Qt::LeftButton)
        return;
    const GroupPlace place = duplicateGroupAt(groups_, input.x, input.y);
    if (place.group < 0)
        return;
    selected_ = place.group;
    main_.pickGlyph(groups_[size_t(place.group)][size_t(place.index)]);
    refresh();
}

void DuplicateGlyphsWindow::mergeSelectedGroup() {
    const QString font = QString::number(doc_.CurrentFont);
    if (groups_.empty()) {
        dialogs().message(this, "Merge...",
                          "Font " + font + " has no duplicate glyphs: nothing to merge.");
        return;
    }
    if (selected_ < 0) {
        dialogs().message(this, "Merge...", "Click a glyph of the group to merge first.");
        return;
    }
    const std::vector<GlyphGroup> chosen{groups_[size_t(selected_)]};
    const std::vector<GlyphGroup> mergeable = mergeableGroups(doc_, doc_.CurrentFont, chosen);
    if (mergeable.empty()) {
        dialogs().message(this, "Merge...",
                          "No glyph of this group is an exact copy of glyph " +
                              QString::number(chosen.front().front()) +
                              ": only exact copies can be merged.");
        return;
    }
    const GlyphGroup& group = mergeable.front();
    const MergeCount count = countMergeChanges(doc_, doc_.CurrentFont, mergeable);
    const QString merged = (group.size() == 2 ? "glyph " : "glyphs ") + codeList(group, 1);
    const QString question =
        QString("Merge %1 into glyph %2?\n\n%3 %4 (%5 in sets, %6 in screens), and "
                "%1 will be cleared.")
            .arg(merged)
            .arg(group.front())
            .arg(QString::fromStdString(counted(count.cells(), "cell")))
            .arg(count.cells() == 1 ? "changes" : "change")
            .arg(count.setCells)
            .arg(count.screenCells);
    if (!dialogs().question(this, "Merge...", question))
        return;
    {
        HistoryStep step(doc_, "Merge");
        mergeGlyphGroups(doc_, doc_.CurrentFont, mergeable);
    }
    // Redraws this window too.
    main_.redrawMainWindow();
}

void DuplicateGlyphsWindow::closeEvent(QCloseEvent* event) {
    closing_ = true;
    main_.duplicateGlyphsRedraw = nullptr;
    event->accept();
}

DuplicateGlyphsWindow* openDuplicateGlyphsOf(MainWindow& window) {
    return singleWindowOf<DuplicateGlyphsWindow>(window);
}

void openDuplicateGlyphsCommand(MainWindow& window) {
    DuplicateGlyphsWindow* view = singleWindow<DuplicateGlyphsWindow>(window, [&window] {
                                      auto* view = new DuplicateGlyphsWindow(window);
                                      view->move(window.pos() + QPoint(120, 120));
                                      window.duplicateGlyphsRedraw = [view] { view->refresh(); };
                                      return view;
                                  }).first;
    view->refresh();
    view->show();
    view->raise();
}

} // namespace korvex
