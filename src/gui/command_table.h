#pragma once
// A window's user commands, each declared once as a row: what raises it (a menu
// item with its shortcut, a control at its place, a key the window reads itself),
// whether it is a history step and under which name, when it is enabled, and the
// function it runs. The window builds its menus and controls from its rows and
// sends every command through them, so a new command is its operation plus a row.

#include <QString>
#include <vector>

class QAbstractButton;
class QAction;
class QMenuBar;
class QWidget;

namespace korvex {

// The control a command puts in the window, at a fixed place.
enum class WidgetKind { None, Button, WrappingButton, CheckBox, Option, Toggle };

struct CommandWidget {
    WidgetKind kind = WidgetKind::None;
    const char* caption = nullptr;
    int x = 0, y = 0, width = 0, height = 0;
    const char* objectName = nullptr;
    bool checked = false; // check boxes, options and toggles: their state at start
    const char* toolTip = nullptr;
};

template <class Window> struct Command {
    int menu = 0;     // menu item identifier; 0: no menu item
    int control = -1; // the window's control identifier; -1: none
    int key = 0;      // a key the window reads itself (Qt::Key); 0: none

    const char* menuTitle = nullptr; // the menu that holds the item
    const char* menuText = nullptr;  // its text, with the shortcut shown after a tab
    const char* shortcut = nullptr;  // key sequences, several separated by "; "
    bool separatorBefore = false;    // a line above the item in its menu
    bool wholeApplication = false;   // the shortcut works in every window
    CommandWidget widget = {};

    // The command changes the work: the history step it makes and the name Undo
    // and Redo give it. nullptr: it only shows, selects or saves.
    const char* step = nullptr;
    // After the command the window ignores left clicks for a while (a file dialog
    // just closed over it).
    bool guardsClicks = false;
    // nullptr: always enabled / not a check item.
    bool (*enabled)(const Window&) = nullptr;
    bool (*checked)(const Window&) = nullptr;
    void (*run)(Window&) = nullptr;
};

// The row of a menu item, control or key; nullptr when there is none.
template <class Window>
const Command<Window>* commandOfMenu(const std::vector<Command<Window>>& rows, int menu) {
    for (const Command<Window>& row : rows)
        if (menu != 0 && row.menu == menu)
            return &row;
    return nullptr;
}
template <class Window>
const Command<Window>* commandOfControl(const std::vector<Command<Window>>& rows, int control) {
    for (const Command<Window>& row : rows)
        if (control >= 0 && row.control == control)
            return &row;
    return nullptr;
}
template <class Window>
const Command<Window>* commandOfKey(const std::vector<Command<Window>>& rows, int key) {
    for (const Command<Window>& row : rows)
        if (key != 0 && row.key == key)
            return &row;
    return nullptr;
}

// A row's menu item, added at the end of the menu `title` (made on first use, after
// the menus already there).
QAction* addCommandMenuItem(QMenuBar* bar, const char* title, const char* text,
                            const char* shortcut, bool separatorBefore, bool wholeApplication);

// The control of a row, made in `parent` at its place (nullptr for WidgetKind::None).
QAbstractButton* makeCommandWidget(QWidget* parent, const CommandWidget& widget);

} // namespace korvex
