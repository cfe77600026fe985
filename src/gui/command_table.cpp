#include "gui/command_table.h"

#include "gui/wrapping_button.h"

#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>

namespace korvex {

namespace {

QMenu* menuTitled(QMenuBar* bar, const QString& title) {
    for (QAction* action : bar->actions())
        if (action->menu() && action->text() == title)
            return action->menu();
    return bar->addMenu(title);
}

} // namespace

QAction* addCommandMenuItem(QMenuBar* bar, const char* title, const char* text,
                            const char* shortcut, bool separatorBefore, bool wholeApplication) {
    QMenu* menu = menuTitled(bar, title);
    if (separatorBefore)
        menu->addSeparator();
    QAction* action = menu->addAction(text);
    if (shortcut)
        action->setShortcuts(QKeySequence::listFromString(shortcut));
    if (wholeApplication)
        action->setShortcutContext(Qt::ApplicationShortcut);
    return action;
}

QAbstractButton* makeCommandWidget(QWidget* parent, const CommandWidget& w) {
    QAbstractButton* button = nullptr;
    switch (w.kind) {
    case WidgetKind::None:
        return nullptr;
    case WidgetKind::Button:
        button = new QPushButton(w.caption, parent);
        break;
    case WidgetKind::WrappingButton:
        button = new WrappingButton(w.caption, parent);
        break;
    case WidgetKind::CheckBox:
        button = new QCheckBox(w.caption, parent);
        button->setChecked(w.checked);
        break;
    case WidgetKind::Option:
        button = new QRadioButton(w.caption, parent);
        button->setChecked(w.checked);
        break;
    case WidgetKind::Toggle:
        button = new QPushButton(w.caption, parent);
        button->setCheckable(true);
        button->setChecked(w.checked);
        break;
    }
    button->setGeometry(w.x, w.y, w.width, w.height);
    if (w.objectName)
        button->setObjectName(w.objectName);
    if (w.toolTip)
        button->setToolTip(w.toolTip);
    return button;
}

} // namespace korvex
