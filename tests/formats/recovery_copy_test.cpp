#include "core/screens.h"
#include "formats/project_file.h"
#include "formats/recovery_copy.h"
#include "recoverable_state.h"
#include "test_document.h"

#include <cstring>
#include <gtest/gtest.h>

using namespace korvex;

namespace {

Bytes toBytes(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

// Unsaved work of every kind a copy must keep, including what a project leaves out.
std::unique_ptr<Document> workInProgress() {
    auto doc = test::freshDocument();
    doc->FontName[2] = "title.fnt";
    doc->setPixel(2, 65, 3, 4, 1);
    doc->FontColours[2][PF1] = 0x102030;
    doc->Sets[7][12] = 130;
    setCell(*doc, 4, 39, 23, 0xAB);
    doc->MultiViewFonts[3] = 2;
    doc->rangeX = 11;
    doc->CurrentFont = 2;
    doc->CurrentSet = 7;
    doc->CurrentGlyph = 193;
    doc->ColourPF2 = 0xABCDEF;
    doc->AtariColour[BAK] = 148;
    return doc;
}

TEST(RecoveryCopy, BringsBackTheWorkAndWhatAProjectLeavesOut) {
    auto source = workInProgress();
    const RecoverySnapshot snapshot = takeRecoverySnapshot(*source);
    // The project part is exactly what a project save writes.
    auto copy = std::make_unique<Document>(*source);
    EXPECT_EQ(snapshot.project, joinCrLf(writeProjectLines(*copy)));
    EXPECT_EQ(snapshot.extras.rfind("[RECOVERY]\r\n", 0), 0u);

    auto target = test::freshDocument();
    ASSERT_TRUE(isRecoveryCopy(toBytes(snapshot.text())));
    ASSERT_TRUE(readRecoveryCopy(*target, toBytes(snapshot.text())));
    EXPECT_EQ(test::recoverableState(*target), test::recoverableState(*source));
    EXPECT_TRUE(target->projectPath.empty());
}

TEST(RecoveryCopy, SnapshotLeavesTheFontBufferAsItWas) {
    // A command may hold an encoded font in the buffer while a snapshot is taken.
    auto doc = workInProgress();
    for (int b = 0; b < kFontBytes; ++b)
        doc->FontBuffer[b] = uint8_t(b * 7);
    uint8_t before[sizeof doc->FontBuffer];
    std::memcpy(before, doc->FontBuffer, sizeof before);
    takeRecoverySnapshot(*doc);
    EXPECT_EQ(std::memcmp(before, doc->FontBuffer, sizeof before), 0);
}

TEST(RecoveryCopy, BytesThatAreNoCopyChangeNothing) {
    auto doc = test::freshDocument();
    const std::string before = test::recoverableState(*doc);
    auto project = test::freshDocument();
    project->Sets[1][0] = 5;
    const std::string projectText = joinCrLf(writeProjectLines(*project));
    for (const std::string& text :
         {std::string(), std::string("[RECOVERY"), std::string("x[RECOVERY]"), projectText}) {
        EXPECT_FALSE(isRecoveryCopy(toBytes(text)));
        EXPECT_FALSE(readRecoveryCopy(*doc, toBytes(text)));
    }
    EXPECT_EQ(test::recoverableState(*doc), before);
}

TEST(RecoveryCopy, SectionValuesOutOfRangeOrMissingAreLeftAlone) {
    auto doc = test::freshDocument();
    doc->ColourLUM = 0x111111;
    const std::string text = "SET_2=4\r\n[RECOVERY]\r\nCURRENT_FONT=11\r\nCURRENT_SET=0\r\n"
                             "CURRENT_GLYPH=256\r\nWORKING_COLORS=$1FFFFFF 5\r\n"
                             "ATARI_COLORS=300 -1 7\r\n";
    ASSERT_TRUE(readRecoveryCopy(*doc, toBytes(text)));
    EXPECT_EQ(doc->Sets[2][0], 4);
    EXPECT_EQ(doc->CurrentFont, 1);
    EXPECT_EQ(doc->CurrentSet, 1);
    EXPECT_EQ(doc->CurrentGlyph, 1);
    EXPECT_EQ(doc->ColourLUM, 0xFFFFFF); // kept to 24 bits
    EXPECT_EQ(doc->ColourBAK, 5);
    EXPECT_EQ(doc->ColourPF0, 0x1F77C2); // no value: as it was
    EXPECT_EQ(doc->AtariColour[LUM], 14);
    EXPECT_EQ(doc->AtariColour[BAK], 0);
    EXPECT_EQ(doc->AtariColour[PF0], 7);
    EXPECT_EQ(doc->AtariColour[PF1], 184);
}

} // namespace
