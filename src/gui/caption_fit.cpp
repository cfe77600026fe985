#include "gui/caption_fit.h"

#include "gui/wrapping_button.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionGroupBox>

namespace korvex {

namespace {

// Room a group box leaves its title: the frame's corner on each side.
constexpr int kGroupTitleMargin = 8;
// What WrappingButton keeps clear around its text, left/right and top/bottom.
constexpr int kWrapMarginX = 2;
constexpr int kWrapMarginY = 1;

// The text as shown: without the '&' that marks a shortcut letter.
QString shownText(QString text) {
    text.replace("&&", "\x01");
    text.remove('&');
    text.replace('\x01', '&');
    return text;
}

void check(std::vector<CaptionOverflow>& out, const QWidget* widget, const QString& text,
           const QSize& room) {
    if (text.isEmpty())
        return;
    const QFontMetrics metrics(widget->font());
    const QStringList lines = text.split('\n');
    int width = 0;
    for (const QString& line : lines)
        width = std::max(width, metrics.horizontalAdvance(line));
    const int height = int(lines.size()) * metrics.height();
    if (width > room.width() || height > room.height())
        out.push_back({widget, text, width, room.width(), height, room.height()});
}

// How much of the right side of `widget` a sibling drawn over it hides (siblings
// later in their parent's list are drawn on top). Left-aligned text ends there.
int hiddenOnTheRight(const QWidget* widget) {
    const QWidget* parent = widget->parentWidget();
    if (!parent || widget->isWindow())
        return 0;
    const QRect own = widget->geometry();
    int visibleRight = own.x() + own.width();
    bool above = false;
    for (const QObject* object : parent->children()) {
        if (object == widget) {
            above = true;
            continue;
        }
        const auto* sibling = qobject_cast<const QWidget*>(object);
        if (!above || !sibling || sibling->isWindow() || sibling->isHidden())
            continue;
        const QRect other = sibling->geometry();
        if (other.intersects(own) && other.x() > own.x())
            visibleRight = std::min(visibleRight, other.x());
    }
    return own.x() + own.width() - visibleRight;
}

QStyleOptionButton buttonOption(const QAbstractButton* button) {
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    option.icon = button->icon();
    option.iconSize = button->iconSize();
    return option;
}

void checkWrappingButton(std::vector<CaptionOverflow>& out, const QAbstractButton* button) {
    const QRect room =
        button->rect().adjusted(kWrapMarginX, kWrapMarginY, -kWrapMarginX, -kWrapMarginY);
    const QFontMetrics metrics(button->font());
    // Every word must fit a line, and the wrapped lines the button's height.
    int widestWord = 0;
    for (const QString& word : button->text().split(' ', Qt::SkipEmptyParts))
        widestWord = std::max(widestWord, metrics.horizontalAdvance(word));
    const QRect wrapped =
        metrics.boundingRect(room, Qt::AlignCenter | Qt::TextWordWrap, button->text());
    if (widestWord > room.width() || wrapped.height() > room.height())
        out.push_back({button, button->text(), std::max(widestWord, wrapped.width()), room.width(),
                       wrapped.height(), room.height()});
}

void checkButton(std::vector<CaptionOverflow>& out, const QAbstractButton* button) {
    if (qobject_cast<const WrappingButton*>(button)) {
        checkWrappingButton(out, button);
        return;
    }
    const QStyleOptionButton option = buttonOption(button);
    QStyle::SubElement element = QStyle::SE_PushButtonContents;
    if (qobject_cast<const QCheckBox*>(button))
        element = QStyle::SE_CheckBoxContents;
    else if (qobject_cast<const QRadioButton*>(button))
        element = QStyle::SE_RadioButtonContents;
    else if (!qobject_cast<const QPushButton*>(button))
        return;
    QRect room = button->style()->subElementRect(element, &option, button);
    if (element != QStyle::SE_PushButtonContents)
        room.setRight(room.right() - hiddenOnTheRight(button));
    check(out, button, shownText(button->text()), room.size());
}

void checkLabel(std::vector<CaptionOverflow>& out, const QLabel* label) {
    if (label->textFormat() == Qt::RichText || label->text().contains('<'))
        return;
    const int indent = std::max(0, label->indent());
    QRect room = label->contentsRect().adjusted(label->margin() + indent, label->margin(),
                                                -label->margin(), -label->margin());
    if (label->alignment() & Qt::AlignLeft)
        room.setRight(room.right() - hiddenOnTheRight(label));
    if (label->wordWrap()) {
        for (const QString& word :
             label->text().split(QRegularExpression("\\s+"), Qt::SkipEmptyParts))
            check(out, label, word, room.size());
        return;
    }
    check(out, label, label->text(), room.size());
}

void checkGroupBox(std::vector<CaptionOverflow>& out, const QGroupBox* box) {
    check(out, box, shownText(box->title()),
          QSize(box->width() - 2 * kGroupTitleMargin, box->height()));
}

void checkComboBox(std::vector<CaptionOverflow>& out, const QComboBox* combo) {
    QStyleOptionComboBox option;
    option.initFrom(combo);
    option.editable = combo->isEditable();
    const QRect room = combo->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                      QStyle::SC_ComboBoxEditField, combo);
    for (int i = 0; i < combo->count(); ++i)
        check(out, combo, combo->itemText(i), room.size());
}

void checkWidget(std::vector<CaptionOverflow>& out, const QWidget* widget) {
    if (auto* button = qobject_cast<const QAbstractButton*>(widget))
        checkButton(out, button);
    else if (auto* label = qobject_cast<const QLabel*>(widget))
        checkLabel(out, label);
    else if (auto* box = qobject_cast<const QGroupBox*>(widget))
        checkGroupBox(out, box);
    else if (auto* combo = qobject_cast<const QComboBox*>(widget))
        checkComboBox(out, combo);
}

} // namespace

std::vector<CaptionOverflow> captionOverflows(const QWidget* window) {
    std::vector<CaptionOverflow> out;
    checkWidget(out, window);
    for (const QWidget* child : window->findChildren<QWidget*>())
        checkWidget(out, child);
    return out;
}

namespace {

bool overflows(const QWidget* widget) {
    std::vector<CaptionOverflow> out;
    checkWidget(out, widget);
    return !out.empty();
}

// The overflowing captions that decide the type of a whole window: list-box entries
// do not, since a list box can hold far longer text than any caption.
bool captionsOverflow(const QWidget* window) {
    for (const CaptionOverflow& overflow : captionOverflows(window))
        if (!qobject_cast<const QComboBox*>(overflow.widget))
            return true;
    return false;
}

// Makes the type of `widget` smaller, a pixel at a time down to `smallest`, while
// `tooWide` holds.
template <typename Test> void shrinkWhile(QWidget* widget, int smallest, Test tooWide) {
    QFont font = widget->font();
    int size = QFontInfo(font).pixelSize();
    while (size > smallest && tooWide()) {
        --size;
        font.setPixelSize(size);
        widget->setFont(font);
    }
}

} // namespace

void fitCaptions(QWidget* window) {
    shrinkWhile(window, kSmallestWindowPixelSize, [window] { return captionsOverflow(window); });
    // A control whose text would need the whole window in smaller type than that,
    // and a list box with a long entry, gets smaller type of its own.
    for (QWidget* child : window->findChildren<QWidget*>())
        shrinkWhile(child, kSmallestCaptionPixelSize, [child] { return overflows(child); });
}

} // namespace korvex
