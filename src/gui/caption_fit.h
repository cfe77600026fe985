#pragma once
// Captions in fixed-size controls: finding the texts that do not fit the room their
// control gives them, and choosing a window's type size so that none is cut.

#include <QString>
#include <vector>

class QWidget;

namespace korvex {

// A text wider (or taller) than the room its control draws it in.
struct CaptionOverflow {
    const QWidget* widget = nullptr;
    QString text;
    int textWidth = 0;
    int roomWidth = 0;
    int textHeight = 0;
    int roomHeight = 0;
};

// Every label, button, check box, option, group box title and list-box entry of
// `window` and its children whose text does not fit; hidden controls count too. A
// left-aligned text has only the part of its control that no control drawn over
// it hides.
std::vector<CaptionOverflow> captionOverflows(const QWidget* window);

// The smallest type of a whole window, and of a single control.
constexpr int kSmallestWindowPixelSize = 9;
constexpr int kSmallestCaptionPixelSize = 7;

// Gives `window` the largest type, from its present size down to
// kSmallestWindowPixelSize, at which its captions fit (see captionOverflows); a
// control that still overflows, or a list box with an entry too long for it, then
// gets smaller type of its own, down to kSmallestCaptionPixelSize.
void fitCaptions(QWidget* window);

} // namespace korvex
