#include "render/row_strip_drawing.h"

#include "core/row_table.h"

#include <QFont>
#include <QPainter>

namespace korvex {

namespace {

constexpr int kTextPixels = 11;
const QColor kFollowText(128, 128, 128);
const QColor kValueText(0, 0, 0);
const QColor kCurrentText(255, 255, 255);

} // namespace

std::optional<RowStripPlace> rowStripPlaceAt(int x, int y) {
    if (x < 0 || y < 0 || x >= kRowStripSize.width || y >= kRowStripSize.height)
        return std::nullopt;
    return RowStripPlace{y / kRowStripBandHeight,
                         x < kRowStripColumnWidth ? RowStripColumn::Font : RowStripColumn::Mode};
}

QString rowFontText(int font) {
    return font >= 1 && font <= kFontCount ? QString::number(font) : QStringLiteral("-");
}

QString rowModeText(int mode) {
    return mode != int(RowMode::Follow) && isRowMode(mode) ? QString::number(mode)
                                                           : QStringLiteral("-");
}

void drawRowStrip(const Document& doc, QImage& image, int currentRow) {
    static const RowTable kFollowTable{};
    const int screen = doc.currentScreen;
    const RowTable& table =
        screen >= 0 && screen < kScreenCount ? doc.rowTables[screen] : kFollowTable;

    image.fill(kRowStripBackground);
    QPainter painter(&image);
    QFont font = painter.font();
    font.setPixelSize(kTextPixels);
    painter.setFont(font);
    for (int row = 0; row < kScreenRows; ++row) {
        const int top = row * kRowStripBandHeight;
        const bool current = row == currentRow;
        const bool tall = table.mode[row] == uint8_t(RowMode::FourColourTall);
        const QRect fontCell(0, top, kRowStripColumnWidth, kRowStripBandHeight);
        const QRect modeCell(kRowStripColumnWidth, top, kRowStripColumnWidth, kRowStripBandHeight);
        if (current)
            painter.fillRect(QRect(0, top, kRowStripSize.width, kRowStripBandHeight),
                             QColor::fromRgb(kRowStripCurrentRow));
        if (tall)
            painter.fillRect(modeCell.adjusted(current ? 2 : 0, current ? 2 : 0, 0, 0),
                             QColor::fromRgb(kRowStripTallMark));
        auto text = [&](const QRect& cell, const QString& shown, bool follow, bool onMark) {
            painter.setPen(onMark    ? kValueText
                           : current ? kCurrentText
                           : follow  ? kFollowText
                                     : kValueText);
            painter.drawText(cell, Qt::AlignCenter, shown);
        };
        text(fontCell, rowFontText(table.font[row]), table.font[row] == kRowFontFollow, false);
        text(modeCell, rowModeText(table.mode[row]), table.mode[row] == uint8_t(RowMode::Follow),
             tall);
        // The line under the band and the one between the columns.
        painter.fillRect(QRect(0, top + kRowStripBandHeight - 1, kRowStripSize.width, 1),
                         QColor::fromRgb(kRowStripLine));
    }
    painter.fillRect(QRect(kRowStripColumnWidth - 1, 0, 1, kRowStripSize.height),
                     QColor::fromRgb(kRowStripLine));
}

} // namespace korvex
