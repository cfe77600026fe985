// The display list in the View Editor's screen export: its two entries in the
// language list, the address fields and their defaults, the text as the display
// list code gives it, and addresses that break a rule refused with its message.

#include "core/screens.h"
#include "formats/display_list.h"
#include "gui/display_list_fields.h"
#include "gui/export_window.h"
#include "main_window_fixture.h"
#include "modal_test_tools.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace korvex {
namespace {

using test::fileBytes;

QString joined(const std::vector<std::string>& lines) {
    QStringList out;
    for (const auto& line : lines)
        out << QString::fromStdString(line);
    return out.join('\n');
}

class ExportDisplayList : public test::MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        doc->currentScreen = 3;
        for (int i = 0; i < kScreenCells; ++i)
            setCell(*doc, 3, i % kScreenColumns, i / kScreenColumns, uint8_t(i * 7));
        // Font 2 on rows 5..11, a tall row, the other rows following font 1.
        RowTable& table = doc->rowTables[3];
        for (int row = 5; row < 12; ++row)
            table.font[row] = 2;
        table.mode[8] = uint8_t(RowMode::FourColourTall);
        doc->FontColours[2][PF1] = 0x00C040;
        doc->exportKind = "screen";
    }

    // The request of the given addresses for the current screen as the editor shows it.
    DisplayListRequest request(int screenAddress, int listAddress, int font1, int font2) const {
        DisplayListRequest r;
        r.screen = 3;
        r.followFont = int(doc->CurrentFont);
        r.followFourColour = doc->FourColourMode;
        r.screenAddress = screenAddress;
        r.listAddress = listAddress;
        r.fontAddresses[1] = font1;
        r.fontAddresses[2] = font2;
        return r;
    }
    QString listText(const DisplayListRequest& r, bool hex) const {
        EXPECT_EQ(displayListProblem(*doc, r), "");
        return joined(displayListSource(buildDisplayList(*doc, r), hex));
    }
};

TEST_F(ExportDisplayList, OffersTheListWithAddressesThatPassTheRules) {
    ExportWindow w(*doc);
    w.show();
    ASSERT_EQ(w.LanguageCombo->count(), 9);
    EXPECT_EQ(w.LanguageCombo->itemText(kDisplayListDecimal),
              "Display list (ca65): Byte in decimal");
    EXPECT_EQ(w.LanguageCombo->itemText(kDisplayListHexadecimal),
              "Display list (ca65): Byte in hexadecimal");
    ASSERT_NE(w.AddressFields, nullptr);
    EXPECT_FALSE(w.AddressFields->isVisible());
    EXPECT_EQ(w.TextArea->geometry(), QRect(10, 40, 440, 500));

    w.LanguageCombo->setCurrentIndex(kDisplayListHexadecimal);
    EXPECT_TRUE(w.AddressFields->isVisible());
    EXPECT_GT(w.TextArea->geometry().top(), w.AddressFields->geometry().bottom());
    EXPECT_EQ(w.TextArea->geometry().bottom(), 539);
    EXPECT_EQ(w.AddressFields->ScreenAddressEdit->text(), "$9C40");
    EXPECT_EQ(w.AddressFields->ListAddressEdit->text(), "$9C20");
    ASSERT_NE(w.AddressFields->fontAddressEdit(1), nullptr);
    ASSERT_NE(w.AddressFields->fontAddressEdit(2), nullptr);
    EXPECT_EQ(w.AddressFields->fontAddressEdit(3), nullptr); // no row shows it
    EXPECT_EQ(w.AddressFields->fontAddressEdit(2)->text(), "$6400");
    EXPECT_EQ(w.TextArea->toPlainText(), listText(request(0x9C40, 0x9C20, 0x6000, 0x6400), true));
    EXPECT_FALSE(w.TextArea->isReadOnly());

    // Any form of number; the text follows every field.
    w.AddressFields->ScreenAddressEdit->setText("32768");
    w.AddressFields->fontAddressEdit(1)->setText("%1110000000000000");
    w.LanguageCombo->setCurrentIndex(kDisplayListDecimal);
    EXPECT_EQ(w.TextArea->toPlainText(), listText(request(0x8000, 0x9C20, 0xE000, 0x6400), false));

    // The other languages export the screen as before, in the whole text area.
    w.LanguageCombo->setCurrentIndex(1);
    EXPECT_FALSE(w.AddressFields->isVisible());
    EXPECT_EQ(w.TextArea->geometry(), QRect(10, 40, 440, 500));
    EXPECT_EQ(w.textLines().first(), "SCREEN");
}

TEST_F(ExportDisplayList, AnAddressThatBreaksARuleGivesItsMessageAndNothingToSave) {
    // Rows that follow take the current font: font 4's field replaces font 1's.
    doc->CurrentFont = 4;
    ExportWindow w(*doc);
    w.show();
    w.LanguageCombo->setCurrentIndex(kDisplayListHexadecimal);
    ASSERT_EQ(w.AddressFields->fontAddressEdit(1), nullptr);
    ASSERT_NE(w.AddressFields->fontAddressEdit(4), nullptr);
    EXPECT_EQ(w.AddressFields->fontAddressEdit(4)->text(), "$6C00");

    struct Case {
        QLineEdit* field;
        const char* text;
        DisplayListRequest wrong;
    };
    DisplayListRequest font = request(0x9C40, 0x9C20, kNoFontAddress, 0x6500);
    font.fontAddresses[4] = 0x6C00;
    DisplayListRequest list = request(0x9C40, 0x9FF0, kNoFontAddress, 0x6400);
    list.fontAddresses[4] = 0x6C00;
    DisplayListRequest screen = request(0x9E00, 0x9C20, kNoFontAddress, 0x6400);
    screen.fontAddresses[4] = 0x6C00;
    const Case cases[] = {{w.AddressFields->fontAddressEdit(2), "$6500", font},
                          {w.AddressFields->ListAddressEdit, "$9FF0", list},
                          {w.AddressFields->ScreenAddressEdit, "$9E00", screen}};
    for (const Case& c : cases) {
        const QString good = c.field->text();
        c.field->setText(c.text);
        const std::string message = displayListProblem(*doc, c.wrong);
        ASSERT_FALSE(message.empty()) << c.text;
        EXPECT_EQ(w.TextArea->toPlainText().toStdString(), message);
        EXPECT_TRUE(w.TextArea->isReadOnly());
        c.field->setText(good);
        EXPECT_FALSE(w.TextArea->isReadOnly());
    }

    // Text that is no address at all, and a Save while it stands.
    w.AddressFields->ListAddressEdit->setText("$1000O");
    EXPECT_EQ(w.TextArea->toPlainText(), "the display list address '$1000O' is not an address "
                                         "0..65535 (decimal, $hexadecimal or %binary)");
    dialogs.files.push_back({path("list.txt"), 0});
    QTest::mouseClick(w.SaveButton, Qt::LeftButton);
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].kind, "message");
    EXPECT_EQ(dialogs.asked[0].title, "Error...");
    EXPECT_EQ(dialogs.asked[0].textOrStart, w.TextArea->toPlainText());
    EXPECT_TRUE(QDir(dir.path()).isEmpty());

    // Put right, the list is saved with the window's Save.
    w.AddressFields->ListAddressEdit->setText("$9C20");
    QTest::mouseClick(w.SaveButton, Qt::LeftButton);
    const QByteArray saved = fileBytes(path("list.txt"));
    EXPECT_TRUE(saved.startsWith("DISPLAY_LIST\r\n    .BYTE $70,$70,$70\r\n"));
    EXPECT_EQ(QString::fromLatin1(saved).replace("\r\n", "\n"), w.TextArea->toPlainText() + "\n");
}

TEST_F(ExportDisplayList, TheFontAndRangeExportsOfferNoDisplayList) {
    for (const char* kind : {"", "range"}) {
        doc->exportKind = kind;
        ExportWindow w(*doc);
        EXPECT_EQ(w.LanguageCombo->count(), 7) << kind;
        EXPECT_EQ(w.AddressFields, nullptr);
    }
}

} // namespace
} // namespace korvex
