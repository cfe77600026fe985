#include "core/glyph_edit.h"
#include "test_document.h"

#include <array>
#include <cstring>
#include <gtest/gtest.h>

using namespace korvex;

namespace {

using Rows = std::array<uint8_t, 8>;

void setGlyph(Document& doc, int font, int g, const Rows& rows) {
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            doc.setPixel(font, g, x, y, (rows[y] >> (7 - x)) & 1);
}

Rows glyphRows(const Document& doc, int font, int g) {
    Rows rows{};
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            rows[y] |= uint8_t(doc.pixel(font, g, x, y) << (7 - x));
    return rows;
}

// Editor hit area of pixel (x, y).
int64_t editorArea(int x, int y) {
    return 500 + 8 * y + x;
}

std::unique_ptr<Document> docOnGlyph(int64_t code, bool fourColour, const Rows& rows) {
    auto doc = test::freshDocument();
    doc->FourColourMode = fourColour ? 1 : 0;
    doc->CurrentGlyph = code;
    setGlyph(*doc, 1, int(code & 127), rows);
    return doc;
}

const Rows kAsym = {0x80, 0xC0, 0x01, 0x1B, 0x00, 0xF0, 0x0F, 0x81};

TEST(GlyphTransform, TwoColourGeometry) {
    auto doc = docOnGlyph(40, false, kAsym);
    EXPECT_EQ(transformGlyph(*doc, MirrorGlyphHorizontally), GlyphRedraw::MainWindow);
    EXPECT_EQ(glyphRows(*doc, 1, 40), (Rows{0x01, 0x03, 0x80, 0xD8, 0x00, 0x0F, 0xF0, 0x81}));

    doc = docOnGlyph(40, false, kAsym);
    transformGlyph(*doc, MirrorGlyphVertically);
    EXPECT_EQ(glyphRows(*doc, 1, 40), (Rows{0x81, 0x0F, 0xF0, 0x00, 0x1B, 0x01, 0xC0, 0x80}));

    // Quarter turn clockwise: the top row becomes the right column.
    doc = docOnGlyph(40, false, {0xFF, 0, 0, 0, 0, 0, 0, 0});
    EXPECT_EQ(transformGlyph(*doc, RotateGlyph), GlyphRedraw::MainWindow);
    EXPECT_EQ(glyphRows(*doc, 1, 40), (Rows{1, 1, 1, 1, 1, 1, 1, 1}));
    doc = docOnGlyph(40, false, {0x80, 0, 0, 0, 0, 0, 0, 0}); // top-left -> top-right
    transformGlyph(*doc, RotateGlyph);
    EXPECT_EQ(glyphRows(*doc, 1, 40), (Rows{0x01, 0, 0, 0, 0, 0, 0, 0}));
    for (int i = 0; i < 3; ++i)
        transformGlyph(*doc, RotateGlyph);
    EXPECT_EQ(glyphRows(*doc, 1, 40), (Rows{0x80, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(GlyphTransform, TwoColourShiftsWrap) {
    auto doc = docOnGlyph(7, false, {0x01, 0x81, 0, 0, 0, 0, 0, 0x40});
    transformGlyph(*doc, ShiftGlyphRight);
    EXPECT_EQ(glyphRows(*doc, 1, 7), (Rows{0x80, 0xC0, 0, 0, 0, 0, 0, 0x20}));
    transformGlyph(*doc, ShiftGlyphLeft);
    EXPECT_EQ(glyphRows(*doc, 1, 7), (Rows{0x01, 0x81, 0, 0, 0, 0, 0, 0x40}));
    transformGlyph(*doc, ShiftGlyphDown);
    EXPECT_EQ(glyphRows(*doc, 1, 7), (Rows{0x40, 0x01, 0x81, 0, 0, 0, 0, 0}));
    transformGlyph(*doc, ShiftGlyphUp);
    transformGlyph(*doc, ShiftGlyphUp);
    EXPECT_EQ(glyphRows(*doc, 1, 7), (Rows{0x81, 0, 0, 0, 0, 0, 0x40, 0x01}));
}

TEST(GlyphTransform, FourColourWorksOnPairs) {
    auto doc = docOnGlyph(9, true, {0x1B, 0xC0, 0, 0, 0, 0, 0, 0});
    transformGlyph(*doc, MirrorGlyphHorizontally); // pairs 00 01 10 11 -> 11 10 01 00
    EXPECT_EQ(glyphRows(*doc, 1, 9)[0], 0xE4);
    EXPECT_EQ(glyphRows(*doc, 1, 9)[1], 0x03);

    doc = docOnGlyph(9, true, {0x1B, 0x03, 0, 0, 0, 0, 0, 0});
    transformGlyph(*doc, ShiftGlyphRight); // whole pair moves; last pair wraps to first
    EXPECT_EQ(glyphRows(*doc, 1, 9)[0], 0xC6);
    EXPECT_EQ(glyphRows(*doc, 1, 9)[1], 0xC0);
    transformGlyph(*doc, ShiftGlyphLeft);
    transformGlyph(*doc, ShiftGlyphLeft);
    EXPECT_EQ(glyphRows(*doc, 1, 9)[0], 0x6C);
    EXPECT_EQ(glyphRows(*doc, 1, 9)[1], 0x0C);

    // Inverse turns every pair value v into 3 - v.
    doc = docOnGlyph(9, true, {0x1B, 0, 0, 0, 0, 0, 0, 0xFF});
    transformGlyph(*doc, InverseGlyph);
    EXPECT_EQ(glyphRows(*doc, 1, 9), (Rows{0xE4, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00}));
}

TEST(GlyphTransform, FourColourRotateDoesNothing) {
    auto doc = docOnGlyph(9, true, kAsym);
    EXPECT_EQ(transformGlyph(*doc, RotateGlyph), GlyphRedraw::Nothing);
    EXPECT_EQ(glyphRows(*doc, 1, 9), kAsym);
    // Vertical mirror is the same in both modes.
    EXPECT_EQ(transformGlyph(*doc, MirrorGlyphVertically), GlyphRedraw::MainWindow);
    EXPECT_EQ(glyphRows(*doc, 1, 9)[0], kAsym[7]);
}

TEST(GlyphTransform, ClipboardCopyPasteAndClear) {
    auto doc = docOnGlyph(20, false, kAsym);
    // Paste before any Copy clears the glyph.
    EXPECT_EQ(transformGlyph(*doc, PasteGlyph), GlyphRedraw::MainWindow);
    EXPECT_EQ(glyphRows(*doc, 1, 20), Rows{});

    setGlyph(*doc, 1, 20, kAsym);
    EXPECT_EQ(transformGlyph(*doc, CopyGlyph), GlyphRedraw::CopyBuffer);
    EXPECT_EQ(glyphRows(*doc, 1, 20), kAsym);
    EXPECT_EQ(transformGlyph(*doc, ClearGlyph), GlyphRedraw::MainWindow);
    EXPECT_EQ(glyphRows(*doc, 1, 20), Rows{});

    // The clipboard outlives glyph, font and mode changes.
    doc->CurrentFont = 4;
    doc->CurrentGlyph = 99;
    doc->FourColourMode = 1;
    transformGlyph(*doc, PasteGlyph);
    EXPECT_EQ(glyphRows(*doc, 4, 99), kAsym);
}

TEST(GlyphTransform, InverseCodeActsOnItsGlyph) {
    auto doc = docOnGlyph(193, false, kAsym);
    const Rows glyph64 = glyphRows(*doc, 1, 64);
    transformGlyph(*doc, MirrorGlyphVertically);
    EXPECT_EQ(glyphRows(*doc, 1, 65)[0], kAsym[7]);
    EXPECT_EQ(glyphRows(*doc, 1, 64), glyph64);
}

TEST(GlyphTransform, NoGlyphOrBadCommandChangesNothing) {
    for (int64_t code : {-1, -5, 256, 300, 32767}) {
        auto doc = test::freshDocument();
        doc->CurrentGlyph = code;
        auto before = std::make_unique<Document>(*doc);
        for (int cmd = 1; cmd <= 11; ++cmd)
            EXPECT_EQ(transformGlyph(*doc, cmd), GlyphRedraw::Nothing) << code << " " << cmd;
        EXPECT_EQ(std::memcmp(doc->Glyphs, before->Glyphs, sizeof doc->Glyphs), 0);
        EXPECT_EQ(std::memcmp(doc->GlyphClipboard.data(), before->GlyphClipboard.data(),
                              sizeof doc->GlyphClipboard),
                  0);
    }
    auto doc = docOnGlyph(3, false, kAsym);
    EXPECT_EQ(transformGlyph(*doc, 0), GlyphRedraw::Nothing);
    EXPECT_EQ(transformGlyph(*doc, 12), GlyphRedraw::Nothing);
    EXPECT_EQ(glyphRows(*doc, 1, 3), kAsym);
}

TEST(GlyphPaint, TwoColourButtonsFollowTheCodeKind) {
    auto doc = docOnGlyph(10, false, Rows{});
    paintPixel(*doc, 1, editorArea(2, 3));
    EXPECT_EQ(doc->pixel(1, 10, 2, 3), 1);
    paintPixel(*doc, 2, editorArea(2, 3));
    EXPECT_EQ(doc->pixel(1, 10, 2, 3), 0);
    paintPixel(*doc, 7, editorArea(0, 0)); // any non-left button is the right one
    EXPECT_EQ(doc->pixel(1, 10, 0, 0), 0);

    // Inverse codes: the left button still paints what shows as LUM, i.e. a clear bit.
    doc = docOnGlyph(138, false, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
    paintPixel(*doc, 1, editorArea(7, 7));
    EXPECT_EQ(doc->pixel(1, 10, 7, 7), 0);
    paintPixel(*doc, 2, editorArea(7, 7));
    EXPECT_EQ(doc->pixel(1, 10, 7, 7), 1);
}

TEST(GlyphPaint, FourColourRegisterTable) {
    // {register, row after painting a normal code, row after painting an inverse code}.
    // Row value 0x55 = pairs 01 01 01 01; column 5 belongs to the pair at columns 4, 5.
    const uint8_t start = 0x55;
    const std::array<std::array<int, 3>, 6> table = {{
        {BAK, 0x51, 0x51},
        {PF0, 0x55, 0x55},
        {PF1, 0x59, 0x59},
        {PF2, 0x5D, 0x55}, // an inverse code cannot show PF2
        {PF3, 0x55, 0x5D}, // a normal code cannot show PF3
        {LUM, 0x55, 0x55}, // no pair shows LUM
    }};
    for (const auto& row : table) {
        for (int64_t code : {12, 140}) {
            auto doc = docOnGlyph(code, true, {start, start, 0, 0, 0, 0, 0, 0});
            doc->LeftColour = row[0];
            doc->RightColour = row[0];
            paintPixel(*doc, 1, editorArea(5, 0));
            paintPixel(*doc, 2, editorArea(4, 1));
            const Rows r = glyphRows(*doc, 1, 12);
            const int expected = code == 12 ? row[1] : row[2];
            EXPECT_EQ(r[0], expected) << "register " << row[0] << " code " << code;
            EXPECT_EQ(r[1], expected) << "register " << row[0] << " code " << code;
        }
    }
}

TEST(GlyphPaint, FourColourUsesTheButtonsRegister) {
    auto doc = docOnGlyph(12, true, Rows{});
    doc->LeftColour = PF1;
    doc->RightColour = PF0;
    paintPixel(*doc, 1, editorArea(0, 0));
    paintPixel(*doc, 2, editorArea(7, 0));
    EXPECT_EQ(glyphRows(*doc, 1, 12)[0], 0x81);
}

TEST(GlyphPaint, SetPixelPaintsTheGivenCode) {
    auto doc = docOnGlyph(5, false, Rows{});
    paintSetPixel(*doc, 193, 3, 4, 2); // right button on an inverse code sets the bit
    EXPECT_EQ(doc->pixel(1, 65, 3, 4), 1);
    EXPECT_EQ(glyphRows(*doc, 1, 5), Rows{});
    paintSetPixel(*doc, 65, 3, 4, 2);
    EXPECT_EQ(doc->pixel(1, 65, 3, 4), 0);
    doc->CurrentFont = 3;
    paintSetPixel(*doc, 65, 0, 0, 1);
    EXPECT_EQ(doc->pixel(3, 65, 0, 0), 1);
    EXPECT_EQ(doc->pixel(1, 65, 0, 0), 0);
}

TEST(GlyphPaint, BadInputChangesNothing) {
    auto doc = docOnGlyph(5, false, Rows{});
    auto before = std::make_unique<Document>(*doc);
    for (int64_t area : {-1, 0, 499, 564, 600, 12000, 99999})
        paintPixel(*doc, 1, area);
    for (int64_t code : {-1, -5, 256, 300, -32768})
        paintSetPixel(*doc, code, 1, 1, 1);
    for (auto [x, y] : std::array<std::pair<int, int>, 4>{{{-1, 0}, {8, 0}, {0, -1}, {0, 8}}})
        paintSetPixel(*doc, 5, x, y, 1);
    for (int64_t code : {-1, -5, 256, 300}) {
        doc->CurrentGlyph = code;
        paintPixel(*doc, 1, editorArea(1, 1));
    }
    doc->CurrentGlyph = 5;
    doc->CurrentFont = 11;
    paintPixel(*doc, 1, editorArea(1, 1));
    EXPECT_EQ(std::memcmp(doc->Glyphs, before->Glyphs, sizeof doc->Glyphs), 0);
}

} // namespace
