// The Tools menu: duplicate glyphs window with its merge, the unused-glyph marks of
// the font canvas and the text preview, all following edits of the font.

#include "core/glyph_bytes.h"
#include "core/glyph_edit.h"
#include "core/text_codes.h"
#include "crafted_font.h"
#include "gui/canvas_widget.h"
#include "gui/caption_fit.h"
#include "gui/duplicate_glyphs_window.h"
#include "gui/text_preview_window.h"
#include "main_window_fixture.h"
#include "render/duplicate_groups_drawing.h"
#include "render/main_canvases.h"
#include "render/text_preview_drawing.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <cstring>

namespace korvex {
namespace {

using test::kLetterP;
using test::kLetterQ;
using test::putGlyph;

class FontToolsWindows : public test::MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        test::putDistinctFont(*doc, doc->CurrentFont);
        for (int g : {3, 7})
            putGlyph(*doc, doc->CurrentFont, g, kLetterQ);
        for (int g : {5, 40, 90})
            putGlyph(*doc, doc->CurrentFont, g, kLetterP);
        putGlyph(*doc, doc->CurrentFont, 20, invertedGlyph(kLetterP));
        window.redrawMainWindow();
    }
    void TearDown() override {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    DuplicateGlyphsWindow* openDuplicates() {
        menu(MenuFindDuplicates);
        return openDuplicateGlyphsOf(window);
    }
    // Clicks glyph `index` of the group drawn on line `line`.
    static void clickGlyph(DuplicateGlyphsWindow* view, int line, int index) {
        QTest::mouseClick(view->GroupsCanvas, Qt::LeftButton, {},
                          QPoint(kGroupMargin + kGroupGlyphPitch * index + 8,
                                 kGroupMargin + kGroupLinePitch * line + 8));
    }
};

TEST_F(FontToolsWindows, MarksShowOnlyWhileSwitchedOnAndFollowTheSets) {
    doc->Sets[1][0] = 9;
    window.redrawMainWindow();
    const QImage plain = window.FontCanvas->image().copy();
    ASSERT_TRUE(window.menuAction(MenuMarkUnusedGlyphs)->isCheckable());
    EXPECT_FALSE(window.menuAction(MenuMarkUnusedGlyphs)->isChecked());
    menu(MenuMarkUnusedGlyphs);
    EXPECT_EQ(doc->MarkUnusedGlyphs, 1);
    EXPECT_TRUE(window.menuAction(MenuMarkUnusedGlyphs)->isChecked());
    const QImage marked = window.FontCanvas->image().copy();
    EXPECT_NE(marked, plain);
    // The marks are what the renderer draws for this document.
    QImage expected = makeMainCanvasImages().font;
    drawFontGrid(*doc, expected);
    EXPECT_EQ(marked, expected);

    // Using glyph 9 no more brings its mark.
    const QPoint corner(17 * 9 + 15, 0);
    EXPECT_EQ(marked.pixel(corner), plain.pixel(corner));
    QTest::mouseClick(window.SetPreviewCanvas, Qt::RightButton, {}, QPoint(2, 2));
    EXPECT_EQ(doc->Sets[1][0], -1);
    EXPECT_NE(window.FontCanvas->image().pixel(corner), plain.pixel(corner));

    menu(MenuMarkUnusedGlyphs);
    EXPECT_EQ(doc->MarkUnusedGlyphs, 0);
    doc->Sets[1][0] = 9;
    window.redrawMainWindow();
    EXPECT_EQ(window.FontCanvas->image(), plain);
}

TEST_F(FontToolsWindows, DuplicatesListFollowsOptionsClicksAndEdits) {
    DuplicateGlyphsWindow* view = openDuplicates();
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(captionOverflows(view).empty());
    EXPECT_EQ(view->groups(), (std::vector<GlyphGroup>{{3, 7}, {5, 40, 90}}));
    // Menu again: the same window.
    menu(MenuFindDuplicates);
    EXPECT_EQ(openDuplicateGlyphsOf(window), view);

    view->InverseCheck->setChecked(true);
    EXPECT_EQ(view->groups(), (std::vector<GlyphGroup>{{3, 7}, {5, 20, 40, 90}}));
    view->InverseCheck->setChecked(false);

    // A click on glyph 40 makes it current and selects its group.
    clickGlyph(view, 1, 1);
    EXPECT_EQ(doc->CurrentGlyph, 40);
    EXPECT_EQ(doc->PickedGlyph, 40);
    EXPECT_EQ(view->selectedGroup(), 1);
    EXPECT_TRUE(view->GroupLabel->text().contains("5, 40, 90"));
    QImage expected = view->GroupsCanvas->image().copy();
    drawDuplicateGroups(*doc, expected, view->groups(), 1);
    EXPECT_EQ(view->GroupsCanvas->image(), expected);

    // Clearing glyph 40 in the editor takes it out of the list at once.
    menu(MenuClear);
    EXPECT_EQ(view->groups(), (std::vector<GlyphGroup>{{3, 7}, {5, 90}}));
    view->close();
    EXPECT_FALSE(window.duplicateGlyphsRedraw);
    EXPECT_EQ(openDuplicateGlyphsOf(window), nullptr);
}

TEST_F(FontToolsWindows, MergeQuestionCountsOneCellInTheSingular) {
    doc->Sets[1][0] = 7;
    DuplicateGlyphsWindow* view = openDuplicates();
    clickGlyph(view, 0, 0);
    view->MergeButton->click(); // answered No
    ASSERT_EQ(dialogs.asked.back().kind, "question");
    EXPECT_TRUE(dialogs.asked.back().textOrStart.contains(
        "Merge glyph 7 into glyph 3?\n\n1 cell changes (1 in sets, 0 in screens)"))
        << dialogs.asked.back().textOrStart.toStdString();
}

TEST_F(FontToolsWindows, MergeAsksWithTheCountAndChangesOnlyOnYes) {
    doc->Sets[1][0] = 40;
    doc->Sets[1][1] = 90 + 128;
    doc->screens[0] = 40;
    DuplicateGlyphsWindow* view = openDuplicates();
    view->MergeButton->click();
    EXPECT_EQ(dialogs.asked.back().kind, "message"); // nothing chosen yet
    clickGlyph(view, 1, 0);

    const auto before = std::make_unique<Document>(*doc);
    view->MergeButton->click(); // answered No
    ASSERT_EQ(dialogs.asked.back().kind, "question");
    EXPECT_TRUE(dialogs.asked.back().textOrStart.contains("Merge glyphs 40, 90 into glyph 5?"));
    EXPECT_TRUE(dialogs.asked.back().textOrStart.contains("3 cells change (2 in sets, 1 in"));
    EXPECT_EQ(std::memcmp(doc->Sets, before->Sets, sizeof doc->Sets), 0);
    EXPECT_EQ(std::memcmp(doc->Glyphs, before->Glyphs, sizeof doc->Glyphs), 0);

    dialogs.answers = {true};
    view->MergeButton->click();
    EXPECT_EQ(doc->Sets[1][0], 5);
    EXPECT_EQ(doc->Sets[1][1], 5 + 128);
    EXPECT_EQ(doc->screens[0], 5);
    EXPECT_TRUE(isEmptyGlyph(glyphBytes(*doc, doc->CurrentFont, 90)));
    EXPECT_EQ(view->groups(), (std::vector<GlyphGroup>{{3, 7}}));

    // The merge is one step: undo gives back every cell and pixel, redo merges again.
    EXPECT_EQ(window.menuAction(MenuUndo)->text(), "Undo Merge\tCtrl+Z");
    menu(MenuUndo);
    EXPECT_EQ(std::memcmp(doc->Sets, before->Sets, sizeof doc->Sets), 0);
    EXPECT_EQ(std::memcmp(doc->screens, before->screens, sizeof doc->screens), 0);
    EXPECT_EQ(std::memcmp(doc->Glyphs, before->Glyphs, sizeof doc->Glyphs), 0);
    EXPECT_EQ(view->groups().size(), 2u);
    menu(MenuRedo);
    EXPECT_EQ(doc->Sets[1][1], 5 + 128);
    EXPECT_EQ(view->groups(), (std::vector<GlyphGroup>{{3, 7}}));

    // A group that is not made of exact copies cannot be merged.
    view->InverseCheck->setChecked(true);
    putGlyph(*doc, doc->CurrentFont, 3, GlyphBytes{1, 2, 3, 4, 5, 6, 7, 8});
    putGlyph(*doc, doc->CurrentFont, 7, GlyphBytes{1, 2, 3, 4, 5, 6, 7, 9});
    window.redrawMainWindow();
    ASSERT_EQ(view->groups(), (std::vector<GlyphGroup>{{5, 20}}));
    clickGlyph(view, 0, 0);
    const size_t asked = dialogs.asked.size();
    view->MergeButton->click();
    EXPECT_EQ(dialogs.asked.size(), asked + 1);
    EXPECT_TRUE(dialogs.asked.back().textOrStart.contains("exact"));
    EXPECT_EQ(doc->Sets[1][0], 5);
}

TEST_F(FontToolsWindows, MergeWithoutDuplicatesSaysSoAndChangesNothing) {
    test::putDistinctFont(*doc, doc->CurrentFont);
    DuplicateGlyphsWindow* view = openDuplicates();
    EXPECT_TRUE(view->groups().empty());
    EXPECT_TRUE(view->GroupLabel->text().contains("no duplicate glyphs"));
    const auto before = std::make_unique<Document>(*doc);
    view->MergeButton->click();
    ASSERT_EQ(dialogs.countAsked("message"), 1u);
    EXPECT_TRUE(dialogs.asked.back().textOrStart.contains("nothing to merge"));
    EXPECT_EQ(std::memcmp(doc->Glyphs, before->Glyphs, sizeof doc->Glyphs), 0);
}

TEST_F(FontToolsWindows, TextPreviewShowsTheTypedLineAndFollowsGlyphEdits) {
    menu(MenuTextPreview);
    TextPreviewWindow* view = openTextPreviewOf(window);
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(captionOverflows(view).empty());
    QTest::keyClicks(view->TextEdit, "Hi 5");
    const auto expectedPicture = [&](bool inverse, int m) {
        QImage image(textPreviewSize(m).width, textPreviewSize(m).height, QImage::Format_RGB32);
        drawTextPreview(*doc, image, screenCodesOfText(U"Hi 5", inverse), m);
        return image;
    };
    EXPECT_EQ(view->LargeCanvas->image(), expectedPicture(false, 2));
    EXPECT_EQ(view->SmallCanvas->image(), expectedPicture(false, 1));
    view->InverseCheck->setChecked(true);
    EXPECT_EQ(view->LargeCanvas->image(), expectedPicture(true, 2));

    // "H" is screen code 40: an edit of glyph 40 shows at once.
    const QImage old = view->LargeCanvas->image().copy();
    window.pickGlyph(40);
    menu(MenuInverse);
    EXPECT_NE(view->LargeCanvas->image(), old);
    EXPECT_EQ(view->LargeCanvas->image(), expectedPicture(true, 2));
    EXPECT_EQ(view->TextEdit->maxLength(), kTextPreviewLength);
}

} // namespace
} // namespace korvex
