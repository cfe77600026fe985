#include "gui/canvas_stroke.h"

#include "core/document.h"

namespace korvex {

void CanvasStroke::before(int buttons, const char* name) {
    if (buttons == 0 || active_)
        return;
    doc_.history.begin(doc_, name);
    active_ = true;
}

void CanvasStroke::end() {
    if (!active_)
        return;
    active_ = false;
    doc_.history.commit(doc_);
}

} // namespace korvex
