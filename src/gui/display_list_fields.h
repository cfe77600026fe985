#pragma once
// The export window's address fields for a display list of the View Editor's
// current screen: the screen memory, the list itself and one field for each font
// the screen's rows show (rows that follow taking the editor's current font and
// mode). Each starts at an address that passes the display list's rules.

#include "formats/display_list.h"

#include <QWidget>
#include <map>
#include <string>

class QLineEdit;

namespace korvex {

struct Document;

constexpr int kDefaultScreenAddress = 0x9C40;    // 960 bytes up to $9FFF
constexpr int kDefaultListAddress = 0x9C20;      // just below the screen, inside its 1 KB
constexpr int kDefaultFirstFontAddress = 0x6000; // font F at this + (F - 1) KB

class DisplayListFields : public QWidget {
    Q_OBJECT
public:
    // Fields for `doc`'s current screen, laid out `width` pixels wide.
    DisplayListFields(const Document& doc, int width, QWidget* parent);

    // The request the fields give, or why they give none: a field that is no
    // address, or the display list's own message (displayListProblem).
    std::string request(DisplayListRequest& out) const;

    // The field of font 1..10, or nullptr when no row shows that font.
    QLineEdit* fontAddressEdit(int font) const;

    QLineEdit* ScreenAddressEdit = nullptr;
    QLineEdit* ListAddressEdit = nullptr;

signals:
    // Any field's text changed.
    void changed();

private:
    QLineEdit* addField(const QString& caption, int x, int y, int labelWidth, int address);

    const Document& doc_;
    DisplayListRequest base_; // the screen and how rows that follow show
    std::map<int, QLineEdit*> fontEdits_;
};

} // namespace korvex
