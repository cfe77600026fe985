#pragma once
// A stroke on a canvas: from a mouse button going down until every button is up,
// the work it changes is one history step. The main window and the View Editor
// follow their canvases' events through one of these.

namespace korvex {

struct Document;

class CanvasStroke {
public:
    explicit CanvasStroke(Document& doc) : doc_(doc) {}
    CanvasStroke(const CanvasStroke&) = delete;
    CanvasStroke& operator=(const CanvasStroke&) = delete;

    // Before a canvas event with `buttons` held: the first button down opens the
    // step, named `name`.
    void before(int buttons, const char* name);
    // After the event: with every button up the stroke ends.
    void after(int buttons) {
        if (buttons == 0)
            end();
    }
    // Ends a stroke in progress (a command or a close comes in between).
    void end();
    bool active() const { return active_; }

private:
    Document& doc_;
    bool active_ = false;
};

} // namespace korvex
