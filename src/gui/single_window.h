#pragma once
// The windows the main window keeps one of at most (the viewers, the font tools, the
// View Editor). Each is a direct child of the main window and says when it is only
// waiting to go (isClosing); a second request finds the one there is.

#include <QString>
#include <QWidget>
#include <utility>

namespace korvex {

// The open window of kind W of `owner`, or nullptr.
template <class W> W* singleWindowOf(QWidget& owner) {
    for (W* window : owner.findChildren<W*>(QString(), Qt::FindDirectChildrenOnly))
        if (!window->isClosing())
            return window;
    return nullptr;
}

// The open window of kind W of `owner`, or a new one from `make` (which places and
// hooks it up; the caller shows it). `second` is true for a new window.
template <class W, class Make> std::pair<W*, bool> singleWindow(QWidget& owner, Make make) {
    if (W* open = singleWindowOf<W>(owner))
        return {open, false};
    return {make(), true};
}

} // namespace korvex
