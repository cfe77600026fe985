#include "gui/display_list_fields.h"

#include "core/document.h"
#include "core/row_table.h"
#include "formats/text_number.h"

#include <QLabel>
#include <QLineEdit>
#include <set>

namespace korvex {

namespace {

constexpr int kFieldHeight = 20;
constexpr int kLineHeight = 26;
constexpr int kAddressWidth = 46;
constexpr int kFontsPerLine = 5;
constexpr int kFontLabelWidth = 40;

QString addressText(int address) {
    return QString("$%1").arg(address, 4, 16, QChar('0')).toUpper();
}

// Why `edit` holds no address, or "".
std::string readField(const QLineEdit* edit, const std::string& what, int& out) {
    const std::string text = edit->text().trimmed().toStdString();
    if (readAddress(text, out))
        return {};
    return what + " '" + text + "' is not an address 0..65535 (decimal, $hexadecimal or %binary)";
}

} // namespace

DisplayListFields::DisplayListFields(const Document& doc, int width, QWidget* parent)
    : QWidget(parent), doc_(doc) {
    base_.screen = doc.currentScreen;
    base_.followFont = int(doc.CurrentFont);
    base_.followFourColour = doc.FourColourMode != 0;

    ScreenAddressEdit = addField("Screen:", 0, 0, 44, kDefaultScreenAddress);
    ListAddressEdit = addField("Display list:", 110, 0, 68, kDefaultListAddress);

    std::set<int> fonts;
    if (base_.screen >= 0 && base_.screen < kScreenCount)
        for (int row = 0; row < kScreenRows; ++row)
            fonts.insert(resolveRow(doc.rowTables[base_.screen], row, base_.followFont,
                                    base_.followFourColour)
                             .font);
    const int slot = width / kFontsPerLine;
    int k = 0;
    for (int font : fonts) {
        const int x = (k % kFontsPerLine) * slot;
        const int y = (1 + k / kFontsPerLine) * kLineHeight;
        fontEdits_[font] = addField(QString("Font %1:").arg(font), x, y, kFontLabelWidth,
                                    kDefaultFirstFontAddress + (font - 1) * kFontAlignment);
        ++k;
    }
    const int lines = 1 + (int(fonts.size()) + kFontsPerLine - 1) / kFontsPerLine;
    resize(width, lines * kLineHeight);
}

QLineEdit* DisplayListFields::addField(const QString& caption, int x, int y, int labelWidth,
                                       int address) {
    auto* label = new QLabel(caption, this);
    label->setGeometry(x, y, labelWidth, kFieldHeight);
    auto* edit = new QLineEdit(addressText(address), this);
    edit->setGeometry(x + labelWidth, y, kAddressWidth, kFieldHeight);
    label->setBuddy(edit);
    connect(edit, &QLineEdit::textChanged, this, [this] { emit changed(); });
    return edit;
}

QLineEdit* DisplayListFields::fontAddressEdit(int font) const {
    auto it = fontEdits_.find(font);
    return it == fontEdits_.end() ? nullptr : it->second;
}

std::string DisplayListFields::request(DisplayListRequest& out) const {
    DisplayListRequest request = base_;
    std::string problem = readField(ScreenAddressEdit, "the screen address", request.screenAddress);
    if (problem.empty())
        problem = readField(ListAddressEdit, "the display list address", request.listAddress);
    for (const auto& [font, edit] : fontEdits_)
        if (problem.empty())
            problem = readField(edit, "font " + std::to_string(font) + "'s address",
                                request.fontAddresses[size_t(font)]);
    if (problem.empty())
        problem = displayListProblem(doc_, request);
    if (problem.empty())
        out = request;
    return problem;
}

} // namespace korvex
